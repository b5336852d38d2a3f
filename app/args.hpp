#pragma once
// The command line: `vexamor` plays; `--mute` plays without sound; `--colors=16|256|truecolor`
// (or the environment variable VEXAMOR_COLORS) chooses the terminal's colours over what its
// environment suggests; `--help` and `--version` print to stdout and end the program without
// touching the terminal. `--record DIR` writes each game into DIR; `--watch FILE` plays a
// recorded game.
#include <optional>
#include <string>

#include "conio/platform/color_mode.hpp"

struct CommandLine {
    bool muted = false;   // tones become silent waits of the same length
    bool exitNow = false; // help, version or a bad argument was handled: end with exitStatus
    int exitStatus = 0;   // 0 printed fine, 1 stdout could not be written, 2 bad argument
    std::optional<platform::ColorMode> colors;  // none: the terminal's environment decides
    std::optional<std::string> recordFolder;  // --record: every game written into this folder
    std::optional<std::string> watchFile;     // --watch: this recording is played instead
};

// Reads the arguments after the program name and the value of VEXAMOR_COLORS (null when
// unset; --colors wins over it). Prints the usage or the version to stdout, or a one-line
// error to stderr for any argument it does not know or colour value it cannot use.
CommandLine parseCommandLine(int argc, const char* const* argv, const char* colorsVariable = nullptr);
