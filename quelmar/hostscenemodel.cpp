#include "hostscenemodel.h"

#include "text.h"

namespace quelmar {

HostSceneModel::HostSceneModel(const SceneObject& object)
    : name_(object.name), paths_(object.paths), placement_(object.placement)
{
}

hostsdk::HRESULT HostSceneModel::GetPath(std::int32_t index, hostsdk::BSTR* out)
{
    if (!out)
        return platform::E_INVALIDARG;
    *out = nullptr;
    if (index < 0 || static_cast<std::size_t>(index) >= paths_.size())
        return platform::E_INVALIDARG;
    *out = platform::SysAllocString(platform::utf8ToWide(paths_[static_cast<std::size_t>(index)]));
    return *out ? platform::S_OK : platform::E_OUTOFMEMORY;
}

hostsdk::HRESULT HostSceneModel::GetPathCount(std::int32_t* out)
{
    if (!out)
        return platform::E_INVALIDARG;
    *out = static_cast<std::int32_t>(paths_.size());
    return platform::S_OK;
}

hostsdk::HRESULT HostSceneModel::GetName(const char** out)
{
    if (!out)
        return platform::E_INVALIDARG;
    *out = name_.c_str();
    return platform::S_OK;
}

hostsdk::HRESULT HostSceneModel::GetPosition(double* lat, double* lon, double* alt)
{
    if (!lat || !lon || !alt)
        return platform::E_INVALIDARG;
    *lat = placement_.position.latitude;
    *lon = placement_.position.longitude;
    *alt = placement_.position.altitude;
    return platform::S_OK;
}

hostsdk::HRESULT HostSceneModel::GetOrientation(double* pitch, double* roll, double* yaw)
{
    if (!pitch || !roll || !yaw)
        return platform::E_INVALIDARG;
    *pitch = placement_.pitch;
    *roll = placement_.roll;
    *yaw = placement_.yaw;
    return platform::S_OK;
}

} // namespace quelmar
