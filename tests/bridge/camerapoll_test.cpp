// Following the host camera from the current row's box.

#include "recordingrender.h"

#include <bridgestate.h>
#include <camerapoll.h>
#include <hostcameraangles.h>

#include <gtest/gtest.h>

#include <limits>

namespace {

class FixedCamera : public hostsdk::ICamera {
public:
    hostsdk::HRESULT GetPosition(double* x, double* y, double* z) override
    {
        *x = 1.0;
        *y = 2.0;
        *z = 3.0;
        return 0;
    }
};

class CameraPoll : public ::testing::Test {
protected:
    void SetUp() override
    {
        bridge::bridgeState().reset();
        render.scriptedAngles = true;
        bridge::bridgeState().camera = &camera;
        bridge::bridgeState().render = &render;
    }
    void TearDown() override { bridge::bridgeState().reset(); }

    FixedCamera camera;
    RecordingRender render;
};

TEST_F(CameraPoll, StoresAChangeAndShowsSixDecimals)
{
    render.scriptedAzimuth = 12.5;
    render.scriptedElevation = -3.25;
    EXPECT_TRUE(bridge::CheckAngles());
    EXPECT_EQ(bridge::angleText(bridge::bridgeState().azimuthAngle), "12.500000");
    EXPECT_EQ(bridge::angleText(bridge::bridgeState().placeAngle), "-3.250000");
    EXPECT_FALSE(bridge::CheckAngles()) << "the same direction is no change";
    const auto direction = bridge::HostCameraAngles().cameraDirection();
    ASSERT_TRUE(direction.has_value());
    EXPECT_DOUBLE_EQ(direction->azimuth, 12.5);
}

TEST_F(CameraPoll, WrapsANegativeAzimuthAndReportsItAtEveryPoll)
{
    render.scriptedAzimuth = -30.0;
    render.scriptedElevation = 10.0;
    EXPECT_TRUE(bridge::CheckAngles());
    EXPECT_EQ(bridge::angleText(bridge::bridgeState().azimuthAngle), "330.000000");
    EXPECT_TRUE(bridge::CheckAngles());
}

TEST_F(CameraPoll, NothingWithoutCameraOrRenderer)
{
    bridge::bridgeState().camera = nullptr;
    render.scriptedAzimuth = 5.0;
    EXPECT_FALSE(bridge::CheckAngles());
    EXPECT_FALSE(bridge::HostCameraAngles().cameraDirection().has_value());
    bridge::bridgeState().camera = &camera;
    bridge::bridgeState().render = nullptr;
    EXPECT_FALSE(bridge::CheckAngles());
    EXPECT_DOUBLE_EQ(bridge::bridgeState().azimuthAngle, 0.0);
}

TEST(WrapAzimuth, EndsInRangeForAnyNegativeValue)
{
    const double infinity = std::numeric_limits<double>::infinity();
    const struct {
        double raw;
        double wrapped;
    } cases[] = {
        {-30.0, 330.0}, {-360.0, 0.0}, {-750.0, 330.0}, {-1e-20, 0.0}, {0.0, 0.0}, {359.5, 359.5}, {-1e300, -1},
        {-infinity, -infinity},
    };
    for (const auto& c : cases) {
        const double wrapped = bridge::wrapAzimuth(c.raw);
        if (c.wrapped == -1) {
            EXPECT_GE(wrapped, 0.0) << c.raw;
            EXPECT_LT(wrapped, 360.0) << c.raw;
        } else {
            EXPECT_EQ(wrapped, c.wrapped) << c.raw;
        }
    }
}

} // namespace
