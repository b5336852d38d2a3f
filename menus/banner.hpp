#pragma once

// The intro's colour counter: starts at 2, grows by one per line, never reset.
extern int contador_da_cor;
void resetIntroCounterForTests();

// Draws the title banner line by line to its jingle; a waiting key cuts it short.
void abertura();
// Redraws the banner every 50 ms in colours 2..14 until a key is waiting; reads no key.
void vexamor();
