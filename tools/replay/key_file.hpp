#pragma once
// The key list of --keys-file, read from its file or from standard input.
#include <string>

#include "tools/replay/options.hpp"

// Reads the file named by options.keysFile ("-": standard input) into options.keys. Empty if
// it worked, or a one-line message saying why it did not.
std::string loadKeyFile(ReplayOptions& options);
