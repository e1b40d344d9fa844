#pragma once
// Host texts (wide) to the narrow Cyrillic code page the host log and file names use.

#include <string>

namespace kalmeno {

// One byte per character in Windows-1251. Throws std::runtime_error("error converting wstring
// to string") for a character the code page cannot hold.
std::string WStringToString(const std::wstring& text);

} // namespace kalmeno
