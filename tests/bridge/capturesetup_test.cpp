// Setting the capture up after a load, capture requests and the frame handlers, on the reference
// host's objects (its engine thread not running). Fakes stand in only for objects the host always
// has.

#include <bridgestate.h>
#include <capturesetup.h>
#include <cbridgeevents.h>
#include <feedbackcapture.h>

#include <hostengine.h>
#include <hostlogger.h>

#include <QStringList>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using namespace hostsdk;

class FeedbacklessEngine : public IEngine {
public:
    HRESULT LoadInitialState(BSTR) override { return 0; }
    HRESULT Run() override { return 0; }
    HRESULT GetChannel(std::int32_t, IChannel** out) override { return *out = nullptr, 0; }
    HRESULT GetFeedback(IFeedback** out) override { return *out = feedback, 0; }
    HRESULT GetScene(IScene** out) override { return *out = nullptr, 0; }
    HRESULT GetSurface(ISurface** out) override { return *out = nullptr, 0; }
    HRESULT GetXor(IXor** out) override { return *out = nullptr, 0; }
    IFeedback* feedback = nullptr;
};

class RefusingFeedback : public IFeedback {
public:
    HRESULT Allocate(std::int32_t, VARIANT_BOOL* ok) override { return *ok = VARIANT_FALSE, 0; }
    HRESULT Begin() override { return 0; }
    HRESULT End() override { return 0; }
    HRESULT GetData(void** data, std::int32_t* count) override { return *data = nullptr, *count = 0, 0; }
    HRESULT PrepareData(std::int32_t*) override { return 0; }
};

class ConveyerlessSurface : public ISurface {
public:
    HRESULT GetSurfaceConveyer(std::int32_t, ISurfaceConveyer** out) override { return *out = nullptr, 0; }
};

class ConveyerlessScene : public IScene {
public:
    HRESULT GetSceneConveyer(std::int32_t, ISceneConveyer** out) override { return *out = nullptr, 0; }
    HRESULT GetSceneObject(const char*, ISceneObject** out) override { return *out = nullptr, 0; }
    HRESULT GetModels(SAFEARRAY** out) override { return *out = nullptr, 0; }
    HRESULT GetRender(IChannel*, IKalmenoRender** out) override { return *out = nullptr, 0; }
};

// The bridge state as the pre-load handler leaves it on the reference host.
class CaptureSetup : public ::testing::Test {
protected:
    CaptureSetup()
    {
        QObject::connect(&bridge::bridgeEvents(), &bridge::CBridgeEvents::Signal_disableMTMCalcBottons, &receiver,
                         [this](const QString& reason) { disabled.append(reason); });
    }

    // Also run again by the tests that try one case after another.
    void SetUp() override
    {
        logger.setEchoToStderr(false);
        auto& state = bridge::bridgeState();
        state.reset();
        state.hostLogger = &logger;
        state.engine = &engine;
        state.scene = &engine.scene();
        state.surface = &engine.surface();
        state.channel = &engine.channel();
        state.xorModule = &engine.xorModule();
        state.render = &engine.render();
        state.engineReady = true;
        engine.xorModule().setTable({}, 16);
    }
    void TearDown() override { bridge::bridgeState().reset(); }

    std::vector<std::string> lines() const
    {
        std::vector<std::string> texts;
        for (const auto& line : logger.lines())
            texts.push_back((line.error ? "E " : "I ") + line.text);
        return texts;
    }

    quelmar::HostLogger logger;
    quelmar::HostEngine engine{logger};
    QObject receiver;
    QStringList disabled;
};

