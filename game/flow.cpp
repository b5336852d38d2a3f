#include "game/flow.hpp"

#include "conio/conio.hpp"
#include "conio/services.hpp"
#include "game/screen.hpp"
#include "game/setup.hpp"
#include "game/tick.hpp"
#include "menus/banner.hpp"
#include "menus/color_pages.hpp"

namespace {

constexpr int kKeyColorPages = '1';
constexpr int kKeyStartGame = '2';
constexpr int kLastColorPage = 6;

void drawMenuTexts() {
    conio::textcolor(kMenuTextColor);
    conio::gotoxy(5, 20);
    conio::printf("DIGITE [1] PARA AJUSTAR AS CORES DO JOGO");
    conio::gotoxy(5, 22);
    conio::printf("DIGITE [2] PARA COME%cAR A JOGAR", glyph::kCedilla);
    conio::gotoxy(60, 24);
    conio::printf("[ESC] PARA SAIR");
}

// One pass of the menu loop; ESC returns before the colour pages and the menu's sleep.
void menuPass(Game& g) {
    drawMenuTexts();
    while (!conio::_kbhit()) vexamor();
    if (g.settingsPage > 0) {
        g.settingsPage = 0;
        conio::clrscr();
    }
    if (conio::_kbhit()) g.state.key = static_cast<std::int8_t>(conio::_getch());
    if (g.state.key == kKeyColorPages) {
        g.settingsPage = 1;
        conio::clrscr();
    } else if (g.state.key == kKeyStartGame) {
        g.menuState = kMenuStartGame;
        conio::clrscr();
    } else if (g.state.key == kKeyEsc) {
        g.menuState = kMenuQuit;
        return;
    }
    for (int page = 1; page <= kLastColorPage; ++page) {
        while (g.settingsPage == page) colorPagePass(g.settingsPage, g.state.key, g.colors, g.palette);
    }
    conio::_sleep(60);
}

bool gameGoesOn(const Game& g) {
    const GameState& s = g.state;
    return s.resumeKey != kKeyEsc && s.key != kKeyEsc && s.lives >= 1 && g.menuState != kMenuQuit;
}

GameEnd howItEnded(const GameState& s) {
    if (s.lives < 1) return GameEnd::GameOver;
    return s.key == kKeySpace ? GameEnd::EscInPause : GameEnd::Esc;
}

void showFarewell(Game& g, const GameObserver& observer) {
    GameState& s = g.state;
    const GameEnd end = howItEnded(s);
    showFieldMessage("ATE A PROXIMA", s.score, g.colors);
    s.key = static_cast<std::int8_t>(kKeyEsc);
    if (observer.ended) observer.ended(g, end);
    conio::_getch();
}

// A tick seen by the observer; false when the tick loop ends (a space, or the observer's stop).
bool observedTick(Game& g, const GameObserver& observer, bool& stopped) {
    stopped = observer.tickStarts && !observer.tickStarts(g);
    if (stopped) return false;
    const bool ranToEnd = !readTickKey(g.state);
    if (observer.keyRead) observer.keyRead(g);
    if (ranToEnd) runTickPhases(g);
    stopped = observer.tickEnded && !observer.tickEnded(g);
    return ranToEnd && !stopped;
}

}  // namespace

void runMenu(Game& g) {
    while (g.menuState == kMenuShown) menuPass(g);
}

void leaveTickLoop(Game& g, const GameObserver& observer) {
    GameState& s = g.state;
    s.resumeKey = 0;
    if (s.key == kKeySpace) {
        conio::textcolor(g.colors.messageColor);
        conio::gotoxy(75, 24);
        conio::printf("PAUSE");
        s.resumeKey = static_cast<std::int8_t>(conio::_getch());
        if (s.resumeKey == kKeySpace) conio::clrscr();
    }
    // The second byte of a two-byte key, or a key typed right behind the one that ended
    // the pause, takes that key's place.
    if (conio::_kbhit()) s.resumeKey = static_cast<std::int8_t>(conio::_getch());
    if (s.key == kKeyEsc || s.resumeKey == kKeyEsc) showFarewell(g, observer);
}

void runGameLoop(Game& g, const GameObserver& observer) {
    bool stopped = false;
    while (gameGoesOn(g)) {
        drawFrame(g.colors);
        while (g.state.resumeKey == kKeySpace && g.state.key != kKeyEsc) {
            if (!observedTick(g, observer, stopped)) break;
        }
        if (stopped) {
            if (observer.ended) observer.ended(g, GameEnd::Stopped);
            return;
        }
        leaveTickLoop(g, observer);
    }
}

void playGame(Game& g, const GameObserver& observer) {
    const unsigned seed = setUpGame(g);
    if (g.menuState == kMenuQuit) return;  // the menu's ESC runs set-up too, but no game follows
    if (observer.started) observer.started(g, GameStart{seed, carriedFrom(g.state), g.colors});
    runGameLoop(g, observer);
}

int runProgram(Game& g, const GameObserver& observer) {
    startProcess(g);
    for (;;) {
        abertura();
        runMenu(g);
        playGame(g, observer);
        if (g.menuState == kMenuQuit) return 0;
        g.menuState = kMenuShown;
        g.settingsPage = 1;
        g.state.key = 0;
        conio::clrscr();
    }
}
