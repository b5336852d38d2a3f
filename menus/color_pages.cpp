#include "menus/color_pages.hpp"

void colorPagePass(int& settingsPage, std::int8_t&, ColorScheme&, const Palette&) {
    if (settingsPage >= 1 && settingsPage <= 6) ++settingsPage;
}
