#pragma once
// The bridge's process-wide state: the host's objects as the load handlers found them, the
// readiness flags and the scene's models. Host threads write it, the GUI, angle-worker and job
// threads read it, so every member is an atomic or sits behind the mutex.

#include <hostsdk.h>
#include <tmodelitem.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

namespace bridge {

class BridgeState {
public:
    // Set by the plug-in's Initialize.
    std::atomic<hostsdk::IHost*> host{nullptr};
    std::atomic<hostsdk::IHostLogger*> hostLogger{nullptr};

    // Set together by the attachment.
    std::atomic<hostsdk::IEngine*> engine{nullptr};
    std::atomic<hostsdk::ICallbackProvider*> callbackProvider{nullptr};

    // Set by the pre-load handler.
    std::atomic<hostsdk::IScene*> scene{nullptr};
    std::atomic<hostsdk::ISurface*> surface{nullptr};
    std::atomic<hostsdk::IChannel*> channel{nullptr};
    std::atomic<hostsdk::IXor*> xorModule{nullptr};
    std::atomic<hostsdk::ICamera*> camera{nullptr};
    std::atomic<hostsdk::IKalmenoRender*> render{nullptr};
    std::atomic<hostsdk::IConverter*> converter{nullptr};

    // Set by the capture set-up.
    std::atomic<hostsdk::IFeedback*> feedback{nullptr};
    std::atomic<hostsdk::ISurfaceConveyer*> surfaceConveyer{nullptr};
    std::atomic<hostsdk::ISceneConveyer*> sceneConveyer{nullptr};

    std::atomic<bool> engineReady{false};
    // Once false it stays false.
    std::atomic<bool> xorAvailable{true};

    // The box of the current list row (-1 while none was chosen): the camera angles are measured
    // from it. Written by the GUI thread, read by the angle worker.
    std::atomic<std::int32_t> currentRowBoxId{-1};
    // The camera's last direction from that box, degrees (azimuth 0 <= value < 360 once stored).
    std::atomic<double> azimuthAngle{0.0};
    std::atomic<double> placeAngle{0.0};

    // The plug-in's copy of the XOR material table (empty until loaded).
    std::vector<hostsdk::TXorMaterial> materialsCopy() const;
    void setMaterials(std::vector<hostsdk::TXorMaterial> materials);
    std::int32_t materialCount() const;

    // The scene's models as last read.
    std::vector<TModelItem> sceneModels() const;
    void setSceneModels(std::vector<TModelItem> models);

    // Back to the detached state (pointers null, flags initial, no models). For a new host
    // within one process, as tests have.
    void reset();

private:
    mutable std::mutex mutex_;
    std::vector<TModelItem> sceneModels_;
    std::vector<hostsdk::TXorMaterial> materials_;
};

// The one state of the loaded plug-in.
BridgeState& bridgeState();

} // namespace bridge
