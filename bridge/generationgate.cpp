#include "generationgate.h"

namespace bridge {

bool GenerationGate::take(const std::atomic<bool>& stop)
{
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [&] { return stop.load() || !taken_; });
    if (stop.load())
        return false;
    taken_ = true;
    return true;
}

void GenerationGate::release()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        taken_ = false;
    }
    changed_.notify_all();
}

void GenerationGate::wakeWaiters()
{
    // Under the lock, so a waiter between its look at the flag and its sleep cannot miss it.
    std::lock_guard<std::mutex> lock(mutex_);
    changed_.notify_all();
}

bool GenerationGate::isTaken() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return taken_;
}

} // namespace bridge
