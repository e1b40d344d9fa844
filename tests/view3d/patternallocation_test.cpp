// The pattern computation when memory runs out: every allocation of the calling thread fails in
// turn; the computation either throws std::bad_alloc or gives the full pattern, and never ends
// the process while worker threads run.

#include "rcspattern.h"
#include "testmodel.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

namespace {

// Allocation number (counted on this thread) that fails; -1 while nothing is to fail.
thread_local long failingAllocation = -1;
thread_local long allocationCount = 0;

} // namespace

void* operator new(std::size_t size)
{
    if (failingAllocation >= 0 && allocationCount++ == failingAllocation)
        throw std::bad_alloc();
    if (void* memory = std::malloc(size ? size : 1))
        return memory;
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}

namespace {

TEST(PatternUnderMemoryPressure, EachFailedAllocationThrowsOrLeavesThePatternWhole)
{
    // Enough work for several threads: 300 points on a 37 x 19 grid.
    TestModel model;
    for (int point = 0; point < 300; ++point)
        model.addPoint(37, 19, [point](std::uint32_t a, std::uint32_t e) { return TRcsValue(point + a, e); });
    const unsigned threads = 4;
    const RcsPattern expected = computePattern(model.mtm, threads);

    for (long failing = 0;; ++failing) {
        RcsPattern pattern;
        bool thrown = false;
        allocationCount = 0;
        failingAllocation = failing;
        try {
            pattern = computePattern(model.mtm, threads);
        } catch (const std::bad_alloc&) {
            thrown = true;
        }
        const bool reached = allocationCount > failing;
        failingAllocation = -1;
        if (!thrown) {
            ASSERT_EQ(pattern, expected) << "allocation " << failing << " failed";
        }
        if (!reached)
            break;
    }
}

} // namespace
