#include "app/recording_files.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace {

// A path as a one-line message shows it: control bytes as '?'.
std::string shown(const std::string& path) {
    std::string text = "'";
    for (char c : path) text += (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) ? '?' : c;
    return text + "'";
}

// The file's bytes, at most `most` of them; false (with errno's reason) when it cannot be read.
bool readAtMost(std::FILE* in, std::size_t most, std::string& text, bool& tooLarge) {
    char chunk[65536];
    std::size_t n = 0;
    while ((n = std::fread(chunk, 1, sizeof chunk, in)) > 0) {
        text.append(chunk, n);
        if (text.size() > most) {
            tooLarge = true;
            return false;
        }
    }
    return std::ferror(in) == 0;
}

// Writes text to path and closes it; false once any step failed (the file is removed then).
bool writeWhole(const std::string& path, const std::string& text, std::string& reason) {
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) {
        reason = std::strerror(errno);
        return false;
    }
    bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size() && std::fflush(out) == 0;
    if (!written) reason = std::strerror(errno);
    if (std::fclose(out) != 0 && written) {
        reason = std::strerror(errno);
        written = false;
    }
    if (!written) std::remove(path.c_str());
    return written;
}

// The first of "NAME.vxr", "NAME-2.vxr", ... that is not in the folder.
std::filesystem::path freeName(const std::filesystem::path& folder, const std::string& name) {
    const std::string stem = name.substr(0, name.size() - 4);
    std::filesystem::path path = folder / name;
    std::error_code error;
    for (int n = 2; std::filesystem::exists(path, error) && n < 1000; ++n) {
        path = folder / (stem + "-" + std::to_string(n) + ".vxr");
    }
    return path;
}

}  // namespace

ParsedRecording loadRecordingFile(const std::string& path) {
    std::FILE* in = std::fopen(path.c_str(), "rb");
    if (in == nullptr) return {std::nullopt, "n\xC3\xA3o foi poss\xC3\xADvel abrir a grava\xC3\xA7\xC3\xA3o " + shown(path) + ": " + std::strerror(errno)};
    std::string text;
    bool tooLarge = false;
    const bool read = readAtMost(in, kMaxRecordingBytes, text, tooLarge);
    const int readError = errno;
    std::fclose(in);
    if (tooLarge) return {std::nullopt, "a grava\xC3\xA7\xC3\xA3o " + shown(path) + " tem mais de 4 MB"};
    if (!read) return {std::nullopt, "n\xC3\xA3o foi poss\xC3\xADvel ler a grava\xC3\xA7\xC3\xA3o " + shown(path) + ": " + std::strerror(readError)};
    ParsedRecording parsed = parseRecording(text);
    if (!parsed.recording) parsed.error = "grava\xC3\xA7\xC3\xA3o " + shown(path) + ": " + parsed.error;
    return parsed;
}

std::string prepareRecordingFolder(const std::string& folder) {
    const std::string cannot = "n\xC3\xA3o \xC3\xA9 poss\xC3\xADvel gravar em " + shown(folder) + ": ";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) return cannot + error.message();
    if (!std::filesystem::is_directory(folder, error)) return cannot + "n\xC3\xA3o \xC3\xA9 uma pasta";
    const std::string probe = (std::filesystem::path(folder) / ".vexamor-probe.tmp").string();
    std::string reason;
    if (!writeWhole(probe, "", reason)) return cannot + reason;
    std::remove(probe.c_str());
    return "";
}

std::string writeRecordingFile(const std::string& folder, const Recording& recording) {
    const std::filesystem::path path = freeName(folder, recordingFileName(recording));
    // Hidden, and renamed only once complete: a listing never shows half a recording.
    std::string hiddenName(1, '.');
    hiddenName += path.filename().string();
    hiddenName += ".tmp";
    const std::filesystem::path temporary = std::filesystem::path(folder) / hiddenName;
    std::string reason;
    if (!writeWhole(temporary.string(), formatRecording(recording), reason)) {
        return "n\xC3\xA3o foi poss\xC3\xADvel gravar " + shown(path.string()) + ": " + reason;
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (!error) return "";
    const std::string why = error.message();
    std::filesystem::remove(temporary, error);
    return "n\xC3\xA3o foi poss\xC3\xADvel gravar " + shown(path.string()) + ": " + why;
}
