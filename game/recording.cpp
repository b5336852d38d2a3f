#include "game/recording.hpp"

#include <cstdio>

namespace {

// Days since 1970-01-01 as a proleptic Gregorian date (Howard Hinnant's civil_from_days).
void civilFromDays(std::int64_t days, int& year, int& month, int& day) {
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const auto dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned shifted = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * shifted + 2) / 5 + 1);
    month = static_cast<int>(shifted < 10 ? shifted + 3 : shifted - 9);
    year = static_cast<int>(static_cast<std::int64_t>(yearOfEra) + era * 400 + (month <= 2));
}

}  // namespace

const char* endedName(GameEnd end) {
    switch (end) {
    case GameEnd::GameOver: return "gameover";
    case GameEnd::Esc: return "esc";
    case GameEnd::EscInPause: return "esc-in-pause";
    case GameEnd::Stopped: break;
    }
    return "stopped";  // no game that ends so is recorded: readers refuse it
}

std::string formatRecording(const Recording& r) {
    const ColorScheme& c = r.colors;
    std::string text = "vexamor-recording " + std::to_string(r.formatVersion) + "\n";
    text += "game " + r.gameVersion + "\n";
    text += "date " + r.date + "\n";
    text += "seed " + std::to_string(r.seed) + "\n";
    text += "carried " + std::to_string(r.carried.blockTimer) + " " + std::to_string(r.carried.blockColumn) + "\n";
    text += "colors";
    for (int color : {c.shipColor, c.enemyColor, c.screenColor, c.enemyShotColor, c.shotColor, c.messageColor}) {
        text += ' ';
        text += std::to_string(color);
    }
    text += "\nscore " + std::to_string(r.score) + "\n";
    text += "level " + std::to_string(r.level) + "\n";
    text += "ticks " + std::to_string(r.ticks) + "\n";
    text += std::string("ended ") + endedName(r.ended) + "\n";
    text += "keys " + formatKeyList(r.keys) + "\n";
    return text;
}

std::string recordingDate(std::int64_t epochSeconds) {
    const std::int64_t days = (epochSeconds >= 0 ? epochSeconds : epochSeconds - 86399) / 86400;
    const std::int64_t secondOfDay = epochSeconds - days * 86400;
    int year = 0, month = 0, day = 0;
    civilFromDays(days, year, month, day);
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", year, month, day,
                  static_cast<int>(secondOfDay / 3600), static_cast<int>(secondOfDay / 60 % 60),
                  static_cast<int>(secondOfDay % 60));
    return text;
}

std::string recordingFileName(const Recording& r) {
    std::string stamp;
    for (char c : r.date) {
        if (c >= '0' && c <= '9') stamp += c;
        if (stamp.size() == 8 && c == 'T') stamp += '-';
    }
    return "vexamor-" + stamp + "-" + std::to_string(r.score) + ".vxr";
}
