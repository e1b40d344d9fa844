#pragma once
// Detached threads with a handle and an id. There is no forced termination: stopping is cooperative.

#include "result.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>

namespace platform {

using ThreadId = std::uint64_t;

// Id of the calling thread (the kernel's thread id), never 0.
ThreadId currentThreadId();

class ThreadHandle {
public:
    ThreadHandle() = default;
    bool isValid() const { return state_ != nullptr; }
    ThreadId id() const;
    bool isFinished() const;
    // True once the thread's function has returned; false when the timeout passed first.
    bool waitFinished(std::chrono::milliseconds timeout) const;

    struct State;

private:
    friend kalmeno::Result<ThreadHandle> startDetachedThread(std::function<void()> body);
    std::shared_ptr<State> state_;
};

// Starts `body` on a new detached thread; the handle stays valid after the thread ends.
kalmeno::Result<ThreadHandle> startDetachedThread(std::function<void()> body);

} // namespace platform
