#pragma once
// A fresh console for each test: a new headless platform installed, the console layer's
// state, the generator and the intro's colour counter at their initial values.
#include <gtest/gtest.h>

#include "conio/conio.hpp"
#include "conio/platform/headless_platform.hpp"
#include "conio/services.hpp"
#include "menus/banner.hpp"

struct HeadlessConsole {
    explicit HeadlessConsole(int width = 80, int height = 25) : platform(width, height) {
        conio::resetConioState();
        conio::resetRandForTests();
        resetIntroCounterForTests();
        conio::installPlatform(platform);
    }
    ~HeadlessConsole() {
        conio::uninstallPlatform();
        conio::resetRandForTests();
    }
    HeadlessConsole(const HeadlessConsole&) = delete;
    HeadlessConsole& operator=(const HeadlessConsole&) = delete;

    platform::HeadlessPlatform platform;
};

// Fixture form: tests derived from it get `platform` ready to use.
class HeadlessTest : public ::testing::Test {
protected:
    HeadlessConsole console;
    platform::HeadlessPlatform& platform = console.platform;
};
