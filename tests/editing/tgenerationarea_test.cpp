#include <tgenerationarea.h>

#include <gtest/gtest.h>

#include <cstring>

// Packed fields are misaligned: they are read by value (+field), never bound to a reference.
TEST(TGenerationArea, NewAreaHoldsTheDefaults)
{
    const TGenerationArea area;
    EXPECT_EQ(+area.boxId, -1);
    EXPECT_DOUBLE_EQ(+area.lat, 39.250498);
    EXPECT_DOUBLE_EQ(+area.lon, -119.955377);
    EXPECT_DOUBLE_EQ(+area.alt, 2980.0);
    EXPECT_DOUBLE_EQ(+area.sizeX, 1000.0);
    EXPECT_DOUBLE_EQ(+area.sizeY, 1000.0);
    EXPECT_DOUBLE_EQ(+area.sizeZ, 1000.0);
    EXPECT_EQ(+area.yaw, 0.0);
    EXPECT_EQ(+area.pitch, 0.0);
    EXPECT_EQ(+area.roll, 0.0);
    EXPECT_EQ(+area.countX, 10u);
    EXPECT_EQ(+area.countY, 10u);
    EXPECT_EQ(+area.countZ, 10u);
    EXPECT_DOUBLE_EQ(+area.psiStep, 10.0);
    EXPECT_DOUBLE_EQ(+area.tetaStep, 10.0);
    EXPECT_EQ(+area.coefEllipt, 0.0);
    EXPECT_EQ(+area.orientAngle, 0.0);
    EXPECT_DOUBLE_EQ(+area.waveLength, 0.03);
}

TEST(TGenerationArea, SettingsFollowTheBoxWithoutGap)
{
    TGenerationArea area;
    area.countX = 7;
    area.waveLength = 0.5;
    const auto* bytes = reinterpret_cast<const unsigned char*>(&area);
    const auto* settings =
        reinterpret_cast<const unsigned char*>(static_cast<TMtmSettings*>(&area));
    EXPECT_EQ(settings - bytes, 76);

    std::uint32_t countX = 0;
    double waveLength = 0.0;
    std::memcpy(&countX, bytes + 76, sizeof countX);
    std::memcpy(&waveLength, bytes + 76 + 44, sizeof waveLength);
    EXPECT_EQ(countX, 7u);
    EXPECT_EQ(waveLength, 0.5);
}
