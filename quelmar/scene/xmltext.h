#pragma once
// The text of an XML file as UTF-8. A byte order mark, or else the declaration's encoding, says
// what the bytes are (UTF-8 without either); anything but UTF-8 is converted with iconv.

#include "result.h"

#include <string>

namespace quelmar {

struct XmlText {
    std::string utf8;
    // How much of `utf8` holds XML characters only; where the bytes stop being text, reading stops.
    std::size_t validLength = 0;
    std::string invalidReason; // why the text ends at validLength, when it ends early
};

// XML's characters: tab, line ends and everything from the space on, but surrogates, U+FFFE, U+FFFF.
bool isXmlCharacter(char32_t c);

// Fails when the declared encoding is one iconv does not know.
kalmeno::Result<XmlText> decodeXmlText(std::string bytes);

} // namespace quelmar
