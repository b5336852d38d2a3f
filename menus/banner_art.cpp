#include "menus/banner_art.hpp"

#include <algorithm>
#include <span>

#include "conio/services.hpp"

namespace {

constexpr std::size_t mostBackslashes() {
    std::size_t most = 0;
    for (std::string_view line : kBannerLines) most = std::max(most, backslashesIn(line));
    return most;
}

constexpr std::array<int, mostBackslashes()> kBackslashArguments = [] {
    std::array<int, mostBackslashes()> values{};
    values.fill(kBackslash);
    return values;
}();

constexpr bool noEscapeCharacters() {
    for (std::string_view line : kBannerLines) {
        if (line.find('\\') != std::string_view::npos) return false;
    }
    return true;
}
static_assert(noEscapeCharacters(), "the banner writes its backslashes through %c");

}  // namespace

void printBannerLine(std::size_t index) {
    const std::string_view line = kBannerLines.at(index);
    conio::formatOutput(line.data(), std::span<const int>(kBackslashArguments).first(backslashesIn(line)));
}
