#pragma once
// An exact rigid transform between the scene frame and a body frame (see placement.h).

#include "enuframe.h"
#include "placement.h"

#include <Eigen/Dense>

namespace quelmar {

class BodyFrame {
public:
    // The body frame at the scene origin, without rotation.
    BodyFrame();
    BodyFrame(const EnuFrame& scene, const Placement& placement);

    const Eigen::Vector3d& centre() const { return centre_; }
    // Columns: the body's x, y, z axes in the scene frame.
    const Eigen::Matrix3d& axes() const { return axes_; }

    Eigen::Vector3d sceneToBody(const Eigen::Vector3d& scene) const;
    Eigen::Vector3d bodyToScene(const Eigen::Vector3d& body) const;
    // Rotation only, for directions.
    Eigen::Vector3d directionToScene(const Eigen::Vector3d& body) const;

    // Body axes relative to the level frame (x north, y up, z east) for these angles.
    static Eigen::Matrix3d attitude(double yawDegrees, double pitchDegrees, double rollDegrees);

private:
    Eigen::Vector3d centre_;
    Eigen::Matrix3d axes_;
};

} // namespace quelmar
