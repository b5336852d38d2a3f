#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "game/recording.hpp"

namespace {

Recording sample() {
    Recording r;
    r.gameVersion = "1.0.0";
    r.date = "2026-12-10T14:03:07Z";
    r.seed = 4294967295u;
    r.carried = {7, 31};
    r.colors = ColorScheme{1, 2, 3, 4, 0, 15};
    r.score = 1234;
    r.level = 3;
    r.keys = {97, std::nullopt, 0, 255, 224, 72, 32, 27};
    r.ticks = static_cast<std::int64_t>(r.keys.size());
    r.ended = GameEnd::Esc;
    return r;
}

const std::string kSampleText =
    "vexamor-recording 1\ngame 1.0.0\ndate 2026-12-10T14:03:07Z\nseed 4294967295\ncarried 7 31\n"
    "colors 1 2 3 4 0 15\nscore 1234\nlevel 3\nticks 8\nended esc\nkeys 97,,0,255,224,72,32,27\n";

// The sample's text with line `number` (1-based) replaced.
std::string withLine(int number, const std::string& line, std::string text = kSampleText) {
    std::size_t start = 0;
    for (int i = 1; i < number; ++i) start = text.find('\n', start) + 1;
    return text.replace(start, text.find('\n', start) - start, line);
}

void expectSame(const Recording& a, const Recording& b) {
    EXPECT_EQ(formatRecording(a), formatRecording(b));
    EXPECT_EQ(a.seed, b.seed);
    EXPECT_EQ(a.keys, b.keys);
}

}  // namespace

TEST(RecordingFormat, WritesOneValueALineAndReadsItBack) {
    EXPECT_EQ(formatRecording(sample()), kSampleText);
    const ParsedRecording parsed = parseRecording(kSampleText);
    ASSERT_TRUE(parsed.recording) << parsed.error;
    expectSame(*parsed.recording, sample());
    // "-" for no key reads like an empty item; CRLF line ends and no final newline are fine.
    std::string crlf;
    for (char c : withLine(11, "keys 97,-,0,255,224,72,32,27")) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    crlf.resize(crlf.size() - 2);
    const ParsedRecording fromCrlf = parseRecording(crlf);
    ASSERT_TRUE(fromCrlf.recording) << fromCrlf.error;
    expectSame(*fromCrlf.recording, sample());
    // The other two endings, with the last tick each of them asks for.
    for (const auto& [ending, last] : {std::pair{"esc-in-pause", "32"}, std::pair{"gameover", "97"}}) {
        const std::string text = withLine(11, std::string("keys 97,,0,255,224,72,32,") + last,
                                          withLine(10, std::string("ended ") + ending));
        const ParsedRecording other = parseRecording(text);
        ASSERT_TRUE(other.recording) << ending << ": " << other.error;
        EXPECT_EQ(formatRecording(*other.recording), text);
    }
}

TEST(RecordingFormat, DatesAndFileNamesSortByTime) {
    EXPECT_EQ(recordingDate(0), "1970-01-01T00:00:00Z");
    EXPECT_EQ(recordingDate(1709164800), "2024-02-29T00:00:00Z");
    EXPECT_EQ(recordingDate(1796911387), "2026-12-10T14:03:07Z");
    EXPECT_EQ(recordingDate(4102444799), "2099-12-31T23:59:59Z");
    EXPECT_EQ(recordingFileName(sample()), "vexamor-20261210-140307-1234.vxr");
}

