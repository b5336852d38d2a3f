#pragma once
// What every fuzz target does on a broken property: say which, then abort, so that libFuzzer
// records the input as a finding. Messages are built only on failure: checks run millions
// of times.
#include <cstdio>
#include <cstdlib>
#include <string>

[[noreturn]] inline void fail(const std::string& what) {
    std::fprintf(stderr, "property broken: %s\n", what.c_str());
    std::abort();
}

inline void require(bool holds, const char* what) {
    if (!holds) fail(what);
}

// An empty description means the check found nothing.
inline void requireNone(const std::string& difference, const char* context) {
    if (!difference.empty()) fail(std::string(context) + ": " + difference);
}
