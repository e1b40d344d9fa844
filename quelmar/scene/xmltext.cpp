#include "xmltext.h"

#include "text.h"

#include <iconv.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <optional>
#include <string_view>

namespace quelmar {

namespace {

struct Encoding {
    bool utf8 = true;
    std::string name; // for iconv
    std::size_t markSize = 0;
};

bool startsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

// The encoding named in `<?xml ... encoding="..."?>` at the very start of 8-bit text.
std::optional<std::string> declaredEncoding(std::string_view text)
{
    if (!startsWith(text, "<?xml") || text.size() < 6 || !std::strchr(" \t\r\n", text[5]))
        return std::nullopt;
    const std::string_view declaration = text.substr(0, text.find("?>"));
    const std::size_t key = declaration.find("encoding");
    if (key == std::string_view::npos)
        return std::nullopt;
    std::size_t i = declaration.find_first_not_of(" \t\r\n", key + 8);
    if (i == std::string_view::npos || declaration[i] != '=')
        return std::nullopt;
    i = declaration.find_first_not_of(" \t\r\n", i + 1);
    if (i == std::string_view::npos || (declaration[i] != '"' && declaration[i] != '\''))
        return std::nullopt;
    const std::size_t end = declaration.find(declaration[i], i + 1);
    if (end == std::string_view::npos)
        return std::nullopt;
    return std::string(declaration.substr(i + 1, end - i - 1));
}

bool isUtf8Name(std::string name)
{
    for (char& c : name)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name == "UTF-8" || name == "UTF8";
}

Encoding detectEncoding(std::string_view bytes)
{
    using namespace std::string_view_literals;
    if (startsWith(bytes, "\xEF\xBB\xBF"))
        return {true, "", 3};
    if (startsWith(bytes, "\xFF\xFE\0\0"sv))
        return {false, "UTF-32LE", 4};
    if (startsWith(bytes, "\0\0\xFE\xFF"sv))
        return {false, "UTF-32BE", 4};
    if (startsWith(bytes, "\xFF\xFE"))
        return {false, "UTF-16LE", 2};
    if (startsWith(bytes, "\xFE\xFF"))
        return {false, "UTF-16BE", 2};
    // "<?" without a mark.
    if (startsWith(bytes, "<\0?\0"sv))
        return {false, "UTF-16LE", 0};
    if (startsWith(bytes, "\0<\0?"sv))
        return {false, "UTF-16BE", 0};
    if (const auto declared = declaredEncoding(bytes); declared && !isUtf8Name(*declared))
        return {false, *declared, 0};
    return {};
}

// XML's rule for encoding names; iconv would take "" for the locale's own.
bool isEncodingName(std::string_view name)
{
    const auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    if (name.empty() || !letter(name[0]))
        return false;
    return std::all_of(name.begin(), name.end(), [&](char c) {
        return letter(c) || (c >= '0' && c <= '9') || c == '.' || c == '_' || c == '-';
    });
}

// Converts as much as `encoding` allows; `stopped` tells whether some input could not be converted.
kalmeno::Result<std::string> convertToUtf8(std::string_view bytes, const std::string& encoding, bool& stopped)
{
    const auto none = reinterpret_cast<iconv_t>(-1);
    const iconv_t converter = isEncodingName(encoding) ? iconv_open("UTF-8", encoding.c_str()) : none;
    if (converter == none)
        return kalmeno::Result<std::string>::failure("the encoding '" + encoding + "' is not supported");
    std::string out(bytes.size() + bytes.size() / 2 + 16, '\0');
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    std::size_t written = 0;
    stopped = false;
    while (inLeft > 0) {
        char* to = out.data() + written;
        std::size_t outLeft = out.size() - written;
        const std::size_t result = iconv(converter, &in, &inLeft, &to, &outLeft);
        written = out.size() - outLeft;
        if (result != static_cast<std::size_t>(-1))
            break;
        if (errno != E2BIG) {
            stopped = true; // a sequence that is not text in this encoding
            break;
        }
        out.resize(out.size() * 2);
    }
    iconv_close(converter);
    out.resize(written);
    return kalmeno::Result<std::string>::success(std::move(out));
}

// The length of a valid UTF-8 sequence of an XML character at text[i], 0 when there is none.
std::size_t xmlCharacterLength(std::string_view text, std::size_t i)
{
    std::size_t next = i;
    const char32_t c = platform::decodeUtf8(text, next);
    const bool malformed = c == 0xFFFD && text.substr(i, 3) != "\xEF\xBF\xBD";
    return malformed || !isXmlCharacter(c) ? 0 : next - i;
}

} // namespace

bool isXmlCharacter(char32_t c)
{
    return c == '\t' || c == '\n' || c == '\r' || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

kalmeno::Result<XmlText> decodeXmlText(std::string bytes)
{
    const Encoding encoding = detectEncoding(bytes);
    XmlText text;
    bool stopped = false;
    if (encoding.utf8) {
        text.utf8 = std::move(bytes);
        text.utf8.erase(0, encoding.markSize);
    } else {
        auto converted = convertToUtf8(std::string_view(bytes).substr(encoding.markSize), encoding.name, stopped);
        if (!converted)
            return kalmeno::Result<XmlText>::failure(converted.error());
        text.utf8 = std::move(converted.value());
    }
    std::size_t i = 0;
    while (i < text.utf8.size()) {
        const std::size_t length = xmlCharacterLength(text.utf8, i);
        if (length == 0)
            break;
        i += length;
    }
    text.validLength = i;
    if (i < text.utf8.size())
        text.invalidReason = encoding.utf8 ? "a byte that is not an XML character in UTF-8"
                                                   : "a character that is not allowed in XML";
    else if (stopped)
        text.invalidReason = "bytes that are not text in the encoding " + encoding.name;
    return kalmeno::Result<XmlText>::success(std::move(text));
}

} // namespace quelmar
