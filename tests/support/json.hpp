#pragma once
// A small strict JSON reader for checking tool output in tests: objects keep their keys in
// the order they were written. parseJson returns nothing for anything that is not exactly
// one JSON value (surrounding blanks allowed).
#include <cctype>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct JsonValue {
    enum class Kind { Null, Bool, Number, String, Array, Object };
    Kind kind = Kind::Null;
    bool boolean = false;
    double number = 0;
    bool integral = false;  // written without fraction or exponent
    std::string text;
    std::vector<JsonValue> items;                            // Array
    std::vector<std::pair<std::string, JsonValue>> members;  // Object, in written order

    const JsonValue* member(std::string_view name) const {
        for (const auto& [key, value] : members)
            if (key == name) return &value;
        return nullptr;
    }
    std::vector<std::string> keys() const {
        std::vector<std::string> out;
        for (const auto& m : members) out.push_back(m.first);
        return out;
    }
};

namespace json_detail {

struct Reader {
    std::string_view in;
    std::size_t at = 0;
    int depth = 0;

    void blanks() {
        while (at < in.size() && (in[at] == ' ' || in[at] == '\t' || in[at] == '\n' || in[at] == '\r')) ++at;
    }
    bool eat(char c) {
        blanks();
        if (at < in.size() && in[at] == c) {
            ++at;
            return true;
        }
        return false;
    }
    bool word(std::string_view w) {
        if (in.substr(at, w.size()) != w) return false;
        at += w.size();
        return true;
    }
    static bool digit(char c) { return c >= '0' && c <= '9'; }

    bool number(JsonValue& v) {
        const std::size_t start = at;
        if (at < in.size() && in[at] == '-') ++at;
        if (at >= in.size() || !digit(in[at])) return false;
        if (in[at] == '0') ++at;
        else while (at < in.size() && digit(in[at])) ++at;
        v.integral = true;
        if (at < in.size() && in[at] == '.') {
            v.integral = false;
            if (++at >= in.size() || !digit(in[at])) return false;
            while (at < in.size() && digit(in[at])) ++at;
        }
        if (at < in.size() && (in[at] == 'e' || in[at] == 'E')) {
            v.integral = false;
            ++at;
            if (at < in.size() && (in[at] == '+' || in[at] == '-')) ++at;
            if (at >= in.size() || !digit(in[at])) return false;
            while (at < in.size() && digit(in[at])) ++at;
        }
        v.kind = JsonValue::Kind::Number;
        v.number = std::stod(std::string(in.substr(start, at - start)));
        return true;
    }

    bool string(std::string& out) {
        if (at >= in.size() || in[at] != '"') return false;
        ++at;
        while (at < in.size() && in[at] != '"') {
            const auto c = static_cast<unsigned char>(in[at++]);
            if (c < 0x20) return false;
            if (c != '\\') {
                out += static_cast<char>(c);
                continue;
            }
            if (at >= in.size()) return false;
            const char e = in[at++];
            if (e == 'u') {
                if (at + 4 > in.size()) return false;
                for (int i = 0; i < 4; ++i)
                    if (!std::isxdigit(static_cast<unsigned char>(in[at + i]))) return false;
                out += '?';  // escapes are accepted, their code points are not needed here
                at += 4;
            } else if (std::string_view("\"\\/bfnrt").find(e) != std::string_view::npos) {
                out += e;
            } else {
                return false;
            }
        }
        if (at >= in.size()) return false;
        ++at;
        return true;
    }

    bool value(JsonValue& v) {
        if (++depth > 64) return false;
        blanks();
        if (at >= in.size()) return false;
        bool ok = false;
        const char c = in[at];
        if (c == '{') ok = object(v);
        else if (c == '[') ok = array(v);
        else if (c == '"') { v.kind = JsonValue::Kind::String; ok = string(v.text); }
        else if (word("true")) { v.kind = JsonValue::Kind::Bool; v.boolean = true; ok = true; }
        else if (word("false")) { v.kind = JsonValue::Kind::Bool; ok = true; }
        else if (word("null")) ok = true;
        else ok = number(v);
        --depth;
        return ok;
    }

    bool array(JsonValue& v) {
        v.kind = JsonValue::Kind::Array;
        ++at;
        if (eat(']')) return true;
        do {
            v.items.emplace_back();
            if (!value(v.items.back())) return false;
        } while (eat(','));
        return eat(']');
    }

    bool object(JsonValue& v) {
        v.kind = JsonValue::Kind::Object;
        ++at;
        if (eat('}')) return true;
        do {
            std::string key;
            blanks();
            if (!string(key) || !eat(':')) return false;
            v.members.emplace_back(std::move(key), JsonValue{});
            if (!value(v.members.back().second)) return false;
        } while (eat(','));
        return eat('}');
    }
};

}  // namespace json_detail

inline std::optional<JsonValue> parseJson(std::string_view text) {
    json_detail::Reader reader{text};
    JsonValue v;
    if (!reader.value(v)) return std::nullopt;
    reader.blanks();
    if (reader.at != text.size()) return std::nullopt;
    return v;
}
