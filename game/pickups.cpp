#include "game/pickups.hpp"

#include "conio/services.hpp"

namespace {

// Which layer a roll places a pickup in; null for the values that place nothing.
CellLayer* layerForRoll(PlayField& field, int roll) {
    if (roll >= 0 && roll <= 9) return &field.weaponPickupLayer;
    if (roll >= 11 && roll <= 69) return &field.scorePickupLayer;
    if (roll >= 73 && roll <= 79) return &field.lifePickupLayer;
    return nullptr;
}

void sweepPickups(PlayField& field) {
    for (int x = kFieldLeft; x <= kFieldRight; ++x) {
        for (int y = kFieldTop; y <= kFieldBottom; ++y) {
            for (CellLayer* layer : {&field.lifePickupLayer, &field.weaponPickupLayer,
                                     &field.scorePickupLayer}) {
                if ((*layer)[x][y] == Cell::Live) (*layer)[x][y] = Cell::Erase;
            }
        }
    }
}

}  // namespace

void rollPickups(PlayField& field, const Tuning& tuning) {
    // All four numbers are drawn every tick, whatever the roll, so the generator's
    // sequence (and a replay) does not depend on what was placed.
    const int roll = conio::rand() % tuning.pickupOdds;
    const int x = conio::rand() % kFieldWidth + kFieldLeft;
    const int y = conio::rand() % kFieldHeight + kFieldTop;
    if (CellLayer* layer = layerForRoll(field, roll)) (*layer)[x][y] = Cell::Live;
    if (conio::rand() % 3500 <= 9) sweepPickups(field);
}
