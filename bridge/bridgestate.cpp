#include "bridgestate.h"

namespace bridge {

std::vector<hostsdk::TXorMaterial> BridgeState::materialsCopy() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return materials_;
}

void BridgeState::setMaterials(std::vector<hostsdk::TXorMaterial> materials)
{
    std::lock_guard<std::mutex> lock(mutex_);
    materials_ = std::move(materials);
}

std::int32_t BridgeState::materialCount() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return static_cast<std::int32_t>(materials_.size());
}

std::shared_ptr<const TCapture> BridgeState::capture() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return capture_;
}

void BridgeState::setCapture(std::shared_ptr<const TCapture> capture)
{
    std::lock_guard<std::mutex> lock(mutex_);
    capture_ = std::move(capture);
}

std::vector<TModelItem> BridgeState::sceneModels() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return sceneModels_;
}

void BridgeState::setSceneModels(std::vector<TModelItem> models)
{
    std::lock_guard<std::mutex> lock(mutex_);
    sceneModels_ = std::move(models);
}

std::optional<std::int32_t> BridgeState::takeSpareBox()
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (spareBoxes_.empty())
        return std::nullopt;
    const std::int32_t boxId = spareBoxes_.back();
    spareBoxes_.pop_back();
    return boxId;
}

void BridgeState::addSpareBox(std::int32_t boxId)
{
    std::lock_guard<std::mutex> lock(mutex_);
    spareBoxes_.push_back(boxId);
}

void BridgeState::reset()
{
    host = nullptr;
    hostLogger = nullptr;
    engine = nullptr;
    callbackProvider = nullptr;
    scene = nullptr;
    surface = nullptr;
    channel = nullptr;
    xorModule = nullptr;
    camera = nullptr;
    render = nullptr;
    converter = nullptr;
    feedback = nullptr;
    surfaceConveyer = nullptr;
    sceneConveyer = nullptr;
    engineReady = false;
    xorAvailable = true;
    currentRowBoxId = -1;
    azimuthAngle = 0.0;
    placeAngle = 0.0;
    feedbackRequested = 0;
    feedbackActive = 0;
    currentBoxId = -1;
    generationGate.release();
    std::lock_guard<std::mutex> lock(mutex_);
    sceneModels_.clear();
    materials_.clear();
    spareBoxes_.clear();
    capture_ = std::make_shared<const TCapture>();
}

BridgeState& bridgeState()
{
    static BridgeState state;
    return state;
}

} // namespace bridge
