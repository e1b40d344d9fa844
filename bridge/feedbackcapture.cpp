#include "feedbackcapture.h"

#include "bridgelog.h"
#include "bridgestate.h"
#include "trianglepreparation.h"

#include <clock.h>

#include <memory>

namespace bridge {

namespace {

using namespace hostsdk;

// Surface conveyer state bit: the surface wants a refresh before it renders into the feedback.
constexpr std::uint32_t kSurfaceStaleBit = 4;

// Reads the armed frame's records into a new capture; null when the frame delivered nothing
// (the previous capture then stands).
std::shared_ptr<const TCapture> prepareFrame(IFeedback* feedback)
{
    if (!feedback)
        return nullptr;
    // The host's wait for its data; no lock of ours is held across it.
    platform::sleepMilliseconds(1000);
    std::int32_t prepared = 0;
    feedback->PrepareData(&prepared);
    void* data = nullptr;
    std::int32_t byteCount = 0;
    feedback->GetData(&data, &byteCount);
    if (!data || byteCount == 0)
        return nullptr;
    auto& state = bridgeState();
    // One snapshot of the material table for the whole capture.
    MaterialLink materials(state.xorModule.load() != nullptr, state.materialsCopy());
    return std::make_shared<const TCapture>(prepareCapturedTriangles(data, byteCount, state.render.load(),
                                                                     state.currentBoxId.load(), std::move(materials)));
}

} // namespace

bool RequestFeedback()
{
    auto& state = bridgeState();
    std::uint64_t none = 0;
    if (!state.feedbackRequested.compare_exchange_strong(none, ++state.lastRequestSerial)) {
        LogError("Tried to get feedback, while Quelmar already recieving feedback");
        return false;
    }
    return true;
}

bool CancelFeedbackRequest()
{
    return bridgeState().feedbackRequested.exchange(0) != 0;
}

void OnEnginePreRender(void*)
{
    auto& state = bridgeState();
    auto* surfaceConveyer = state.surfaceConveyer.load();
    if (!state.engineReady || !surfaceConveyer)
        return;
    const std::uint64_t request = state.feedbackRequested.load();
    if (request == 0) {
        state.feedbackActive = 0;
        return;
    }
    LogInfo("Starting render with feedback...");
    std::uint32_t bits = 0;
    surfaceConveyer->GetState(&bits);
    if (bits & kSurfaceStaleBit) {
        surfaceConveyer->SetRefresh(-1);
        surfaceConveyer->Refresh();
        surfaceConveyer->SetRefresh(0);
    }
    state.feedbackActive = request;
    if (auto* feedback = state.feedback.load())
        feedback->Begin();
    else
        LogError("Feedback is null in OnEnginePreRender");
}

void OnEnginePostRender(void*)
{
    auto& state = bridgeState();
    std::uint64_t armed = state.feedbackActive.load();
    if (!state.engineReady || armed == 0)
        return;
    auto* feedback = state.feedback.load();
    if (state.feedbackRequested.load() != armed) {
        // The request was withdrawn after this frame was armed: disarm without a capture.
        state.feedbackActive = 0;
        if (feedback)
            feedback->End();
        return;
    }
    LogInfo("... render with feedback ended.");
    std::shared_ptr<const TCapture> capture = prepareFrame(feedback);
    // Served only if the request is still the one this frame armed for.
    if (state.feedbackRequested.compare_exchange_strong(armed, 0)) {
        if (capture)
            state.setCapture(std::move(capture));
        state.generationGate.release();
    } else {
        LogInfo("Capture discarded: its request was withdrawn");
    }
    if (feedback)
        feedback->End();
    else
        LogError("Feedback is null in OnEnginePostRender");
}

} // namespace bridge
