#include "tools/mkscr/CodePage.h"

#include <cstdint>
#include <cstdio>

namespace {

// Bytes 0x80 to 0x9F; 0 marks the unassigned ones. Every other byte is its own code point.
const char32_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

// The byte for a code point; -1 when the code page has none.
int ByteOf(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<int>(c);
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] != 0 && kHighControls[i] == c)
            return 0x80 + i;
    return -1;
}

void AppendUtf8(char32_t c, std::string* out)
{
    if (c < 0x80) {
        out->push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out->push_back(static_cast<char>(0xC0 | (c >> 6)));
        out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out->push_back(static_cast<char>(0xE0 | (c >> 12)));
        out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// Decodes one UTF-8 sequence at text[i], moving i past it; false for a malformed or overlong one.
bool NextCodePoint(const std::string& text, std::size_t& i, char32_t* c)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    int extra = 0;
    char32_t value = 0;
    if (lead < 0x80) {
        value = lead;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2;
        value = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3;
        value = lead & 0x07;
    } else {
        return false;
    }
    if (extra > 0 && i + static_cast<std::size_t>(extra) >= text.size())
        return false;
    for (int k = 1; k <= extra; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return false;
        value = (value << 6) | (byte(i + k) & 0x3F);
    }
    static const char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (value < kSmallest[extra] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return false;
    i += static_cast<std::size_t>(extra) + 1;
    *c = value;
    return true;
}

} // namespace

bool Utf8ToCp1252(const std::string& utf8, std::string* out, std::string* bad)
{
    out->clear();
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t start = i;
        char32_t c = 0;
        if (!NextCodePoint(utf8, i, &c)) {
            *bad = "text that is not UTF-8";
            return false;
        }
        const int b = ByteOf(c);
        if (b < 0) {
            char code[16];
            std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
            *bad = "\"" + utf8.substr(start, i - start) + "\" (" + code + ")";
            return false;
        }
        out->push_back(static_cast<char>(b));
    }
    return true;
}

bool Cp1252ToUtf8(const std::string& bytes, std::string* out)
{
    out->clear();
    for (unsigned char b : bytes) {
        const char32_t c = b >= 0x80 && b < 0xA0 ? kHighControls[b - 0x80] : b;
        if (c == 0)
            return false;
        AppendUtf8(c, out);
    }
    return true;
}
