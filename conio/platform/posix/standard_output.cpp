// POSIX streams never translate bytes.
#include "conio/platform/standard_output.hpp"

namespace platform {

void useBinaryStandardOutput() {}

}  // namespace platform
