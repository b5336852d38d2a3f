#pragma once
#include "game/state.hpp"

// The whole program: the process-start values, then intro, menu and game over and over,
// until ESC in the menu. Returns the exit status (0); the screen is left cleared.
int runProgram(Game& g);

// The menu loop: runs passes while menuState is 1 ('1' the colour pages, '2' a game,
// ESC quit; every other key is ignored).
void runMenu(Game& g);

// The game loop after set-up: the frame, the ticks, the pause and the farewell screen,
// until ESC, the last life lost, or a quit asked for in the menu.
void runGameLoop(Game& g);

// Play left the tick loop: the pause after a space, a key waiting after it, and the
// farewell screen after ESC.
void leaveTickLoop(Game& g);
