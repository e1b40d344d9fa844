#include "hostengine.h"

#include "interfacenames.h"
#include "sceneloader.h"
#include "text.h"

#include <cmath>

namespace quelmar {

namespace {

std::chrono::nanoseconds periodOf(double framesPerSecond)
{
    if (!(framesPerSecond > 0.0) || !std::isfinite(framesPerSecond))
        framesPerSecond = 20.0;
    return std::chrono::nanoseconds(static_cast<std::int64_t>(1e9 / framesPerSecond));
}

// Hands one of the engine's objects out through `out`; a null `out` is refused.
template <class Interface, class Object>
hostsdk::HRESULT handOut(Interface** out, Object* object)
{
    if (!out)
        return platform::E_INVALIDARG;
    *out = object;
    return platform::S_OK;
}

} // namespace

HostEngine::HostEngine(HostLogger& logger, double frameRate)
    : logger_(logger), framePeriod_(periodOf(frameRate)), current_(std::make_shared<Scene>())
{
}

HostEngine::~HostEngine()
{
    stop();
}

hostsdk::HRESULT HostEngine::LoadInitialState(hostsdk::BSTR path)
{
    if (!path)
        return platform::E_INVALIDARG;
    loadInitialState(platform::wideToUtf8(std::u16string_view(path, platform::SysStringLen(path))));
    return platform::S_OK;
}

void HostEngine::loadInitialState(const std::string& path)
{
    std::lock_guard<std::mutex> lock(mutex_);
    namedPath_ = path;
}

hostsdk::HRESULT HostEngine::Run()
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (namedPath_.empty()) {
        logger_.hostError("Run() without an initial state: nothing to load");
        return platform::E_INVALIDARG;
    }
    pendingLoad_ = namedPath_;
    stopping_ = false;
    stopRequested_.store(false);
    if (!thread_.joinable())
        thread_ = std::thread([this] { threadLoop(); });
    wake_.notify_all();
    return platform::S_OK;
}

void HostEngine::stop()
{
    stopRequested_.store(true);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
        wake_.notify_all();
    }
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id())
        thread_.join();
}

void HostEngine::setFrameRate(double framesPerSecond)
{
    std::lock_guard<std::mutex> lock(mutex_);
    framePeriod_ = periodOf(framesPerSecond);
}

hostsdk::HRESULT HostEngine::GetChannel(std::int32_t index, hostsdk::IChannel** out)
{
    if (!out)
        return platform::E_INVALIDARG;
    *out = index == 0 ? &channel_ : nullptr;
    return index == 0 ? platform::S_OK : platform::E_INVALIDARG;
}

hostsdk::HRESULT HostEngine::GetFeedback(hostsdk::IFeedback** out)
{
    return handOut(out, &feedback_);
}

hostsdk::HRESULT HostEngine::GetScene(hostsdk::IScene** out)
{
    return handOut(out, &scene_);
}

hostsdk::HRESULT HostEngine::GetSurface(hostsdk::ISurface** out)
{
    return handOut(out, &surface_);
}

hostsdk::HRESULT HostEngine::GetXor(hostsdk::IXor** out)
{
    return handOut(out, xorPresent_.load() ? &xor_ : nullptr);
}

hostsdk::HRESULT HostEngine::RegisterCallback(hostsdk::EngineCallback function, std::int32_t eventId, void* context)
{
    callbacks_.registerCallback(function, eventId, context);
    return platform::S_OK;
}

std::shared_ptr<const Scene> HostEngine::currentScene() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return current_;
}

void HostEngine::threadLoop()
{
    auto nextFrame = std::chrono::steady_clock::now();
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stopping_) {
        if (pendingLoad_) {
            const std::string path = *pendingLoad_;
            pendingLoad_.reset();
            lock.unlock();
            load(path);
            lock.lock();
            nextFrame = std::chrono::steady_clock::now();
            continue;
        }
        lock.unlock();
        renderFrame();
        lock.lock();
        nextFrame += framePeriod_;
        const auto now = std::chrono::steady_clock::now();
        if (nextFrame < now)
            nextFrame = now; // a slow frame (the plug-in may hold it) does not cause a burst
        wake_.wait_until(lock, nextFrame, [this] { return stopping_ || pendingLoad_.has_value(); });
    }
}

