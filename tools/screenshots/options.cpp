#include "tools/screenshots/options.hpp"

#include <algorithm>

namespace {

// A plain unsigned decimal of at most 12 digits: no sign, no blanks, nothing else.
std::optional<std::int64_t> parseDecimal(const std::string& text) {
    if (text.empty() || text.size() > 12) return std::nullopt;
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// "MS:REST" split at its first colon; nullopt when the time is not a number.
std::optional<std::pair<std::int64_t, std::string>> timed(const std::string& item) {
    const std::size_t colon = item.find(':');
    if (colon == std::string::npos) return std::nullopt;
    const auto at = parseDecimal(item.substr(0, colon));
    if (!at) return std::nullopt;
    return std::make_pair(*at, item.substr(colon + 1));
}

bool parseKeys(const std::string& list, std::vector<TimedKey>& keys) {
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = list.find(',', start);
        const auto item = timed(list.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (!item) return false;
        const auto byte = parseDecimal(item->second);
        if (!byte || *byte > 255) return false;
        keys.push_back(TimedKey{item->first, static_cast<std::uint8_t>(*byte)});
        if (comma == std::string::npos) return true;
        start = comma + 1;
    }
}

// Names become file names: letters, digits and '-' only, so none can leave the folder.
bool validName(const std::string& name) {
    return !name.empty() && name.size() <= 64 && std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
    });
}

ParsedScreensOptions failure(std::string message) { return {std::nullopt, std::move(message)}; }

}  // namespace

ParsedScreensOptions parseScreensOptions(const std::vector<std::string>& arguments) {
    ScreensOptions options;
    bool seeded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& name = arguments[i];
        if (name != "--seed" && name != "--keys" && name != "--shot" && name != "--out")
            return failure("unknown argument '" + name.substr(0, 40) + "'");
        if (i + 1 == arguments.size()) return failure(name + " needs a value");
        const std::string& value = arguments[++i];
        if (name == "--seed") {
            const auto seed = parseDecimal(value);
            if (!seed) return failure("--seed wants a number of seconds");
            options.seed = *seed;
            seeded = true;
        } else if (name == "--keys") {
            if (!parseKeys(value, options.keys)) return failure("--keys wants MS:BYTE items, comma-separated");
        } else if (name == "--out") {
            options.outDir = value;
        } else {
            const auto shot = timed(value);
            if (!shot || !validName(shot->second)) return failure("--shot wants MS:NAME (NAME of a-z, 0-9 and -)");
            if (!options.shots.empty() && shot->first <= options.shots.back().atMs)
                return failure("--shot times must grow");
            options.shots.push_back(Shot{shot->first, shot->second});
        }
    }
    if (!seeded) return failure("--seed S is required");
    if (options.shots.empty()) return failure("at least one --shot MS:NAME is required");
    return {options, ""};
}
