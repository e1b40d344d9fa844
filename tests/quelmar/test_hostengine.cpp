// The engine as the plug-in drives it: event order, scene replacement, handler replacement and
// feedback arming, on the engine's own thread.
#include "hostengine.h"
#include "scenefiles.h"

#include "hostsdk.h"
#include "oleautomation.h"
#include "text.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <cmath>
#include <chrono>
#include <fstream>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;
using namespace quelmar;

bool waitFor(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 10s)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(2ms);
    }
    return true;
}

// Records the events it sees, with the number of scene models listed at that moment.
struct EventRecorder {
    HostEngine* engine = nullptr;
    mutable std::mutex mutex;
    std::vector<int> events;
    std::vector<std::size_t> modelsAtEvent;

    void record(int event)
    {
        std::lock_guard<std::mutex> lock(mutex);
        events.push_back(event);
        modelsAtEvent.push_back(engine->scene().modelCount());
    }
    std::vector<int> snapshot() const
    {
        std::lock_guard<std::mutex> lock(mutex);
        return events;
    }
    template <int Event>
    static void handler(void* context) { static_cast<EventRecorder*>(context)->record(Event); }

    void registerAll(hostsdk::ICallbackProvider& provider)
    {
        provider.RegisterCallback(&handler<1>, 1, this);
        provider.RegisterCallback(&handler<3>, 3, this);
        provider.RegisterCallback(&handler<4>, 4, this);
        provider.RegisterCallback(&handler<10>, 10, this);
    }
};

void loadAndRun(HostEngine& engine, const std::string& path)
{
    platform::BSTR text = platform::SysAllocString(platform::utf8ToWide(path));
    engine.LoadInitialState(text);
    platform::SysFreeString(text);
    engine.Run();
}

std::vector<std::string> modelNames(hostsdk::IScene& scene)
{
    platform::SAFEARRAY* array = nullptr;
    scene.GetModels(&array);
    std::vector<std::string> names;
    void* data = nullptr;
    if (platform::SafeArrayAccessData(array, &data) == platform::S_OK) {
        auto** models = static_cast<hostsdk::ISceneModel**>(data);
        for (std::uint32_t i = 0; i < platform::SafeArrayElementCount(array); ++i) {
            const char* name = nullptr;
            models[i]->GetName(&name);
            names.push_back(name);
        }
        platform::SafeArrayUnaccessData(array);
    }
    platform::SafeArrayDestroy(array);
    return names;
}

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override { logger.setEchoToStderr(false); }

    HostLogger logger;
    SceneFiles files;
    HostEngine engine{logger, 200.0};
};

TEST_F(EngineTest, LoadsBetweenEvents1And3ThenRendersFrames)
{
    EventRecorder recorder;
    recorder.engine = &engine;
    recorder.registerAll(engine);
    loadAndRun(engine, files.writeScene("two.xml", 2, 1, true));
    ASSERT_TRUE(waitFor([&] { return recorder.snapshot().size() >= 8; }));
    engine.stop();

    const std::vector<int> events = recorder.snapshot();
    ASSERT_GE(events.size(), 8u);
    EXPECT_EQ(1, events[0]);
    EXPECT_EQ(3, events[1]);
    for (std::size_t i = 2; i < events.size(); ++i)
        EXPECT_EQ(i % 2 == 0 ? 4 : 10, events[i]) << "event " << i;
    EXPECT_EQ(0u, recorder.modelsAtEvent[0]) << "event 1 comes before the load";
    EXPECT_EQ(2u, recorder.modelsAtEvent[1]) << "event 3 comes after it";
}

