#include "engineattachment.h"

#include "bridgelog.h"
#include "bridgestate.h"
#include "capturesetup.h"
#include "cbridgeevents.h"
#include "feedbackcapture.h"
#include "materialtable.h"

#include <text.h>

#include <QCoreApplication>

namespace bridge {

namespace {

using namespace hostsdk;

template <typename Interface>
Interface* hostInterface(IHost* host, const char* typeLib, const char* progId, const char* name)
{
    void* out = nullptr;
    host->GetInterface(typeLib, progId, name, &out);
    return static_cast<Interface*>(out);
}

void runLoader(const std::string& path)
{
    auto& state = bridgeState();
    auto* engine = state.engine.load();
    auto* callbacks = state.callbackProvider.load();
    if (!engine || !callbacks) {
        logRawError("QuelQt: Engine is missing!");
        return;
    }
    // Local 8-bit paths are UTF-8 on this platform.
    BSTR olePath = platform::SysAllocString(platform::utf8ToWide(path));
    engine->LoadInitialState(olePath);
    platform::SysFreeString(olePath);

    callbacks->RegisterCallback(&OnEnginePreLoad, kEventPreLoad, nullptr);
    callbacks->RegisterCallback(&OnEnginePostLoad, kEventPostLoad, nullptr);
    callbacks->RegisterCallback(&OnEnginePreRender, kEventPreRender, nullptr);
    callbacks->RegisterCallback(&OnEnginePostRender, kEventPostRender, nullptr);
    engine->Run();
}

std::string narrowPath(BSTR text)
{
    if (!text)
        return {};
    return platform::wideToUtf8(std::u16string_view(text, platform::SysStringLen(text)));
}

TModelItem readSceneModel(IScene& scene, ISceneModel& model)
{
    TModelItem item;
    const char* name = nullptr;
    model.GetName(&name);
    item.name = name ? name : "";

    ISceneObject* object = nullptr;
    scene.GetSceneObject(item.name.c_str(), &object);
    if (object) {
        // The area is packed: its fields are written by value, never through their addresses.
        double lat = item.area.lat, lon = item.area.lon, alt = item.area.alt;
        object->GetPosition(&lat, &lon, &alt);
        item.area.lat = lat;
        item.area.lon = lon;
        item.area.alt = alt;
        double pitch = 0.0, roll = 0.0, yaw = 0.0;
        object->GetOrientation(&pitch, &roll, &yaw);
        item.area.pitch = pitch;
        item.area.roll = roll;
        item.area.yaw = yaw;
    }

    std::int32_t pathCount = 0;
    model.GetPathCount(&pathCount);
    for (std::int32_t j = 0; j < pathCount; ++j) {
        BSTR text = nullptr;
        model.GetPath(j, &text);
        const std::string path = narrowPath(text);
        platform::SysFreeString(text);
        if (item.label.empty())
            item.label = path;
        if (pathExtension(path) == ".mtm") {
            item.mtmPath = path;
            LogInfo("MTM found [" + item.name + "]. Path: [" + path + "].");
        }
    }
    return item;
}

} // namespace

std::string pathExtension(const std::string& path)
{
    const auto dot = path.rfind('.');
    return dot == std::string::npos ? std::string() : path.substr(dot);
}

bool Attach(const std::string& path)
{
    auto& state = bridgeState();
    ++state.sceneLoad;
    auto* host = state.host.load();
    if (!host)
        return false;
    auto* engine = hostInterface<IEngine>(host, kEngineTypeLib, kEngineProgId, kEngineObjectName);
    auto* callbacks = hostInterface<ICallbackProvider>(host, kCallbackProviderTypeLib, kEngineProgId,
                                                       kEngineObjectName);
    if (!engine || !callbacks)
        return false;
    state.engine = engine;
    state.callbackProvider = callbacks;
    runLoader(path);
    return true;
}

void OnEnginePreLoad(void*)
{
    auto& state = bridgeState();
    state.loadingScene = state.sceneLoad.load();
    state.engineReady = false;
    auto* engine = state.engine.load();
    if (!engine) {
        LogError("Engine is null");
        return;
    }
    IScene* scene = nullptr;
    ISurface* surface = nullptr;
    IChannel* channel = nullptr;
    IXor* xorModule = nullptr;
    engine->GetScene(&scene);
    engine->GetSurface(&surface);
    engine->GetChannel(0, &channel);
    engine->GetXor(&xorModule);
    state.scene = scene;
    state.surface = surface;
    state.channel = channel;
    state.xorModule = xorModule;
    if (!scene) {
        LogError("Scene is null");
        return;
    }
    if (!surface) {
        LogError("Surface is null");
        return;
    }
    if (!channel) {
        LogError("Channel is null");
        return;
    }
    if (!xorModule) {
        LogError("XOR is null");
        state.xorAvailable = false;
    }
    if (!state.xorAvailable) {
        const char* text = "The XOR module is missing or could not load. MTM generation will not be available.";
        emit bridgeEvents().Signal_disableMTMCalcBottons(QCoreApplication::translate("OnEnginePreLoad", text));
        LogError(text);
    }

    channel->SetOption(0x10000, VARIANT_TRUE);
    ICamera* camera = nullptr;
    channel->GetCamera(&camera);
    state.camera = camera;
    IKalmenoRender* render = nullptr;
    scene->GetRender(channel, &render);
    state.render = render;
    state.converter = hostInterface<IConverter>(state.host.load(), kConverterTypeLib, kConverterProgId,
                                                kConverterObjectName);
    if (state.xorAvailable && xorModule)
        xorModule->Prepare();
    if (!render) {
        LogError("KalmenoRender is null");
        return;
    }
    if (!state.converter.load()) {
        LogError("Converter is null");
        return;
    }
    if (!camera) {
        LogError("Camera is null");
        return;
    }
    state.engineReady = true;
}

void OnEnginePostLoad(void*)
{
    auto& state = bridgeState();
    if (!state.engineReady || !state.camera.load())
        return;
    InitializeFeedback();
    ReadSceneModels();
    emit bridgeEvents().Signal_refreshAfterLoad(state.loadingScene.load());
    if (state.xorAvailable && state.xorModule.load())
        LoadMaterials();
}

void ReadSceneModels()
{
    auto& state = bridgeState();
    // Whatever cannot be read lists nothing: the models of an earlier scene must not come back.
    state.setSceneModels({});
    auto* scene = state.scene.load();
    if (!state.engineReady || !scene)
        return;

    SAFEARRAY* array = nullptr;
    scene->GetModels(&array);
    void* data = nullptr;
    const bool accessed = array && platform::SafeArrayAccessData(array, &data) == platform::S_OK;
    // Anything but an array of pointers cannot be read as models.
    if (!accessed || !data || array->cbElements != sizeof(ISceneModel*)) {
        LogError("Can't get an array of models of scene!");
        if (accessed)
            platform::SafeArrayUnaccessData(array);
        platform::SafeArrayDestroy(array);
        return;
    }
    std::vector<TModelItem> models;
    auto* const* elements = static_cast<ISceneModel* const*>(data);
    const std::uint32_t count = platform::SafeArrayElementCount(array);
    for (std::uint32_t i = 0; i < count; ++i)
        if (elements[i])
            models.push_back(readSceneModel(*scene, *elements[i]));
    state.setSceneModels(std::move(models));
    platform::SafeArrayUnaccessData(array);
    platform::SafeArrayDestroy(array);
}

} // namespace bridge
