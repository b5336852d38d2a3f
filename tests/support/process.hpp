#pragma once
// For tests that run a program through the shell and read what it wrote: quoting for the
// shell, a command's standard output and exit status, a file's bytes, and the 16-bit
// samples of a raw audio file.
#include <sys/wait.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

// `text` as one word for the POSIX shell, whatever it holds.
inline std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

struct ShellRun {
    int status = -1;  // exit status, or -1 when the command did not exit normally
    std::string out;  // what it wrote to standard output
};

// Runs `command` with /bin/sh and reads its standard output to the end.
inline ShellRun runShell(const std::string& command) {
    ShellRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    char chunk[4096];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0) run.out.append(chunk, got);
    const int status = pclose(pipe);
    if (status != -1 && WIFEXITED(status)) run.status = WEXITSTATUS(status);
    return run;
}

// The whole file as bytes; empty when it cannot be read.
inline std::string fileBytes(const std::string& path) {
    std::string bytes;
    FILE* in = std::fopen(path.c_str(), "rb");
    if (in == nullptr) return bytes;
    char chunk[65536];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, in)) > 0) bytes.append(chunk, got);
    std::fclose(in);
    return bytes;
}

// Signed 16-bit samples in the machine's own byte order, as SDL's disk driver writes them.
inline std::vector<std::int16_t> readSamples(const std::string& path) {
    const std::string bytes = fileBytes(path);
    std::vector<std::int16_t> samples(bytes.size() / sizeof(std::int16_t));
    std::memcpy(samples.data(), bytes.data(), samples.size() * sizeof(std::int16_t));
    return samples;
}
