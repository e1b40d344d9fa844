#pragma once
// One object of the loaded scene, as a scene model (name and paths) and as a scene object
// (placement). Kept alive after its scene is replaced: the plug-in may still hold it.

#include "iscenemodel.h"
#include "isceneobject.h"
#include "scene.h"

#include <string>
#include <vector>

namespace quelmar {

class HostSceneModel : public hostsdk::ISceneModel, public hostsdk::ISceneObject {
public:
    explicit HostSceneModel(const SceneObject& object);

    hostsdk::HRESULT GetPath(std::int32_t index, hostsdk::BSTR* out) override;
    hostsdk::HRESULT GetPathCount(std::int32_t* out) override;
    hostsdk::HRESULT GetName(const char** out) override;

    hostsdk::HRESULT GetPosition(double* lat, double* lon, double* alt) override;
    hostsdk::HRESULT GetOrientation(double* pitch, double* roll, double* yaw) override;

    const std::string& name() const { return name_; }

private:
    const std::string name_;
    const std::vector<std::string> paths_;
    const Placement placement_;
};

} // namespace quelmar
