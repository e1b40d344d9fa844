#include "hostcameraangles.h"

#include "bridgestate.h"

namespace bridge {

std::optional<CameraDirection> HostCameraAngles::cameraDirection() const
{
    const auto& state = bridgeState();
    if (!state.camera.load())
        return std::nullopt;
    CameraDirection direction;
    direction.azimuth = state.azimuthAngle.load();
    direction.elevation = state.placeAngle.load();
    return direction;
}

} // namespace bridge
