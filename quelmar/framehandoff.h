#pragma once
// Hands the engine's frames to the thread that owns the window (OpenGL and the window system live
// on the host's main thread). The engine thread waits in drawFrame until that thread has drawn the
// frame, so rendering stays inside the frame, between events 4 and 10; the drawing thread never
// waits for the engine, so it keeps serving its window and the process's signals.

#include "framedrawer.h"

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>

namespace quelmar {

class FrameHandoff : public FrameDrawer {
public:
    // `wakeDrawer` nudges the drawing thread out of its wait for window events (any thread).
    explicit FrameHandoff(std::function<void()> wakeDrawer);

    // Engine thread: returns once the frame is drawn, or at once after close().
    void drawFrame(const FrameState& frame) override;

    // Drawing thread: the frame waiting to be drawn, if any; frameDrawn() must follow.
    std::optional<FrameState> takeFrame();
    void frameDrawn();

    // Releases a waiting engine; frames after it pass undrawn.
    void close();

private:
    std::function<void()> wakeDrawer_;
    std::mutex mutex_;
    std::condition_variable drawn_;
    std::optional<FrameState> pending_;
    std::uint64_t requested_ = 0;
    std::uint64_t finished_ = 0;
    bool closed_ = false;
};

} // namespace quelmar
