#pragma once
// Caller memory for the console layer's operations, fenced with guard bytes, and the password
// prompt checked against its contract; shared by the targets that drive the console layer.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "conio/getpass.hpp"
#include "conio/platform/headless_platform.hpp"
#include "fuzz/fuzz_check.hpp"

inline constexpr std::size_t kGuard = 64;
inline constexpr std::uint8_t kCanary = 0xA5;

inline std::string anyFuzzText(FuzzedDataProvider& data) { return data.ConsumeRandomLengthString(300); }

// Caller memory with guard bytes on both sides, filled with a pattern to tell writes apart.
struct GuardedBuffer {
    std::vector<std::uint8_t> bytes;
    std::vector<std::uint8_t> before;
    explicit GuardedBuffer(std::size_t size, std::uint32_t seed) : bytes(size + 2 * kGuard, kCanary) {
        std::minstd_rand pattern(seed | 1);
        for (std::size_t i = kGuard; i < kGuard + size; ++i) bytes[i] = static_cast<std::uint8_t>(pattern());
        before = bytes;
    }
    std::uint8_t* data() { return bytes.data() + kGuard; }
    std::size_t size() const { return bytes.size() - 2 * kGuard; }
    bool guardsIntact() const {
        for (std::size_t i = 0; i < kGuard; ++i) {
            if (bytes[i] != kCanary || bytes[bytes.size() - 1 - i] != kCanary) return false;
        }
        return true;
    }
};

// getpass with any maximum, prompt and keys (Enter last): the caller's buffer, of the size the
// contract asks for, holds the count and the text the keys leave, and nothing around it
// changes. (Past the terminating zero a character typed and then erased may remain.)
inline void checkGetpass(FuzzedDataProvider& data, platform::HeadlessPlatform& headless) {
    const std::uint8_t maximumByte = data.ConsumeIntegral<std::uint8_t>();
    const int maximum = static_cast<std::int8_t>(maximumByte);
    const std::string prompt = anyFuzzText(data);
    std::string keys = data.ConsumeRandomLengthString(200);
    std::erase(keys, '\r');
    headless.scheduleKeys(headless.nowMs(), keys + '\r');

    GuardedBuffer buffer(static_cast<std::size_t>(std::max(maximum, 0)) + 3, data.ConsumeIntegral<std::uint32_t>());
    buffer.data()[0] = maximumByte;
    char* text = conio::getpass(prompt.c_str(), reinterpret_cast<char*>(buffer.data()));

    std::string entered;
    for (const char key : keys) {
        if (key == '\b') {
            if (!entered.empty()) entered.pop_back();
        } else if (static_cast<int>(entered.size()) < maximum) {
            entered += key;
        }
    }
    require(buffer.guardsIntact(), "getpass wrote outside the caller's buffer");
    require(text == reinterpret_cast<char*>(buffer.data() + 2), "getpass returned another pointer than the text's");
    require(buffer.data()[0] == maximumByte, "getpass changed the maximum");
    require(buffer.data()[1] == entered.size(), "getpass counted wrong");
    require(std::memcmp(buffer.data() + 2, entered.data(), entered.size()) == 0 && text[entered.size()] == '\0', "getpass stored the wrong text");
}
