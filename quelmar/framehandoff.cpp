#include "framehandoff.h"

namespace quelmar {

FrameHandoff::FrameHandoff(std::function<void()> wakeDrawer) : wakeDrawer_(std::move(wakeDrawer)) {}

void FrameHandoff::drawFrame(const FrameState& frame)
{
    std::unique_lock<std::mutex> lock(mutex_);
    if (closed_)
        return;
    pending_ = frame;
    const std::uint64_t serial = ++requested_;
    lock.unlock();
    if (wakeDrawer_)
        wakeDrawer_();
    lock.lock();
    drawn_.wait(lock, [&] { return closed_ || finished_ >= serial; });
}

std::optional<FrameState> FrameHandoff::takeFrame()
{
    std::lock_guard<std::mutex> lock(mutex_);
    std::optional<FrameState> frame = std::move(pending_);
    pending_.reset();
    return frame;
}

void FrameHandoff::frameDrawn()
{
    std::lock_guard<std::mutex> lock(mutex_);
    finished_ = requested_;
    drawn_.notify_all();
}

void FrameHandoff::close()
{
    std::lock_guard<std::mutex> lock(mutex_);
    closed_ = true;
    pending_.reset();
    drawn_.notify_all();
}

} // namespace quelmar
