#include "hostscene.h"

#include "hostchannel.h"
#include "hostrender.h"
#include "hostsceneconveyer.h"

#include <cstring>

namespace quelmar {

HostScene::HostScene(HostSceneConveyer& conveyer, HostChannel& channel, HostRender& render)
    : conveyer_(conveyer), channel_(channel), render_(render)
{
}

hostsdk::HRESULT HostScene::GetSceneConveyer(std::int32_t index, hostsdk::ISceneConveyer** out)
{
    if (!out)
        return platform::E_INVALIDARG;
    *out = index == 0 ? &conveyer_ : nullptr;
    return index == 0 ? platform::S_OK : platform::E_INVALIDARG;
}

hostsdk::HRESULT HostScene::GetSceneObject(const char* name, hostsdk::ISceneObject** out)
{
    if (!out)
        return platform::E_INVALIDARG;
    *out = nullptr;
    if (!name)
        return platform::E_INVALIDARG;
    std::lock_guard<std::mutex> lock(mutex_);
    for (const auto& model : models_)
        if (model->name() == name) {
            *out = model.get();
            return platform::S_OK;
        }
    return platform::E_INVALIDARG;
}

hostsdk::HRESULT HostScene::GetModels(hostsdk::SAFEARRAY** out)
{
    if (!out)
        return platform::E_INVALIDARG;
    std::lock_guard<std::mutex> lock(mutex_);
    *out = platform::SafeArrayCreateVector(sizeof(hostsdk::ISceneModel*), 0,
                                           static_cast<std::uint32_t>(models_.size()));
    if (!*out)
        return platform::E_OUTOFMEMORY;
    void* data = nullptr;
    if (platform::SafeArrayAccessData(*out, &data) != platform::S_OK) {
        platform::SafeArrayDestroy(*out);
        *out = nullptr;
        return platform::E_OUTOFMEMORY;
    }
    auto* slots = static_cast<hostsdk::ISceneModel**>(data);
    for (std::size_t i = 0; i < models_.size(); ++i)
        slots[i] = models_[i].get();
    platform::SafeArrayUnaccessData(*out);
    return platform::S_OK;
}

hostsdk::HRESULT HostScene::GetRender(hostsdk::IChannel* channel, hostsdk::IKalmenoRender** out)
{
    if (!out)
        return platform::E_INVALIDARG;
    const bool known = channel == &channel_;
    *out = known ? &render_ : nullptr;
    return known ? platform::S_OK : platform::E_INVALIDARG;
}

void HostScene::setObjects(const std::vector<SceneObject>& objects)
{
    std::vector<std::unique_ptr<HostSceneModel>> models;
    models.reserve(objects.size());
    for (const SceneObject& object : objects)
        models.push_back(std::make_unique<HostSceneModel>(object));
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto& model : models_)
        retired_.push_back(std::move(model));
    models_ = std::move(models);
}

std::size_t HostScene::modelCount() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return models_.size();
}

} // namespace quelmar
