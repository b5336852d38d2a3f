#pragma once
// Standard output as a byte stream: what a program writes reaches the file or pipe unchanged.
// Where the C library translates line ends on its own (Windows' text mode turns "\n" into
// "\r\n"), this turns that off; elsewhere there is nothing to do. Each target defines it.
namespace platform {

void useBinaryStandardOutput();

}  // namespace platform