TEST(RecordingReader, RefusesEachBrokenLineSayingWhichAndWhy) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "linha 1: n\xC3\xA3o \xC3\xA9 uma grava\xC3\xA7\xC3\xA3o do VEXAMOR (falta 'vexamor-recording')"},
        {withLine(1, "vexamor-recording 2"), "linha 1: vers\xC3\xA3o '2' do formato; este programa l\xC3\xAA a vers\xC3\xA3o 1"},
        {withLine(1, "vexamor-recording x"), "linha 1: vers\xC3\xA3o 'x' do formato; este programa l\xC3\xAA a vers\xC3\xA3o 1"},
        {withLine(2, "game 1.0 beta"), "linha 2: 'game' precisa de uma vers\xC3\xA3o como 1.0.0, n\xC3\xA3o '1.0 beta'"},
        {withLine(3, "date 2026-02-29T10:00:00Z"), "linha 3: 'date' precisa de uma data UTC como 2026-12-10T14:03:07Z, n\xC3\xA3o '2026-02-29T10:00:00Z'"},
        {withLine(3, "date 2026-12-10 14:03:07"), "linha 3: 'date' precisa de uma data UTC como 2026-12-10T14:03:07Z, n\xC3\xA3o '2026-12-10 14:03:07'"},
        {withLine(4, "seed 4294967296"), "linha 4: 'seed' precisa de um n\xC3\xBAmero de 0 a 4294967295, n\xC3\xA3o '4294967296'"},
        {withLine(4, "seed -1"), "linha 4: 'seed' precisa de um n\xC3\xBAmero de 0 a 4294967295, n\xC3\xA3o '-1'"},
        {withLine(4, "seed"), "linha 4: a linha 'seed' est\xC3\xA1 sem valor"},
        {withLine(4, "sed 12"), "linha 4: esperava a linha 'seed', n\xC3\xA3o 'sed 12'"},
        {withLine(5, "carried 21 31"), "linha 5: 'carried' precisa do tempo do bloco (0 a 20) e da sua coluna (0 a 46), n\xC3\xA3o '21 31'"},
        {withLine(5, "carried 7"), "linha 5: 'carried' precisa do tempo do bloco (0 a 20) e da sua coluna (0 a 46), n\xC3\xA3o '7'"},
        {withLine(6, "colors 1 2 3 4 16 15"), "linha 6: 'colors' precisa de seis cores de 0 a 15, n\xC3\xA3o '1 2 3 4 16 15'"},
        {withLine(6, "colors 1 2 3 4 5  15"), "linha 6: 'colors' precisa de seis cores de 0 a 15, n\xC3\xA3o '1 2 3 4 5  15'"},
        {withLine(7, "score 2147483648"), "linha 7: 'score' precisa de um n\xC3\xBAmero de 0 a 2147483647, n\xC3\xA3o '2147483648'"},
        {withLine(9, "ticks 0"), "linha 9: 'ticks' precisa de um n\xC3\xBAmero de 1 a 2147483647, n\xC3\xA3o '0'"},
        {withLine(9, "ticks 9"), "linha 11: 'keys' tem 8 ticks, mas 'ticks' diz 9"},
        {withLine(10, "ended quit"), "linha 10: 'ended' precisa ser gameover, esc ou esc-in-pause, n\xC3\xA3o 'quit'"},
        {withLine(10, "ended esc-in-pause"), "linha 11: o \xC3\xBAltimo tick de 'keys' n\xC3\xA3o pausa, como 'ended esc-in-pause' diz"},
        {withLine(11, "keys 97,,0,256,224,72,32,27"), "linha 11: a tecla 4 de 'keys' \xC3\xA9 '256', n\xC3\xA3o um byte de 0 a 255, '-' ou nada"},
        {withLine(11, "keys 97,,0,255,27,72,32,27"), "linha 11: a tecla 5 de 'keys' \xC3\xA9 ESC, mas o jogo termina com ESC s\xC3\xB3 no \xC3\xBAltimo tick"},
        {withLine(11, "keys 97,,0,255,224,72,32,97"), "linha 11: o \xC3\xBAltimo tick de 'keys' n\xC3\xA3o l\xC3\xAA ESC, como 'ended esc' diz"},
        {kSampleText.substr(0, kSampleText.find("score")), "linha 7: falta a linha 'score'"},
        {kSampleText + "keys 1\n", "linha 12: texto depois da linha 'keys'"},
        {withLine(2, "game \x1b[2J"), "linha 2: 'game' precisa de uma vers\xC3\xA3o como 1.0.0, n\xC3\xA3o '?[2J'"},
    };
    for (const auto& [text, message] : cases) {
        const ParsedRecording parsed = parseRecording(text);
        EXPECT_FALSE(parsed.recording) << message;
        EXPECT_EQ(parsed.error, message);
    }
}
