// POSIX streams never translate bytes.
#include "conio/platform/standard_output.hpp"

#include <cstdio>

namespace platform {

void useBinaryStandardOutput() {}

bool writeStandardOutput(std::string_view bytes) {
    return std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() && std::fflush(stdout) == 0;
}

}  // namespace platform
