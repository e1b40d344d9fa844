#include "clock.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

TEST(Clock, CountsNanosecondsForwardAcrossASleep)
{
    const std::int64_t before = performanceCounter();
    sleepMilliseconds(15);
    const std::int64_t after = performanceCounter();
    EXPECT_GE(after - before, 15 * performanceFrequency() / 1000);
    EXPECT_EQ(performanceFrequency(), 1'000'000'000);
    sleepMilliseconds(0);
    EXPECT_GE(performanceCounter(), after);
}

} // namespace