void HostEngine::load(const std::string& path)
{
    logger_.hostInfo("Loading the initial state " + path);
    auto loaded = loadScene(
        path,
        [this](LogLevel level, const std::string& line) {
            if (level == LogLevel::Info)
                logger_.hostInfo(line);
            else
                logger_.hostError(line);
        },
        [this] { return stopRequested_.load(); });
    if (!loaded && stopRequested_.load()) {
        logger_.hostInfo("Loading " + path + " stopped: the engine ends");
        return;
    }
    auto scene = std::make_shared<Scene>();
    if (loaded)
        *scene = std::move(loaded.value());
    else
        logger_.hostError(loaded.error());

    xorPresent_.store(scene->materials.has_value());
    callbacks_.fire(hostsdk::kEventPreLoad);

    scene_.setObjects(scene->objects);
    xor_.setTable(scene->materials.value_or(std::vector<XorMaterialRecord>{}), scene->feedbackMegabytes);
    surface_.conveyer().setExtended(scene->surface.extended);
    render_.setSceneFrame(scene->frame);
    // A new scene gives the camera back to its path.
    channel_.camera().releaseToPath();
    channel_.camera().followPath(scene->camera.positionAt(0.0));
    {
        std::lock_guard<std::mutex> lock(mutex_);
        current_ = scene;
        runStart_ = std::chrono::steady_clock::now();
    }
    ++loads_;
    logger_.hostInfo("Scene loaded: " + std::to_string(scene->objects.size()) + " objects, " +
                     std::to_string(scene->triangleCount(true, true)) + " triangles");
    callbacks_.fire(hostsdk::kEventPostLoad);
}

void HostEngine::setFrameDrawer(FrameDrawer* drawer)
{
    std::lock_guard<std::mutex> lock(drawerMutex_);
    drawer_ = drawer;
}

FrameState HostEngine::frameState() const
{
    FrameState frame;
    frame.scene = currentScene();
    frame.eye = channel_.camera().position();
    frame.target = frame.scene->camera.lookAt();
    frame.surfaceVisible = surface_.conveyer().options().isOn(HostSurfaceConveyer::kVisible);
    frame.surfaceLit = surface_.conveyer().options().isOn(HostSurfaceConveyer::kLight);
    frame.objectsVisible = sceneConveyer_.options().isOn(HostSceneConveyer::kPolygonal);
    frame.objectsLit = sceneConveyer_.options().isOn(HostSceneConveyer::kLight);
    frame.textures = channel_.options().isOn(HostChannel::kTextures);
    return frame;
}

void HostEngine::renderFrame()
{
    std::chrono::steady_clock::time_point start;
    std::shared_ptr<const Scene> path;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        path = current_;
        start = runStart_;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    channel_.camera().followPath(path->camera.positionAt(seconds));

    callbacks_.fire(hostsdk::kEventPreRender);

    const FrameState frame = frameState();
    hostsdk::IFeedback* const target = &feedback_;
    if (channel_.attachedFeedback() == target && feedback_.isArmed()) {
        FeedbackLayers layers;
        layers.objects = sceneConveyer_.attachedFeedback() == target && frame.objectsVisible;
        layers.surface = surface_.conveyer().attachedFeedback() == target && frame.surfaceVisible;
        const FeedbackResult result = feedback_.renderFrame(*frame.scene, layers);
        if (result.overflowed)
            logger_.hostError("Feedback buffer overflowed: " + std::to_string(result.triangles) + " of " +
                              std::to_string(frame.scene->triangleCount(layers.objects, layers.surface)) +
                              " triangles fit in " + std::to_string(feedback_.capacity()) + " bytes");
    }
    {
        std::lock_guard<std::mutex> lock(drawerMutex_);
        if (drawer_)
            drawer_->drawFrame(frame);
    }
    ++frames_;

    callbacks_.fire(hostsdk::kEventPostRender);
}

} // namespace quelmar
