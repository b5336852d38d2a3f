#pragma once
// Standard output as a byte stream: what a program writes reaches the file or pipe unchanged.
// Where the C library translates line ends on its own (Windows' text mode turns "\n" into
// "\r\n"), this turns that off; elsewhere there is nothing to do. Each target defines it.
#include <string_view>

namespace platform {

void useBinaryStandardOutput();

// Writes every byte to standard output before it returns, whatever standard output is (file,
// pipe, terminal); false when some could not be written.
bool writeStandardOutput(std::string_view bytes);

}  // namespace platform
