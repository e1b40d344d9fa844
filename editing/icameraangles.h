#pragma once
// Where the host camera looks at the current model from, for the points table's amplitude columns.

#include <optional>

struct CameraDirection {
    double azimuth = 0.0;                // degrees, 0 .. 360
    double elevation = 0.0;              // degrees, -90 .. 90
};

class ICameraAngles {
public:
    virtual ~ICameraAngles() = default;
    // Empty when the host offers no camera.
    virtual std::optional<CameraDirection> cameraDirection() const = 0;
};
