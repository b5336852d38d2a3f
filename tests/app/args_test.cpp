#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/process.hpp"

namespace {

struct GameRun {
    int status = -1;  // exit status, or -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// Runs the game binary with no terminal at all: stdin from /dev/null, stdout a pipe,
// stderr a file. `redirect` may replace where stdout goes.
// `colors` is VEXAMOR_COLORS for the run; unset when empty.
GameRun runGame(const std::vector<std::string>& arguments, const std::string& redirect = "",
                const std::string& colors = "") {
    // One file per process: CTest runs test cases side by side.
    const std::string errPath = ::testing::TempDir() + "vexamor_args_stderr_" + std::to_string(getpid()) + ".txt";
    std::string command = colors.empty() ? "env -u VEXAMOR_COLORS " : "VEXAMOR_COLORS=" + shellQuoted(colors) + " ";
    command += shellQuoted(VEXAMOR_BINARY);
    // Appended piece by piece: GCC 12 at -O3 reports a false -Wrestrict inside libstdc++ for
    // a string literal + a temporary string (the literal is inserted at the front).
    for (const auto& argument : arguments) {
        command += " ";
        command += shellQuoted(argument);
    }
    command += " </dev/null 2>";
    command += shellQuoted(errPath);
    command += " ";
    command += redirect;
    const ShellRun shell = runShell(command);
    GameRun run{shell.status, shell.out, fileBytes(errPath)};
    std::remove(errPath.c_str());
    return run;
}

bool hasControlBytes(const std::string& text) {
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && c != '\n') || byte == 0x7F) return true;
    }
    return false;
}

}  // namespace

TEST(CommandLine, HelpListsTheOptionsInPortugueseWithoutATerminal) {
    const GameRun run = runGame({"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.err.empty()) << run.err;
    EXPECT_EQ(run.out.rfind("Uso: vexamor", 0), 0u) << run.out;
    for (const char* option : {"--mute", "--colors=16|256|truecolor", "--help", "--version"}) {
        EXPECT_NE(run.out.find(std::string("  ") + option), std::string::npos) << option;
    }
    EXPECT_NE(run.out.find("sem som"), std::string::npos);
    EXPECT_NE(run.out.find("VEXAMOR_COLORS"), std::string::npos);
    EXPECT_FALSE(hasControlBytes(run.out));  // nothing was sent to set up a terminal
}

TEST(CommandLine, VersionPrintsOneLine) {
    const GameRun run = runGame({"--version"});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.err.empty()) << run.err;
    EXPECT_TRUE(std::regex_match(run.out, std::regex("vexamor [0-9]+\\.[0-9]+\\.[0-9]+\n"))) << run.out;
    EXPECT_EQ(runGame({"--mute", "--version"}).out, run.out);
}

TEST(CommandLine, UnknownArgumentsGetOneSafeLineAndStatusTwo) {
    const std::vector<std::vector<std::string>> cases = {
        {"--bogus"}, {"-m"}, {""}, {"--MUTE"}, {"--mute", "extra"}, {"--help", "--verbose"},
        {"\x1b[2J\x1b]0;x\x07", "--mute"}, {"a\nb"},
    };
    for (const auto& arguments : cases) {
        SCOPED_TRACE(arguments.front());
        const GameRun run = runGame(arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.out.empty()) << run.out;
        EXPECT_EQ(run.err.rfind("vexamor: argumento desconhecido", 0), 0u) << run.err;
        ASSERT_FALSE(run.err.empty());
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1);
        EXPECT_FALSE(hasControlBytes(run.err));
    }
}

TEST(CommandLine, OutputThatCannotBeWrittenIsNotReportedAsSuccess) {
    // Linux's always-full device; macOS and the BSDs have none.
    if (::access("/dev/full", W_OK) != 0) GTEST_SKIP() << "no /dev/full here";
    EXPECT_EQ(runGame({"--help"}, ">/dev/full").status, 1);
    EXPECT_EQ(runGame({"--version"}, ">/dev/full").status, 1);
}

