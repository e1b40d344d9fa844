// The colour scale: blue at 0, green at half, red at the maximum, magenta-ward above it.

#include "rcscolor.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(RcsColor, FollowsTheHueScale)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double value;
        double max;
        RcsColor expected;
    } cases[] = {
        {0.0, 1.0, {0, 0, 1}},
        {0.375, 1.0, {0, 1, 0.5f}},
        {0.5, 1.0, {0, 1, 0}},
        {0.75, 1.0, {1, 1, 0}},
        {0.875, 1.0, {1, 0.5f, 0}},
        {1.0, 1.0, {1, 0, 0}},
        {11.75, 23.5, {0, 1, 0}},
        {0.125, 1.0, {0, 0.5f, 1}},   // between blue and cyan
        {1.125, 1.0, {1, 0, 0.5f}},   // above the maximum: red towards magenta
        {-0.25, 1.0, {1, 0, 1}},      // below 0: the last sector again
        {1e300, 1.0, {1, 0, 1}},      // far above: no overflow of the sector number
        {0.0, 0.0, {0, 0, 1}},
        {5.0, 0.0, {0, 0, 1}},
        {-5.0, -1.0, {0, 0, 1}},
        {nan, 1.0, {0, 0, 1}},
        {1.0, nan, {0, 0, 1}},
    };
    for (const auto& c : cases) {
        const RcsColor color = rcsColor(c.value, c.max);
        EXPECT_FLOAT_EQ(color.r, c.expected.r) << c.value << " of " << c.max;
        EXPECT_FLOAT_EQ(color.g, c.expected.g) << c.value << " of " << c.max;
        EXPECT_FLOAT_EQ(color.b, c.expected.b) << c.value << " of " << c.max;
    }
}

} // namespace