TEST_F(CaptureSetup, AttachesTheFeedbackToBothConveyersAndTheChannel)
{
    struct Case {
        std::int32_t megabytes;
        bool extended;
        std::size_t bytes;
        std::uint16_t mode;
    };
    for (const Case& c : {Case{16, false, 16000000, 64}, Case{0, true, 256000000, 192}}) {
        auto& state = bridge::bridgeState();
        state.engineReady = true;
        engine.xorModule().setTable({}, c.megabytes);
        engine.surface().conveyer().setExtended(c.extended);
        engine.sceneConveyer().SetOption(8, VARIANT_TRUE);

        bridge::InitializeFeedback();
        EXPECT_TRUE(state.engineReady) << c.megabytes;
        EXPECT_EQ(engine.feedback().capacity(), c.bytes);
        EXPECT_FALSE(engine.feedback().isArmed());
        EXPECT_EQ(engine.surface().conveyer().mode(), c.mode);
        EXPECT_FALSE(engine.sceneConveyer().options().isOn(8));
        EXPECT_EQ(state.feedback.load(), &engine.feedback());
        EXPECT_EQ(state.surfaceConveyer.load(), &engine.surface().conveyer());
        EXPECT_EQ(state.sceneConveyer.load(), &engine.sceneConveyer());
        EXPECT_EQ(engine.surface().conveyer().attachedFeedback(), &engine.feedback());
        EXPECT_EQ(engine.sceneConveyer().attachedFeedback(), &engine.feedback());
        EXPECT_EQ(engine.channel().attachedFeedback(), &engine.feedback());
    }
    EXPECT_TRUE(lines().empty());
}

TEST_F(CaptureSetup, AMissingOrRefusingObjectStopsTheSetUpWithItsText)
{
    FeedbacklessEngine feedbackless;
    RefusingFeedback refusing;
    ConveyerlessSurface conveyerlessSurface;
    ConveyerlessScene conveyerlessScene;
    auto& state = bridge::bridgeState();
    struct Case {
        std::string error;
        std::function<void()> breakIt;
    };
    const Case cases[] = {
        {"Surface is null in InitializeFeedback", [&] { state.surface = nullptr; }},
        {"Engine is null in InitializeFeedback", [&] { state.engine = nullptr; }},
        {"Feedback is null in InitializeFeedback", [&] { state.engine = &feedbackless; }},
        {"Feedback failed to initialize",
         [&] {
             feedbackless.feedback = &refusing;
             state.engine = &feedbackless;
         }},
        {"SurfaceConveye is null in InitializeFeedback", [&] { state.surface = &conveyerlessSurface; }},
        {"SceneConveye is null in InitializeFeedback", [&] { state.scene = &conveyerlessScene; }},
        // A byte count of 2^31 or more, or below 0, is refused rather than wrapped.
        {"Feedback size of 2148 megabytes is out of range in InitializeFeedback",
         [&] { engine.xorModule().setTable({}, 2148); }},
        {"Feedback size of -1 megabytes is out of range in InitializeFeedback",
         [&] { engine.xorModule().setTable({}, -1); }},
    };
    for (const Case& c : cases) {
        SetUp();
        c.breakIt();
        bridge::InitializeFeedback();
        EXPECT_FALSE(state.engineReady) << c.error;
        ASSERT_FALSE(lines().empty()) << c.error;
        EXPECT_EQ(lines().back(), "E [Kalmeno] " + c.error);
        EXPECT_EQ(engine.channel().attachedFeedback(), nullptr) << c.error;
    }
    const QString outOfRange =
        "The feedback buffer size of the XOR module is out of range. MTM generation will not be available.";
    EXPECT_EQ(disabled, (QStringList{outOfRange, outOfRange})) << "a size out of range also disables generation";
}

TEST_F(CaptureSetup, NothingIsSetUpWithoutAReadyEngineOrAnXorModule)
{
    auto& state = bridge::bridgeState();
    const std::function<void()> cases[] = {
        [&] { state.engineReady = false; },
        [&] { state.xorAvailable = false; },
        [&] { state.xorModule = nullptr; },
    };
    for (const auto& breakIt : cases) {
        SetUp();
        breakIt();
        const bool ready = state.engineReady;
        bridge::InitializeFeedback();
        EXPECT_EQ(state.engineReady, ready);
        EXPECT_EQ(state.feedback.load(), nullptr);
        EXPECT_EQ(state.surfaceConveyer.load(), nullptr);
    }
}

// After a set-up that succeeded.
class FrameHandlers : public CaptureSetup {
protected:
    void SetUp() override
    {
        CaptureSetup::SetUp();
        bridge::InitializeFeedback();
        ASSERT_TRUE(bridge::bridgeState().engineReady);
    }
};

