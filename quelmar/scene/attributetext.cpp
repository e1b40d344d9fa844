#include "attributetext.h"

#include "text.h"

#include <charconv>
#include <cmath>

namespace quelmar {

namespace {

bool isSpace(char32_t c)
{
    return c == ' ' || (c >= '\t' && c <= '\r') || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000;
}

// One leading '+' is allowed where std::from_chars takes only '-'.
std::optional<std::string_view> withoutPlus(std::string_view text)
{
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && (text.front() == '+' || text.front() == '-'))
            return std::nullopt;
    }
    return text;
}

template <typename T, typename... Format>
std::optional<T> parseWhole(std::string_view text, Format... format)
{
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, format...);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

// How many UTF-16 units `text` takes: the colour's length rule counts those.
std::size_t utf16Length(std::string_view text)
{
    std::size_t units = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80)
            units += c >= 0xF0 ? 2 : 1;
    return units;
}

} // namespace

std::string_view trimmedText(std::string_view text)
{
    while (!text.empty()) {
        std::size_t next = 0;
        if (!isSpace(platform::decodeUtf8(text, next)))
            break;
        text.remove_prefix(next);
    }
    while (!text.empty()) {
        std::size_t last = text.size() - 1;
        while (last > 0 && text.size() - last < 4 && (static_cast<unsigned char>(text[last]) & 0xC0) == 0x80)
            --last;
        std::size_t next = last;
        if (!isSpace(platform::decodeUtf8(text, next)) || next != text.size())
            break;
        text.remove_suffix(text.size() - last);
    }
    return text;
}

std::optional<double> parseNumber(std::string_view text)
{
    const auto unsigned_ = withoutPlus(trimmedText(text));
    if (!unsigned_)
        return std::nullopt;
    const auto value = parseWhole<double>(*unsigned_, std::chars_format::general);
    if (!value || !std::isfinite(*value))
        return std::nullopt;
    return value;
}

std::optional<std::int64_t> parseInteger(std::string_view text)
{
    const auto unsigned_ = withoutPlus(trimmedText(text));
    if (!unsigned_)
        return std::nullopt;
    return parseWhole<std::int64_t>(*unsigned_, 10);
}

std::optional<std::uint32_t> parseColour(std::string_view text)
{
    text = trimmedText(text);
    const std::size_t length = utf16Length(text);
    if (text.empty() || text.front() != '#' || (length != 7 && length != 9))
        return std::nullopt;
    // The digits may carry the spaces, sign and "0x" that a hexadecimal number may.
    std::string_view digits = trimmedText(text.substr(1));
    if (!digits.empty() && digits.front() == '+')
        digits.remove_prefix(1);
    if (digits.size() >= 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X'))
        digits.remove_prefix(2);
    const auto rgba = parseWhole<std::uint32_t>(digits, 16);
    if (!rgba)
        return std::nullopt;
    const std::uint32_t full = length == 7 ? (*rgba << 8) | 0xffu : *rgba;
    return ((full >> 24) & 0xffu) | (((full >> 16) & 0xffu) << 8) | (((full >> 8) & 0xffu) << 16) |
           ((full & 0xffu) << 24);
}

std::string formatNumber(double value)
{
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6).ptr;
    return std::string(buffer, end);
}

} // namespace quelmar
