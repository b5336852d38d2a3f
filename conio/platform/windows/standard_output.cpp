// The C library's text mode would turn every "\n" into "\r\n".
#include "conio/platform/standard_output.hpp"

#include <fcntl.h>
#include <io.h>

#include <cstdio>

namespace platform {

void useBinaryStandardOutput() {
    std::fflush(stdout);
    _setmode(_fileno(stdout), _O_BINARY);
}

bool writeStandardOutput(std::string_view bytes) {
    return std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() && std::fflush(stdout) == 0;
}

}  // namespace platform
