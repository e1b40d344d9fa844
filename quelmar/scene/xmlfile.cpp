#include "xmlfile.h"

#include "xmlchecks.h"
#include "xmltext.h"

#include <algorithm>
#include <string_view>

namespace quelmar {

namespace {

// Whitespace becomes spaces in attribute values and line ends become '\n', as XML wants; references
// are replaced by checkAndReplace, which also refuses the ones that are not.
// The declaration, processing instructions and comments are kept only to have them checked.
constexpr unsigned parseOptions = pugi::parse_wconv_attribute | pugi::parse_eol | pugi::parse_declaration |
                                  pugi::parse_pi | pugi::parse_comments;

std::string describe(const pugi::xml_parse_result& result, std::size_t length)
{
    switch (result.status) {
    case pugi::status_no_document_element: return "the file holds no element";
    case pugi::status_unrecognized_tag: return "a '<' that begins no tag";
    case pugi::status_bad_pi: return "a broken processing instruction";
    case pugi::status_bad_comment: return "a comment without its end";
    case pugi::status_bad_cdata: return "a CDATA section without its end";
    case pugi::status_bad_doctype: return "a broken document type declaration";
    case pugi::status_bad_pcdata: return "broken text";
    case pugi::status_bad_start_element: return "a broken start tag";
    case pugi::status_bad_attribute: return "a broken attribute";
    case pugi::status_bad_end_element: return "a broken end tag";
    case pugi::status_end_element_mismatch:
        return static_cast<std::size_t>(result.offset) + 1 >= length ? "the file ends inside an element"
                                           : "an end tag that does not match the open element";
    default: return result.description();
    }
}

pugi::xml_node nextInDocument(pugi::xml_node node)
{
    if (node.first_child())
        return node.first_child();
    while (node && !node.next_sibling())
        node = node.parent();
    return node ? node.next_sibling() : pugi::xml_node();
}

pugi::xml_node lastElementChild(pugi::xml_node node)
{
    for (pugi::xml_node child = node.last_child(); child; child = child.previous_sibling())
        if (child.type() == pugi::node_element)
            return child;
    return {};
}

} // namespace

void XmlFile::parse(std::string bytes)
{
    document_.reset();
    open_.clear();
    fault_.reset();
    lineStarts_.assign(1, 0);
    auto decoded = decodeXmlText(std::move(bytes));
    if (!decoded) {
        text_.clear();
        fault_ = Fault{1, 1, decoded.error()};
        return;
    }
    text_ = std::move(decoded.value().utf8);
    for (std::size_t i = 0; i < text_.size(); ++i)
        if (text_[i] == '\n' || (text_[i] == '\r' && (i + 1 == text_.size() || text_[i + 1] != '\n')))
            lineStarts_.push_back(i + 1);

    // Reading stops at the first of: text that is no XML, pugixml's fault, a fault pugixml lets pass.
    Stop stop{text_.size(), {}};
    if (!decoded->invalidReason.empty())
        stop = {decoded->validLength, decoded->invalidReason};
    bool treeEndsAtStop = false;
    const pugi::xml_parse_result parsed = parseUpTo(text_.size());
    // pugixml puts a fault at the end of the text on its last character or one past it.
    std::size_t faultAt = static_cast<std::size_t>(parsed.offset);
    if (faultAt + 1 >= text_.size())
        faultAt = text_.size();
    if (!parsed && faultAt <= stop.offset) {
        stop = {faultAt, describe(parsed, text_.size())};
        treeEndsAtStop = true;
        // These lie in the start tag of the last element pugixml began, wherever the offset points.
        if (parsed.status == pugi::status_bad_start_element || parsed.status == pugi::status_bad_attribute)
            removeCutElement(stop);
    }
    if (auto unchecked = checkAndReplace(stop.offset)) {
        stop = std::move(*unchecked);
        treeEndsAtStop = false;
    }
    if (!treeEndsAtStop && stop.offset < text_.size()) {
        parseUpTo(stop.offset);     // pugixml's complaint about the cut end is no news
        checkAndReplace(stop.offset); // finds nothing new before the stop; replaces references
    }
    if (stop.what.empty())
        return;
    findOpenElements(stop.offset);
    if (root() && open_.empty())
        return; // the fault lies after the root element's end, where nobody reads
    fault_ = Fault{lineAt(stop.offset), columnAt(stop.offset), stop.what};
}

pugi::xml_parse_result XmlFile::parseUpTo(std::size_t length)
{
    return document_.load_buffer(text_.data(), length, parseOptions, pugi::encoding_utf8);
}

std::optional<XmlFile::Stop> XmlFile::checkAndReplace(std::size_t stop)
{
    const std::string_view text = std::string_view(text_).substr(0, stop);
    const pugi::xml_node first = root();
    const std::size_t prolog = first ? static_cast<std::size_t>(first.offset_debug()) - 1 : text.size();
    if (const auto junk = findTextBeforeRoot(text.substr(0, prolog)))
        return Stop{*junk, "text before the root element"};
    // Each node counts once it ends before the stop; the first that does not is the last one.
    for (pugi::xml_node node = document_.first_child(); node; node = nextInDocument(node)) {
        const auto at = static_cast<std::size_t>(node.offset_debug());
        if (node.type() == pugi::node_element) {
            const std::optional<TagEnd> end = startTagEnd(node, stop);
            if (!end)
                break;
            if (end->broken)
                return Stop{end->at, "a '<' inside the start tag of <" + std::string(node.name()) + ">"};
            if (auto why = checkStartTag(node))
                return Stop{at - 1, std::move(*why)};
        } else if (node.type() == pugi::node_pcdata) {
            const std::string_view source = text.substr(std::min(at, text.size()));
            const std::size_t end = source.find('<');
            if (const auto bad = findBadReference(source.substr(0, end), end == std::string_view::npos))
                return Stop{at + *bad, "an '&' that begins no known reference in the text of <" +
                                           std::string(node.parent().name()) + "> (write '&amp;' for '&')"};
        } else if (node.type() == pugi::node_comment) {
            const std::size_t end = text.find("-->", at);
            if (end == std::string_view::npos)
                break;
            if (auto why = checkComment(text.substr(at, end - at)))
                return Stop{at - 4, std::move(*why)};
        } else if (node.type() == pugi::node_declaration) {
            if (text.find("?>", at) == std::string_view::npos)
                break;
            if (at != 2)
                return Stop{at - 2, "the XML declaration must open the file"};
            if (auto why = checkDeclaration(node))
                return Stop{0, std::move(*why)};
        }
    }
    return std::nullopt;
}

// The '>' that ends the element's start tag, or a '<' that breaks it, when either comes before `stop`.
std::optional<XmlFile::TagEnd> XmlFile::startTagEnd(pugi::xml_node element, std::size_t stop) const
{
    char quote = 0;
    for (auto i = static_cast<std::size_t>(element.offset_debug()); i < stop; ++i) {
        const char c = text_[i];
        if (c == '<')
            return TagEnd{i, true};
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            return TagEnd{i, false};
        }
    }
    return std::nullopt;
}

