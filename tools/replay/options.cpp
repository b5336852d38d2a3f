#include "tools/replay/options.hpp"

#include <limits>

namespace {

// A plain unsigned decimal within max: no sign, no blanks, no other characters.
std::optional<unsigned long long> parseDecimal(const std::string& text, unsigned long long max) {
    if (text.empty() || text.size() > 20) return std::nullopt;
    unsigned long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        const unsigned digit = static_cast<unsigned>(c - '0');
        if (value > (max - digit) / 10) return std::nullopt;
        value = value * 10 + digit;
    }
    return value;
}

// Comma-separated, one item per tick: a byte 0..255, or empty or "-" for no key. Returns the
// first item that is none of these (after the items before it), or nothing when all are valid.
std::optional<std::string> parseKeys(const std::string& list, std::vector<std::optional<std::uint8_t>>& keys) {
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = list.find(',', start);
        const std::string item = list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        if (item.empty() || item == "-") {
            keys.emplace_back(std::nullopt);
        } else {
            const auto byte = parseDecimal(item, 255);
            if (!byte) return item;
            keys.emplace_back(static_cast<std::uint8_t>(*byte));
        }
        if (comma == std::string::npos) return std::nullopt;
        start = comma + 1;
    }
}

ParsedOptions failure(std::string message) { return {std::nullopt, std::move(message)}; }

}  // namespace

std::string quotedArgument(const std::string& argument) {
    std::string text = "'";
    for (std::size_t i = 0; i < argument.size() && i < 40; ++i) {
        const auto c = static_cast<unsigned char>(argument[i]);
        text += (c < 0x20 || c == 0x7F) ? '?' : argument[i];
    }
    return text + (argument.size() > 40 ? "...'" : "'");
}

ParsedOptions parseReplayOptions(const std::vector<std::string>& arguments) {
    static const std::string kNames[] = {"--seed", "--ticks", "--keys", "--keys-file", "--screen"};
    enum { kSeed, kTicks, kKeys, kKeysFile, kScreen, kCount };
    ReplayOptions options;
    bool seen[kCount] = {};
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& name = arguments[i];
        int which = 0;
        while (which < kCount && kNames[which] != name) ++which;
        if (which == kCount) return failure("unknown argument " + quotedArgument(name));
        if (seen[which]) return failure(name + " given twice");
        seen[which] = true;
        if (which == kScreen) {
            options.screen = true;
            continue;
        }
        if (i + 1 == arguments.size()) return failure(name + " needs a value");
        const std::string& value = arguments[++i];
        if (which == kSeed) {
            const auto seed = parseDecimal(value, std::numeric_limits<std::uint32_t>::max());
            if (!seed) return failure("--seed wants a number 0..4294967295, not " + quotedArgument(value));
            options.seed = static_cast<std::uint32_t>(*seed);
        } else if (which == kTicks) {
            const auto ticks = parseDecimal(value, std::numeric_limits<std::int32_t>::max());
            if (!ticks) return failure("--ticks wants a number 0..2147483647, not " + quotedArgument(value));
            options.ticks = static_cast<long long>(*ticks);
        } else if (which == kKeysFile) {
            options.keysFile = value;
        } else if (parseKeys(value, options.keys)) {
            return failure("--keys wants comma-separated bytes 0..255, '-' or nothing, not " + quotedArgument(value));
        }
    }
    if (!seen[kSeed]) return failure("--seed S is required");
    if (seen[kKeys] && seen[kKeysFile]) return failure("--keys and --keys-file cannot be given together");
    return {options, ""};
}

std::string parseKeyFileText(const std::string& path, const std::string& text,
                             std::vector<std::optional<std::uint8_t>>& keys) {
    constexpr const char* kBlanks = " \t\r\n\v\f";
    const std::size_t first = text.find_first_not_of(kBlanks);
    const std::string list = first == std::string::npos ? "" : text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
    keys.clear();
    const auto bad = parseKeys(list, keys);
    if (!bad) return "";
    const std::size_t item = keys.size() + 1;
    keys.clear();
    return "--keys-file " + quotedArgument(path) + ": item " + std::to_string(item) + " is " + quotedArgument(*bad) +
           ", not a byte 0..255, '-' or nothing";
}
