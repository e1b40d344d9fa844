// The pieces of the `mtm` commands that are tested in-process.

#include "commandline.h"
#include "textformat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>

using namespace mtm;

namespace {

TEST(CommandLine, SplitsOptionsAndOperands)
{
    const std::vector<CommandLine::Option> options{{"--json", false}, {"--point", true}};
    const struct {
        std::vector<std::string> arguments;
        std::vector<std::string> operands;
        bool json;
        std::string point; // "" when not given
    } cases[] = {
        {{"a.mtm"}, {"a.mtm"}, false, ""},
        {{"--json", "a.mtm"}, {"a.mtm"}, true, ""},
        {{"a.mtm", "--point", "3"}, {"a.mtm"}, false, "3"},
        {{"--point=12", "a.mtm"}, {"a.mtm"}, false, "12"},
        {{"--point", "1", "--point", "2", "a.mtm"}, {"a.mtm"}, false, "2"},
        {{"--", "--json"}, {"--json"}, false, ""},
        {{"-"}, {"-"}, false, ""},
    };
    for (const auto& c : cases) {
        const auto line = CommandLine::parse(c.arguments, options, 1);
        ASSERT_TRUE(line) << line.error();
        EXPECT_FALSE(line->helpRequested());
        EXPECT_EQ(line->operands(), c.operands);
        EXPECT_EQ(line->has("--json"), c.json);
        EXPECT_EQ(line->value("--point").value_or(""), c.point);
    }
}

TEST(CommandLine, RefusesWrongLinesWithAReason)
{
    const std::vector<CommandLine::Option> options{{"--json", false}, {"--point", true}};
    const struct {
        std::vector<std::string> arguments;
        std::string reason;
    } cases[] = {
        {{}, "missing the file"},
        {{"a", "b"}, "unexpected argument \"b\""},
        {{"a", "--yaml"}, "unknown option --yaml"},
        {{"a", "--json=1"}, "option --json takes no value"},
        {{"a", "--point"}, "option --point needs a value"},
    };
    for (const auto& c : cases) {
        const auto line = CommandLine::parse(c.arguments, options, 1);
        ASSERT_FALSE(line);
        EXPECT_EQ(line.error(), c.reason);
    }

    const auto help = CommandLine::parse({"--help"}, options, 1);
    ASSERT_TRUE(help) << "help needs no operands";
    EXPECT_TRUE(help->helpRequested());
}

TEST(CommandLine, ParsesIndices)
{
    const struct {
        const char* text;
        bool valid;
        std::uint32_t value;
    } cases[] = {
        {"0", true, 0},       {"42", true, 42},     {"4294967295", true, 4294967295u},
        {"4294967296", false, 0}, {"", false, 0},   {"-1", false, 0},
        {"+1", false, 0},     {" 1", false, 0},     {"1x", false, 0},
        {"99999999999999999999", false, 0},
    };
    for (const auto& c : cases) {
        const auto index = parseIndex(c.text);
        EXPECT_EQ(index.ok(), c.valid) << c.text;
        if (index) {
            EXPECT_EQ(index.value(), c.value);
        }
    }
}

TEST(TextFormat, RealsReadBackExactly)
{
    for (const double value : {0.1, 1.0 / 3.0, -2.5e-300, 1e308, 4.9e-324, 123456789.0}) {
        const std::string text = formatReal(value);
        EXPECT_EQ(std::strtod(text.c_str(), nullptr), value) << text;
    }
    EXPECT_EQ(formatReal(std::numeric_limits<double>::quiet_NaN()), "nan");
    EXPECT_EQ(formatReal(-std::numeric_limits<double>::infinity()), "-inf");
    EXPECT_EQ(jsonReal(std::numeric_limits<double>::infinity()), "null");
    EXPECT_EQ(jsonReal(2.0), "2");
}

TEST(TextFormat, JsonStringsAreEscapedAndValidUtf8)
{
    const struct {
        std::string text;
        std::string json;
    } cases[] = {
        {"plain.mtm", "\"plain.mtm\""},
        {"a\"b\\c", "\"a\\\"b\\\\c\""},
        {"tab\there\n", "\"tab\\there\\n\""},
        {std::string("\x01", 1), "\"\\u0001\""},
        {"\xD0\x9C\xD0\xA2\xD0\x9C", "\"\xD0\x9C\xD0\xA2\xD0\x9C\""},
        {"bad\xFF", "\"bad\xEF\xBF\xBD\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(jsonString(c.text), c.json);
}

} // namespace
