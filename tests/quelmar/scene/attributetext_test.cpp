// Attribute values as initial-state files write them: the rules the reader has always had.
#include "attributetext.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cstdint>
#include <optional>

namespace quelmar {
namespace {

TEST(AttributeText, Numbers)
{
    const struct {
        const char* text;
        std::optional<double> value;
    } cases[] = {
        {"1.5", 1.5},          {" +2e3\t", 2000.0}, {"\xC2\xA0-.5", -0.5}, // no-break spaces trim too
        {"5.", 5.0},           {"-0", -0.0},        {"1e-310", 1e-310},   // denormals are numbers
        {"1,5", std::nullopt}, {"0x10", std::nullopt}, {"1e400", std::nullopt}, {"1e-400", std::nullopt},
        {"inf", std::nullopt}, {"nan", std::nullopt},  {"", std::nullopt},      {"+-1", std::nullopt},
        {"1 2", std::nullopt}, {"1e", std::nullopt},   {"\xD9\xA1", std::nullopt}, // an Arabic-Indic digit
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseNumber(c.text), c.value) << "'" << c.text << "'";
}

TEST(AttributeText, Integers)
{
    const struct {
        const char* text;
        std::optional<std::int64_t> value;
    } cases[] = {
        {"+12", 12},
        {" 007 ", 7},
        {"-9223372036854775808", INT64_MIN},
        {"9223372036854775808", std::nullopt},
        {"1e3", std::nullopt},
        {"5.0", std::nullopt},
        {"0x12", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseInteger(c.text), c.value) << "'" << c.text << "'";
}

TEST(AttributeText, ColoursPutRedInTheLowestByte)
{
    const struct {
        const char* text;
        std::optional<std::uint32_t> rgba;
    } cases[] = {
        {"#806040", 0xFF406080u}, // opaque without alpha
        {"#FF000080", 0x800000FFu},
        {" #ffffff ", 0xFFFFFFFFu},
        {"806040", std::nullopt},
        {"#8060400", std::nullopt},
        {"#GGGGGG", std::nullopt},
        {"#-FFFFF", std::nullopt},
        {"#fffff\xC3\xA9", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseColour(c.text), c.rgba) << "'" << c.text << "'";
}

TEST(AttributeText, MessagesShowSixDigits)
{
    EXPECT_EQ(formatNumber(-90.0), "-90");
    EXPECT_EQ(formatNumber(1e-6), "1e-06");
    EXPECT_EQ(formatNumber(-FLT_MAX), "-3.40282e+38");
}

} // namespace
} // namespace quelmar
