#include "app/args.hpp"

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view kMute = "--mute";
constexpr std::string_view kHelp = "--help";
constexpr std::string_view kVersion = "--version";
constexpr std::string_view kColors = "--colors=";
constexpr std::string_view kRecord = "--record";
constexpr std::string_view kWatch = "--watch";

constexpr const char* kUsage =
    "Uso: vexamor [--mute] [--colors=16|256|truecolor] [--record PASTA | --watch ARQUIVO] | --help | --version\n"
    "Jogo de tiro num console de texto: sem argumentos, abre a introdu\xC3\xA7\xC3\xA3o e o menu.\n"
    "\n"
    "  --mute     joga sem som\n"
    "  --colors=16|256|truecolor\n"
    "             as cores do terminal (16, 256 ou 24 bits); sem a op\xC3\xA7\xC3\xA3o, o jogo\n"
    "             as escolhe pelo terminal; a vari\xC3\xA1vel VEXAMOR_COLORS faz o mesmo\n"
    "  --record PASTA\n"
    "             grava cada partida em PASTA (criada se faltar), um arquivo .vxr por partida\n"
    "  --watch ARQUIVO\n"
    "             mostra a partida gravada em ARQUIVO (espa\xC3\xA7o pausa, ESC para)\n"
    "  --help     mostra esta ajuda e sai\n"
    "  --version  mostra a vers\xC3\xA3o e sai\n";

// Whatever was printed must reach stdout, or the exit status says it did not.
int finishOutput() {
    const bool written = std::fflush(stdout) == 0 && std::ferror(stdout) == 0;
    return written ? 0 : 1;
}

CommandLine handled(int status) {
    CommandLine commandLine;
    commandLine.exitNow = true;
    commandLine.exitStatus = status;
    return commandLine;
}

// What was typed is echoed with control bytes shown as '?', so it cannot move the cursor,
// change colours or break the message onto a second line.
std::string printable(std::string_view text) {
    std::string shown(text);
    for (char& c : shown) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) c = '?';
    }
    return shown;
}

void reportUnknown(std::string_view argument) {
    std::fprintf(stderr, "vexamor: argumento desconhecido: '%s' (veja vexamor --help)\n", printable(argument).c_str());
}

std::optional<platform::ColorMode> colorsNamed(std::string_view name) {
    if (name == "16") return platform::ColorMode::Ansi16;
    if (name == "256") return platform::ColorMode::Palette256;
    if (name == "truecolor") return platform::ColorMode::TrueColor;
    return std::nullopt;
}

void reportColors(std::string_view where, std::string_view value) {
    std::fprintf(stderr, "vexamor: %.*s: cores desconhecidas: '%s' (use 16, 256 ou truecolor)\n",
                 static_cast<int>(where.size()), where.data(), printable(value).c_str());
}

// --record DIR and --watch FILE: the value is the next argument. False after saying on
// stderr what is wrong (no value, given twice, or both options).
bool takeFileOption(int argc, const char* const* argv, int& i, CommandLine& commandLine) {
    const std::string_view name = argv[i];
    std::optional<std::string>& value = name == kRecord ? commandLine.recordFolder : commandLine.watchFile;
    const std::optional<std::string>& other = name == kRecord ? commandLine.watchFile : commandLine.recordFolder;
    const char* problem = nullptr;
    if (i + 1 == argc) problem = name == kRecord ? "precisa de uma pasta" : "precisa de um arquivo";
    else if (value) problem = "foi dado duas vezes";
    else if (other) problem = "n\xC3\xA3o combina com --record nem com --watch";
    if (problem != nullptr) {
        std::fprintf(stderr, "vexamor: %s %s (veja vexamor --help)\n", argv[i], problem);
        return false;
    }
    value = argv[++i];
    return true;
}

}  // namespace

CommandLine parseCommandLine(int argc, const char* const* argv, const char* colorsVariable) {
    bool muted = false;
    bool help = false;
    bool version = false;
    std::optional<platform::ColorMode> colors;
    CommandLine files;
    // Every argument is checked before any is acted on, so a mistyped option is never
    // ignored behind a --help or --version.
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == kMute) {
            muted = true;
        } else if (argument.substr(0, kColors.size()) == kColors) {
            colors = colorsNamed(argument.substr(kColors.size()));
            if (!colors) {
                reportColors("--colors", argument.substr(kColors.size()));
                return handled(2);
            }
        } else if (argument == kHelp) {
            help = true;
        } else if (argument == kVersion) {
            version = true;
        } else if (argument == kRecord || argument == kWatch) {
            if (!takeFileOption(argc, argv, i, files)) return handled(2);
        } else {
            reportUnknown(argument);
            return handled(2);
        }
    }
    // A bad value in the environment stops the program only when it would be used.
    const std::string_view variable = colorsVariable != nullptr ? colorsVariable : "";
    if (!colors && !help && !version && !variable.empty()) {
        colors = colorsNamed(variable);
        if (!colors) {
            reportColors("VEXAMOR_COLORS", variable);
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
    files.muted = muted;
    files.colors = colors;
    return files;
}
