#include "wstringtostring.h"

#include "text.h"

#include <cstdint>
#include <stdexcept>

namespace kalmeno {

std::string WStringToString(const std::wstring& text)
{
    if (text.empty())
        return {};
    std::u16string utf16;
    utf16.reserve(text.size());
    for (const wchar_t character : text) {
        const auto code = static_cast<std::uint32_t>(character);
        if (code > 0x10FFFF)
            throw std::runtime_error("error converting wstring to string");
        if (code > 0xFFFF) {
            utf16.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
            utf16.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
        } else {
            utf16.push_back(static_cast<char16_t>(code));
        }
    }
    bool lossless = true;
    std::string narrow = platform::wideToCp1251(utf16, &lossless);
    if (!lossless)
        throw std::runtime_error("error converting wstring to string");
    return narrow;
}

} // namespace kalmeno
