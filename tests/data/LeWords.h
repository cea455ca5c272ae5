// Stored bytes the tests expect, written as 32-bit words: each word's four bytes, least significant first.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

inline std::string Words(std::initializer_list<std::int32_t> words)
{
    std::string out;
    for (const std::int32_t w : words)
        for (int b = 0; b < 4; ++b)
            out += static_cast<char>((static_cast<std::uint32_t>(w) >> (8 * b)) & 0xFF);
    return out;
}
