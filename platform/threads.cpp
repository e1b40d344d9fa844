#include "threads.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

namespace platform {

struct ThreadHandle::State {
    std::mutex mutex;
    std::condition_variable changed;
    ThreadId id = 0;
    bool finished = false;
};

namespace {

// Marks the thread finished however its body ends.
class FinishedGuard {
public:
    explicit FinishedGuard(ThreadHandle::State& state) : state_(state) {}
    ~FinishedGuard()
    {
        {
            std::lock_guard<std::mutex> lock(state_.mutex);
            state_.finished = true;
        }
        state_.changed.notify_all();
    }
    FinishedGuard(const FinishedGuard&) = delete;
    FinishedGuard& operator=(const FinishedGuard&) = delete;

private:
    ThreadHandle::State& state_;
};

} // namespace

ThreadId currentThreadId()
{
    return static_cast<ThreadId>(syscall(SYS_gettid));
}

ThreadId ThreadHandle::id() const
{
    if (!state_)
        return 0;
    std::lock_guard<std::mutex> lock(state_->mutex);
    return state_->id;
}

bool ThreadHandle::isFinished() const
{
    if (!state_)
        return true;
    std::lock_guard<std::mutex> lock(state_->mutex);
    return state_->finished;
}

bool ThreadHandle::waitFinished(std::chrono::milliseconds timeout) const
{
    if (!state_)
        return true;
    std::unique_lock<std::mutex> lock(state_->mutex);
    return state_->changed.wait_for(lock, timeout, [this] { return state_->finished; });
}

kalmeno::Result<ThreadHandle> startDetachedThread(std::function<void()> body)
{
    using R = kalmeno::Result<ThreadHandle>;
    if (!body)
        return R::failure("cannot start a thread without a function");

    auto state = std::make_shared<ThreadHandle::State>();
    try {
        std::thread thread([state, body = std::move(body)] {
            {
                std::lock_guard<std::mutex> lock(state->mutex);
                state->id = currentThreadId();
            }
            state->changed.notify_all();
            FinishedGuard guard(*state);
            body();
        });
        thread.detach();
    } catch (const std::system_error& error) {
        return R::failure(std::string("cannot start a thread: ") + error.what());
    }

    // The id is known before the caller sees the handle.
    {
        std::unique_lock<std::mutex> lock(state->mutex);
        state->changed.wait(lock, [&] { return state->id != 0; });
    }
    ThreadHandle handle;
    handle.state_ = std::move(state);
    return R::success(std::move(handle));
}

} // namespace platform
