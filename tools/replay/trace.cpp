#include "tools/replay/trace.hpp"

namespace {

void field(std::string& out, const char* name, long long value) {
    out += '"';
    out += name;
    out += "\":";
    out += std::to_string(value);
    out += ',';
}

template <typename Layer>
void layer(std::string& out, const char* name, const Layer& cells) {
    out += '"';
    out += name;
    out += "\":[";
    bool first = true;
    for (int x = 0; x < kLayerColumns; ++x) {
        for (int y = 0; y < kLayerRows; ++y) {
            const auto value = static_cast<long long>(cells[x][y]);
            if (value == 0) continue;
            if (!first) out += ',';
            first = false;
            out += '[' + std::to_string(x) + ',' + std::to_string(y) + ',' + std::to_string(value) + ']';
        }
    }
    out += ']';
}

void layers(std::string& out, const PlayField& f) {
    out += "\"layers\":{";
    layer(out, "ship", f.shipLayer);
    out += ',';
    layer(out, "shot", f.shotLayer);
    out += ',';
    layer(out, "enemy", f.enemyLayer);
    out += ',';
    layer(out, "enemyGlyph", f.enemyGlyphLayer);
    out += ',';
    layer(out, "enemyShot", f.enemyShotLayer);
    out += ',';
    layer(out, "block", f.blockLayer);
    out += ',';
    layer(out, "weaponPickup", f.weaponPickupLayer);
    out += ',';
    layer(out, "scorePickup", f.scorePickupLayer);
    out += ',';
    layer(out, "lifePickup", f.lifePickupLayer);
    out += '}';
}

}  // namespace

std::string traceLine(long long tick, const Game& g, const std::vector<platform::ToneRecord>& tones,
                      const std::vector<platform::SleepRecord>& sleeps) {
    const GameState& s = g.state;
    const Tuning& t = g.tuning;
    std::string out = "{";
    field(out, "tick", tick);
    field(out, "key", s.key);
    field(out, "score", s.score);
    field(out, "lives", s.lives);
    field(out, "level", s.level);
    field(out, "bombCharges", s.bombCharges);
    field(out, "volleyCharges", s.volleyCharges);
    field(out, "enemyCount", s.enemyCount);
    field(out, "shipX", s.shipX);
    field(out, "shipY", s.shipY);
    field(out, "blockStage", s.blockStage);
    field(out, "blockTimer", s.blockTimer);
    field(out, "maxEnemies", t.maxEnemies);
    field(out, "enemySpawnOdds", t.enemySpawnOdds);
    field(out, "enemyMoveOdds", t.enemyMoveOdds);
    field(out, "frameDelay", t.frameDelay);
    field(out, "levelThreshold", t.levelThreshold);
    out += "\"tones\":[";
    for (std::size_t i = 0; i < tones.size(); ++i) {
        if (i > 0) out += ',';
        out += '[' + std::to_string(tones[i].frequencyHz) + ',' + std::to_string(tones[i].durationMs) + ']';
    }
    out += "],\"sleeps\":[";
    for (std::size_t i = 0; i < sleeps.size(); ++i) {
        if (i > 0) out += ',';
        out += std::to_string(sleeps[i].durationMs);
    }
    out += "],";
    layers(out, g.field);
    out += '}';
    return out;
}
