#include "shutdownwatchdog.h"

#include <cstdio>
#include <cstdlib>

namespace quelmar {

std::string shutdownOverdueText(std::chrono::duration<double> limit)
{
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%g", limit.count());
    return std::string("The plug-in's threads did not end within ") + seconds + " s";
}

void ShutdownWatchdog::arm(std::chrono::duration<double> limit)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (countdown_.joinable())
        return;
    // A thread of its own: whatever the others are stuck in, it wakes up.
    countdown_ = std::thread([this, limit] {
        std::unique_lock<std::mutex> wait(mutex_);
        if (cancelled_.wait_for(wait, limit, [this] { return ended_; }))
            return;
        logger_.hostError(shutdownOverdueText(limit));
        std::_Exit(1);
    });
}

ShutdownWatchdog::~ShutdownWatchdog()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ended_ = true;
    }
    cancelled_.notify_all();
    if (countdown_.joinable())
        countdown_.join();
}

} // namespace quelmar
