#pragma once
// The scene as the plug-in sees it: its models, its objects by name, the scene conveyer (index 0)
// and the render object of channel 0.

#include "hostscenemodel.h"
#include "iscene.h"

#include <memory>
#include <mutex>
#include <vector>

namespace quelmar {

class HostChannel;
class HostRender;
class HostSceneConveyer;

class HostScene : public hostsdk::IScene {
public:
    HostScene(HostSceneConveyer& conveyer, HostChannel& channel, HostRender& render);

    hostsdk::HRESULT GetSceneConveyer(std::int32_t index, hostsdk::ISceneConveyer** out) override;
    hostsdk::HRESULT GetSceneObject(const char* name, hostsdk::ISceneObject** out) override;
    hostsdk::HRESULT GetModels(hostsdk::SAFEARRAY** out) override;
    hostsdk::HRESULT GetRender(hostsdk::IChannel* channel, hostsdk::IKalmenoRender** out) override;

    // The models of a newly loaded scene; the previous ones stay alive but are no longer listed.
    void setObjects(const std::vector<SceneObject>& objects);
    std::size_t modelCount() const;

private:
    HostSceneConveyer& conveyer_;
    HostChannel& channel_;
    HostRender& render_;
    mutable std::mutex mutex_;
    std::vector<std::unique_ptr<HostSceneModel>> models_;
    std::vector<std::unique_ptr<HostSceneModel>> retired_;
};

} // namespace quelmar
