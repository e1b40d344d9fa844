#pragma once
// Watches threads of this process by their kernel ids, so the host can wait for the threads a
// plug-in started (its GUI thread) to end before the process does.

#include <chrono>
#include <set>

namespace quelmar {

class ThreadWatch {
public:
    // The threads this process runs now.
    static std::set<long> currentThreads();

    // Watches the threads that run now but did not in `before`.
    void watchNewSince(const std::set<long>& before);
    std::size_t watchedCount() const { return watched_.size(); }
    // True once every watched thread has ended.
    bool waitEnded(std::chrono::milliseconds timeout) const;

private:
    std::set<long> watched_;
};

} // namespace quelmar
