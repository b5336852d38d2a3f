#include "tools/replay/options.hpp"

#include <limits>

#include "game/key_list.hpp"

namespace {

ParsedOptions failure(std::string message) { return {std::nullopt, std::move(message)}; }

}  // namespace

std::string quotedArgument(const std::string& argument) {
    std::string text = "'";
    for (std::size_t i = 0; i < argument.size() && i < 40; ++i) {
        const auto c = static_cast<unsigned char>(argument[i]);
        text += (c < 0x20 || c == 0x7F) ? '?' : argument[i];
    }
    return text + (argument.size() > 40 ? "...'" : "'");
}

ParsedOptions parseReplayOptions(const std::vector<std::string>& arguments) {
    static const std::string kNames[] = {"--seed", "--ticks", "--keys", "--keys-file", "--screen", "--check",
                                         "--recording"};
    enum { kSeed, kTicks, kKeys, kKeysFile, kScreen, kCheck, kRecording, kCount };
    ReplayOptions options;
    bool seen[kCount] = {};
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& name = arguments[i];
        int which = 0;
        while (which < kCount && kNames[which] != name) ++which;
        if (which == kCount) return failure("unknown argument " + quotedArgument(name));
        if (seen[which]) return failure(name + " given twice");
        seen[which] = true;
        if (which == kScreen || which == kCheck) {
            (which == kScreen ? options.screen : options.check) = true;
            continue;
        }
        if (i + 1 == arguments.size()) return failure(name + " needs a value");
        const std::string& value = arguments[++i];
        if (which == kSeed) {
            const auto seed = parseDecimal(value, std::numeric_limits<std::uint32_t>::max());
            if (!seed) return failure("--seed wants a number 0..4294967295, not " + quotedArgument(value));
            options.seed = static_cast<std::uint32_t>(*seed);
        } else if (which == kTicks) {
            const auto ticks = parseDecimal(value, std::numeric_limits<std::int32_t>::max());
            if (!ticks) return failure("--ticks wants a number 0..2147483647, not " + quotedArgument(value));
            options.ticks = static_cast<long long>(*ticks);
        } else if (which == kKeysFile) {
            options.keysFile = value;
        } else if (which == kRecording) {
            options.recordingFile = value;
        } else if (parseKeyList(value, options.keys)) {
            return failure("--keys wants comma-separated bytes 0..255, '-' or nothing, not " + quotedArgument(value));
        }
    }
    if (seen[kRecording]) {
        for (int other : {kSeed, kTicks, kKeys, kKeysFile}) {
            if (seen[other]) return failure("--recording takes the game from its file: no " + kNames[other]);
        }
        if (seen[kCheck] && seen[kScreen]) return failure("--check prints one line: no --screen");
        return {options, ""};
    }
    if (seen[kCheck]) return failure("--check needs --recording FILE");
    if (!seen[kSeed]) return failure("--seed S is required");
    if (seen[kKeys] && seen[kKeysFile]) return failure("--keys and --keys-file cannot be given together");
    return {options, ""};
}

std::string parseKeyFileText(const std::string& path, const std::string& text,
                             std::vector<std::optional<std::uint8_t>>& keys) {
    constexpr const char* kBlanks = " \t\r\n\v\f";
    const std::size_t first = text.find_first_not_of(kBlanks);
    const std::string list = first == std::string::npos ? "" : text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
    keys.clear();
    const auto bad = parseKeyList(list, keys);
    if (!bad) return "";
    const std::size_t item = keys.size() + 1;
    keys.clear();
    return "--keys-file " + quotedArgument(path) + ": item " + std::to_string(item) + " is " + quotedArgument(*bad) +
           ", not a byte 0..255, '-' or nothing";
}
