#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "app/recording_files.hpp"

namespace {

std::string fileWith(const std::string& name, const std::string& content) {
    const std::string path = ::testing::TempDir() + "recording_files_" + name;
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out != nullptr) {
        std::fwrite(content.data(), 1, content.size(), out);
        std::fclose(out);
    }
    return path;
}

}  // namespace

TEST(RecordingFiles, ReadsAFileAndRefusesOneTooLargeMissingOrBrokenNamingIt) {
    Recording r;
    r.gameVersion = "1.0.0";
    r.date = "2026-12-10T14:03:07Z";
    r.keys = {97, std::nullopt, 27};
    r.ticks = 3;
    r.ended = GameEnd::Esc;
    const ParsedRecording good = loadRecordingFile(fileWith("good.vxr", formatRecording(r)));
    ASSERT_TRUE(good.recording) << good.error;
    EXPECT_EQ(good.recording->keys, r.keys);

    // A valid file made larger than 4 MB by blanks after it is refused for its size alone.
    const std::string large = fileWith("large.vxr", formatRecording(r) + std::string(kMaxRecordingBytes, '\n'));
    EXPECT_EQ(loadRecordingFile(large).error, "a grava\xC3\xA7\xC3\xA3o '" + large + "' tem mais de 4 MB");
    const std::string broken = fileWith("broken.vxr", "vexamor-recording 1\ngame 1.0.0\n");
    EXPECT_EQ(loadRecordingFile(broken).error, "grava\xC3\xA7\xC3\xA3o '" + broken + "': linha 3: falta a linha 'date'");
    const std::string missing = ::testing::TempDir() + "recording_files_none.vxr";
    std::remove(missing.c_str());
    EXPECT_EQ(loadRecordingFile(missing).error.rfind("n\xC3\xA3o foi poss\xC3\xADvel abrir a grava\xC3\xA7\xC3\xA3o '" + missing + "': ", 0), 0u);
    const std::string folder = ::testing::TempDir();
    EXPECT_FALSE(loadRecordingFile(folder).recording) << "a folder is no recording";
}
