#pragma once
// The command line: `vexamor` plays; `--mute` plays without sound; `--help` and
// `--version` print to stdout and end the program without touching the terminal.
// `--record DIR` writes each game into DIR; `--watch FILE` plays a recorded game.
#include <optional>
#include <string>

struct CommandLine {
    bool muted = false;   // tones become silent waits of the same length
    bool exitNow = false; // help, version or a bad argument was handled: end with exitStatus
    int exitStatus = 0;   // 0 printed fine, 1 stdout could not be written, 2 bad argument
    std::optional<std::string> recordFolder;  // --record: every game written into this folder
    std::optional<std::string> watchFile;     // --watch: this recording is played instead
};

// Reads the arguments after the program name. Prints the usage or the version to stdout,
// or a one-line error to stderr for any argument it does not know.
CommandLine parseCommandLine(int argc, const char* const* argv);
