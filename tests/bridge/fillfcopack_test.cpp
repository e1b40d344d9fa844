// The FCO pack filled from a capture and a row's generation settings.

#include <fillfcopack.h>

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(FillFcoPack, CarriesTheSettingsAndTheCaptureAndZeroesTheReservedBytes)
{
    TCapture capture;
    for (int k = 0; k < 3; ++k) {
        for (int v = 0; v < 3; ++v)
            capture.capturedVertices.push_back({double(k), double(v), 1.0});
        TFcoTriangle t{};
        t.a = 3 * k;
        capture.capturedTriangles.push_back(t);
    }
    TMtmSettings settings;
    settings.countX = 4;
    settings.countY = 5;
    settings.countZ = 6;
    settings.psiStep = 2.5;
    settings.tetaStep = 7.5;
    settings.coefEllipt = 0.25;
    settings.orientAngle = 1.5;
    settings.waveLength = 0.008;

    TFcoMtm pack;
    std::memset(&pack, 0xAB, sizeof pack);
    bridge::FillFcoPack(pack, capture, settings);

    // The pack is packed: its fields are compared by value, never bound by reference.
    const auto value = [](auto field) { return field; };
    EXPECT_EQ(value(pack.distance), 0.0);
    EXPECT_EQ(value(pack.countX), 4);
    EXPECT_EQ(value(pack.countY), 5);
    EXPECT_EQ(value(pack.countZ), 6);
    EXPECT_EQ(value(pack.psiStep), 2.5);
    EXPECT_EQ(value(pack.tetaStep), 7.5);
    EXPECT_EQ(value(pack.vertexCount), 9u);
    EXPECT_EQ(value(pack.triangleCount), 3u);
    EXPECT_EQ(value(pack.coefEllipt), 0.25);
    EXPECT_EQ(value(pack.orientAngle), 1.5);
    EXPECT_EQ(value(pack.waveLength), 0.008);
    EXPECT_EQ(value(pack.vertices), capture.capturedVertices.data());
    EXPECT_EQ(value(pack.triangles), capture.capturedTriangles.data());

    const auto* bytes = reinterpret_cast<const unsigned char*>(&pack);
    for (std::size_t i = 44; i < 180; ++i)
        ASSERT_EQ(bytes[i], 0) << "reserved byte " << i;
    for (std::size_t i = 220; i < 236; ++i)
        ASSERT_EQ(bytes[i], 0xAB) << "unset byte " << i << " was touched";
}

} // namespace
