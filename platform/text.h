#pragma once
// Wide (UTF-16) text to and from the Cyrillic code page Windows-1251 and UTF-8.

#include <string>
#include <string_view>

namespace platform {

// One byte per character. Characters that Windows-1251 cannot show become '?', and
// *lossless (when given) is set to false.
std::string wideToCp1251(std::u16string_view text, bool* lossless = nullptr);
// Every byte maps to one UTF-16 unit (the one unassigned byte, 0x98, maps to U+FFFD).
std::u16string cp1251ToWide(std::string_view text);

// One character as UTF-8.
void appendUtf8(std::string& out, char32_t c);
// The character whose UTF-8 sequence begins at text[i]; advances `i`. Malformed input yields
// U+FFFD and consumes only the bytes that could have begun a valid sequence.
char32_t decodeUtf8(std::string_view text, std::size_t& i);

// Invalid input (lone surrogates, malformed UTF-8) becomes U+FFFD.
std::string wideToUtf8(std::u16string_view text);
std::u16string utf8ToWide(std::string_view text);

} // namespace platform
