#include "text.h"

#include <array>
#include <cstdint>

namespace platform {

namespace {

constexpr char16_t replacementCharacter = 0xFFFD;

// Windows-1251, bytes 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F and 0x00..0x7F are ASCII.
constexpr std::array<char16_t, 64> cp1251High = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, // 0x88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90
    0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, // 0x98 (0x98 unassigned)
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, // 0xA0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, // 0xA8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, // 0xB0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, // 0xB8
};

char16_t cp1251ByteToWide(unsigned char byte)
{
    if (byte < 0x80)
        return byte;
    if (byte >= 0xC0)
        return static_cast<char16_t>(0x0410 + (byte - 0xC0));
    return cp1251High[byte - 0x80];
}

// The byte for `c`, or 0 when Windows-1251 has none (NUL itself is handled by the caller).
unsigned char wideToCp1251Byte(char16_t c)
{
    if (c < 0x80)
        return static_cast<unsigned char>(c);
    if (c >= 0x0410 && c <= 0x044F)
        return static_cast<unsigned char>(0xC0 + (c - 0x0410));
    if (c == replacementCharacter)
        return 0;
    for (std::size_t i = 0; i < cp1251High.size(); ++i) {
        if (cp1251High[i] == c)
            return static_cast<unsigned char>(0x80 + i);
    }
    return 0;
}

bool isHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

void appendUtf16(std::u16string& out, char32_t c)
{
    if (c < 0x10000) {
        out += static_cast<char16_t>(c);
    } else {
        c -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (c >> 10));
        out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    }
}

} // namespace

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

char32_t decodeUtf8(std::string_view text, std::size_t& i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i++);
    if (lead < 0x80)
        return lead;

    int continuation = 0;
    char32_t c = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        continuation = 1; c = lead & 0x1F; minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        continuation = 2; c = lead & 0x0F; minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        continuation = 3; c = lead & 0x07; minimum = 0x10000;
    } else {
        return replacementCharacter;
    }
    for (int k = 0; k < continuation; ++k) {
        if (i >= text.size() || (byte(i) & 0xC0) != 0x80)
            return replacementCharacter;
        c = (c << 6) | (byte(i) & 0x3F);
        ++i;
    }
    if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return replacementCharacter;
    return c;
}

std::string wideToCp1251(std::u16string_view text, bool* lossless)
{
    std::string out;
    out.reserve(text.size());
    bool complete = true;
    for (const char16_t c : text) {
        const unsigned char byte = wideToCp1251Byte(c);
        if (byte == 0 && c != 0) {
            out += '?';
            complete = false;
        } else {
            out += static_cast<char>(byte);
        }
    }
    if (lossless)
        *lossless = complete;
    return out;
}

std::u16string cp1251ToWide(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    for (const char c : text)
        out += cp1251ByteToWide(static_cast<unsigned char>(c));
    return out;
}

std::string wideToUtf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (isHighSurrogate(c) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (isHighSurrogate(c) || isLowSurrogate(c)) {
            c = replacementCharacter;
        }
        appendUtf8(out, c);
    }
    return out;
}

std::u16string utf8ToWide(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size())
        appendUtf16(out, decodeUtf8(text, i));
    return out;
}

} // namespace platform
