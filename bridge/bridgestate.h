#pragma once
// The bridge's process-wide state: the host's objects as the load handlers found them, the
// readiness flags and the scene's models. Host threads write it, the GUI, angle-worker and job
// threads read it, so every member is an atomic or sits behind the mutex.

#include "generationgate.h"
#include "tcapture.h"

#include <hostsdk.h>
#include <tmodelitem.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace bridge {

class BridgeState {
public:
    // Set by the plug-in's Initialize.
    std::atomic<hostsdk::IHost*> host{nullptr};
    std::atomic<hostsdk::IHostLogger*> hostLogger{nullptr};

    // Every Attach starts a new scene load, also one that fails, and the load handlers tag what
    // they report with the load they serve: a report of an earlier load can then be told apart.
    // Never reset, so that a report from before a reset stays an earlier one.
    std::atomic<std::uint64_t> sceneLoad{0};
    // The load whose handlers run (set by the pre-load handler).
    std::atomic<std::uint64_t> loadingScene{0};

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

    // The capture request and the frame that serves it. Requests are serial numbers rather than
    // flags, so that a frame armed for a request that was withdrawn never serves a later one.
    // The pending request, 0 while none: placed by a job, cleared by the frame that serves it.
    std::atomic<std::uint64_t> feedbackRequested{0};
    // The request the frame being rendered captures for, 0 when none.
    std::atomic<std::uint64_t> feedbackActive{0};
    // The serial of the last request placed.
    std::atomic<std::uint64_t> lastRequestSerial{0};
    // The generation area's box of the running job (-1: none).
    std::atomic<std::int32_t> currentBoxId{-1};
    // Hands each capture from the render thread to the waiting job.
    GenerationGate generationGate;

    // The last prepared capture (empty before the first). A new capture replaces the pointer,
    // never the capture itself, so whoever holds one keeps it whole.
    std::shared_ptr<const TCapture> capture() const;
    void setCapture(std::shared_ptr<const TCapture> capture);

    // The plug-in's copy of the XOR material table (empty until loaded).
    std::vector<hostsdk::TXorMaterial> materialsCopy() const;
    void setMaterials(std::vector<hostsdk::TXorMaterial> materials);
    std::int32_t materialCount() const;

    // The scene's models as last read.
    std::vector<TModelItem> sceneModels() const;
    void setSceneModels(std::vector<TModelItem> models);

    // Generation-area boxes of the render object that no row uses any more (the host cannot delete
    // a box): hidden, and handed out again before a new one is created.
    std::optional<std::int32_t> takeSpareBox();
    void addSpareBox(std::int32_t boxId);

    // Back to the detached state (pointers null, flags initial, no models, no capture, the gate
    // free). For a new host within one process, as tests have.
    void reset();

private:
    mutable std::mutex mutex_;
    std::vector<TModelItem> sceneModels_;
    std::vector<hostsdk::TXorMaterial> materials_;
    std::vector<std::int32_t> spareBoxes_;
    std::shared_ptr<const TCapture> capture_ = std::make_shared<const TCapture>();
};

// The one state of the loaded plug-in.
BridgeState& bridgeState();

} // namespace bridge
