#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/json.hpp"

namespace {

struct ToolRun {
    int status = -1;
    std::string out;  // stdout, or stderr alone when asked for
};

// Runs vexamor-replay with the arguments (already shell-quoted where needed).
ToolRun replay(const std::string& arguments, bool stderrOnly = false) {
    const std::string command = std::string("'") + VEXAMOR_REPLAY_BINARY + "' " + arguments +
                                (stderrOnly ? " 2>&1 >/dev/null" : " 2>/dev/null");
    ToolRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    std::array<char, 4096> chunk{};
    std::size_t n = 0;
    while ((n = std::fread(chunk.data(), 1, chunk.size(), pipe)) > 0) run.out.append(chunk.data(), n);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        out.push_back(text.substr(start, end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return out;
}

const std::vector<std::string> kFields = {
    "tick", "key", "score", "lives", "level", "bombCharges", "volleyCharges", "enemyCount", "shipX", "shipY",
    "blockStage", "blockTimer", "maxEnemies", "enemySpawnOdds", "enemyMoveOdds", "frameDelay", "levelThreshold",
    "tones", "sleeps", "layers"};
const std::vector<std::string> kLayers = {"ship", "shot", "enemy", "enemyGlyph", "enemyShot", "block",
                                          "weaponPickup", "scorePickup", "lifePickup"};

bool isInt(const JsonValue& v) { return v.kind == JsonValue::Kind::Number && v.integral; }

bool allInts(const JsonValue& array, std::size_t size) {
    if (array.kind != JsonValue::Kind::Array || array.items.size() != size) return false;
    for (const JsonValue& item : array.items)
        if (!isInt(item)) return false;
    return true;
}

// Checks one trace line's shape; returns the parsed line.
JsonValue checkLine(const std::string& line, int tick) {
    const auto parsed = parseJson(line);
    EXPECT_TRUE(parsed.has_value()) << line;
    if (!parsed) return {};
    const JsonValue& v = *parsed;
    EXPECT_EQ(v.keys(), kFields);
    for (std::size_t i = 0; i < 17 && i < v.members.size(); ++i) EXPECT_TRUE(isInt(v.members[i].second)) << kFields[i];
    EXPECT_EQ(v.member("tick")->number, tick);
    for (const JsonValue& tone : v.member("tones")->items) EXPECT_TRUE(allInts(tone, 2));
    EXPECT_TRUE(allInts(*v.member("sleeps"), v.member("sleeps")->items.size()));
    const JsonValue& layers = *v.member("layers");
    EXPECT_EQ(layers.keys(), kLayers);
    for (const auto& [name, cells] : layers.members) {
        double lastX = -1, lastY = -1;
        for (const JsonValue& cell : cells.items) {
            EXPECT_TRUE(allInts(cell, 3)) << name;
            if (cell.items.size() != 3) continue;
            const double x = cell.items[0].number, y = cell.items[1].number;
            EXPECT_TRUE(x >= 0 && x <= 50 && y >= 0 && y <= 25) << name;
            EXPECT_NE(cell.items[2].number, 0) << name;
            EXPECT_TRUE(x > lastX || (x == lastX && y > lastY)) << name << " ordered by x then y";
            lastX = x;
            lastY = y;
        }
    }
    return v;
}

}  // namespace

TEST(JsonChecker, AcceptsJsonAndRejectsEverythingElse) {
    const auto v = parseJson(R"( {"a":[1,-2.5e3,[]],"b":{"c":"x\"y"},"d":true,"e":null} )");
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(v->keys(), (std::vector<std::string>{"a", "b", "d", "e"}));
    EXPECT_TRUE(v->member("a")->items[0].integral);
    EXPECT_FALSE(v->member("a")->items[1].integral);
    for (const char* bad : {"", "{", "{\"a\":1,}", "[1,]", "{a:1}", "[01]", "[1] [2]", "{\"a\" 1}", "[.5]", "[\"\n\"]",
                            "[tru]", "{\"a\":1}}"}) {
        EXPECT_FALSE(parseJson(bad).has_value()) << bad;
    }
}

