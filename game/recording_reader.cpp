// The reader of recording files (declared in game/recording.hpp).
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/recording.hpp"

namespace {

constexpr std::int32_t kMostBlockTimer = 20;
constexpr std::int32_t kMostBlockColumn = 46;
constexpr unsigned long long kMostInt32 = std::numeric_limits<std::int32_t>::max();

// A value as a message may show it: control bytes as '?', long values shortened.
std::string quoted(std::string_view value) {
    std::string text = "'";
    for (std::size_t i = 0; i < value.size() && i < 40; ++i) {
        const auto c = static_cast<unsigned char>(value[i]);
        text += (c < 0x20 || c == 0x7F) ? '?' : value[i];
    }
    return text + (value.size() > 40 ? "...'" : "'");
}

// The text's lines in order, each without its "\n" or "\r\n".
class Lines {
public:
    explicit Lines(std::string_view text) : text_(text) {}
    int number() const { return number_; }
    bool atEnd() const { return position_ >= text_.size(); }
    std::string_view next() {
        ++number_;
        const std::size_t end = text_.find('\n', position_);
        std::string_view line = text_.substr(position_, end == std::string_view::npos ? std::string_view::npos : end - position_);
        position_ = end == std::string_view::npos ? text_.size() : end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        return line;
    }

private:
    std::string_view text_;
    std::size_t position_ = 0;
    int number_ = 0;
};

struct Reader {
    Lines lines;
    std::string error;

    bool fail(const std::string& message) {
        error = "linha " + std::to_string(lines.number()) + ": " + message;
        return false;
    }
    // The value of the next line, which must be "NAME VALUE".
    bool value(std::string_view name, std::string_view& out) {
        if (lines.atEnd()) {
            lines.next();
            return fail("falta a linha '" + std::string(name) + "'");
        }
        const std::string_view line = lines.next();
        if (line == name) return fail("a linha '" + std::string(name) + "' est\xC3\xA1 sem valor");
        const std::size_t space = line.find(' ');
        if (line.substr(0, space) != name || space == std::string_view::npos) {
            return fail("esperava a linha '" + std::string(name) + "', n\xC3\xA3o " + quoted(line));
        }
        out = line.substr(space + 1);
        return true;
    }
};

// Numbers separated by single spaces, each within 0..max; exactly count of them.
bool numbers(std::string_view text, std::size_t count, unsigned long long max, std::vector<unsigned long long>& out) {
    out.clear();
    std::size_t start = 0;
    for (;;) {
        const std::size_t space = text.find(' ', start);
        const auto number = parseDecimal(text.substr(start, space == std::string_view::npos ? space : space - start), max);
        if (!number) return false;
        out.push_back(*number);
        if (space == std::string_view::npos) return out.size() == count;
        start = space + 1;
    }
}

bool number(Reader& in, std::string_view name, unsigned long long min, unsigned long long max, unsigned long long& out) {
    std::string_view text;
    if (!in.value(name, text)) return false;
    std::vector<unsigned long long> found;
    if (!numbers(text, 1, max, found) || found[0] < min) {
        std::string message(1, '\'');
        message += name;
        message += "' precisa de um n\xC3\xBAmero de " + std::to_string(min) + " a " + std::to_string(max);
        return in.fail(message + ", n\xC3\xA3o " + quoted(text));
    }
    out = found[0];
    return true;
}

bool header(Reader& in, Recording& r) {
    const std::string_view line = in.lines.next();
    constexpr std::string_view kMagic = "vexamor-recording ";
    if (line.substr(0, kMagic.size()) != kMagic) {
        return in.fail("n\xC3\xA3o \xC3\xA9 uma grava\xC3\xA7\xC3\xA3o do VEXAMOR (falta 'vexamor-recording')");
    }
    const auto version = parseDecimal(line.substr(kMagic.size()), 1000000);
    if (version != static_cast<unsigned long long>(kRecordingFormatVersion)) {
        return in.fail("vers\xC3\xA3o " + quoted(line.substr(kMagic.size())) + " do formato; este programa l\xC3\xAA a vers\xC3\xA3o " +
                       std::to_string(kRecordingFormatVersion));
    }
    r.formatVersion = kRecordingFormatVersion;
    return true;
}

bool gameVersion(Reader& in, Recording& r) {
    std::string_view text;
    if (!in.value("game", text)) return false;
    bool plain = !text.empty() && text.size() <= 32;
    for (char c : text) {
        plain = plain && ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '.' ||
                          c == '+' || c == '-' || c == '~');
    }
    if (!plain) return in.fail("'game' precisa de uma vers\xC3\xA3o como 1.0.0, n\xC3\xA3o " + quoted(text));
    r.gameVersion = text;
    return true;
}

// "YYYY-MM-DDTHH:MM:SSZ", a real day and time.
bool validDate(std::string_view t) {
    constexpr std::string_view kShape = "dddd-dd-ddTdd:dd:ddZ";
    if (t.size() != kShape.size()) return false;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (kShape[i] == 'd' ? (t[i] < '0' || t[i] > '9') : t[i] != kShape[i]) return false;
    }
    const auto part = [&](std::size_t at, std::size_t n) { return static_cast<int>(*parseDecimal(t.substr(at, n), 9999)); };
    const int year = part(0, 4), month = part(5, 2), day = part(8, 2);
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12 || day < 1) return false;
    if (day > kDays[month - 1] + (month == 2 && leap)) return false;
    return part(11, 2) < 24 && part(14, 2) < 60 && part(17, 2) < 60;
}

