// The browser and node get the bytes written to standard output unchanged.
#include "conio/platform/standard_output.hpp"

namespace platform {

void useBinaryStandardOutput() {}

}  // namespace platform
