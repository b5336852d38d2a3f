#pragma once
// Recordings as files: reading one (at most 4 MB) and writing each game into a folder,
// safely (a temporary file in the folder, then renamed). Messages are one line, in
// Portuguese, naming the file.
#include <string>

#include "game/recording.hpp"

// The recording in the file, or one line naming the file and what is wrong with it.
ParsedRecording loadRecordingFile(const std::string& path);

// Makes the folder if it is missing and checks that a file can be written in it. Empty
// when it can, or one line saying why not.
std::string prepareRecordingFolder(const std::string& folder);

// Writes the recording into the folder under recordingFileName (with "-2", "-3", ... before
// ".vxr" when that name is taken). Empty when written, or one line saying why not; a failed
// write leaves no file behind under a recording's name.
std::string writeRecordingFile(const std::string& folder, const Recording& recording);
