#include "game/collisions.hpp"

#include "conio/services.hpp"
#include "game/collision_effects.hpp"
#include "game/enemies.hpp"
#include "game/score.hpp"

namespace {

constexpr int kScanRight = kFieldRight;
constexpr int kScanBottom = kFieldBottom;

bool live(const CellLayer& layer, int x, int y) { return layer[x][y] == Cell::Live; }

// The block against shots, enemy shots and enemies. Each test sees what the ones
// before it left at this cell, so a shot spent on the block no longer hits an enemy.
void resolveBlockHits(PlayField& field, GameState& state, int x, int y) {
    if (live(field.shotLayer, x, y) && live(field.blockLayer, x, y)) {
        field.shotLayer[x][y] = Cell::Erase;
        field.blockLayer[x][y] = Cell::Erase;
        state.score = scoreAfterBlockCell(state.score);
        playHitTones();
    }
    if (live(field.blockLayer, x, y) && live(field.enemyShotLayer, x, y)) {
        field.enemyShotLayer[x][y] = Cell::Erase;
    }
    if (live(field.blockLayer, x, y) && live(field.enemyLayer, x, y)) {
        destroyEnemy(field, state, x, y);
        playHitTones();
    }
}

void collectPickups(PlayField& field, GameState& state, int x, int y) {
    if (!live(field.shipLayer, x, y)) return;
    if (live(field.weaponPickupLayer, x, y)) {
        field.weaponPickupLayer[x][y] = Cell::Erase;
        if (conio::rand() % 2 == 0) {
            state.bombCharges = saturate(std::int64_t{state.bombCharges} + 1);
        } else {
            state.volleyCharges = saturate(std::int64_t{state.volleyCharges} + 3);
        }
        playPickupTones();
    }
    if (live(field.scorePickupLayer, x, y)) {
        field.scorePickupLayer[x][y] = Cell::Erase;
        state.score = scoreAfterBonus(state.score);
        playPickupTones();
    }
    if (live(field.lifePickupLayer, x, y)) {
        field.lifePickupLayer[x][y] = Cell::Erase;
        state.lives = saturate(std::int64_t{state.lives} + 1);
        playPickupTones();
    }
}

void resolveShotHits(PlayField& field, GameState& state, int x, int y) {
    if (live(field.shotLayer, x, y) && live(field.enemyLayer, x, y)) {
        field.shotLayer[x][y] = Cell::Erase;
        destroyEnemy(field, state, x, y);
        state.score = addPoints(state.score, std::int64_t{state.level} + 1);
        playHitTones();
    }
    if (live(field.shotLayer, x, y) && live(field.enemyShotLayer, x, y)) {
        field.shotLayer[x][y] = Cell::Erase;
        field.enemyShotLayer[x][y] = Cell::Erase;
        state.score = addPoints(state.score, 1);
    }
}

bool shipHit(const PlayField& field, int x, int y) {
    return live(field.shipLayer, x, y) &&
           (live(field.blockLayer, x, y) || live(field.enemyLayer, x, y) ||
            live(field.enemyShotLayer, x, y));
}

// The ship dies where it stands and starts again on its starting cell; whatever hit it
// stays. The starting cell takes part in the rest of the scan like any other.
void loseLife(PlayField& field, GameState& state, int x, int y) {
    --state.lives;
    playLossTones();
    playDeathAnimation(x, y);
    field.blockLayer[x][y] = Cell::Erase;
    field.shipLayer[x][y] = Cell::Erase;
    state.shipX = kShipStartX;
    state.shipY = kShipStartY;
    field.shipLayer[kShipStartX][kShipStartY] = Cell::Live;
}

}  // namespace

void resolveCollisions(PlayField& field, GameState& state, const ColorScheme& colors) {
    for (int x = 1; x <= kScanRight; ++x) {
        for (int y = 1; y <= kScanBottom; ++y) {
            resolveBlockHits(field, state, x, y);
            collectPickups(field, state, x, y);
            resolveShotHits(field, state, x, y);
            if (shipHit(field, x, y)) loseLife(field, state, x, y);
            if (state.lives <= 0) {
                showGameOver(state, colors);
                return;
            }
        }
    }
}
