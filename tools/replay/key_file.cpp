#include "tools/replay/key_file.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// Far more than any game's list needs; it stops a device that never ends (/dev/zero) from
// being read until memory runs out.
constexpr std::size_t kMaxKeyFileBytes = std::size_t{256} << 20;

// The whole content of the stream, or a message saying why it could not be read.
bool readAll(std::FILE* in, std::string& text, std::string& error) {
    char chunk[65536];
    std::size_t n = 0;
    while ((n = std::fread(chunk, 1, sizeof chunk, in)) > 0) {
        text.append(chunk, n);
        if (text.size() > kMaxKeyFileBytes) {
            error = "is larger than 256 MiB";
            return false;
        }
    }
    if (!std::ferror(in)) return true;
    error = std::strerror(errno);
    return false;
}

}  // namespace

std::string loadKeyFile(ReplayOptions& options) {
    const std::string& path = *options.keysFile;
    const bool standardInput = path == "-";
    std::FILE* in = standardInput ? stdin : std::fopen(path.c_str(), "rb");
    if (in == nullptr) return "cannot open the key file " + quotedArgument(path) + ": " + std::strerror(errno);
    std::string text, error;
    const bool read = readAll(in, text, error);
    if (!standardInput) std::fclose(in);
    if (!read) return "cannot read the key file " + quotedArgument(path) + ": " + error;
    return parseKeyFileText(path, text, options.keys);
}
