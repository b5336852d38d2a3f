#include "conio/platform/key_decoder.hpp"

#include "conio/platform/cp437.hpp"

namespace platform {
namespace {

constexpr char kEsc = '\x1b';
constexpr int kExtendedPrefix = 224;
constexpr std::size_t kMaxSequence = 32;  // longer than any key sequence; anything beyond is noise

std::string twoByteKey(std::uint8_t prefix, std::uint8_t code) {
    return std::string{static_cast<char>(prefix), static_cast<char>(code)};
}

std::string extended(std::uint8_t code) { return twoByteKey(kExtendedPrefix, code); }
std::string functionKey(int n) {  // F1..F10 under prefix 0, F11 and F12 under 224
    if (n <= 10) return twoByteKey(0, static_cast<std::uint8_t>(58 + n));
    return extended(static_cast<std::uint8_t>(122 + n));
}

// The final letter of ESC [ ... x or ESC O ... x: arrows, Home, End, F1..F4.
// Modifier parameters (ESC [ 1 ; 5 A) do not change the key, as on the console's own keys.
std::string letterKey(char final) {
    switch (final) {
        case 'A': case 'a': return extended(72);
        case 'B': case 'b': return extended(80);
        case 'C': case 'c': return extended(77);
        case 'D': case 'd': return extended(75);
        case 'H': return extended(71);
        case 'F': return extended(79);
        case 'P': return functionKey(1);
        case 'Q': return functionKey(2);
        case 'R': return functionKey(3);
        case 'S': return functionKey(4);
        default: return {};
    }
}

// ESC [ n ~ (and rxvt's ^ $ @ modifier finals): the editing keys and F1..F12.
std::string numberedKey(int n) {
    switch (n) {
        case 1: case 7: return extended(71);  // Home: tmux and Linux console 1, rxvt 7
        case 4: case 8: return extended(79);  // End
        case 2: return extended(82);
        case 3: return extended(83);
        case 5: return extended(73);
        case 6: return extended(81);
        case 11: case 12: case 13: case 14: case 15: return functionKey(n - 10);
        case 17: case 18: case 19: case 20: case 21: return functionKey(n - 11);
        case 23: case 24: return functionKey(n - 12);
        default: return {};
    }
}

// Parameters and intermediates of a CSI sequence (between "ESC [" and the final byte).
std::string csiKey(std::string_view body, char final) {
    if (!body.empty() && (body[0] == '<' || body[0] == '=' || body[0] == '>' || body[0] == '?')) {
        return {};  // replies and private reports, never keys
    }
    int first = -1;
    for (char c : body) {
        if (c >= '0' && c <= '9') {
            first = (first < 0 ? 0 : first) * 10 + (c - '0');
            if (first > 9999) return {};
        } else if (c == ';' || c == ':') {
            break;
        } else {
            return {};  // intermediate bytes: no key sends them
        }
    }
    if (final == '~' || final == '^' || final == '$' || final == '@') return numberedKey(first);
    return letterKey(final);
}

bool isLetterBeyondAscii(char32_t cp) {
    if (cp >= 0xC0 && cp <= 0xFF) return cp != 0xD7 && cp != 0xF7;  // × and ÷ are not letters
    return cp == 0xAA || cp == 0xB5 || cp == 0xBA || cp == 0x192 || cp == 0x207F ||
           (cp >= 0x391 && cp <= 0x3C9);
}

bool isNumber(std::string_view text) {
    if (text.empty() || text.size() > 4) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

// Length of a UTF-8 character from its lead byte; 0 for a byte that cannot lead one.
std::size_t utf8Length(std::uint8_t lead) {
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

// A complete UTF-8 character: its code page 437 letter, '?' for any other character,
// nothing for an invalid encoding (overlong, surrogate, beyond U+10FFFF).
std::string utf8Key(std::string_view bytes) {
    const auto lead = static_cast<std::uint8_t>(bytes[0]);
    char32_t cp = lead & (bytes.size() == 2 ? 0x1F : bytes.size() == 3 ? 0x0F : 0x07);
    for (std::size_t i = 1; i < bytes.size(); ++i) cp = (cp << 6) | (bytes[i] & 0x3F);
    constexpr char32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMinimum[bytes.size()] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return {};
    const int byte = isLetterBeyondAscii(cp) ? unicodeToCp437(cp) : -1;
    // α sits on 224, the prefix of two-byte keys: alone it would pair with the next key's
    // byte into a false arrow or editing key, so it reads as any other missing letter.
    if (byte < 0 || byte == kExtendedPrefix) return "?";
    return std::string(1, static_cast<char>(byte));
}

// A byte with nothing pending.
std::string startByte(KeyDecoder& d, std::uint8_t byte, std::int64_t nowMs) {
    if (byte == kEsc || utf8Length(byte) > 0) {
        d.pending.assign(1, static_cast<char>(byte));
        d.pendingSinceMs = nowMs;
        d.overlong = false;
        return {};
    }
    if (byte >= 0x80) return {};  // a stray continuation or invalid byte
    if (byte == '\r' || byte == '\n') return "\r";
    if (byte == 127 || byte == 8) return "\b";
    if (byte == 0) return twoByteKey(0, 3);  // Ctrl-@ as the console reports it, never a lone prefix
    return std::string(1, static_cast<char>(byte));
}

std::string restart(KeyDecoder& d, std::uint8_t byte, std::int64_t nowMs) {
    d.pending.clear();
    return startByte(d, byte, nowMs);
}

std::string finish(KeyDecoder& d, std::string key) {
    const bool drop = d.overlong;
    d.pending.clear();
    d.overlong = false;
    return drop ? std::string{} : key;
}

void append(KeyDecoder& d, std::uint8_t byte) {
    if (d.pending.size() < kMaxSequence) {
        d.pending.push_back(static_cast<char>(byte));
    } else {
        d.overlong = true;
    }
}

std::string feedEscape(KeyDecoder& d, std::uint8_t byte, std::int64_t nowMs) {
    const std::string_view p = d.pending;
    if (p.size() == 1) {
        if (byte == '[' || byte == 'O') {
            append(d, byte);
            return {};
        }
        // Anything else after ESC is the ESC key followed by that key (typed fast, or Alt).
        std::string keys(1, kEsc);
        keys += restart(d, byte, nowMs);
        return keys;
    }
    const bool ss3 = p[1] == 'O';
    if (p == "\x1b[[") {  // Linux console F1..F5: ESC [ [ A..E
        if (byte >= 'A' && byte <= 'E') return finish(d, functionKey(byte - 'A' + 1));
        if (byte >= 0x40 && byte <= 0x7E) return finish(d, {});
        return restart(d, byte, nowMs);
    }
    if (p == "\x1b[" && byte == '[') {
        append(d, byte);
        return {};
    }
    const std::string_view body = p.substr(2);
    if (!ss3 && byte == '$' && isNumber(body)) {  // rxvt's shifted keys end in '$', an intermediate elsewhere
        return finish(d, numberedKey(std::stoi(std::string(body))));
    }
    const bool parameter = ss3 ? (byte >= 0x30 && byte <= 0x3F) : (byte >= 0x20 && byte <= 0x3F);
    if (parameter) {
        append(d, byte);
        return {};
    }
    if (byte >= 0x40 && byte <= 0x7E) {
        return finish(d, ss3 ? letterKey(static_cast<char>(byte)) : csiKey(body, static_cast<char>(byte)));
    }
    return restart(d, byte, nowMs);  // broken sequence: dropped, the byte starts afresh
}

std::string feedUtf8(KeyDecoder& d, std::uint8_t byte, std::int64_t nowMs) {
    if (byte < 0x80 || byte > 0xBF) return restart(d, byte, nowMs);
    d.pending.push_back(static_cast<char>(byte));
    if (d.pending.size() < utf8Length(static_cast<std::uint8_t>(d.pending[0]))) return {};
    return finish(d, utf8Key(d.pending));
}

}  // namespace

std::string feed(KeyDecoder& decoder, std::uint8_t byte, std::int64_t nowMs) {
    if (decoder.pending.empty()) return startByte(decoder, byte, nowMs);
    if (decoder.pending[0] != kEsc) return feedUtf8(decoder, byte, nowMs);
    std::string out = onIdle(decoder, nowMs);  // the ESC may have timed out before this byte
    if (!out.empty()) {
        out += startByte(decoder, byte, nowMs);
        return out;
    }
    return feedEscape(decoder, byte, nowMs);
}

DecodedInput decode(KeyDecoder& decoder, std::uint8_t byte, std::int64_t nowMs) {
    // A stalled "ESC [" is given up before this byte, so a late 'O' is the letter, not a report.
    std::string late = onIdle(decoder, nowMs);
    // Only "ESC [" then the letter: with parameters or intermediates it is no focus report.
    if (decoder.pending == "\x1b[" && (byte == 'O' || byte == 'I')) {
        decoder.pending.clear();
        return {{}, byte == 'O' ? FocusReport::Lost : FocusReport::Gained};
    }
    return {late + feed(decoder, byte, nowMs), FocusReport::None};
}

std::string onIdle(KeyDecoder& decoder, std::int64_t nowMs) {
    const auto deadline = idleDeadline(decoder);
    if (!deadline || nowMs < *deadline) return {};
    // Every byte kept after the ESC is a printable one ('[', 'O', parameters), each its own key.
    std::string keys = decoder.pending;
    decoder.pending.clear();
    decoder.overlong = false;
    return keys;
}

std::optional<std::int64_t> idleDeadline(const KeyDecoder& decoder) {
    if (decoder.pending.empty() || decoder.pending[0] != kEsc) return std::nullopt;
    return decoder.pendingSinceMs + kEscTimeoutMs;
}

}  // namespace platform