// pugixml keeps the tree it built before a fault but not which elements were still open. They
// lie on the branch to the last element: the end tags between that element and the fault close
// the innermost ones.
void XmlFile::findOpenElements(std::size_t stop)
{
    std::vector<pugi::xml_node> branch;
    for (pugi::xml_node node = lastElementChild(document_); node; node = lastElementChild(node))
        branch.push_back(node);
    if (branch.empty() || branch.front() != root())
        return; // the root element ended before the fault
    const std::optional<TagEnd> tagEnd = startTagEnd(branch.back(), stop);
    if (!tagEnd || tagEnd->broken) {
        // Its start tag was cut off: as if it had not begun.
        branch.back().parent().remove_child(branch.back());
        branch.pop_back();
        open_ = std::move(branch);
        return;
    }
    if (text_[tagEnd->at - 1] == '/')
        branch.pop_back();
    const std::string_view text = std::string_view(text_).substr(0, stop);
    std::size_t i = tagEnd->at + 1;
    while (!branch.empty() && i < text.size()) {
        if (text[i] != '<') { // text between tags
            i = std::min(text.find('<', i), text.size());
            continue;
        }
        const std::string_view rest = text.substr(i);
        std::string_view closer;
        if (rest.substr(0, 4) == "<!--")
            closer = "-->";
        else if (rest.substr(0, 9) == "<![CDATA[")
            closer = "]]>";
        else if (rest.substr(0, 2) == "<?")
            closer = "?>";
        if (!closer.empty()) {
            const std::size_t end = text.find(closer, i + 2);
            if (end == std::string_view::npos)
                break;
            i = end + closer.size();
            continue;
        }
        const std::string_view name = branch.back().name();
        if (rest.substr(0, 2) != "</" || rest.substr(2, name.size()) != name)
            break;
        const std::size_t close = rest.find_first_not_of(" \t\r\n", 2 + name.size());
        if (close == std::string_view::npos || rest[close] != '>')
            break;
        branch.pop_back();
        i += close + 1;
    }
    open_ = std::move(branch);
}

void XmlFile::removeCutElement(Stop& stop)
{
    pugi::xml_node last;
    for (pugi::xml_node node = lastElementChild(document_); node; node = lastElementChild(node))
        last = node;
    if (!last)
        return;
    // pugixml takes a '<' in a value; the fault lies there when one comes first.
    if (const auto end = startTagEnd(last, stop.offset); end && end->broken)
        stop = {end->at, "a '<' inside the start tag of <" + std::string(last.name()) + ">"};
    last.parent().remove_child(last);
}

pugi::xml_node XmlFile::root() const
{
    for (pugi::xml_node child = document_.first_child(); child; child = child.next_sibling())
        if (child.type() == pugi::node_element)
            return child;
    return {};
}

bool XmlFile::complete(pugi::xml_node element) const
{
    std::size_t depth = 0;
    for (pugi::xml_node above = element.parent(); above && above.type() == pugi::node_element; above = above.parent())
        ++depth;
    return depth >= open_.size() || open_[depth] != element;
}

std::size_t XmlFile::line(pugi::xml_node node) const
{
    return lineAt(static_cast<std::size_t>(node.offset_debug()));
}

std::size_t XmlFile::lineAt(std::size_t offset) const
{
    return static_cast<std::size_t>(std::upper_bound(lineStarts_.begin(), lineStarts_.end(), offset) -
                                    lineStarts_.begin());
}

std::size_t XmlFile::columnAt(std::size_t offset) const
{
    const std::size_t start = lineStarts_[lineAt(offset) - 1];
    std::size_t characters = 0;
    for (std::size_t i = start; i < offset && i < text_.size(); ++i)
        characters += (static_cast<unsigned char>(text_[i]) & 0xC0) != 0x80;
    return characters + 1;
}

} // namespace quelmar
