#pragma once
// Number and string formatting shared by the commands' output.

#include <string>

namespace mtm {

// Shortest-safe text of a double that reads back to the same value ("%.17g"); nan and inf as
// "nan", "inf", "-inf".
std::string formatReal(double value);

// A JSON number for a double; null for values JSON cannot hold (nan, inf).
std::string jsonReal(double value);

// A quoted JSON string; bytes that are not valid UTF-8 become U+FFFD.
std::string jsonString(const std::string& text);

} // namespace mtm
