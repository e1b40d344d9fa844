// The hand-off of a capture from the host's render thread to a waiting generation job, and a job
// stopped while it waits. Built with ThreadSanitizer: the bridge's capture path is compiled into
// this program instrumented.

#include "inprocesshost.h"

#include <fillfcopack.h>

#include <fstream>
#include <QTemporaryDir>

namespace {

double sumOf(const TFcoMtm& pack)
{
    double sum = 0.0;
    for (std::uint32_t i = 0; i < pack.vertexCount; ++i)
        sum += pack.vertices[i].x + pack.vertices[i].y + pack.vertices[i].z;
    for (std::uint32_t i = 0; i < pack.triangleCount; ++i)
        sum += pack.triangles[i].epsilon;
    return sum;
}

TEST_F(InProcessHost, AJobKeepsItsCaptureWhileALaterJobCapturesAgain)
{
    open(demoScene());
    const std::int32_t wholeScene = createBox(39.250498, -119.955377, 2980.0, 0.0, 1000.0);
    const std::int32_t reflector = createBox(39.250390, -119.955516, 2980.0, 45.0, 10.0);

    // The first job keeps reading through its pack, as an abandoned computation would, while the
    // second job's capture replaces the bridge's.
    std::atomic<bool> secondDone{false};
    std::atomic<std::uint32_t> firstTriangles{0};
    std::atomic<bool> firstStable{true};
    std::thread first([&] {
        const auto capture = captureArea(wholeScene);
        if (!capture)
            return;
        TFcoMtm pack{};
        bridge::FillFcoPack(pack, *capture, TMtmSettings{});
        firstTriangles = pack.triangleCount;
        const double sum = sumOf(pack);
        while (!secondDone)
            firstStable = firstStable && sumOf(pack) == sum;
    });
    ASSERT_TRUE(waitFor([&] { return firstTriangles.load() > 0; }));
    std::thread second([&] {
        const auto capture = captureArea(reflector);
        EXPECT_TRUE(capture);
        EXPECT_EQ(capture ? capture->capturedTriangles.size() : 0u, 3u);
        secondDone = true;
    });
    second.join();
    first.join();
    EXPECT_EQ(firstTriangles.load(), engine.currentScene()->triangleCount(true, true));
    EXPECT_TRUE(firstStable.load());
    EXPECT_FALSE(bridge::bridgeState().generationGate.isTaken());
}

TEST_F(InProcessHost, AJobStoppedWhileItWaitsLeavesTheGateFree)
{
    // Without an XOR module the capture is never set up, so the frames never serve the request.
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString() + "/";
    std::ofstream(folder + "tri.obj") << "v 0 0 0\nv 1 0 0\nv 0 0 1\nf 1 2 3\n";
    std::ofstream(folder + "bare.xml") << "<?xml version=\"1.0\"?>\n<scene>\n"
                                       << "  <object name=\"Tri\">\n    <mesh path=\"tri.obj\"/>\n  </object>\n"
                                       << "</scene>\n";
    open(folder + "bare.xml");
    auto& state = bridge::bridgeState();

    std::atomic<bool> stop{false};
    std::atomic<int> outcome{-1};
    std::thread job([&] {
        const bool took = state.generationGate.take(stop);
        const bool requested = took && bridge::RequestFeedback();
        if (requested && state.generationGate.take(stop)) {
            outcome = 1;
            state.generationGate.release();
        } else {
            if (took && bridge::CancelFeedbackRequest())
                state.generationGate.release();
            outcome = 0;
        }
    });
    ASSERT_TRUE(waitFor([&] { return state.feedbackRequested.load() != 0; }));
    const std::uint64_t frames = engine.frameCount();
    ASSERT_TRUE(waitFor([&] { return engine.frameCount() > frames + 2; }));
    stop = true;
    state.generationGate.wakeWaiters();
    job.join();
    EXPECT_EQ(outcome.load(), 0);
    EXPECT_FALSE(state.generationGate.isTaken());
    EXPECT_EQ(state.feedbackRequested.load(), 0u);
}

TEST_F(InProcessHost, AStopRacingTheCaptureEndsWithTheGateFreeEitherWay)
{
    open(demoScene());
    auto& state = bridge::bridgeState();
    state.currentBoxId = createBox(39.250498, -119.955377, 2980.0, 0.0, 1000.0);
    const auto before = state.capture();

    std::atomic<bool> stop{false};
    std::atomic<int> outcome{-1};
    std::thread job([&] {
        ASSERT_TRUE(state.generationGate.take(stop));
        ASSERT_TRUE(bridge::RequestFeedback());
        if (state.generationGate.take(stop)) {
            outcome = 1;
            state.generationGate.release();
        } else {
            if (bridge::CancelFeedbackRequest())
                state.generationGate.release();
            outcome = 0;
        }
    });
    // Stop once the frame has armed the capture: the render thread is then preparing it.
    ASSERT_TRUE(waitFor([&] { return state.feedbackActive.load() != 0; }));
    stop = true;
    state.generationGate.wakeWaiters();
    job.join();
    engine.stop(); // lets the frame under way finish
    EXPECT_FALSE(state.generationGate.isTaken());
    EXPECT_EQ(state.feedbackRequested.load(), 0u);
    if (outcome == 0) {
        EXPECT_EQ(state.capture(), before) << "a withdrawn request's capture is discarded";
        EXPECT_TRUE(logged(false, "[Kalmeno] Capture discarded: its request was withdrawn"));
    }
}

} // namespace
