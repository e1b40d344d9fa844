#pragma once
// An XML file parsed whole with pugixml, for readers that keep whole elements only.
//
// Malformed XML is not a failure: reading stops at the first fault, the tree holds every element
// whose start tag came before it, and complete() says whether an element's end came before it
// too. The checks pugixml leaves out (XML characters, repeated attributes, '<' in values, unknown
// references) stop reading the same way. Attribute values arrive with references replaced.

#include <pugixml.hpp>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace quelmar {

class XmlFile {
public:
    struct Fault {
        std::size_t line = 0;   // from 1
        std::size_t column = 0; // from 1, in characters
        std::string what;
    };

    // Parses the bytes of a file (the reader opens it: only a regular file).
    void parse(std::string bytes);

    // The first element, when its start tag was read whole.
    pugi::xml_node root() const;
    // Whether reading got past the element's end.
    bool complete(pugi::xml_node element) const;
    // The line of an element's start tag.
    std::size_t line(pugi::xml_node node) const;
    // The fault that stopped reading before the root element ended (or before it began).
    const std::optional<Fault>& fault() const { return fault_; }

private:
    struct Stop {
        std::size_t offset;
        std::string what;
    };
    struct TagEnd {
        std::size_t at;
        bool broken; // at a '<', not at the '>'
    };

    pugi::xml_parse_result parseUpTo(std::size_t length);
    std::optional<Stop> checkAndReplace(std::size_t stop);
    std::optional<TagEnd> startTagEnd(pugi::xml_node element, std::size_t stop) const;
    void findOpenElements(std::size_t stop);
    void removeCutElement(Stop& stop);
    std::size_t lineAt(std::size_t offset) const;
    std::size_t columnAt(std::size_t offset) const;

    std::string text_;
    std::vector<std::size_t> lineStarts_;
    pugi::xml_document document_;
    std::vector<pugi::xml_node> open_; // from the root down: the elements the fault cut off
    std::optional<Fault> fault_;
};

} // namespace quelmar
