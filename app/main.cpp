// The program entry: reads the command line, then hands over to the target's platform.
#include <cstdlib>

#include "app/args.hpp"
#include "app/target.hpp"

int main(int argc, char** argv) {
    const CommandLine commandLine = parseCommandLine(argc, argv, std::getenv("VEXAMOR_COLORS"));
    if (commandLine.exitNow) return commandLine.exitStatus;
    return runOnTarget(commandLine);
}
