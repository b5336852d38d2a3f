#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <regex>
#include <string>
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
GameRun runGame(const std::vector<std::string>& arguments, const std::string& redirect = "") {
    // One file per process: CTest runs test cases side by side.
    const std::string errPath = ::testing::TempDir() + "vexamor_args_stderr_" + std::to_string(getpid()) + ".txt";
    std::string command = shellQuoted(VEXAMOR_BINARY);
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
    for (const char* option : {"--mute", "--help", "--version"}) {
        EXPECT_NE(run.out.find(std::string("  ") + option), std::string::npos) << option;
    }
    EXPECT_NE(run.out.find("sem som"), std::string::npos);
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
