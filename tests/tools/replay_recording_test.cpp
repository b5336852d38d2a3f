// vexamor-replay --recording FILE [--check | --screen]: the golden games as recording files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include <filesystem>

#include "app/recording_files.hpp"
#include "tests/support/headless.hpp"
#include "tests/support/process.hpp"
#include "tests/support/recorded_run.hpp"

namespace {

const std::string kGolden = std::string(VEXAMOR_SOURCE_DIR) + "/tests/golden/";

ShellRun replay(const std::string& arguments, bool stderrOnly = false) {
    return runShell(shellQuoted(VEXAMOR_REPLAY_BINARY) + " " + arguments +
                    (stderrOnly ? " 2>&1 >/dev/null" : " 2>/dev/null"));
}

std::vector<std::string> goldenNames() {
    std::istringstream games(fileBytes(kGolden + "games"));
    std::vector<std::string> names;
    for (std::string line; std::getline(games, line);) {
        if (!line.empty() && line[0] != '#') names.push_back(line.substr(0, line.find(' ')));
    }
    return names;
}

std::string writtenFile(const std::string& name, const std::string& content) {
    const std::string path = ::testing::TempDir() + "replay_recording_" + name;
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out != nullptr) {
        std::fwrite(content.data(), 1, content.size(), out);
        std::fclose(out);
    }
    return path;
}

// The line `name VALUE` of a recording's text.
std::string valueOf(const std::string& text, const std::string& name) {
    const std::size_t start = text.find("\n" + name + " ") + name.size() + 2;
    return text.substr(start, text.find('\n', start) - start);
}

}  // namespace

TEST(ReplayRecording, GoldenGamesCheckAndTraceAsFromTheirSeedAndKeys) {
    const auto names = goldenNames();
    ASSERT_GE(names.size(), 3u);
    for (const std::string& name : names) {
        const std::string file = kGolden + name + ".vxr";
        const std::string text = fileBytes(file);
        const ShellRun checked = replay("--recording " + shellQuoted(file) + " --check");
        EXPECT_EQ(checked.status, 0) << name;
        EXPECT_EQ(checked.out, "ok score " + valueOf(text, "score") + " level " + valueOf(text, "level") + " ticks " +
                                   valueOf(text, "ticks") + "\n");
        const ShellRun traced = replay("--recording " + shellQuoted(file) + " --screen");
        EXPECT_EQ(traced.status, 0) << name;
        EXPECT_TRUE(traced.out == fileBytes(kGolden + name + ".trace")) << name << ": the trace differs";
    }
}

TEST(ReplayRecording, CheckSaysWhatDiffersAndBadFilesOrArgumentsAreStatusTwo) {
    std::string text = fileBytes(kGolden + "quiet_end.vxr");
    const std::string score = valueOf(text, "score");
    text.replace(text.find("\nscore ") + 7, score.size(), "9999");
    const ShellRun differs = replay("--recording " + shellQuoted(writtenFile("score.vxr", text)) + " --check");
    EXPECT_EQ(differs.status, 1);
    EXPECT_EQ(differs.out, "differs: score " + score + " (recorded 9999)\n");

    const std::string broken = writtenFile("broken.vxr", "vexamor-recording 7\n");
    const ShellRun refused = replay("--recording " + shellQuoted(broken) + " --check", true);
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.out, "vexamor-replay: grava\xC3\xA7\xC3\xA3o '" + broken +
                               "': linha 1: vers\xC3\xA3o '7' do formato; este programa l\xC3\xAA a vers\xC3\xA3o 1\n");
    const std::string file = shellQuoted(kGolden + "quiet_end.vxr");
    for (const std::string& arguments : std::vector<std::string>{"--recording " + file + " --seed 1", "--recording " + file + " --keys 1", "--recording " + file + " --ticks 5",
          "--recording " + file + " --check --screen", "--seed 1 --check", "--recording /nonexistent/x.vxr"}) {
        const ShellRun run = replay(arguments, true);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1) << arguments << ": " << run.out;
    }
}

TEST(ReplayRecording, GamesRecordedThroughTheProgramAreWrittenAsFilesThatCheckOk) {
    std::vector<Recording> recordings;
    {
        HeadlessConsole console;
        recordings = playRecordedRun(console.platform);
    }
    ASSERT_EQ(recordings.size(), 2u);
    const std::filesystem::path folder = std::filesystem::path(::testing::TempDir()) / "vexamor_records" / "new";
    std::filesystem::remove_all(folder.parent_path());
    ASSERT_EQ(prepareRecordingFolder(folder.string()), "") << "a missing folder is made";
    for (const Recording& recording : recordings) ASSERT_EQ(writeRecordingFile(folder.string(), recording), "");
    // The same name again is not overwritten.
    ASSERT_EQ(writeRecordingFile(folder.string(), recordings[0]), "");
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    const std::string firstName = recordingFileName(recordings[0]);
    ASSERT_EQ(names, (std::vector<std::string>{firstName.substr(0, firstName.size() - 4) + "-2.vxr", firstName,
                                               recordingFileName(recordings[1])}))
        << "no temporary file is left";
    for (const Recording& recording : recordings) {
        const ShellRun checked = replay("--recording " + shellQuoted((folder / recordingFileName(recording)).string()) + " --check");
        EXPECT_EQ(checked.status, 0);
        EXPECT_EQ(checked.out, "ok score " + std::to_string(recording.score) + " level " + std::to_string(recording.level) +
                                   " ticks " + std::to_string(recording.ticks) + "\n");
    }
    const std::string plainFile = (folder / firstName).string();
    EXPECT_NE(prepareRecordingFolder(plainFile + "/sub"), "");
    const std::string failed = writeRecordingFile(plainFile, recordings[0]);
    EXPECT_EQ(failed.rfind("n\xC3\xA3o foi poss\xC3\xADvel gravar '" + plainFile + "/", 0), 0u) << failed;
}
