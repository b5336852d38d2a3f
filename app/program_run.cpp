#include "app/program_run.hpp"

#include <cstdio>

#include "app/recording_files.hpp"
#include "game/flow.hpp"
#include "game/recorder.hpp"

bool prepareRun(const CommandLine& commandLine, ProgramRun& run) {
    run.recordFolder = commandLine.recordFolder;
    run.watchFile = commandLine.watchFile;
    std::string error;
    if (run.watchFile) {
        ParsedRecording loaded = loadRecordingFile(*run.watchFile);
        error = loaded.error;
        run.watched = std::move(loaded.recording);
    } else if (run.recordFolder) {
        error = prepareRecordingFolder(*run.recordFolder);
    }
    if (error.empty()) return true;
    std::fprintf(stderr, "vexamor: %s\n", error.c_str());
    return false;
}

int playRun(ProgramRun& run) {
    if (run.watched) {
        run.watchResult = watchRecording(*run.watched);
        return 0;
    }
    Game game;
    if (!run.recordFolder) return runProgram(game);
    const GameObserver recorder = recorderObserver(VEXAMOR_VERSION, [&run](const Recording& recording) {
        const std::string failure = writeRecordingFile(*run.recordFolder, recording);
        if (!failure.empty()) run.writeFailures.push_back(failure);
    });
    return runProgram(game, recorder);
}

int finishRun(const ProgramRun& run, int status) {
    for (const std::string& failure : run.writeFailures) std::fprintf(stderr, "vexamor: %s\n", failure.c_str());
    if (!run.writeFailures.empty()) return 1;
    if (run.watched && run.watchResult.end == WatchEnd::Differs) {
        std::fprintf(stderr, "vexamor: a grava\xC3\xA7\xC3\xA3o n\xC3\xA3o confere: %s\n", run.watchResult.differences.c_str());
        return 3;
    }
    return status;
}
