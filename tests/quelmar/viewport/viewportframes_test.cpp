// The viewport inside the engine's frame loop: each frame is drawn on this (the main) thread
// between the engine's events 4 and 10, and the capture's feedback works as without a viewport.
#include "hostsdk.h"
#include "scenefiles.h"
#include "viewporttest.h"

#include <gtest/gtest.h>

#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;
using namespace quelmar;

struct FrameEvents {
    Viewport* viewport = nullptr;
    std::mutex mutex;
    std::vector<std::pair<int, std::uint64_t>> seen; // event, frames drawn by then

    template <int Event>
    static void handler(void* context)
    {
        auto* self = static_cast<FrameEvents*>(context);
        std::lock_guard<std::mutex> lock(self->mutex);
        self->seen.emplace_back(Event, self->viewport->framesDrawn());
    }
    std::size_t count()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return seen.size();
    }
};

class ViewportFrames : public ViewportTest {
protected:
    // Serves the viewport, as the host's main loop does, until `done` or ten seconds.
    bool serveUntil(const std::function<bool()>& done)
    {
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            viewport->serve(20ms);
        }
        return true;
    }

    SceneFiles files;
};

TEST_F(ViewportFrames, EachFrameIsDrawnBetweenItsEvents4And10)
{
    FrameEvents events;
    events.viewport = viewport.get();
    engine.RegisterCallback(&FrameEvents::handler<4>, hostsdk::kEventPreRender, &events);
    engine.RegisterCallback(&FrameEvents::handler<10>, hostsdk::kEventPostRender, &events);
    engine.loadInitialState(files.writeScene("frames.xml", 1, 2, true));
    engine.Run();
    ASSERT_TRUE(serveUntil([&] { return events.count() >= 20; }));
    viewport->detach();
    engine.stop();

    std::lock_guard<std::mutex> lock(events.mutex);
    ASSERT_EQ(4, events.seen.front().first);
    for (std::size_t i = 0; i + 1 < events.seen.size(); i += 2) {
        EXPECT_EQ(4, events.seen[i].first) << i;
        EXPECT_EQ(10, events.seen[i + 1].first) << i;
        EXPECT_EQ(events.seen[i].second + 1, events.seen[i + 1].second) << "one picture inside frame " << i / 2;
    }
}

TEST_F(ViewportFrames, AnArmedFrameStillWritesItsFeedback)
{
    engine.loadInitialState(files.writeScene("capture.xml", 2, 2, true)); // 2 × 2 + 2 × 2 × 2 = 12
    engine.Run();
    ASSERT_TRUE(serveUntil([&] { return engine.loadCount() == 1; }));
    hostsdk::VARIANT_BOOL ok = 0;
    engine.feedback().Allocate(1'000'000, &ok);
    engine.surface().conveyer().AttachFeedback(&engine.feedback());
    engine.sceneConveyer().AttachFeedback(&engine.feedback());
    engine.channel().AttachFeedback(&engine.feedback());
    engine.feedback().Begin();
    const std::uint64_t armedAt = engine.frameCount();
    ASSERT_TRUE(serveUntil([&] { return engine.frameCount() >= armedAt + 2; }));
    engine.feedback().End();
    void* data = nullptr;
    std::int32_t bytes = 0;
    engine.feedback().GetData(&data, &bytes);
    EXPECT_EQ(12 * 96, bytes);
    EXPECT_GT(viewport->framesDrawn(), 0u);
}

TEST_F(ViewportFrames, DetachingReleasesAFrameThatWaitsToBeDrawn)
{
    engine.loadInitialState(files.writeScene("wait.xml", 1, 1, true));
    engine.Run();
    ASSERT_TRUE(serveUntil([&] { return engine.frameCount() >= 2; }));
    // Nobody serves the viewport now: the engine waits in its next frame until the detach.
    std::this_thread::sleep_for(100ms);
    const std::uint64_t waiting = engine.frameCount();
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(waiting, engine.frameCount()) << "a frame waits for its picture";
    viewport->detach();
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (engine.frameCount() < waiting + 5 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(5ms);
    EXPECT_GE(engine.frameCount(), waiting + 5) << "frames go on undrawn";
}

} // namespace
