#pragma once
// What --record and --watch add to a run, the same on every target that has files: the
// checks made before the terminal is touched, the program (or the watch) on the installed
// platform, and what is reported once the terminal is restored.
#include <optional>
#include <string>
#include <vector>

#include "app/args.hpp"
#include "app/watch.hpp"
#include "game/recording.hpp"

struct ProgramRun {
    std::optional<std::string> recordFolder;  // games are written here
    std::optional<std::string> watchFile;
    std::optional<Recording> watched;         // the --watch file, read and checked
    Watched watchResult;
    std::vector<std::string> writeFailures;   // one line for each game that could not be written
};

// Reads the --watch file and makes the --record folder ready. False after one line on
// stderr saying what is wrong (the caller exits with status 2).
bool prepareRun(const CommandLine& commandLine, ProgramRun& run);

// The program with each game recorded, or the watch of the recording, on the installed
// platform. Returns the program's exit status.
int playRun(ProgramRun& run);

// After the terminal is restored: the games that could not be written, or a watched file
// that does not hold its game, one line each on stderr. The run's final exit status: 1 when
// a game could not be written, 3 when the watched file does not match, else `status`.
int finishRun(const ProgramRun& run, int status);