TEST_F(EngineTest, SecondLoadReplacesTheFirstAndEarlierObjectsStayUsable)
{
    EventRecorder recorder;
    recorder.engine = &engine;
    recorder.registerAll(engine);
    loadAndRun(engine, files.writeScene("first.xml", 3, 1, true));
    ASSERT_TRUE(waitFor([&] { return engine.loadCount() == 1 && engine.frameCount() > 2; }));

    hostsdk::ISceneObject* oldObject = nullptr;
    engine.scene().GetSceneObject("Object2", &oldObject);
    ASSERT_NE(nullptr, oldObject);
    hostsdk::IXor* xorModule = nullptr;
    engine.GetXor(&xorModule);
    EXPECT_NE(nullptr, xorModule);

    recorder.registerAll(engine); // the plug-in registers again on every attachment
    loadAndRun(engine, files.writeScene("second.xml", 1, 0, false));
    ASSERT_TRUE(waitFor([&] { return engine.loadCount() == 2 && engine.frameCount() > 6; }));
    engine.stop();

    EXPECT_EQ(std::vector<std::string>{"Object0"}, modelNames(engine.scene()));
    hostsdk::ISceneObject* gone = nullptr;
    engine.scene().GetSceneObject("Object2", &gone);
    EXPECT_EQ(nullptr, gone);
    double lat = 0, lon = 0, alt = 0;
    oldObject->GetPosition(&lat, &lon, &alt); // still alive for a plug-in that kept it
    EXPECT_DOUBLE_EQ(2982.0, alt);
    engine.GetXor(&xorModule);
    EXPECT_EQ(nullptr, xorModule) << "the second scene has no material table";

    const std::vector<int> events = recorder.snapshot();
    std::vector<int> loads;
    for (int e : events)
        if (e == 1 || e == 3)
            loads.push_back(e);
    EXPECT_EQ((std::vector<int>{1, 3, 1, 3}), loads);
}

int replacedCalls = 0;
int replacingCalls = 0;
void replacedHandler(void*) { ++replacedCalls; }
void replacingHandler(void*) { ++replacingCalls; }

TEST_F(EngineTest, ARepeatedRegistrationReplacesTheEarlierHandler)
{
    engine.RegisterCallback(&replacedHandler, hostsdk::kEventPreRender, nullptr);
    engine.RegisterCallback(&replacingHandler, hostsdk::kEventPreRender, nullptr);
    loadAndRun(engine, files.writeScene("one.xml", 1, 0, true));
    ASSERT_TRUE(waitFor([&] { return engine.frameCount() >= 3; }));
    engine.stop();
    EXPECT_EQ(0, replacedCalls);
    EXPECT_GE(replacingCalls, 3);
}

TEST_F(EngineTest, TheCameraMovesAlongThePathFromFrameToFrame)
{
    loadAndRun(engine, files.writeScene("orbit.xml", 1, 0, true)); // the default orbit
    ASSERT_TRUE(waitFor([&] { return engine.frameCount() >= 1; }));
    hostsdk::IChannel* channel = nullptr;
    engine.GetChannel(0, &channel);
    hostsdk::ICamera* camera = nullptr;
    channel->GetCamera(&camera);
    double x0, y0, z0, x1, y1, z1;
    camera->GetPosition(&x0, &y0, &z0);
    std::this_thread::sleep_for(200ms);
    camera->GetPosition(&x1, &y1, &z1);
    engine.stop();
    EXPECT_NE(std::make_pair(x0, y0), std::make_pair(x1, y1));
    EXPECT_DOUBLE_EQ(z0, z1) << "an orbit keeps its height";
}

TEST_F(EngineTest, TheUserHoldsTheCameraUntilItIsGivenBackOrANewSceneLoads)
{
    const std::string scene = files.writeScene("orbit.xml", 1, 0, true); // the default orbit, 50 m up
    loadAndRun(engine, scene);
    HostCamera& camera = engine.channel().camera();
    auto framesLater = [&](std::uint64_t frames) {
        const std::uint64_t target = engine.frameCount() + frames;
        return waitFor([&] { return engine.frameCount() >= target; });
    };
    ASSERT_TRUE(framesLater(1));
    const Eigen::Vector3d held(1, 2, 3);
    camera.holdAt(held);
    ASSERT_TRUE(framesLater(3));
    double x, y, z;
    camera.GetPosition(&x, &y, &z);
    EXPECT_EQ(held, Eigen::Vector3d(x, y, z)) << "frames do not move a held camera";
    EXPECT_EQ(held, engine.frameState().eye);
    EXPECT_EQ(Eigen::Vector3d::Zero(), engine.frameState().target) << "the orbit's centre";

    camera.releaseToPath();
    ASSERT_TRUE(framesLater(2));
    EXPECT_DOUBLE_EQ(50.0, camera.position().z()) << "back on the path";

    camera.holdAt(held);
    loadAndRun(engine, scene);
    ASSERT_TRUE(waitFor([&] { return engine.loadCount() == 2; }));
    ASSERT_TRUE(framesLater(2));
    engine.stop();
    EXPECT_FALSE(camera.isHeld()) << "a new scene gives the camera back to its path";
    EXPECT_DOUBLE_EQ(50.0, camera.position().z());
}

