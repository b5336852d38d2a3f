#include "game/key_list.hpp"

std::optional<unsigned long long> parseDecimal(std::string_view text, unsigned long long max) {
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

std::optional<std::string> parseKeyList(std::string_view list, TickKeys& keys) {
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = list.find(',', start);
        const std::string_view item = list.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
        if (item.empty() || item == "-") {
            keys.emplace_back(std::nullopt);
        } else {
            const auto byte = parseDecimal(item, 255);
            if (!byte) return std::string(item);
            keys.emplace_back(static_cast<std::uint8_t>(*byte));
        }
        if (comma == std::string_view::npos) return std::nullopt;
        start = comma + 1;
    }
}

std::string formatKeyList(const TickKeys& keys) {
    std::string text;
    text.reserve(keys.size() * 2);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (i > 0) text += ',';
        if (keys[i]) text += std::to_string(*keys[i]);
    }
    return text;
}
