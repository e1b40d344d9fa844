#include "bodyframe.h"

#include <Eigen/Dense>

#include <cmath>

namespace quelmar {

namespace {

constexpr double degree = M_PI / 180.0;

// Level body frame (x north, y up, z east) in east-north-up coordinates.
Eigen::Matrix3d levelToEnu()
{
    Eigen::Matrix3d m;
    m.col(0) = Eigen::Vector3d(0.0, 1.0, 0.0);
    m.col(1) = Eigen::Vector3d(0.0, 0.0, 1.0);
    m.col(2) = Eigen::Vector3d(1.0, 0.0, 0.0);
    return m;
}

} // namespace

BodyFrame::BodyFrame() : centre_(Eigen::Vector3d::Zero()), axes_(levelToEnu()) {}

BodyFrame::BodyFrame(const EnuFrame& scene, const Placement& placement)
    : centre_(scene.geodeticToScene(placement.position)),
      axes_(scene.enuAxesInScene(placement.position) * levelToEnu() *
            attitude(placement.yaw, placement.pitch, placement.roll))
{
}

Eigen::Matrix3d BodyFrame::attitude(double yawDegrees, double pitchDegrees, double rollDegrees)
{
    // Clockwise course turns x towards +z, i.e. a negative turn about y.
    const Eigen::Matrix3d yaw = Eigen::AngleAxisd(-yawDegrees * degree, Eigen::Vector3d::UnitY()).toRotationMatrix();
    // Nose up turns x towards y: a positive turn about z.
    const Eigen::Matrix3d pitch = Eigen::AngleAxisd(pitchDegrees * degree, Eigen::Vector3d::UnitZ()).toRotationMatrix();
    // Right side down turns z towards −y: a positive turn about x.
    const Eigen::Matrix3d roll = Eigen::AngleAxisd(rollDegrees * degree, Eigen::Vector3d::UnitX()).toRotationMatrix();
    return yaw * pitch * roll;
}

Eigen::Vector3d BodyFrame::sceneToBody(const Eigen::Vector3d& scene) const
{
    return axes_.transpose() * (scene - centre_);
}

Eigen::Vector3d BodyFrame::bodyToScene(const Eigen::Vector3d& body) const
{
    return centre_ + axes_ * body;
}

Eigen::Vector3d BodyFrame::directionToScene(const Eigen::Vector3d& body) const
{
    return axes_ * body;
}

} // namespace quelmar
