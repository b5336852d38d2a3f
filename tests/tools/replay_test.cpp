#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "tests/support/process.hpp"

namespace {

// Runs vexamor-replay with the arguments (already shell-quoted where needed); its stdout,
// or its stderr alone when asked for.
ShellRun replay(const std::string& arguments, bool stderrOnly = false) {
    return runShell(shellQuoted(VEXAMOR_REPLAY_BINARY) + " " + arguments +
                    (stderrOnly ? " 2>&1 >/dev/null" : " 2>/dev/null"));
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

// Trace lines keep their fields in the order written, which the trace fixes.
using Json = nlohmann::ordered_json;

// Exactly one JSON value (surrounding blanks allowed), or nothing.
std::optional<Json> parseJson(const std::string& text) {
    Json value = Json::parse(text, nullptr, false);
    if (value.is_discarded()) return std::nullopt;
    return value;
}

std::vector<std::string> keys(const Json& object) {
    std::vector<std::string> out;
    for (const auto& item : object.items()) out.push_back(item.key());
    return out;
}

// Written as an integer: no fraction, no exponent.
bool isInt(const Json& v) { return v.is_number_integer(); }

bool allInts(const Json& array, std::size_t size) {
    if (!array.is_array() || array.size() != size) return false;
    for (const Json& item : array)
        if (!isInt(item)) return false;
    return true;
}

// Checks one trace line's shape; returns the parsed line.
Json checkLine(const std::string& line, int tick) {
    const auto parsed = parseJson(line);
    EXPECT_TRUE(parsed.has_value()) << line;
    if (!parsed || !parsed->is_object()) return Json::object();
    const Json& v = *parsed;
    EXPECT_EQ(keys(v), kFields);
    for (std::size_t i = 0; i < 17; ++i) EXPECT_TRUE(v.contains(kFields[i]) && isInt(v[kFields[i]])) << kFields[i];
    EXPECT_EQ(v.value("tick", -1), tick);
    for (const Json& tone : v.value("tones", Json::array())) EXPECT_TRUE(allInts(tone, 2));
    const Json sleeps = v.value("sleeps", Json::array());
    EXPECT_TRUE(allInts(sleeps, sleeps.size()));
    const Json layers = v.value("layers", Json::object());
    EXPECT_EQ(keys(layers), kLayers);
    for (const auto& [name, cells] : layers.items()) {
        long long lastX = -1, lastY = -1;
        for (const Json& cell : cells) {
            EXPECT_TRUE(allInts(cell, 3)) << name;
            if (!allInts(cell, 3)) continue;
            const auto x = cell[0].get<long long>(), y = cell[1].get<long long>();
            EXPECT_TRUE(x >= 0 && x <= 50 && y >= 0 && y <= 25) << name;
            EXPECT_NE(cell[2], 0) << name;
            EXPECT_TRUE(x > lastX || (x == lastX && y > lastY)) << name << " ordered by x then y";
            lastX = x;
            lastY = y;
        }
    }
    return v;
}

}  // namespace

TEST(JsonChecker, KeepsKeyOrderTellsIntegersAndRejectsAnythingButOneValue) {
    const auto v = parseJson(R"( {"b":[1,-2.5e3,1e2,[]],"a":{"c":"x\"y"},"d":true,"e":null} )");
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(keys(*v), (std::vector<std::string>{"b", "a", "d", "e"}));
    EXPECT_TRUE(isInt((*v)["b"][0]));
    EXPECT_FALSE(isInt((*v)["b"][1]));
    EXPECT_FALSE(isInt((*v)["b"][2])) << "an exponent is not an integer as written";
    for (const char* bad : {"", "{", "{\"a\":1,}", "[1,]", "{a:1}", "[01]", "[1] [2]", "{\"a\" 1}", "[.5]", "[\"\n\"]",
                            "[tru]", "{\"a\":1}}"}) {
        EXPECT_FALSE(parseJson(bad).has_value()) << bad;
    }
}

