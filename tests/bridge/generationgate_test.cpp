// The generation gate: two states, taken by one thread and released by any, and a waiter that
// can be woken for a stop.

#include <generationgate.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

TEST(GenerationGate, IsTakenByOneThreadAndReleasedByAnother)
{
    bridge::GenerationGate gate;
    const std::atomic<bool> running{false};
    EXPECT_FALSE(gate.isTaken()) << "free at start";
    ASSERT_TRUE(gate.take(running));

    // A second taker waits until another thread releases the gate, then holds it.
    std::atomic<bool> secondTook{false};
    std::thread second([&] { secondTook = gate.take(running); });
    std::thread([&] { gate.release(); }).join();
    second.join();
    EXPECT_TRUE(secondTook.load());
    EXPECT_TRUE(gate.isTaken());

    std::thread([&] { gate.release(); }).join();
    EXPECT_FALSE(gate.isTaken());
}

TEST(GenerationGate, ReleasingAFreeGateLeavesItFree)
{
    bridge::GenerationGate gate;
    gate.release();
    gate.release();
    EXPECT_FALSE(gate.isTaken());

    // Releases do not add up: after one take the gate is taken, and a stopped waiter gets nothing.
    const std::atomic<bool> running{false};
    ASSERT_TRUE(gate.take(running));
    const std::atomic<bool> stopped{true};
    EXPECT_FALSE(gate.take(stopped));
    EXPECT_TRUE(gate.isTaken());
}

TEST(GenerationGate, AWaiterWokenForAStopGivesUpWithoutTakingTheGate)
{
    bridge::GenerationGate gate;
    const std::atomic<bool> running{false};
    ASSERT_TRUE(gate.take(running));

    std::atomic<bool> stop{false};
    std::atomic<int> answer{-1};
    std::thread waiter([&] { answer = gate.take(stop) ? 1 : 0; });
    stop = true;
    gate.wakeWaiters();
    waiter.join();
    EXPECT_EQ(answer.load(), 0);
    EXPECT_TRUE(gate.isTaken()) << "still held by its first taker";

    gate.release();
    EXPECT_FALSE(gate.take(stop)) << "a stopped job does not take even a free gate";
    EXPECT_FALSE(gate.isTaken());
}

} // namespace
