#include <cameragridindex.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct IndexCase {
    const char* what;
    double angle;
    std::uint32_t count;
    int span;
    int expected;
};

class CameraGridIndexTest : public ::testing::TestWithParam<IndexCase> {};

TEST_P(CameraGridIndexTest, PicksTheSampleFacingTheCamera)
{
    const IndexCase& c = GetParam();
    EXPECT_EQ(cameraGridIndex(c.angle, c.count, c.span), c.expected) << c.what;
}

const double nan = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Axes, CameraGridIndexTest,
    ::testing::Values(
        IndexCase{"1-degree azimuth grid", 90.4, 361, 360, 90},
        IndexCase{"1-degree elevation grid, 10 degrees up", 100.0, 181, 180, 100},
        IndexCase{"halves round away from zero", 90.5, 361, 360, 91},
        IndexCase{"10-degree grid", 44.9, 37, 360, 4},
        IndexCase{"no samples", 10.0, 0, 360, -1},
        IndexCase{"one sample", 359.0, 1, 360, 0},
        IndexCase{"one elevation sample", 180.0, 1, 180, 0},
        // 360 / 49 truncates to 7: near 360 degrees the quotient passes the last sample (49).
        IndexCase{"step 7 of 50 samples, upper end", 359.9, 50, 360, 49},
        IndexCase{"step 7 of 50 samples, inside", 70.0, 50, 360, 10},
        // 360 / 7 truncates to 51: 359 / 51 rounds to 7, the last sample.
        IndexCase{"8 azimuth samples, upper end", 359.0, 8, 360, 7},
        // 180 / 13 truncates to 13: +90 degrees gives 180 / 13 = 13.8, past the last sample (13).
        IndexCase{"14 elevation samples, zenith", 180.0, 14, 180, 13},
        IndexCase{"13 elevation samples, zenith", 180.0, 13, 180, 12},
        IndexCase{"more samples than degrees use the exact step", 359.5, 721, 360, 719},
        IndexCase{"before the start", -10.0, 361, 360, -1},
        IndexCase{"no angle", nan, 361, 360, -1}));

} // namespace
