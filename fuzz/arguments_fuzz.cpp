// What a user types: any argv into the game's and the replay tool's command lines (a known
// option list, --record and --watch with their values among it, plays or prints; anything
// else is refused with status 2; the replay tool's one-line message stays one line of
// printable bytes), and any keys into the password prompt with a buffer of any maximum,
// anywhere on a screen.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/args.hpp"
#include "conio/conio.hpp"
#include "conio/services.hpp"
#include "fuzz/fuzz_check.hpp"
#include "fuzz/guarded_buffer.hpp"
#include "tools/replay/options.hpp"

namespace {

// Real option names now and then, so that the fuzzer reaches the paths behind them.
std::string anyArgument(FuzzedDataProvider& data) {
    static const char* const kNames[] = {"--mute", "--help", "--version", "--colors=16", "--colors=256",
                                         "--colors=truecolor", "--colors=", "--record", "--watch", "--seed", "--ticks", "--keys", "--screen",
                                         "0", "4294967295", "4294967296", "2147483647", "1,,-,255", "-"};
    if (data.ConsumeIntegralInRange(0, 3) == 0) return kNames[data.ConsumeIntegralInRange<std::size_t>(0, std::size(kNames) - 1)];
    return data.ConsumeRandomLengthString(64);
}

void checkGameCommandLine(const std::vector<std::string>& arguments) {
    std::vector<const char*> argv{"vexamor"};
    bool allKnown = true;
    bool onlyPlay = true;
    bool mute = false;
    int fileOptions = 0;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        argv.push_back(argument.c_str());
        // --record and --watch take the next argument as their value, whatever it is.
        if ((argument == "--record" || argument == "--watch") && i + 1 < arguments.size()) {
            argv.push_back(arguments[++i].c_str());
            ++fileOptions;
            continue;
        }
        const bool plays = argument == "--mute" || argument == "--colors=16" || argument == "--colors=256" ||
                           argument == "--colors=truecolor";
        allKnown = allKnown && (plays || argument == "--help" || argument == "--version");
        onlyPlay = onlyPlay && plays;
        mute = mute || argument == "--mute";
    }
    if (fileOptions > 1) allKnown = onlyPlay = false;  // both options, or one twice, is refused
    argv.push_back(nullptr);
    const CommandLine line = parseCommandLine(static_cast<int>(argv.size() - 1), argv.data());
    if (!allKnown) require(line.exitNow && line.exitStatus == 2, "an unknown argument was not refused");
    if (onlyPlay) require(!line.exitNow && line.muted == mute, "plain play, --mute or --colors did not play");
    if (allKnown && !onlyPlay) require(line.exitNow && line.exitStatus != 2, "--help or --version refused");
}

void checkReplayCommandLine(const std::vector<std::string>& arguments) {
    const ParsedOptions parsed = parseReplayOptions(arguments);
    require(parsed.options.has_value() == parsed.error.empty(), "options and an error together, or neither");
    for (const char c : parsed.error) {
        const auto byte = static_cast<unsigned char>(c);
        require(byte >= 0x20 && byte != 0x7F, "a control byte in the error message");
    }
    if (parsed.options) require(parsed.options->ticks >= 0 && parsed.options->ticks <= 2147483647, "ticks out of range");
}

void checkPasswordPrompt(FuzzedDataProvider& data) {
    platform::HeadlessPlatform headless(data.ConsumeIntegralInRange(1, 300), data.ConsumeIntegralInRange(1, 60));
    conio::resetConioState();
    conio::installPlatform(headless);
    platform::moveCursor(headless.screen(), data.ConsumeIntegralInRange(0, 299), data.ConsumeIntegralInRange(0, 59));
    checkGetpass(data, headless);
    conio::uninstallPlatform();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::freopen("/dev/null", "w", stdout);  // the usage and the version, every run
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    const int surface = data.ConsumeIntegralInRange(0, 2);
    if (surface == 2) {
        checkPasswordPrompt(data);
        return 0;
    }
    const bool replay = surface == 1;
    std::vector<std::string> arguments(data.ConsumeIntegralInRange(0, 8));
    for (std::string& argument : arguments) argument = anyArgument(data);
    // argv strings end at their first zero byte, as the shell hands them over.
    for (std::string& argument : arguments) argument.resize(argument.find('\0') == std::string::npos ? argument.size() : argument.find('\0'));
    if (replay) {
        checkReplayCommandLine(arguments);
    } else {
        checkGameCommandLine(arguments);
    }
    return 0;
}
