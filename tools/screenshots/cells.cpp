#include "tools/screenshots/cells.hpp"

#include <cstdio>
#include <utility>

#include "conio/platform/cp437.hpp"

namespace {

constexpr std::uint16_t kReverseBit = 0x4000;
constexpr std::uint16_t kUnderlineBit = 0x8000;

std::string cellText(platform::Cell cell) {
    int foreground = cell.attr & 0x0F;
    int background = (cell.attr >> 4) & 0x0F;
    if (cell.attr & kReverseBit) std::swap(foreground, background);
    char text[16];
    std::snprintf(text, sizeof text, "%04x:%x%x%s", static_cast<unsigned>(platform::cp437ToUnicode(cell.ch)),
                  static_cast<unsigned>(foreground), static_cast<unsigned>(background),
                  (cell.attr & kUnderlineBit) ? "u" : "");
    return text;
}

}  // namespace

std::string cellsText(const platform::ScreenBuffer& screen) {
    std::string text = std::to_string(screen.width) + ' ' + std::to_string(screen.height) + '\n';
    for (int y = 0; y < screen.height; ++y) {
        for (int x = 0; x < screen.width; ++x) {
            if (x > 0) text += ' ';
            text += cellText(platform::cellAt(screen, x, y));
        }
        text += '\n';
    }
    return text;
}

bool writeCellsFile(const std::string& path, const platform::ScreenBuffer& screen) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const std::string text = cellsText(screen);
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && written;
}
