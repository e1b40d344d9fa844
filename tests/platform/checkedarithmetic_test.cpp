// Sizes from untrusted counts: wrap-around is reported, never hidden; the byte order is the machine's.

#include "byteorder.h"
#include "checkedarithmetic.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>

namespace {

constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();

TEST(CheckedArithmetic, ReportsWrapAroundAndOtherwiseComputes)
{
    const struct {
        std::uint64_t a, b;
        bool productOverflows, sumOverflows;
    } cases[] = {
        {0, kMax, false, false},
        {1, kMax, false, true},
        {2, kMax / 2, false, false},
        {2, kMax / 2 + 1, true, false},
        {std::uint64_t(1) << 32, std::uint64_t(1) << 32, true, false},
        {kMax, kMax, true, true},
        {3, 4, false, false},
    };
    for (const auto& c : cases) {
        std::uint64_t product = 7;
        std::uint64_t sum = 7;
        EXPECT_EQ(platform::multiplyOverflows(c.a, c.b, &product), c.productOverflows) << c.a << " * " << c.b;
        EXPECT_EQ(platform::addOverflows(c.a, c.b, &sum), c.sumOverflows) << c.a << " + " << c.b;
        if (!c.productOverflows) {
            EXPECT_EQ(product, c.a * c.b);
        }
        if (!c.sumOverflows) {
            EXPECT_EQ(sum, c.a + c.b);
        }
    }
}

TEST(ByteOrder, MatchesHowTheMachineStoresNumbers)
{
    const std::uint32_t value = 0x01020304;
    unsigned char bytes[4];
    std::memcpy(bytes, &value, sizeof bytes);
    EXPECT_EQ(bytes[0], platform::littleEndianHost ? 0x04 : 0x01);
}

} // namespace
