#include "app/args.hpp"

#include <cstdio>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view kMute = "--mute";
constexpr std::string_view kHelp = "--help";
constexpr std::string_view kVersion = "--version";

constexpr const char* kUsage =
    "Uso: vexamor [--mute | --help | --version]\n"
    "Jogo de tiro num console de texto: sem argumentos, abre a introdu\xC3\xA7\xC3\xA3o e o menu.\n"
    "\n"
    "  --mute     joga sem som\n"
    "  --help     mostra esta ajuda e sai\n"
    "  --version  mostra a vers\xC3\xA3o e sai\n";

// Whatever was printed must reach stdout, or the exit status says it did not.
int finishOutput() {
    const bool written = std::fflush(stdout) == 0 && std::ferror(stdout) == 0;
    return written ? 0 : 1;
}

CommandLine handled(int status) { return CommandLine{false, true, status}; }

// The argument is echoed with control bytes shown as '?', so whatever was typed cannot
// move the cursor, change colours or break the message onto a second line.
void reportUnknown(std::string_view argument) {
    std::string shown(argument);
    for (char& c : shown) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) c = '?';
    }
    std::fprintf(stderr, "vexamor: argumento desconhecido: '%s' (veja vexamor --help)\n", shown.c_str());
}

}  // namespace

CommandLine parseCommandLine(int argc, const char* const* argv) {
    bool muted = false;
    bool help = false;
    bool version = false;
    // Every argument is checked before any is acted on, so a mistyped option is never
    // ignored behind a --help or --version.
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == kMute) {
            muted = true;
        } else if (argument == kHelp) {
            help = true;
        } else if (argument == kVersion) {
            version = true;
        } else {
            reportUnknown(argument);
            return handled(2);
        }
    }
    if (help) {
        std::fputs(kUsage, stdout);
        return handled(finishOutput());
    }
    if (version) {
        std::fputs("vexamor " VEXAMOR_VERSION "\n", stdout);
        return handled(finishOutput());
    }
    return CommandLine{muted, false, 0};
}
