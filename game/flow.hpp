#pragma once
#include "game/observer.hpp"
#include "game/state.hpp"

// The whole program: the process-start values, then intro, menu and game over and over,
// until ESC in the menu. Returns the exit status (0); the screen is left cleared. The
// observer sees every game.
int runProgram(Game& g, const GameObserver& observer = {});

// The menu loop: runs passes while menuState is 1 ('1' the colour pages, '2' a game,
// ESC quit; every other key is ignored).
void runMenu(Game& g);

// One game: set-up, then the game loop, seen by the observer from set-up to its end.
void playGame(Game& g, const GameObserver& observer = {});

// The game loop after set-up: the frame, the ticks, the pause and the farewell screen,
// until ESC, the last life lost, a quit asked for in the menu, or the observer's stop.
void runGameLoop(Game& g, const GameObserver& observer = {});

// Play left the tick loop: the pause after a space, a key waiting after it, and the
// farewell screen after ESC (told to the observer once it shows).
void leaveTickLoop(Game& g, const GameObserver& observer = {});
