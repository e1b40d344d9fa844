#pragma once
// Numbers, integers and colours as initial-state files write them in attribute values. The rules
// do not depend on the process's locale: the plug-in's toolkit may change it at any time.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quelmar {

// `text` without the white space (Unicode's, not only ASCII's) at both ends.
std::string_view trimmedText(std::string_view text);

// A finite decimal number: an optional sign, digits with an optional point and exponent.
std::optional<double> parseNumber(std::string_view text);
// A decimal integer with an optional sign that fits 64 bits.
std::optional<std::int64_t> parseInteger(std::string_view text);
// "#RRGGBB" (opaque) or "#RRGGBBAA" as four bytes with red in the least significant one.
std::optional<std::uint32_t> parseColour(std::string_view text);

// A number as messages show it: six significant digits.
std::string formatNumber(double value);

} // namespace quelmar
