#include "text.h"

#include <gtest/gtest.h>

#include <string>

using namespace platform;

namespace {

TEST(Cp1251Text, CyrillicRoundTripUsesOneBytePerCharacter)
{
    const std::u16string cases[] = {
        u"Объект МТМ",
        u"Ёлка ёж Її Єє Ґґ Ўў",
        u"№ 5 — «тест» …",
        u"plain ASCII 0-9",
        u"",
    };
    for (const std::u16string& text : cases) {
        bool lossless = false;
        const std::string bytes = wideToCp1251(text, &lossless);
        EXPECT_TRUE(lossless);
        EXPECT_EQ(bytes.size(), text.size());
        EXPECT_EQ(cp1251ToWide(bytes), text);
    }
    EXPECT_EQ(wideToCp1251(u"Аяё"), std::string("\xC0\xFF\xB8"));
}

TEST(Cp1251Text, EveryAssignedByteRoundTrips)
{
    for (int byte = 1; byte < 256; ++byte) {
        const std::string one(1, static_cast<char>(byte));
        const std::u16string wide = cp1251ToWide(one);
        ASSERT_EQ(wide.size(), 1u);
        if (byte == 0x98) {
            EXPECT_EQ(wide[0], u'\uFFFD');
            continue;
        }
        bool lossless = false;
        EXPECT_EQ(wideToCp1251(wide, &lossless), one) << "byte " << byte;
        EXPECT_TRUE(lossless) << "byte " << byte;
    }
}

TEST(Cp1251Text, UnconvertibleCharactersBecomeQuestionMarks)
{
    const struct {
        std::u16string text;
        std::string bytes;
    } cases[] = {
        {u"caf\u00E9", "caf?"},
        {u"\u4E2D\u6587", "??"},
        {u"\u03A9=\u0416", std::string("?=\xC6")},
        {u"\uFFFD", "?"},
        {u"\xD83D\xDE00", "??"},
    };
    for (const auto& c : cases) {
        bool lossless = true;
        EXPECT_EQ(wideToCp1251(c.text, &lossless), c.bytes);
        EXPECT_FALSE(lossless);
    }
    EXPECT_EQ(wideToCp1251(std::u16string(u"a\0b", 3)), std::string("a\0b", 3)) << "NUL is kept";
}

TEST(Utf8Text, RoundTripsEveryPlane)
{
    const std::u16string text = u"Kalmeno: Объект \u20AC \U0001F600 end";
    const std::string utf8 = wideToUtf8(text);
    EXPECT_EQ(utf8, "Kalmeno: \xD0\x9E\xD0\xB1\xD1\x8A\xD0\xB5\xD0\xBA\xD1\x82 \xE2\x82\xAC \xF0\x9F\x98\x80 end");
    EXPECT_EQ(utf8ToWide(utf8), text);
    EXPECT_EQ(wideToUtf8(u""), "");
    EXPECT_EQ(utf8ToWide(""), u"");
}

TEST(Utf8Text, MalformedInputBecomesReplacementCharacters)
{
    const struct {
        std::string utf8;
        std::u16string wide;
    } decodeCases[] = {
        {"a\xFF" "b", u"a\uFFFD" "b"},
        {"\xC0\xAF", u"\uFFFD\uFFFD"},        // overlong '/'
        {"\xED\xA0\x80", u"\uFFFD"},          // encoded surrogate
        {"\xF4\x90\x80\x80", u"\uFFFD"},      // beyond U+10FFFF
        {"\xE2\x82", u"\uFFFD"},              // cut short
        {"\xE2\x82" "A", u"\uFFFD" "A"},      // interrupted
    };
    for (const auto& c : decodeCases)
        EXPECT_EQ(utf8ToWide(c.utf8), c.wide);

    EXPECT_EQ(wideToUtf8(u"x\xD800y"), "x\xEF\xBF\xBDy") << "lone high surrogate";
    EXPECT_EQ(wideToUtf8(u"\xDC00"), "\xEF\xBF\xBD") << "lone low surrogate";
}

} // namespace
