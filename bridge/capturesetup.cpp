#include "capturesetup.h"

#include "bridgelog.h"
#include "bridgestate.h"
#include "cbridgeevents.h"

#include <cstdint>
#include <string>

namespace bridge {

namespace {

using namespace hostsdk;

constexpr std::int32_t kDefaultFeedbackMegabytes = 256;
// The host counts the buffer's bytes in a signed 32-bit number.
constexpr std::int32_t kLargestFeedbackMegabytes = 2147;

} // namespace

void InitializeFeedback()
{
    auto& state = bridgeState();
    auto* xorModule = state.xorModule.load();
    if (!state.engineReady || !state.xorAvailable || !xorModule)
        return;
    state.engineReady = false;

    std::int32_t megabytes = 0;
    xorModule->GetFeedbackSize(&megabytes);
    if (megabytes == 0)
        megabytes = kDefaultFeedbackMegabytes;
    if (megabytes < 0 || megabytes > kLargestFeedbackMegabytes) {
        // Refused rather than wrapped into a nonsense byte count.
        LogError("Feedback size of " + std::to_string(megabytes) + " megabytes is out of range in InitializeFeedback");
        emit bridgeEvents().Signal_disableMTMCalcBottons(QStringLiteral(
            "The feedback buffer size of the XOR module is out of range. MTM generation will not be available."));
        return;
    }

    auto* surface = state.surface.load();
    if (!surface) {
        LogError("Surface is null in InitializeFeedback");
        return;
    }
    ISurfaceConveyer* surfaceConveyer = nullptr;
    surface->GetSurfaceConveyer(0, &surfaceConveyer);
    state.surfaceConveyer = surfaceConveyer;
    ISceneConveyer* sceneConveyer = nullptr;
    if (auto* scene = state.scene.load())
        scene->GetSceneConveyer(0, &sceneConveyer);
    state.sceneConveyer = sceneConveyer;

    auto* engine = state.engine.load();
    if (!engine) {
        LogError("Engine is null in InitializeFeedback");
        return;
    }
    IFeedback* feedback = nullptr;
    engine->GetFeedback(&feedback);
    state.feedback = feedback;
    if (!feedback) {
        LogError("Feedback is null in InitializeFeedback");
        return;
    }
    VARIANT_BOOL ok = VARIANT_FALSE;
    feedback->Allocate(megabytes * 1000000, &ok);
    feedback->End();
    if (!fromVariantBool(ok)) {
        LogError("Feedback failed to initialize");
        return;
    }
    if (!surfaceConveyer) {
        LogError("SurfaceConveye is null in InitializeFeedback");
        return;
    }
    if (!sceneConveyer) {
        LogError("SceneConveye is null in InitializeFeedback");
        return;
    }

    VARIANT_BOOL extended = VARIANT_FALSE;
    surfaceConveyer->IsExtended(&extended);
    surfaceConveyer->SetMode(fromVariantBool(extended) ? 192 : 64);
    sceneConveyer->SetOption(8, VARIANT_FALSE);
    surfaceConveyer->AttachFeedback(feedback);
    sceneConveyer->AttachFeedback(feedback);
    if (auto* channel = state.channel.load())
        channel->AttachFeedback(feedback);
    state.engineReady = true;
}

} // namespace bridge
