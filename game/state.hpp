#pragma once
// The state every phase of a game shares. One instance of each record, owned by the
// program flow and passed by reference. Default member values are the process-start
// values; setUpGame gives the per-game ones.
#include <array>
#include <cstdint>

#include "game/field.hpp"

// Cell states of a state layer.
enum class Cell : std::int32_t {
    Empty = 0,   // nothing there
    Live = 1,    // an object; the render pass draws it every tick
    Erase = 2,   // just left or destroyed; the render pass blanks it and sets it Empty
    Moved = 3,   // arrived during a move pass; the settle pass makes it Live
};

inline constexpr int kLayerColumns = 51;  // x 0..50
inline constexpr int kLayerRows = 26;     // y 0..25

// Indexed [x][y], column first, by screen column and row (1-based screen positions).
template <typename Value>
using Grid = std::array<std::array<Value, kLayerRows>, kLayerColumns>;
using CellLayer = Grid<Cell>;           // a state layer
using GlyphLayer = Grid<std::int32_t>;  // enemy glyph codes 3..6, 0 where none

struct PlayField {
    CellLayer shipLayer{};
    CellLayer shotLayer{};
    CellLayer enemyLayer{};
    GlyphLayer enemyGlyphLayer{};
    CellLayer enemyShotLayer{};
    CellLayer blockLayer{};
    CellLayer weaponPickupLayer{};
    CellLayer scorePickupLayer{};
    CellLayer lifePickupLayer{};
};

struct GameState {
    std::int32_t score = 0;
    std::int32_t lives = 3;
    std::int32_t level = 0;          // the HUD shows level + 1
    std::int32_t bombCharges = 5;    // key E, "Especial A"
    std::int32_t volleyCharges = 5;  // key W, "Especial b"
    std::int32_t enemyCount = 0;
    std::int32_t shipX = kShipStartX;
    std::int32_t shipY = kShipStartY;
    std::int8_t key = 0;             // the byte read this tick, as a signed byte
    std::int8_t resumeKey = 32;      // the tick loop runs only while it is 32
    std::int32_t blockStage = 0;     // 0 none, 1..5 growing, 6 complete
    std::int32_t blockTimer = 20;    // 0..20, carried from game to game
    std::int32_t blockColumn = 0;    // leftmost column of the block's first row
};

struct Tuning {
    std::int32_t maxEnemies = 10;
    std::int32_t enemySpawnOdds = 30;
    std::int32_t enemyMoveOdds = 50;
    std::int32_t enemyFireOdds = 100;
    std::int32_t blockSpawnOdds = 15;
    std::int32_t pickupOdds = 15000;
    std::int32_t frameDelay = 50;
    std::int32_t levelThreshold = 120;
};

// Console colours 0..15, kept within 1..15 by the colour pages.
struct ColorScheme {
    std::int8_t shipColor = 14;       // yellow: the ship and the pickups
    std::int8_t enemyColor = 2;       // green
    std::int8_t screenColor = 4;      // red: the frame
    std::int8_t enemyShotColor = 5;   // magenta
    std::int8_t shotColor = 8;        // dark grey: shots and the bomb's sparkles
    std::int8_t messageColor = 8;     // dark grey: HUD and messages
};

// Entry i holds colour i; the colour pages draw their strip from entries 1..15.
using Palette = std::array<std::int32_t, 16>;
inline constexpr Palette kDefaultPalette = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};

// The glyphs of play: code page 437 bytes, each written with "%c".
namespace glyph {
inline constexpr int kShip = 241;       // ± in shipColor
inline constexpr int kShot = 179;       // │ in shotColor
inline constexpr int kEnemyShot = 179;  // │ in enemyShotColor
inline constexpr int kPickup = 15;      // ☼ in shipColor, all three kinds alike
inline constexpr int kBlank = 32;       // a block cell (on brown) or an erased cell
inline constexpr int kSparkle = 15;     // the bomb's flash, in shotColor
inline constexpr int kDeathUp = 30;     // ▲ the death animation's four arrows
inline constexpr int kDeathDown = 31;   // ▼
inline constexpr int kDeathRight = 16;  // ►
inline constexpr int kDeathLeft = 17;   // ◄
inline constexpr int kArrowUp = 24;     // ↑ in texts
inline constexpr int kArrowDown = 25;   // ↓
inline constexpr int kArrowRight = 26;  // →
inline constexpr int kArrowLeft = 27;   // ←
inline constexpr int kCedilla = 128;    // Ç in texts
inline constexpr int kIAcute = 161;     // í in texts
}  // namespace glyph

// Console colours the layout uses besides the ColorScheme.
inline constexpr int kBlockBackground = 6;  // brown
inline constexpr int kMenuTextColor = 15;   // white

// Values of Game::menuState.
inline constexpr int kMenuShown = 1;
inline constexpr int kMenuStartGame = 0;
inline constexpr int kMenuQuit = 99;

struct Game {
    PlayField field;
    GameState state;
    Tuning tuning;
    ColorScheme colors;
    Palette palette = kDefaultPalette;
    int menuState = kMenuShown;
    int settingsPage = 1;   // 1..6 the colour page shown, 7 pages done, 0 none
};

inline constexpr std::uint8_t kKeyEsc = 27;
inline constexpr std::uint8_t kKeySpace = 32;
inline constexpr std::uint8_t kKeyEnter = 13;
inline constexpr std::uint8_t kKeyUp = 72;
inline constexpr std::uint8_t kKeyDown = 80;
inline constexpr std::uint8_t kKeyLeft = 75;
inline constexpr std::uint8_t kKeyRight = 77;
