#pragma once
// The points table's view of the host camera: the direction last polled.

#include <icameraangles.h>

namespace bridge {

class HostCameraAngles : public ICameraAngles {
public:
    std::optional<CameraDirection> cameraDirection() const override;
};

} // namespace bridge
