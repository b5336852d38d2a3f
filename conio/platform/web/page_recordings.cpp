#include "conio/platform/web/page_recordings.hpp"

#include "conio/platform/web/host.hpp"

namespace platform {

void announceRecording(const std::string& text, std::int64_t durationMs) {
    vexamor_host_recorded(text.data(), static_cast<int>(text.size()), static_cast<int>(durationMs));
}

std::optional<std::string> recordingToWatch() {
    const int length = vexamor_host_recording_to_watch(nullptr, 0);
    if (length <= 0) return std::nullopt;
    std::string text(static_cast<std::size_t>(length), '\0');
    vexamor_host_recording_to_watch(text.data(), length);
    return text;
}

}  // namespace platform