TEST(Replay, TraceIsOneJsonObjectPerTickWithEveryField) {
    const ShellRun run = replay("--seed 7 --ticks 40 --keys 97,,72,,77,119,,101");
    ASSERT_EQ(run.status, 0);
    const auto rows = lines(run.out);
    ASSERT_EQ(rows.size(), 40u);
    for (int tick = 1; tick <= 40; ++tick) checkLine(rows[static_cast<std::size_t>(tick - 1)], tick);

    const Json first = checkLine(rows[0], 1);
    EXPECT_EQ(first.value("key", -1), 97);
    EXPECT_EQ(first.value("lives", -1), 3);
    EXPECT_EQ(first.value("frameDelay", -1), 50);
    const Json sleeps = first.value("sleeps", Json::array());
    ASSERT_FALSE(sleeps.empty());
    EXPECT_EQ(sleeps.back(), 50) << "the frame delay is the tick's last sleep";
    EXPECT_EQ(checkLine(rows[1], 2).value("key", -1), 0) << "an empty item is no key";
}

TEST(Replay, SameSeedAndKeysGiveTheSameTrace) {
    const std::string arguments = "--seed 12345 --ticks 300 --keys 97,97,75,97,,-,119,77,101,97 --screen";
    const ShellRun a = replay(arguments);
    const ShellRun b = replay(arguments);
    ASSERT_EQ(a.status, 0);
    EXPECT_FALSE(a.out.empty());
    EXPECT_EQ(a.out, b.out);
    EXPECT_NE(replay("--seed 12346 --ticks 300 --keys 97,97,75,97,,-,119,77,101,97 --screen").out, a.out)
        << "the seed drives the game";
}

TEST(Replay, SpacePausesAndResumesEscStopsAndScreenShowsTheLastPicture) {
    const ShellRun run = replay("--seed 1 --ticks 50 --keys 200,32,,27,97 --screen");
    ASSERT_EQ(run.status, 0);
    const auto rows = lines(run.out);
    ASSERT_EQ(rows.size(), 4u + 25u) << "stops after the tick that read ESC";
    EXPECT_EQ(checkLine(rows[0], 1).value("key", 0), -56) << "a signed byte";
    const Json paused = checkLine(rows[1], 2);
    EXPECT_EQ(paused.value("key", -1), 32);
    EXPECT_TRUE(paused.value("sleeps", Json::array({0})).empty()) << "a space ends the tick before the frame delay";
    EXPECT_EQ(checkLine(rows[3], 4).value("key", -1), 27);
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
        const ShellRun run = replay(arguments, true);
        EXPECT_EQ(run.status, 2) << arguments;
        const auto message = lines(run.out);
        EXPECT_EQ(message.size(), 1u) << arguments << ": " << run.out;
        EXPECT_EQ(replay(arguments).out, "") << arguments << ": nothing on stdout";
    }
    EXPECT_EQ(replay("--seed 4294967295 --ticks 0 --keys ,").status, 0);
}

namespace {

// A key file in the test's temporary folder, written as given.
std::string keyFile(const std::string& name, const std::string& content) {
    const std::string path = ::testing::TempDir() + "replay_keys_" + name;
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) return path;
    std::fwrite(content.data(), 1, content.size(), out);
    std::fclose(out);
    return path;
}

}  // namespace

TEST(Replay, KeysFileGivesTheSameGameAsKeysFromAFileOrStandardInput) {
    const std::string list = "97,,72,-,77,119,,101,32,,75,97,97";
    const ShellRun expected = replay("--seed 7 --ticks 60 --screen --keys " + list);
    ASSERT_EQ(expected.status, 0);
    for (const std::string& content : {list, list + "\n", "  \n" + list + " \r\n\t\n"}) {
        const std::string path = keyFile("list", content);
        const ShellRun fromFile = replay("--seed 7 --ticks 60 --keys-file '" + path + "' --screen");
        EXPECT_EQ(fromFile.status, 0);
        EXPECT_EQ(fromFile.out, expected.out) << "file: " << content;
        const ShellRun fromInput = replay("--keys-file - --seed 7 --ticks 60 --screen < '" + path + "'");
        EXPECT_EQ(fromInput.status, 0);
        EXPECT_EQ(fromInput.out, expected.out) << "standard input: " << content;
    }
    const ShellRun noKeys = replay("--seed 7 --ticks 60");
    for (const char* empty : {"", "\n", " \t\r\n"}) {
        const ShellRun run = replay("--seed 7 --ticks 60 --keys-file '" + keyFile("empty", empty) + "'");
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, noKeys.out) << "an empty list is a game without keys";
    }
}