TEST_F(FrameHandlers, OneRequestAtATime)
{
    EXPECT_FALSE(bridge::CancelFeedbackRequest()) << "nothing to withdraw";
    EXPECT_TRUE(bridge::RequestFeedback());
    EXPECT_FALSE(bridge::RequestFeedback());
    EXPECT_EQ(lines(), std::vector<std::string>{
                           "E [Kalmeno] Tried to get feedback, while Quelmar already recieving feedback"});
    EXPECT_TRUE(bridge::CancelFeedbackRequest());
    EXPECT_TRUE(bridge::RequestFeedback());
}

TEST_F(FrameHandlers, ARequestArmsTheNextFrameAndRefreshesAStaleSurface)
{
    auto& surface = engine.surface().conveyer();
    bridge::OnEnginePreRender(nullptr);
    EXPECT_FALSE(engine.feedback().isArmed()) << "no request";
    EXPECT_EQ(bridge::bridgeState().feedbackActive.load(), 0u);

    struct Case {
        bool surfaceVisible; // the host reports a visible surface in state bit 4
        int refreshes;
    };
    for (const Case& c : {Case{false, 0}, Case{true, 1}}) {
        surface.SetOption(4, toVariantBool(c.surfaceVisible));
        surface.SetRefresh(5);
        const int before = surface.refreshCount();
        ASSERT_TRUE(bridge::RequestFeedback());
        bridge::OnEnginePreRender(nullptr);
        EXPECT_TRUE(engine.feedback().isArmed());
        EXPECT_NE(bridge::bridgeState().feedbackActive.load(), 0u);
        EXPECT_EQ(surface.refreshCount() - before, c.refreshes);
        EXPECT_EQ(surface.refreshValue(), c.refreshes ? 0 : 5);
        EXPECT_TRUE(bridge::CancelFeedbackRequest());
    }
    EXPECT_EQ(lines(), std::vector<std::string>(2, "I [Kalmeno] Starting render with feedback..."));
}

TEST_F(FrameHandlers, WithoutAFeedbackObjectTheFrameStillAnswersTheJob)
{
    auto& state = bridge::bridgeState();
    state.feedback = nullptr;
    const std::atomic<bool> running{false};
    ASSERT_TRUE(state.generationGate.take(running));
    const auto before = state.capture();
    ASSERT_TRUE(bridge::RequestFeedback());
    bridge::OnEnginePreRender(nullptr);
    bridge::OnEnginePostRender(nullptr);
    EXPECT_EQ(lines(), (std::vector<std::string>{
                           "I [Kalmeno] Starting render with feedback...",
                           "E [Kalmeno] Feedback is null in OnEnginePreRender",
                           "I [Kalmeno] ... render with feedback ended.",
                           "E [Kalmeno] Feedback is null in OnEnginePostRender",
                       }));
    EXPECT_FALSE(state.generationGate.isTaken());
    EXPECT_EQ(state.feedbackRequested.load(), 0u);
    EXPECT_EQ(state.capture(), before) << "nothing captured, the previous capture stands";
}

TEST_F(FrameHandlers, ARequestWithdrawnDuringTheFrameIsNotServed)
{
    auto& state = bridge::bridgeState();
    const std::atomic<bool> running{false};
    ASSERT_TRUE(state.generationGate.take(running));
    const auto before = state.capture();
    ASSERT_TRUE(bridge::RequestFeedback());
    bridge::OnEnginePreRender(nullptr);
    ASSERT_TRUE(engine.feedback().isArmed());
    ASSERT_TRUE(bridge::CancelFeedbackRequest());
    // A new job's request comes before the frame ends: this frame is not the one it asked for.
    ASSERT_TRUE(bridge::RequestFeedback());
    bridge::OnEnginePostRender(nullptr);

    EXPECT_FALSE(engine.feedback().isArmed()) << "disarmed without a capture";
    EXPECT_TRUE(state.generationGate.isTaken()) << "released by its job, not by this frame";
    EXPECT_EQ(state.capture(), before);
    EXPECT_NE(state.feedbackRequested.load(), 0u) << "the new request waits for its own frame";
    EXPECT_EQ(lines(), std::vector<std::string>{"I [Kalmeno] Starting render with feedback..."});
}

} // namespace
