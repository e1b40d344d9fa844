// Reading XML with pugixml: after a fault, the tree keeps what came before it and knows which
// elements were whole; the rules pugixml skips stop reading like its own faults do.
#include "xmlfile.h"

#include <gtest/gtest.h>

#include <string>

namespace quelmar {
namespace {

// The elements as "name(children)", '~' marking those the fault cut off before their end.
std::string outline(const XmlFile& file, pugi::xml_node element)
{
    std::string text = element.name();
    if (!file.complete(element))
        text += "~";
    std::string children;
    for (pugi::xml_node child : element.children())
        if (child.type() == pugi::node_element)
            children += (children.empty() ? "" : " ") + outline(file, child);
    return children.empty() ? text : text + "(" + children + ")";
}

TEST(XmlFile, KeepsWhatCameBeforeAFault)
{
    const struct {
        const char* name;
        std::string xml;
        std::string tree;  // empty: no root element
        std::string fault; // part of the fault's text; empty: none
        std::size_t line;
        std::size_t column;
    } cases[] = {
        {"whole", "<scene><a/><b><c/></b></scene>", "scene(a b(c))", "", 0, 0},
        {"end tag of another element", "<scene><a/><b><c/>\n</x></scene>", "scene~(a b~(c))", "does not match", 2, 3},
        {"start tag cut off", "<scene><a/><b x=\"1", "scene~(a)", "broken attribute", 1, 0},
        {"start tag broken before its end", "<scene><a/><b x y=\"1\"/><c/></scene>", "scene~(a)", "", 1, 0},
        {"a fault placed past the tag's '>'", "<scene><a/><b n-->-->=\"1\"/></scene>", "scene~(a)", "", 1, 0},
        {"after a closed element", "<scene><a><b/></a>\n<!-- -- --></scene>", "scene~(a(b))", "'--' inside a comment", 2, 1},
        {"after a self-closed element", "<scene><a><b/>\n<c", "scene~(a~(b))", "", 2, 0},
        {"end tags, comments and instructions before it", "<scene><a><b></b><!-- x --></a><?pi x?>&bad;</scene>",
         "scene~(a(b))", "no known reference in the text of <scene>", 1, 40},
        {"after the root element", "<scene><a/></scene><junk", "scene(a)", "", 0, 0},
        {"the file ends inside", "<scene><a/>", "scene~(a)", "the file ends inside an element", 1, 12},
        {"bytes that are not UTF-8", "<scene><a/>\n<b n=\"caf\xE9\"/></scene>", "scene~(a)", "not an XML character", 2, 10},
        {"a control character", "<scene><a/>\x01</scene>", "scene~(a)", "not an XML character", 1, 12},
        {"an attribute twice", "<scene><a/><b n=\"1\" n=\"2\"/></scene>", "scene~(a)", "'n' appears twice in <b>", 1, 12},
        {"'<' in a value", "<scene><a/><b n=\"<\"/><c/></scene>", "scene~(a)", "a '<' inside the start tag of <b>", 1, 18},
        {"an unknown reference", "<scene>\n<a p=\"x&y.obj\"/></scene>", "scene~", "write '&amp;' for '&'", 2, 1},
        {"a name that is none", "<scene><a/><b\xC2\xA0x/></scene>", "scene~(a)", "is not an element name", 1, 12},
        {"'>' in values and text is fine", "<scene><a n=\"x>y\"/>a > b</scene>", "scene(a)", "", 0, 0},
        {"text before the root", "junk<scene/>", "", "text before the root element", 1, 1},
        {"a declaration that is not first", " <?xml version=\"1.0\"?><scene/>", "", "must open the file", 1, 2},
        {"another XML version", "<?xml version=\"1.1\"?><scene/>", "", "version=\"1.0\"", 1, 1},
        {"an empty file", "", "", "holds no element", 1, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        XmlFile file;
        file.parse(c.xml);
        EXPECT_EQ(file.root() ? outline(file, file.root()) : "", c.tree);
        const auto& fault = file.fault();
        ASSERT_EQ(fault.has_value(), c.line != 0);
        if (!fault)
            continue;
        EXPECT_NE(fault->what.find(c.fault), std::string::npos) << fault->what;
        EXPECT_EQ(fault->line, c.line) << fault->what;
        if (c.column != 0) {
            EXPECT_EQ(fault->column, c.column) << fault->what;
        }
    }
}

template <std::size_t size>
std::string withZeros(const char (&bytes)[size])
{
    return std::string(bytes, size - 1);
}

TEST(XmlFile, ReadsValuesAsUtf8WhateverTheEncoding)
{
    const struct {
        const char* name;
        std::string bytes;
        std::string value; // of <scene n>
    } cases[] = {
        {"references", "<scene n=\"&lt;&amp;&#65;&#x416;&quot;\"/>", "<&A\xD0\x96\""},
        {"line ends and tabs in a value", "<scene n=\"a\r\nb\tc&#10;\"/>", "a b c\n"},
        {"UTF-8 with a byte order mark", "\xEF\xBB\xBF<scene n=\"\xD0\x96\"/>", "\xD0\x96"},
        {"UTF-16 with a byte order mark", withZeros("\xFF\xFE<\0s\0c\0e\0n\0e\0 \0n\0=\0\"\0\x16\x04\"\0/\0>\0"),
         "\xD0\x96"},
        {"a declared code page", "<?xml version=\"1.0\" encoding=\"windows-1251\"?><scene n=\"\xC6\"/>", "\xD0\x96"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        XmlFile file;
        file.parse(c.bytes);
        ASSERT_TRUE(file.root()) << (file.fault() ? file.fault()->what : "");
        EXPECT_FALSE(file.fault());
        EXPECT_EQ(std::string(file.root().attribute("n").value()), c.value);
    }

    XmlFile unknown;
    unknown.parse("<?xml version=\"1.0\" encoding=\"x-none\"?><scene/>");
    EXPECT_FALSE(unknown.root());
    ASSERT_TRUE(unknown.fault());
    EXPECT_NE(unknown.fault()->what.find("'x-none' is not supported"), std::string::npos);
}

TEST(XmlFile, LinesCountEveryKindOfLineEnd)
{
    XmlFile file;
    file.parse("<scene>\r\n<a/>\r<b/>\n\n<c\n/></scene>");
    const pugi::xml_node scene = file.root();
    EXPECT_EQ(file.line(scene), 1u);
    EXPECT_EQ(file.line(scene.child("a")), 2u);
    EXPECT_EQ(file.line(scene.child("b")), 3u);
    EXPECT_EQ(file.line(scene.child("c")), 5u); // where the tag begins
}

} // namespace
} // namespace quelmar
