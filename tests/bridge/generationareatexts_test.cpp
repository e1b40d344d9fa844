// The generation area's editors: texts shown and texts read back.

#include <generationareatexts.h>

#include <gtest/gtest.h>

namespace {

TEST(GenerationAreaTexts, ShowsTheBoxWithEightDecimalsInEditorOrder)
{
    TBoundBox box;
    box.yaw = 30.0;
    box.sizeZ = 2.5;
    const QStringList expected = {"39.25049800", "-119.95537700", "2980.00000000", "30.00000000", "0.00000000",
                                  "0.00000000",  "1000.00000000", "1000.00000000", "2.50000000"};
    EXPECT_EQ(bridge::boundBoxTexts(box), expected);
}

TEST(GenerationAreaTexts, ReadsTheBoxAndTurnsNonNumbersIntoZero)
{
    TBoundBox box;
    bridge::applyBoundBoxTexts(box, {"10.5", "abc", "", "1", "2", "3", "4", "5", "6"});
    EXPECT_DOUBLE_EQ(box.lat, 10.5);
    EXPECT_DOUBLE_EQ(box.lon, 0.0);
    EXPECT_DOUBLE_EQ(box.alt, 0.0);
    EXPECT_DOUBLE_EQ(box.yaw, 1.0);
    EXPECT_DOUBLE_EQ(box.roll, 3.0);
    EXPECT_DOUBLE_EQ(box.sizeZ, 6.0);
    EXPECT_EQ(box.boxId, -1);
}

TEST(GenerationAreaTexts, ShowsCountsAsIntegersAndTheRestWithEightDecimals)
{
    TMtmSettings settings;
    const QStringList expected = {"10", "10", "10", "10.00000000", "10.00000000", "0.00000000", "0.00000000",
                                  "0.03000000"};
    EXPECT_EQ(bridge::settingsTexts(settings), expected);
}

TEST(GenerationAreaTexts, CountsThatAreNoPositiveNumberBecomeOneInRowAndEditor)
{
    const struct {
        const char* name;
        QString text;
        std::uint32_t count;
        QString shown;
    } cases[] = {
        {"number", "7", 7, "7"},
        {"empty", "", 1, "1"},
        {"zero", "0", 1, "1"},
        {"letters", "x", 1, "1"},
        {"beyond 32 bits", "4294967296", 1, "1"},
    };
    for (const auto& c : cases) {
        TMtmSettings settings;
        QStringList texts = {"5", c.text, "5", "2.5", "3", "0.1", "0.2", "0.05"};
        bridge::applySettingsTexts(settings, texts);
        EXPECT_EQ(settings.countY, c.count) << c.name;
        EXPECT_EQ(texts[1], c.shown) << c.name;
        EXPECT_EQ(settings.countX, 5u) << c.name;
        EXPECT_DOUBLE_EQ(settings.psiStep, 2.5) << c.name;
        EXPECT_DOUBLE_EQ(settings.waveLength, 0.05) << c.name;
    }
}

} // namespace
