#pragma once
// The host's hard limit on shutting down: once armed, the process ends after the limit whatever
// the plug-in does (a GUI thread stuck in a read, a Release that never returns, an engine callback
// that blocks the engine thread).

#include "hostlogger.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace quelmar {

class ShutdownWatchdog {
public:
    explicit ShutdownWatchdog(HostLogger& logger) : logger_(logger) {}
    // A shutdown that ended in time stops the countdown.
    ~ShutdownWatchdog();
    ShutdownWatchdog(const ShutdownWatchdog&) = delete;
    ShutdownWatchdog& operator=(const ShutdownWatchdog&) = delete;

    // Starts the countdown; later calls change nothing. After `limit` the reason is logged and the
    // process ends at once with status 1, without running anyone's clean-up.
    void arm(std::chrono::duration<double> limit);

private:
    HostLogger& logger_;
    std::mutex mutex_;
    std::condition_variable cancelled_;
    bool ended_ = false;
    std::thread countdown_;
};

// The line the host logs when shutting down took longer than `limit`.
std::string shutdownOverdueText(std::chrono::duration<double> limit);

} // namespace quelmar
