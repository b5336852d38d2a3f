#include "conio/services.hpp"

#include <cstring>
#include <deque>
#include <string>

#include "conio/platform/headless_platform.hpp"

namespace conio {
namespace {

// Until a real platform is installed, calls land on a headless one rather than on nothing.
platform::Platform& fallbackPlatform() {
    static platform::HeadlessPlatform fallback;
    return fallback;
}

platform::Platform* installed = nullptr;

struct Generator {
    std::uint32_t state = 1;
    std::deque<int> script;
    std::uint64_t draws = 0;
};

Generator generator;

void appendDecimal(std::string& out, int value) {
    // Through 64 bits so that the most negative int prints without overflow.
    const long long wide = value;
    out += std::to_string(wide);
}

}  // namespace

void installPlatform(platform::Platform& platform) { installed = &platform; }
void uninstallPlatform() { installed = nullptr; }
platform::Platform& activePlatform() { return installed != nullptr ? *installed : fallbackPlatform(); }

int _kbhit() { return activePlatform().keyWaiting() ? 1 : 0; }
int _getch() { return activePlatform().readKey(); }
bool takeFocusLoss() { return activePlatform().takeFocusLoss(); }
void _beep(unsigned frequencyHz, unsigned durationMs) { activePlatform().beep(frequencyHz, durationMs); }
void _sleep(unsigned durationMs) { activePlatform().sleep(durationMs); }

std::int64_t time(std::int64_t* out) {
    const std::int64_t seconds = activePlatform().clockSeconds();
    if (out != nullptr) *out = seconds;
    return seconds;
}

int rand() {
    ++generator.draws;
    if (!generator.script.empty()) {
        const int value = generator.script.front();
        generator.script.pop_front();
        return value;
    }
    generator.state = generator.state * 214013u + 2531011u;
    return static_cast<int>((generator.state >> 16) & 0x7FFFu);
}

void srand(unsigned seed) {
    generator.state = seed;
    generator.draws = 0;
}

void scriptRand(std::initializer_list<int> values) {
    scriptRand(std::span<const int>(values.begin(), values.size()));
}

void scriptRand(std::span<const int> values) { generator.script.insert(generator.script.end(), values.begin(), values.end()); }
std::size_t scriptedRandLeft() { return generator.script.size(); }
void clearRandScript() { generator.script.clear(); }
std::uint64_t randDraws() { return generator.draws; }
void resetRandForTests() { generator = Generator{}; }

void formatOutput(const char* format, std::span<const int> arguments) {
    std::string out;
    std::size_t next = 0;
    auto argument = [&]() { return next < arguments.size() ? arguments[next++] : 0; };
    for (const char* p = format; *p != '\0'; ++p) {
        if (*p != '%' || p[1] == '\0') {
            out += *p;
            continue;
        }
        ++p;
        switch (*p) {
            case 'c':
            case 'C': out += static_cast<char>(static_cast<unsigned>(argument()) & 0xFFu); break;
            case 'i':
            case 'd': appendDecimal(out, argument()); break;
            case '%': out += '%'; break;
            default:
                out += '%';
                out += *p;
        }
    }
    platform::writeBytes(activePlatform().screen(), out);
}

void _cputs(const char* text) { platform::writeBytes(activePlatform().screen(), std::string_view(text, std::strlen(text))); }

void _putch(int ch) {
    const char byte = static_cast<char>(static_cast<unsigned>(ch) & 0xFFu);
    platform::writeBytes(activePlatform().screen(), std::string_view(&byte, 1));
}

}  // namespace conio