TEST(Replay, TraceIsOneJsonObjectPerTickWithEveryField) {
    const ToolRun run = replay("--seed 7 --ticks 40 --keys 97,,72,,77,119,,101");
    ASSERT_EQ(run.status, 0);
    const auto rows = lines(run.out);
    ASSERT_EQ(rows.size(), 40u);
    for (int tick = 1; tick <= 40; ++tick) checkLine(rows[static_cast<std::size_t>(tick - 1)], tick);

    const JsonValue first = checkLine(rows[0], 1);
    EXPECT_EQ(first.member("key")->number, 97);
    EXPECT_EQ(first.member("lives")->number, 3);
    EXPECT_EQ(first.member("frameDelay")->number, 50);
    const auto& sleeps = first.member("sleeps")->items;
    ASSERT_FALSE(sleeps.empty());
    EXPECT_EQ(sleeps.back().number, 50) << "the frame delay is the tick's last sleep";
    EXPECT_EQ(checkLine(rows[1], 2).member("key")->number, 0) << "an empty item is no key";
}

TEST(Replay, SameSeedAndKeysGiveTheSameTrace) {
    const std::string arguments = "--seed 12345 --ticks 300 --keys 97,97,75,97,,-,119,77,101,97 --screen";
    const ToolRun a = replay(arguments);
    const ToolRun b = replay(arguments);
    ASSERT_EQ(a.status, 0);
    EXPECT_FALSE(a.out.empty());
    EXPECT_EQ(a.out, b.out);
    EXPECT_NE(replay("--seed 12346 --ticks 300 --keys 97,97,75,97,,-,119,77,101,97 --screen").out, a.out)
        << "the seed drives the game";
}

TEST(Replay, SpacePausesAndResumesEscStopsAndScreenShowsTheLastPicture) {
    const ToolRun run = replay("--seed 1 --ticks 50 --keys 200,32,,27,97 --screen");
    ASSERT_EQ(run.status, 0);
    const auto rows = lines(run.out);
    ASSERT_EQ(rows.size(), 4u + 25u) << "stops after the tick that read ESC";
    EXPECT_EQ(checkLine(rows[0], 1).member("key")->number, -56) << "a signed byte";
    const JsonValue paused = checkLine(rows[1], 2);
    EXPECT_EQ(paused.member("key")->number, 32);
    EXPECT_TRUE(paused.member("sleeps")->items.empty()) << "a space ends the tick before the frame delay";
    EXPECT_EQ(checkLine(rows[3], 4).member("key")->number, 27);
    for (std::size_t i = 4; i < rows.size(); ++i) EXPECT_EQ(rows[i].substr(0, 1), "|");
    EXPECT_EQ(rows[4].substr(0, 4), "|╔");
    EXPECT_NE(rows[4 + 5].find("Vidas: "), std::string::npos);
    EXPECT_NE(rows[4 + 22].find("±"), std::string::npos);
}

TEST(Replay, BadArgumentsExitWithStatusTwoAndOneLineOnStderr) {
    const char* bad[] = {
        "",                       "--seed",         "--seed x",        "--seed -1",
        "--seed 4294967296",      "--ticks 5",      "--seed 1 --ticks -3", "--seed 1 --ticks 1e3",
        "--seed 1 --keys 256",    "--seed 1 --keys 1,a", "--seed 1 --keys ' 7'", "--seed 1 --bogus",
        "--seed 1 --seed 2",      "--seed 1 --screen --screen", "--seed=1", "--seed 1 extra",
        "--seed \"$(printf '1\\n2')\"",
    };
    for (const char* arguments : bad) {
        const ToolRun run = replay(arguments, true);
        EXPECT_EQ(run.status, 2) << arguments;
        const auto message = lines(run.out);
        EXPECT_EQ(message.size(), 1u) << arguments << ": " << run.out;
        EXPECT_EQ(replay(arguments).out, "") << arguments << ": nothing on stdout";
    }
    EXPECT_EQ(replay("--seed 4294967295 --ticks 0 --keys ,").status, 0);
}
