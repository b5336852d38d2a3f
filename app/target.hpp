#pragma once
// What one target does after the command line has been read: check that it can show the
// game, set up its platform, run the program and put the console back. Each target has its
// own definition in app/<target>/; the build links exactly one.
#include "app/args.hpp"

// The program's exit status.
int runOnTarget(const CommandLine& commandLine);
