#pragma once
// The title banner's art: VEXA in the first block (rows 2..7), MOR in the second
// (rows 10..15), six rows of punctuation each.
#include <array>
#include <cstddef>
#include <string_view>

// The art's backslashes are "%c" conversions given this value, so the lines carry no
// escape characters and print the same through any formatted-output service.
inline constexpr int kBackslash = 92;

// Every line starts with a newline and none ends with one; line 7 starts with three, so
// rows 8 and 9 are passed over. First-block lines are 54 columns wide, second-block 67.
inline constexpr std::array<std::string_view, 12> kBannerLines = {
    "\n     .--.  .--. .-------. .--.  .--.     .--.         ",
    "\n     %c  %c  /  / (  .----' %c  %c  /  /    /    %c        ",
    "\n      %c  %c/  /  (  `---.   %c  %c/  /    /  /%c  %c       ",
    "\n      (      )  (  .---'   /  /%c  %c   /  `--'  %c      ",
    "\n       %c    /   (  `----. /  /  %c  %c /  .----.  %c     ",
    "\n       `.__.'   `-------' `--'  `--' `--'    `--'     ",
    "\n\n\n                                      .-.    .-.  .----.  .-----.  ",
    "\n                                      (  %c  /  ) / .--. %c ( .-.  %c ",
    "\n                                      ( . %c/ . ) ( (  ) ) ( `-'  / ",
    "\n                                      ( )%c  /( ) ( (  ) ) ( .   %c  ",
    "\n                                      ( ) `' ( ) %c `--' / ( )%c   %c ",
    "\n                                      `-'    `-'  `----'  `-'  `--'",
};

// How many "%c" conversions a banner line holds: one per backslash of the art.
constexpr std::size_t backslashesIn(std::string_view line) {
    std::size_t count = 0;
    for (std::size_t i = 0; i + 1 < line.size(); ++i) {
        if (line[i] == '%' && line[i + 1] == 'c') ++count;
    }
    return count;
}

// Prints banner line `index` (0..11) at the cursor in the current attribute.
void printBannerLine(std::size_t index);
