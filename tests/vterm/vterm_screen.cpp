#include "tests/vterm/vterm_screen.hpp"

#include <vterm.h>

#include <algorithm>
#include <array>
#include <cstdint>

#include "conio/platform/cp437.hpp"

namespace emulated {
namespace {

using platform::Cell;
using platform::ColorMode;
using platform::PresenterOptions;
using platform::ScreenBuffer;

// Written out here rather than taken from the presenter, so that a wrong table there shows.
constexpr std::array<int, 8> kAnsiIndex = {0, 4, 2, 6, 1, 5, 3, 7};
constexpr std::array<std::array<int, 3>, 16> kVga = {{
    {0, 0, 0}, {0, 0, 170}, {0, 170, 0}, {0, 170, 170}, {170, 0, 0}, {170, 0, 170}, {170, 85, 0},
    {170, 170, 170}, {85, 85, 85}, {85, 85, 255}, {85, 255, 85}, {85, 255, 255}, {255, 85, 85},
    {255, 85, 255}, {255, 255, 85}, {255, 255, 255},
}};
constexpr std::array<int, 16> kCube = {16, 19, 34, 37, 124, 127, 130, 248, 240, 63, 83, 87, 203, 207, 227, 231};

int onTermProp(VTermProp prop, VTermValue* value, void* user) {
    auto* terminal = static_cast<Terminal*>(user);
    if (prop == VTERM_PROP_CURSORVISIBLE) terminal->setCursorVisible(value->boolean != 0);
    if (prop == VTERM_PROP_CURSORSHAPE) terminal->setCursorShape(value->number);
    return 1;
}

int onUnknownControl(unsigned char, void* user) {
    static_cast<Terminal*>(user)->countUnrecognised();
    return 1;
}
int onUnknownCsi(const char*, const long[], int, const char*, char, void* user) {
    static_cast<Terminal*>(user)->countUnrecognised();
    return 1;
}
int onUnknownString(const char*, std::size_t, void* user) {
    static_cast<Terminal*>(user)->countUnrecognised();
    return 1;
}

const VTermScreenCallbacks kScreenCallbacks = {nullptr, nullptr, nullptr, onTermProp, nullptr, nullptr, nullptr, nullptr};
const VTermParserCallbacks kFallbacks = {nullptr, onUnknownControl, nullptr, onUnknownCsi,
                                         onUnknownString, onUnknownString, nullptr};

char32_t decodeUtf8(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    if (text.size() == 1) return lead;
    char32_t cp = lead & (text.size() == 2 ? 0x1F : 0x0F);
    for (std::size_t i = 1; i < text.size(); ++i) cp = (cp << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
    return cp;
}

std::string at(int column, int row) { return " at column " + std::to_string(column) + ", row " + std::to_string(row); }

std::string colourMismatch(const VTermColor& shown, int colour, bool background, ColorMode colors) {
    const char* which = background ? "background" : "foreground";
    if (colors == ColorMode::TrueColor) {
        const auto& rgb = kVga[static_cast<std::size_t>(colour)];
        if (VTERM_COLOR_IS_RGB(&shown) && shown.rgb.red == rgb[0] && shown.rgb.green == rgb[1] &&
            shown.rgb.blue == rgb[2]) {
            return {};
        }
        return std::string(which) + " not the RGB of colour " + std::to_string(colour);
    }
    const int index = colors == ColorMode::Palette256
                          ? kCube[static_cast<std::size_t>(colour)]
                          : kAnsiIndex[static_cast<std::size_t>(colour & 7)] + (colors == ColorMode::Ansi16 && colour >= 8 ? 8 : 0);
    if (VTERM_COLOR_IS_INDEXED(&shown) && shown.indexed.idx == index) return {};
    return std::string(which) + " not palette entry " + std::to_string(index) + " for colour " + std::to_string(colour);
}

// A blank without reverse video or underline shows no foreground, so any may be set for it.
std::string attributeMismatch(const VTermScreenCell& shown, Cell cell, ColorMode colors) {
    const std::uint16_t attribute = cell.attr;
    const int fg = attribute & 0x0F;
    const int bg = (attribute >> 4) & 0x0F;
    const char32_t glyph = platform::cp437ToUnicode(cell.ch);
    const bool inkless = (glyph == U' ' || glyph == U'\u00A0') && (attribute & 0xC000) == 0;
    std::string wrong = inkless ? "" : colourMismatch(shown.fg, fg, false, colors);
    if (wrong.empty()) wrong = colourMismatch(shown.bg, bg, true, colors);
    if (!wrong.empty()) return wrong;
    const bool linux = colors == ColorMode::LinuxConsole;
    if (!inkless && (shown.attrs.bold != 0) != (linux && fg >= 8)) return "bold wrong";
    if ((shown.attrs.blink != 0) != (linux && bg >= 8)) return "blink wrong";
    if ((shown.attrs.reverse != 0) != ((attribute & 0x4000) != 0)) return "reverse wrong";
    const unsigned underline = (attribute & 0x8000) != 0 ? VTERM_UNDERLINE_SINGLE : VTERM_UNDERLINE_OFF;
    if (shown.attrs.underline != underline) return "underline wrong";
    if (shown.attrs.italic != 0 || shown.attrs.strike != 0 || shown.attrs.font != 0) return "stray attribute";
    return {};
}

VTermScreenCell cellOf(const Terminal& terminal, int column, int row) {
    VTermScreenCell cell{};
    vterm_screen_get_cell(terminal.screen(), VTermPos{row, column}, &cell);
    return cell;
}

bool blank(const VTermScreenCell& cell) { return cell.chars[0] == 0 || (cell.chars[0] == U' ' && cell.chars[1] == 0); }

// Length of a valid UTF-8 character at the start of `text` whose code point is printable
// (no C1 control); 0 when there is none.
std::size_t printableUtf8(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    const std::size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead <= 0xDF ? 2 : lead >= 0xE0 && lead <= 0xEF ? 3 : 0;
    if (length == 0 || text.size() < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return 0;
    }
    const char32_t cp = decodeUtf8(text.substr(0, length));
    const char32_t minimum = length == 1 ? 0x20 : length == 2 ? 0xA0 : 0x800;
    if (cp < minimum || cp == 0x7F || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return length;
}

bool digitsAndSemicolons(std::string_view text, bool allowEmpty) {
    if (text.empty()) return allowEmpty;
    return std::all_of(text.begin(), text.end(), [](char c) { return (c >= '0' && c <= '9') || c == ';'; });
}

// A control sequence (ESC [ parameters intermediates final) the presenter writes.
bool presenterSequence(std::string_view body, char final) {
    if (final == 'h' || final == 'l') return body == "?2026" || body == "?25";
    if (final == 'q') return body == "1 " || body == "3 ";
    if (final == 'J') return body == "2";
    if (final == 'H') return digitsAndSemicolons(body, false) && std::count(body.begin(), body.end(), ';') == 1;
    if (final == 'C') return body.find(';') == std::string_view::npos && digitsAndSemicolons(body, true);
    if (final == 'm') return digitsAndSemicolons(body, false);
    return false;
}

}  // namespace

Terminal::Terminal(int columns, int rows)
    : columns_(columns), rows_(rows), vt_(vterm_new(rows, columns)), screen_(vterm_obtain_screen(vt_)),
      state_(vterm_obtain_state(vt_)) {
    vterm_set_utf8(vt_, 1);
    vterm_screen_set_callbacks(screen_, &kScreenCallbacks, this);
    vterm_screen_set_unrecognised_fallbacks(screen_, &kFallbacks, this);
    vterm_screen_reset(screen_, 1);
    feed("\x1b[?7l");  // the terminal session turns autowrap off before anything is drawn
}

Terminal::~Terminal() { vterm_free(vt_); }

void Terminal::feed(std::string_view bytes) {
    vterm_input_write(vt_, bytes.data(), bytes.size());
    vterm_screen_flush_damage(screen_);
}

std::string Terminal::rowText(int row) const {
    std::string text;
    for (int column = 0; column < columns_; ++column) {
        const VTermScreenCell cell = cellOf(*this, column, row);
        const char32_t cp = cell.chars[0] == 0 ? U' ' : cell.chars[0];
        if (cp < 0x80) {
            text += static_cast<char>(cp);
        } else if (cp < 0x800) {
            text += static_cast<char>(0xC0 | (cp >> 6));
            text += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            text += static_cast<char>(0xE0 | (cp >> 12));
            text += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            text += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return text;
}

std::string cellMismatch(const Terminal& terminal, const ScreenBuffer& buffer, const PresenterOptions& options) {
    const platform::Region region = platform::visibleRegion(buffer);
    const platform::Layout& layout = options.layout;
    const int rows = std::min(region.height, layout.shownRows);
    for (int row = 0; row < terminal.rows(); ++row) {
        for (int column = 0; column < terminal.columns(); ++column) {
            const VTermScreenCell shown = cellOf(terminal, column, row);
            const int x = column - layout.originColumn;
            const int y = row - layout.originRow;
            if (x < 0 || x >= region.width || y < 0 || y >= rows) {
                if (!blank(shown)) return "something drawn outside the window" + at(column, row);
                continue;
            }
            const Cell cell = platform::cellAt(buffer, region.left + x, region.top + y);
            const char32_t glyph = decodeUtf8(platform::cp437ToUtf8(cell.ch));
            if (shown.chars[0] != glyph || shown.chars[1] != 0 || shown.width != 1) {
                return "byte " + std::to_string(cell.ch) + " shows as U+" + std::to_string(shown.chars[0]) +
                       " width " + std::to_string(shown.width) + at(column, row);
            }
            const std::string wrong = attributeMismatch(shown, cell, options.colors);
            if (!wrong.empty()) return wrong + " for attribute " + std::to_string(cell.attr) + at(column, row);
        }
    }
    return {};
}

std::string cursorMismatch(const Terminal& terminal, const ScreenBuffer& buffer, const PresenterOptions& options) {
    const platform::Region region = platform::visibleRegion(buffer);
    const int x = buffer.cursorX - region.left;
    const int y = buffer.cursorY - region.top;
    const bool inside = x >= 0 && x < region.width && y >= 0 && y < std::min(region.height, options.layout.shownRows);
    const int size = inside ? std::clamp(buffer.cursorSize, 0, 100) : 0;
    if (size == 0) return terminal.cursorVisible() ? "cursor shown, should be hidden" : "";
    if (!terminal.cursorVisible()) return "cursor hidden, should be shown";
    VTermPos pos{};
    vterm_state_get_cursorpos(terminal.state(), &pos);
    const int column = options.layout.originColumn + x;
    const int row = options.layout.originRow + y;
    if (pos.col != column || pos.row != row) {
        return "cursor at column " + std::to_string(pos.col) + ", row " + std::to_string(pos.row) + ", should be" +
               at(column, row);
    }
    if (options.colors == ColorMode::LinuxConsole) return {};  // the Linux console keeps its own shape
    const int shape = size <= 50 ? VTERM_PROP_CURSORSHAPE_UNDERLINE : VTERM_PROP_CURSORSHAPE_BLOCK;
    return terminal.cursorShape() == shape ? "" : "cursor shape wrong for size " + std::to_string(size);
}

std::string foreignBytes(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte == 0x1B) {
            if (i + 1 >= bytes.size() || bytes[i + 1] != '[') return "ESC not starting a CSI at offset " + std::to_string(i);
            std::size_t end = i + 2;
            while (end < bytes.size() && static_cast<unsigned char>(bytes[end]) >= 0x20 &&
                   static_cast<unsigned char>(bytes[end]) <= 0x3F) {
                ++end;
            }
            if (end >= bytes.size()) return "unfinished sequence at offset " + std::to_string(i);
            const std::string_view body = bytes.substr(i + 2, end - i - 2);
            if (!presenterSequence(body, bytes[end])) {
                return "sequence ESC [" + std::string(body) + bytes[end] + " at offset " + std::to_string(i);
            }
            i = end + 1;
            continue;
        }
        const std::size_t length = printableUtf8(bytes.substr(i));
        if (length == 0) return "byte " + std::to_string(byte) + " at offset " + std::to_string(i);
        i += length;
    }
    return {};
}

}  // namespace emulated
