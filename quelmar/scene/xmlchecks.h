#pragma once
// The rules of well-formed XML that pugixml leaves out, over pugixml's nodes and the source text.

#include <pugixml.hpp>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quelmar {

// Why an element's start tag breaks a rule (names, repeated attributes, unknown references), or
// nothing. Replaces the references in its attribute values.
std::optional<std::string> checkStartTag(pugi::xml_node element);
// Why `<?xml ...?>` breaks a rule, or nothing.
std::optional<std::string> checkDeclaration(pugi::xml_node declaration);
// Why a comment's text breaks a rule, or nothing.
std::optional<std::string> checkComment(std::string_view comment);
// Where `text` (character data) has an '&' that begins no reference. When reading stopped inside
// the text (`cut`), a reference left without its end is not a fault.
std::optional<std::size_t> findBadReference(std::string_view text, bool cut);
// Where the text before the root element has something other than white space, comments,
// processing instructions and a document type.
std::optional<std::size_t> findTextBeforeRoot(std::string_view prolog);

} // namespace quelmar
