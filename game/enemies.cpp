#include "game/enemies.hpp"

void spawnEnemy(PlayField&, GameState&, const Tuning&) {}
void wanderEnemies(PlayField&, const Tuning&) {}
void settleEnemies(PlayField&) {}
void advanceEnemyShots(PlayField&) {}
void settleEnemyShots(PlayField&) {}
void fireEnemyShots(PlayField&, const Tuning&) {}