TEST_F(EngineTest, EachFrameShowsTheLayersThatTheOptionsLeaveOn)
{
    struct Case {
        const char* name;
        std::function<void(hostsdk::VARIANT_BOOL)> set;
        bool FrameState::*flag;
    };
    const Case cases[] = {
        {"surface", [&](auto on) { engine.surface().conveyer().SetOption(4, on); }, &FrameState::surfaceVisible},
        {"surface light", [&](auto on) { engine.surface().conveyer().SetOption(2, on); }, &FrameState::surfaceLit},
        {"polygonal models", [&](auto on) { engine.sceneConveyer().SetOption(4, on); }, &FrameState::objectsVisible},
        {"objects' light", [&](auto on) { engine.sceneConveyer().SetOption(2, on); }, &FrameState::objectsLit},
        {"textures", [&](auto on) { engine.channel().SetOption(4, on); }, &FrameState::textures},
    };
    const bool FrameState::*all[] = {&FrameState::surfaceVisible, &FrameState::surfaceLit,
                                     &FrameState::objectsVisible, &FrameState::objectsLit, &FrameState::textures};
    for (const Case& c : cases) {
        c.set(hostsdk::VARIANT_FALSE);
        const FrameState frame = engine.frameState();
        for (const bool FrameState::*flag : all)
            EXPECT_EQ(flag != c.flag, frame.*flag) << c.name << " off";
        c.set(hostsdk::VARIANT_TRUE);
        EXPECT_TRUE(engine.frameState().*c.flag) << c.name << " on again";
    }
}

TEST_F(EngineTest, AStopDuringALoadEndsItWithoutWaitingForTheMeshes)
{
    // One mesh of a 100,000-corner polygon, named by 40 objects through links of their own, so that
    // each is read again: the load takes far longer than the stop.
    {
        std::ofstream obj(files.dir() + "/circle.obj");
        for (int i = 0; i < 100000; ++i)
            obj << "v " << std::cos(i * 6.283185307e-5) << ' ' << std::sin(i * 6.283185307e-5) << " 0\n";
        obj << 'f';
        for (int i = 1; i <= 100000; ++i)
            obj << ' ' << i;
        obj << '\n';
    }
    std::string objects;
    for (int i = 0; i < 40; ++i) {
        const std::string link = "c" + std::to_string(i) + ".obj";
        ASSERT_EQ(::symlink("circle.obj", (files.dir() + "/" + link).c_str()), 0);
        objects += "<object name=\"C" + std::to_string(i) + "\"><mesh path=\"" + link + "\"/></object>\n";
    }
    const std::string scene = files.dir() + "/heavy.xml";
    std::ofstream(scene) << "<scene>\n" << objects << "</scene>\n";

    engine.loadInitialState(scene);
    engine.Run();
    auto logged = [&](const std::string& text) {
        for (const auto& line : logger.lines())
            if (line.text == text)
                return true;
        return false;
    };
    for (int wait = 0; wait < 1000 && !logged("[quelmar] Loading the initial state " + scene); ++wait)
        std::this_thread::sleep_for(10ms);
    std::this_thread::sleep_for(100ms);
    engine.stop();
    EXPECT_EQ(engine.loadCount(), 0u) << "the load did not run to its end";
    EXPECT_TRUE(logged("[quelmar] Loading " + scene + " stopped: the engine ends"));
}

TEST_F(EngineTest, RunWithoutAnInitialStateDoesNothingButLog)
{
    EXPECT_NE(platform::S_OK, engine.Run());
    ASSERT_FALSE(logger.lines().empty());
    EXPECT_TRUE(logger.lines().back().error);
    EXPECT_EQ(0u, engine.loadCount());
}

// Sets the feedback up as the plug-in does after a load, captures one frame and reports the
// triangles the buffer holds.
class FeedbackTest : public EngineTest {
protected:
    void start(std::int32_t capacity)
    {
        loadAndRun(engine, files.writeScene("capture.xml", 2, 2, true)); // 2 × 2 + 2 × 2 × 2 = 12
        ASSERT_TRUE(waitFor([&] { return engine.loadCount() == 1; }));
        hostsdk::VARIANT_BOOL ok = 0;
        engine.feedback().Allocate(capacity, &ok);
        ASSERT_EQ(hostsdk::VARIANT_TRUE, ok);
        engine.feedback().End();
        engine.surface().conveyer().AttachFeedback(&engine.feedback());
        engine.sceneConveyer().AttachFeedback(&engine.feedback());
        engine.channel().AttachFeedback(&engine.feedback());
    }

