#pragma once
// The engine ("Quelmar.Engine", also its callback provider). LoadInitialState names a file; Run
// has the engine thread read it and then fire event 1, put the new scene in place, fire event 3,
// and render frames (event 4, the frame, event 10) at the frame rate until the next Run or the
// engine's end. A second LoadInitialState + Run replaces the scene on the same thread; the host
// objects (scene, surface, channel, XOR, feedback, render) stay the same for the engine's life.
// With a frame drawer (the viewport) each frame is also drawn, after its feedback and before
// event 10; without one the frames are the same, only unseen.

#include "callbackregistry.h"
#include "framedrawer.h"
#include "hostchannel.h"
#include "hostfeedback.h"
#include "hostlogger.h"
#include "hostrender.h"
#include "hostscene.h"
#include "hostsceneconveyer.h"
#include "hostsurface.h"
#include "hostxor.h"
#include "icallbackprovider.h"
#include "iengine.h"
#include "scene.h"

#include <atomic>
#include <condition_variable>
#include <chrono>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace quelmar {

class HostEngine : public hostsdk::IEngine, public hostsdk::ICallbackProvider {
public:
    explicit HostEngine(HostLogger& logger, double frameRate = 20.0);
    ~HostEngine();
    HostEngine(const HostEngine&) = delete;
    HostEngine& operator=(const HostEngine&) = delete;

    hostsdk::HRESULT LoadInitialState(hostsdk::BSTR path) override;
    hostsdk::HRESULT Run() override;
    hostsdk::HRESULT GetChannel(std::int32_t index, hostsdk::IChannel** out) override;
    hostsdk::HRESULT GetFeedback(hostsdk::IFeedback** out) override;
    hostsdk::HRESULT GetScene(hostsdk::IScene** out) override;
    hostsdk::HRESULT GetSurface(hostsdk::ISurface** out) override;
    // Null while the scene (being) loaded has no material table: the XOR module is missing.
    hostsdk::HRESULT GetXor(hostsdk::IXor** out) override;

    hostsdk::HRESULT RegisterCallback(hostsdk::EngineCallback function, std::int32_t eventId, void* context) override;

    // Host side.
    void loadInitialState(const std::string& path);
    void setFrameRate(double framesPerSecond);
    // Ends the engine thread: after the frame under way, or within a moment of a load under way.
    void stop();
    // From the next frame on; null draws nothing. Waits for a frame that the old drawer is
    // drawing, so the old one may go once this returns (release its waiting frame first).
    void setFrameDrawer(FrameDrawer* drawer);
    // The layers and the camera as a frame would take them now.
    FrameState frameState() const;

    std::shared_ptr<const Scene> currentScene() const;
    std::uint64_t frameCount() const { return frames_.load(); }
    std::uint64_t loadCount() const { return loads_.load(); }

    HostChannel& channel() { return channel_; }
    HostFeedback& feedback() { return feedback_; }
    HostRender& render() { return render_; }
    HostScene& scene() { return scene_; }
    HostSceneConveyer& sceneConveyer() { return sceneConveyer_; }
    HostSurface& surface() { return surface_; }
    HostXor& xorModule() { return xor_; }

private:
    void threadLoop();
    void load(const std::string& path);
    void renderFrame();

    HostLogger& logger_;
    CallbackRegistry callbacks_;
    HostChannel channel_;
    HostFeedback feedback_;
    HostRender render_;
    HostSceneConveyer sceneConveyer_;
    HostScene scene_{sceneConveyer_, channel_, render_};
    HostSurface surface_;
    HostXor xor_;
    std::atomic<bool> xorPresent_{false};
    std::mutex drawerMutex_; // held while a frame is drawn
    FrameDrawer* drawer_ = nullptr;

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::string namedPath_;
    std::optional<std::string> pendingLoad_;
    bool stopping_ = false;
    std::atomic<bool> stopRequested_{false}; // stopping_, for a load under way to ask without the lock
    std::chrono::nanoseconds framePeriod_;
    std::shared_ptr<const Scene> current_;
    std::chrono::steady_clock::time_point runStart_;
    std::thread thread_;

    std::atomic<std::uint64_t> frames_{0};
    std::atomic<std::uint64_t> loads_{0};
};

} // namespace quelmar