// With no terminal, the game itself answers, with or without --mute: the option was taken,
// not refused as unknown.
TEST(CommandLine, MuteGoesOnToTheGameLikeNoArgument) {
    const std::string needsTerminal = "vexamor: a entrada e a saída precisam ser um terminal\n";
    for (const std::vector<std::string>& arguments : {std::vector<std::string>{}, std::vector<std::string>{"--mute"}}) {
        SCOPED_TRACE(arguments.empty() ? "no argument" : "--mute");
        const GameRun run = runGame(arguments);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, needsTerminal);
        EXPECT_EQ(run.out, "");
    }
}

TEST(CommandLine, RecordAndWatchTakeOneValueEachAndNotBoth) {
    const GameRun help = runGame({"--help"});
    for (const char* option : {"  --record PASTA", "  --watch ARQUIVO"}) {
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
    }
    const std::vector<std::vector<std::string>> cases = {
        {"--record"}, {"--watch"}, {"--record", "a", "--watch", "b"}, {"--watch", "a", "--watch", "b"},
    };
    for (const auto& arguments : cases) {
        SCOPED_TRACE(arguments.size() > 2 ? arguments[2] : arguments.front());
        const GameRun run = runGame(arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.err.rfind("vexamor: --", 0), 0u) << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    }
    // A bad recording is refused before anything else is looked at.
    const GameRun missing = runGame({"--watch", "/nonexistent/game.vxr"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.err.rfind("vexamor: n\xC3\xA3o foi poss\xC3\xADvel abrir a grava\xC3\xA7\xC3\xA3o '/nonexistent/game.vxr'", 0), 0u)
        << missing.err;
}

// A colour choice the program cannot use stops it before the terminal is touched, whether
// typed or set in the environment; the command line wins over the environment.
TEST(CommandLine, ColourChoicesPlayAndBadOnesGetOneLineAndStatusTwo) {
    const std::string needsTerminal = "vexamor: a entrada e a saída precisam ser um terminal\n";
    const std::vector<std::pair<std::vector<std::string>, std::string>> plays = {
        {{"--colors=16"}, ""},       {{"--colors=256", "--mute"}, ""}, {{"--colors=truecolor"}, ""},
        {{}, "256"},                 {{"--colors=16"}, "bogus"},
    };
    for (const auto& [arguments, colors] : plays) {
        SCOPED_TRACE((arguments.empty() ? "" : arguments.front()) + " VEXAMOR_COLORS=" + colors);
        const GameRun run = runGame(arguments, "", colors);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, needsTerminal);
    }
    const std::vector<std::pair<std::vector<std::string>, std::string>> refused = {
        {{"--colors="}, ""}, {{"--colors=24bit"}, ""}, {{"--colors=256", "--colors=8"}, ""}, {{"--colors=x", "--colors=256"}, ""},
        {{"--colors=\x1b[31m"}, ""}, {{}, "TRUECOLOR"}, {{"--mute"}, "88"}, {{}, "\x1b]0;x\x07"},
    };
    for (const auto& [arguments, colors] : refused) {
        SCOPED_TRACE((arguments.empty() ? "" : arguments.front()) + " VEXAMOR_COLORS=" + colors);
        const GameRun run = runGame(arguments, "", colors);
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.out.empty()) << run.out;
        EXPECT_NE(run.err.find("cores desconhecidas"), std::string::npos) << run.err;
        EXPECT_NE(run.err.find(colors.empty() ? "--colors" : "VEXAMOR_COLORS"), std::string::npos) << run.err;
        ASSERT_FALSE(run.err.empty());
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1);
        EXPECT_FALSE(hasControlBytes(run.err));
    }
    EXPECT_EQ(runGame({"--help"}, "", "bogus").status, 0) << "help is shown whatever the environment";
}
