#include "threads.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>

using namespace platform;
using namespace std::chrono_literals;

namespace {

TEST(DetachedThread, RunsWithItsOwnIdAndReportsItsEnd)
{
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::atomic<ThreadId> idInside{0};

    auto handle = startDetachedThread([&idInside, released] {
        idInside = currentThreadId();
        released.wait();
    });
    ASSERT_TRUE(handle) << handle.error();
    EXPECT_TRUE(handle->isValid());
    EXPECT_NE(handle->id(), 0u);
    EXPECT_NE(handle->id(), currentThreadId());

    EXPECT_FALSE(handle->waitFinished(20ms)) << "still blocked";
    EXPECT_FALSE(handle->isFinished());

    release.set_value();
    EXPECT_TRUE(handle->waitFinished(10s));
    EXPECT_TRUE(handle->isFinished());
    EXPECT_EQ(idInside.load(), handle->id());
}

TEST(DetachedThread, EmptyHandleAndEmptyBody)
{
    const ThreadHandle none;
    EXPECT_FALSE(none.isValid());
    EXPECT_EQ(none.id(), 0u);
    EXPECT_NE(currentThreadId(), 0u);
    EXPECT_FALSE(startDetachedThread(nullptr));
}

} // namespace
