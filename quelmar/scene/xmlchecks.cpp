#include "xmlchecks.h"

#include "text.h"
#include "xmltext.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <utility>
#include <vector>

namespace quelmar {

namespace {

std::string element(pugi::xml_node node) { return std::string("<") + node.name() + ">"; }

// XML's rule for element and attribute names; pugixml takes any byte above 127 in them.
bool isName(std::string_view name)
{
    bool first = true;
    for (std::size_t i = 0; i < name.size();) {
        const char32_t c = platform::decodeUtf8(name, i);
        const bool start = c == ':' || c == '_' || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                           (c >= 0xC0 && c <= 0xD6) || (c >= 0xD8 && c <= 0xF6) || (c >= 0xF8 && c <= 0x2FF) ||
                           (c >= 0x370 && c <= 0x37D) || (c >= 0x37F && c <= 0x1FFF) || c == 0x200C || c == 0x200D ||
                           (c >= 0x2070 && c <= 0x218F) || (c >= 0x2C00 && c <= 0x2FEF) ||
                           (c >= 0x3001 && c <= 0xD7FF) || (c >= 0xF900 && c <= 0xFDCF) ||
                           (c >= 0xFDF0 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0xEFFFF);
        const bool inner = c == '-' || c == '.' || (c >= '0' && c <= '9') || c == 0xB7 ||
                           (c >= 0x300 && c <= 0x36F) || c == 0x203F || c == 0x2040;
        if (!(start || (!first && inner)))
            return false;
        first = false;
    }
    return !first;
}

// The reference at the start of `text` (its '&'): appends what it stands for and returns its
// length, or 0 when it is none.
std::size_t replaceReference(std::string_view text, std::string& out)
{
    const std::size_t end = text.find(';');
    if (end == std::string_view::npos)
        return 0;
    const std::string_view name = text.substr(1, end - 1);
    static constexpr std::pair<std::string_view, char> named[] = {
        {"lt", '<'}, {"gt", '>'}, {"amp", '&'}, {"apos", '\''}, {"quot", '"'}};
    for (const auto& [entity, character] : named)
        if (name == entity) {
            out += character;
            return end + 1;
        }
    if (name.size() < 2 || name[0] != '#')
        return 0;
    const bool hex = name[1] == 'x';
    const std::string_view digits = name.substr(hex ? 2 : 1);
    std::uint32_t c = 0;
    const auto [stop, error] = std::from_chars(digits.data(), digits.data() + digits.size(), c, hex ? 16 : 10);
    if (digits.empty() || error != std::errc() || stop != digits.data() + digits.size() || !isXmlCharacter(c))
        return 0;
    platform::appendUtf8(out, c);
    return end + 1;
}

bool startsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

} // namespace

std::optional<std::string> checkStartTag(pugi::xml_node node)
{
    if (!isName(node.name()))
        return "'" + std::string(node.name()) + "' is not an element name";
    std::vector<std::string_view> names;
    for (pugi::xml_attribute attribute : node.attributes()) {
        const std::string name = attribute.name();
        if (!isName(name))
            return "'" + name + "' in " + element(node) + " is not an attribute name";
        names.emplace_back(attribute.name());
        const std::string_view raw = attribute.value();
        if (raw.find('&') == std::string_view::npos)
            continue;
        std::string value;
        for (std::size_t i = 0; i < raw.size();) {
            if (raw[i] != '&') {
                value += raw[i++];
                continue;
            }
            const std::size_t length = replaceReference(raw.substr(i), value);
            if (length == 0)
                return "an '&' that begins no known reference in the value of attribute '" + name + "' of " +
                       element(node) + " (write '&amp;' for '&')";
            i += length;
        }
        attribute.set_value(value.c_str());
    }
    std::sort(names.begin(), names.end());
    const auto twice = std::adjacent_find(names.begin(), names.end());
    if (twice != names.end())
        return "attribute '" + std::string(*twice) + "' appears twice in " + element(node);
    return std::nullopt;
}

std::optional<std::string> checkDeclaration(pugi::xml_node declaration)
{
    if (std::string_view(declaration.attribute("version").value()) != "1.0")
        return "the XML declaration must give version=\"1.0\"";
    for (pugi::xml_attribute attribute : declaration.attributes()) {
        const std::string_view name = attribute.name(), value = attribute.value();
        if (name == "standalone" ? value != "yes" && value != "no" : name != "version" && name != "encoding")
            return "the XML declaration's " + std::string(name) + "=\"" + std::string(value) + "\" is not XML";
    }
    return std::nullopt;
}

std::optional<std::string> checkComment(std::string_view comment)
{
    if (comment.find("--") != std::string_view::npos || (!comment.empty() && comment.back() == '-'))
        return "'--' inside a comment";
    return std::nullopt;
}

std::optional<std::size_t> findBadReference(std::string_view text, bool cut)
{
    std::string ignored;
    for (std::size_t i = text.find('&'); i != std::string_view::npos; i = text.find('&', i + 1)) {
        if (replaceReference(text.substr(i), ignored) > 0)
            continue;
        if (cut && text.find(';', i) == std::string_view::npos)
            return std::nullopt;
        return i;
    }
    return std::nullopt;
}

std::optional<std::size_t> findTextBeforeRoot(std::string_view prolog)
{
    constexpr auto none = std::string_view::npos;
    // Just past `closer`, searched from `from`.
    const auto after = [](std::string_view text, std::string_view closer, std::size_t from) {
        const std::size_t at = from == none ? none : text.find(closer, from);
        return at == none ? none : at + closer.size();
    };
    for (std::size_t i = prolog.find_first_not_of(" \t\r\n"); i != none; i = prolog.find_first_not_of(" \t\r\n", i)) {
        const std::string_view rest = prolog.substr(i);
        std::size_t end = none;
        if (startsWith(rest, "<?")) {
            end = after(rest, "?>", 2);
        } else if (startsWith(rest, "<!--")) {
            end = after(rest, "-->", 4);
        } else if (startsWith(rest, "<!DOCTYPE")) {
            // An internal subset in brackets may hold '>'.
            const std::size_t open = rest.find_first_of("[>");
            end = open != none && rest[open] == '[' ? after(rest, ">", after(rest, "]", open)) : after(rest, ">", open);
        } else {
            return i;
        }
        if (end == none)
            return std::nullopt; // cut off: the fault that cut it is the one to report
        i += end;
    }
    return std::nullopt;
}

} // namespace quelmar