bool date(Reader& in, Recording& r) {
    std::string_view text;
    if (!in.value("date", text)) return false;
    if (!validDate(text)) return in.fail("'date' precisa de uma data UTC como 2026-12-10T14:03:07Z, n\xC3\xA3o " + quoted(text));
    r.date = text;
    return true;
}

bool carried(Reader& in, Recording& r) {
    std::string_view text;
    if (!in.value("carried", text)) return false;
    std::vector<unsigned long long> found;
    if (!numbers(text, 2, kMostInt32, found) || found[0] > kMostBlockTimer || found[1] > kMostBlockColumn) {
        return in.fail("'carried' precisa do tempo do bloco (0 a 20) e da sua coluna (0 a 46), n\xC3\xA3o " + quoted(text));
    }
    r.carried = {static_cast<std::int32_t>(found[0]), static_cast<std::int32_t>(found[1])};
    return true;
}

bool colors(Reader& in, Recording& r) {
    std::string_view text;
    if (!in.value("colors", text)) return false;
    std::vector<unsigned long long> found;
    if (!numbers(text, 6, 15, found)) return in.fail("'colors' precisa de seis cores de 0 a 15, n\xC3\xA3o " + quoted(text));
    std::int8_t* fields[] = {&r.colors.shipColor, &r.colors.enemyColor, &r.colors.screenColor,
                             &r.colors.enemyShotColor, &r.colors.shotColor, &r.colors.messageColor};
    for (std::size_t i = 0; i < 6; ++i) *fields[i] = static_cast<std::int8_t>(found[i]);
    return true;
}

bool counters(Reader& in, Recording& r) {
    unsigned long long score = 0, level = 0, ticks = 0;
    if (!number(in, "score", 0, kMostInt32, score) || !number(in, "level", 0, kMostInt32, level) ||
        !number(in, "ticks", 1, kMostInt32, ticks)) {
        return false;
    }
    r.score = static_cast<std::int32_t>(score);
    r.level = static_cast<std::int32_t>(level);
    r.ticks = static_cast<std::int64_t>(ticks);
    return true;
}

bool ended(Reader& in, Recording& r) {
    std::string_view text;
    if (!in.value("ended", text)) return false;
    if (text == "gameover") {
        r.ended = GameEnd::GameOver;
    } else if (text == "esc") {
        r.ended = GameEnd::Esc;
    } else if (text == "esc-in-pause") {
        r.ended = GameEnd::EscInPause;
    } else {
        return in.fail("'ended' precisa ser gameover, esc ou esc-in-pause, n\xC3\xA3o " + quoted(text));
    }
    return true;
}

// Only the game's last tick can read ESC (the game ends there) or a space (no tick ran
// after one that paused only when ESC ended the pause).
std::string keysAgainstEnd(const Recording& r) {
    for (std::size_t i = 0; i + 1 < r.keys.size(); ++i) {
        if (r.keys[i] == kKeyEsc) return "a tecla " + std::to_string(i + 1) + " de 'keys' \xC3\xA9 ESC, mas o jogo termina com ESC s\xC3\xB3 no \xC3\xBAltimo tick";
    }
    const auto last = r.keys.back();
    if (r.ended == GameEnd::Esc && last != kKeyEsc) return "o \xC3\xBAltimo tick de 'keys' n\xC3\xA3o l\xC3\xAA ESC, como 'ended esc' diz";
    if (r.ended == GameEnd::EscInPause && last != kKeySpace) return "o \xC3\xBAltimo tick de 'keys' n\xC3\xA3o pausa, como 'ended esc-in-pause' diz";
    if (r.ended == GameEnd::GameOver && last == kKeySpace) return "o \xC3\xBAltimo tick de 'keys' pausa, mas 'ended gameover' diz que o jogo acabou nele";
    return "";
}

bool keys(Reader& in, Recording& r) {
    std::string_view text;
    if (!in.value("keys", text)) return false;
    if (const auto bad = parseKeyList(text, r.keys)) {
        return in.fail("a tecla " + std::to_string(r.keys.size() + 1) + " de 'keys' \xC3\xA9 " + quoted(*bad) +
                       ", n\xC3\xA3o um byte de 0 a 255, '-' ou nada");
    }
    if (static_cast<std::int64_t>(r.keys.size()) != r.ticks) {
        return in.fail("'keys' tem " + std::to_string(r.keys.size()) + " ticks, mas 'ticks' diz " + std::to_string(r.ticks));
    }
    const std::string mismatch = keysAgainstEnd(r);
    if (!mismatch.empty()) return in.fail(mismatch);
    if (in.lines.atEnd()) return true;
    in.lines.next();
    return in.fail("texto depois da linha 'keys'");
}

}  // namespace

ParsedRecording parseRecording(std::string_view text) {
    Reader in{Lines(text), ""};
    Recording r;
    unsigned long long seed = 0;
    const bool read = header(in, r) && gameVersion(in, r) && date(in, r) &&
                      number(in, "seed", 0, std::numeric_limits<std::uint32_t>::max(), seed) && carried(in, r) &&
                      colors(in, r) && counters(in, r) && ended(in, r) && keys(in, r);
    if (!read) return {std::nullopt, in.error};
    r.seed = static_cast<std::uint32_t>(seed);
    return {std::move(r), ""};
}