TEST(Replay, KeysFileThatCannotBeUsedIsOneLineAndStatusTwo) {
    const std::string good = keyFile("good", "97,97\n");
    const std::string bad = keyFile("bad", "97,97,\n98, 99\n");
    const std::string cases[] = {
        "--seed 1 --keys 97 --keys-file '" + good + "'",
        "--seed 1 --keys-file '" + good + "' --keys 97",
        "--seed 1 --keys-file '" + good + "' --keys-file '" + good + "'",
        "--seed 1 --keys-file",
        "--seed 1 --keys-file '" + ::testing::TempDir() + "replay_keys_missing'",
        "--seed 1 --keys-file ''",
        "--seed 1 --keys-file '" + ::testing::TempDir() + "'",
        "--seed 1 --keys-file '" + bad + "'",
    };
    for (const std::string& arguments : cases) {
        const ShellRun run = replay(arguments, true);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_EQ(lines(run.out).size(), 1u) << arguments << ": " << run.out;
        EXPECT_EQ(replay(arguments).out, "") << arguments << ": nothing on stdout";
    }
    EXPECT_NE(replay("--seed 1 --keys-file '" + bad + "'", true).out.find("item 3 is '?98'"), std::string::npos)
        << "the message names the first bad item";
}

TEST(Replay, AFailedWriteIsNotSuccess) {
    EXPECT_EQ(replay("--seed 1 --ticks 3000 > /dev/full").status, 1);
}

namespace {

// What makes a recorded game worth keeping: it reaches level 2, spends both specials, loses
// lives and ends in GAME OVER. A deliberate re-recording must keep that true.
void expectAFullGame(const std::string& name, const std::vector<std::string>& rows) {
    int volleys = 0, bombs = 0, lostLives = 0, level = 0;
    Json last;
    for (const std::string& row : rows) {
        if (row.empty() || row[0] != '{') break;
        const Json line = Json::parse(row);
        if (!last.is_null()) {
            volleys += line["volleyCharges"] < last["volleyCharges"];
            bombs += line["bombCharges"] < last["bombCharges"];
            lostLives += line["lives"] < last["lives"];
        }
        level = std::max(level, line["level"].get<int>());
        last = line;
    }
    EXPECT_GE(level, 2) << name;
    EXPECT_GT(volleys, 0) << name;
    EXPECT_GT(bombs, 0) << name;
    EXPECT_GE(lostLives, 2) << name;
    EXPECT_TRUE(last.value("key", 0) == 27 && last.value("lives", -1) == 0) << name << " ends in GAME OVER";
}

}  // namespace

TEST(Replay, RecordedGamesGiveTheirRecordedTracesByteForByte) {
    const std::string golden = std::string(VEXAMOR_SOURCE_DIR) + "/tests/golden/";
    std::istringstream games(fileBytes(golden + "games"));
    int count = 0;
    for (std::string line; std::getline(games, line);) {
        std::istringstream fields(line);
        std::string name, seed, ticks;
        if (!(fields >> name >> seed >> ticks) || name[0] == '#') continue;
        ++count;
        const std::string expected = fileBytes(golden + name + ".trace");
        const ShellRun run = replay("--seed " + seed + " --ticks " + ticks + " --keys-file " + shellQuoted(golden + name + ".keys") + " --screen");
        EXPECT_EQ(run.status, 0) << name;
        EXPECT_TRUE(run.out == expected) << name << ": the trace differs from the recorded one (" << run.out.size()
                                         << " bytes, recorded " << expected.size() << ")";
        expectAFullGame(name, lines(expected));
    }
    EXPECT_GE(count, 3);
}
