// Two random screens, any bytes, any attribute words and cursor, presented one after the
// other in one colour mode and one layout; libvterm fed with the bytes must show exactly
// the buffer after each, and nothing but the presenter's own sequences may reach it.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>

#include "conio/platform/presenter.hpp"
#include "fuzz/fuzz_check.hpp"
#include "tests/vterm/vterm_screen.hpp"

namespace {

using platform::Cell;
using platform::ScreenBuffer;

platform::Rect anyWindow(FuzzedDataProvider& data, const ScreenBuffer& b) {
    const int left = data.ConsumeIntegralInRange(-3, b.width + 2);
    const int top = data.ConsumeIntegralInRange(-3, b.height + 2);
    return {left, top, data.ConsumeIntegralInRange(left - 2, b.width + 3), data.ConsumeIntegralInRange(top - 2, b.height + 3)};
}

Cell anyCell(FuzzedDataProvider& data) {
    return Cell{data.ConsumeIntegral<std::uint8_t>(), data.ConsumeIntegral<std::uint16_t>()};
}

void placeCursor(FuzzedDataProvider& data, ScreenBuffer& b) {
    b.cursorX = data.ConsumeIntegralInRange(0, b.width - 1);
    b.cursorY = data.ConsumeIntegralInRange(0, b.height - 1);
    b.cursorSize = data.ConsumeIntegralInRange(-5, 120);
}

void presentAndCheck(emulated::Terminal& terminal, platform::ShownFrame& shown, const ScreenBuffer& b,
                     const platform::PresenterOptions& options, const char* which) {
    const std::string bytes = platform::present(shown, b, options);
    requireNone(emulated::foreignBytes(bytes), which);
    terminal.feed(bytes);
    requireNone(emulated::cellMismatch(terminal, b, options), which);
    requireNone(emulated::cursorMismatch(terminal, b, options), which);
    if (terminal.unrecognised() != 0) fail(std::string(which) + ": the terminal met a sequence it does not know");
    if (!platform::present(shown, b, options).empty()) fail(std::string(which) + ": presented again with nothing changed");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    const auto colors = static_cast<platform::ColorMode>(data.ConsumeIntegralInRange(0, 3));
    ScreenBuffer b = platform::makeScreenBuffer(data.ConsumeIntegralInRange(1, 100), data.ConsumeIntegralInRange(1, 40));
    b.window = anyWindow(data, b);
    const platform::Region region = platform::visibleRegion(b);
    const int columns = std::max(1, region.width + data.ConsumeIntegralInRange(0, 30));
    const int rows = std::max(1, region.height + data.ConsumeIntegralInRange(-1, 12));
    platform::PresenterOptions options{colors, platform::layoutFor(columns, rows, region.width, region.height)};
    if (!options.layout.fits) return 0;

    for (Cell& cell : b.cells) cell = anyCell(data);
    placeCursor(data, b);
    emulated::Terminal terminal(columns, rows);
    platform::ShownFrame shown;
    presentAndCheck(terminal, shown, b, options, "first screen");

    // The second screen: a few changed cells, or all of them, or a window of another size.
    const int mode = data.ConsumeIntegralInRange(0, 3);
    if (mode == 0) {
        for (Cell& cell : b.cells) cell = anyCell(data);
    } else if (mode == 3) {
        b.window = anyWindow(data, b);
        const platform::Region next = platform::visibleRegion(b);
        options.layout = platform::layoutFor(columns, rows, next.width, next.height);
        if (!options.layout.fits) return 0;
    }
    const int changes = data.ConsumeIntegralInRange(0, 64);
    for (int i = 0; i < changes; ++i) {
        b.cells[data.ConsumeIntegralInRange<std::size_t>(0, b.cells.size() - 1)] = anyCell(data);
    }
    placeCursor(data, b);
    presentAndCheck(terminal, shown, b, options, "second screen");
    return 0;
}
