#pragma once
// What another thread may do to a running computation: ask it to stop, and read its progress.

#include <atomic>
#include <cstdint>

namespace feltrane {

class RunControl {
public:
    // A new run: forgets an earlier stop request and the earlier progress.
    void begin()
    {
        stop_ = false;
        done_ = 0;
        total_ = 0;
        running_ = true;
    }
    void setTotal(std::uint64_t steps) { total_ = steps; }
    void stepDone(std::uint64_t steps = 1) { done_.fetch_add(steps, std::memory_order_relaxed); }
    void finish() { running_ = false; }

    // Asks the running computation to stop; true when one was running.
    bool requestStop()
    {
        stop_ = true;
        return running_.load();
    }
    const std::atomic<bool>& stopRequested() const { return stop_; }

    // 0 … 100 of the running or last run; 0 before the first and while a run prepares.
    double percentDone() const
    {
        const std::uint64_t total = total_.load();
        return total ? 100.0 * double(done_.load(std::memory_order_relaxed)) / double(total) : 0.0;
    }

private:
    std::atomic<bool> stop_{false};
    std::atomic<bool> running_{false};
    std::atomic<std::uint64_t> done_{0};
    std::atomic<std::uint64_t> total_{0};
};

} // namespace feltrane
