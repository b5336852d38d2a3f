#include "menus/banner.hpp"

int contador_da_cor = 2;

void resetIntroCounterForTests() { contador_da_cor = 2; }
void abertura() {}
void vexamor() {}