    std::int32_t framesLater(int frames)
    {
        const std::uint64_t target = engine.frameCount() + static_cast<std::uint64_t>(frames);
        EXPECT_TRUE(waitFor([&] { return engine.frameCount() >= target; }));
        void* data = nullptr;
        std::int32_t bytes = -1;
        engine.feedback().GetData(&data, &bytes);
        lastData = static_cast<const hostsdk::TFeedbackTriangle*>(data);
        return bytes;
    }

    const hostsdk::TFeedbackTriangle* lastData = nullptr;
};

TEST_F(FeedbackTest, AnArmedFrameWritesTheEnabledLayers)
{
    struct Case { const char* name; bool surface; bool polygonal; int triangles; };
    const Case cases[] = {
        {"both layers", true, true, 12},
        {"surface hidden", false, true, 4},
        {"polygonal models off", true, false, 8},
        {"nothing shown", false, false, 0},
    };
    start(1'000'000);
    for (const Case& c : cases) {
        engine.surface().conveyer().SetOption(4, hostsdk::toVariantBool(c.surface));
        engine.sceneConveyer().SetOption(4, hostsdk::toVariantBool(c.polygonal));
        engine.feedback().Begin();
        const std::int32_t bytes = framesLater(2);
        engine.feedback().End();
        EXPECT_EQ(c.triangles * 96, bytes) << c.name;
    }
}

TEST_F(FeedbackTest, FramesOutsideBeginAndEndWriteNothing)
{
    start(1'000'000);
    EXPECT_EQ(0, framesLater(2)) << "never armed";

    engine.feedback().Begin();
    const std::int32_t captured = framesLater(2);
    engine.feedback().End();
    ASSERT_EQ(12 * 96, captured);
    ASSERT_NE(nullptr, lastData);
    EXPECT_EQ(0.0, lastData[0].fabricOffset) << "the surface comes first, material 0";
    EXPECT_EQ(1.0, lastData[11].fabricOffset) << "the objects' material 1";

    const auto* before = lastData;
    EXPECT_EQ(12 * 96, framesLater(2)) << "frames after End leave the capture alone";
    EXPECT_EQ(before, lastData);
}

// The plug-in's own protocol: armed in the handler of event 4, read and disarmed in that of
// event 10, so the frame in between is the one captured.
struct FrameCapture {
    HostEngine* engine = nullptr;
    std::atomic<bool> requested{false};
    std::atomic<bool> active{false};
    std::atomic<std::int32_t> bytes{-1};

    static void preRender(void* context)
    {
        auto* self = static_cast<FrameCapture*>(context);
        self->active = self->requested.load();
        if (self->active)
            self->engine->feedback().Begin();
    }
    static void postRender(void* context)
    {
        auto* self = static_cast<FrameCapture*>(context);
        if (!self->active)
            return;
        void* data = nullptr;
        std::int32_t count = 0;
        self->engine->feedback().GetData(&data, &count);
        self->bytes = count;
        self->requested = false;
        self->active = false;
        self->engine->feedback().End();
    }
};

TEST_F(FeedbackTest, ArmedBeforeAFrameAndReadAfterItGivesThatFrame)
{
    FrameCapture capture;
    capture.engine = &engine;
    engine.RegisterCallback(&FrameCapture::preRender, hostsdk::kEventPreRender, &capture);
    engine.RegisterCallback(&FrameCapture::postRender, hostsdk::kEventPostRender, &capture);
    start(1'000'000);
    capture.requested = true;
    ASSERT_TRUE(waitFor([&] { return capture.bytes.load() >= 0; }));
    EXPECT_EQ(12 * 96, capture.bytes.load());
    EXPECT_FALSE(engine.feedback().isArmed());
}

TEST_F(FeedbackTest, ABufferTooSmallHoldsWholeRecordsAndTheHostLogsTheOverflow)
{
    start(5 * 96 + 50);
    engine.feedback().Begin();
    const std::int32_t bytes = framesLater(2);
    engine.feedback().End();
    EXPECT_EQ(5 * 96, bytes);
    bool logged = false;
    for (const auto& line : logger.lines())
        logged = logged || (line.error && line.text.find("overflowed") != std::string::npos);
    EXPECT_TRUE(logged);
}

TEST_F(FeedbackTest, AllocationRefusesSizesBelowOne)
{
    for (std::int32_t size : {0, -1}) {
        hostsdk::VARIANT_BOOL ok = hostsdk::VARIANT_TRUE;
        engine.feedback().Allocate(size, &ok);
        EXPECT_EQ(hostsdk::VARIANT_FALSE, ok) << size;
    }
}

} // namespace
