#include "cameracontrol.h"

#include <algorithm>
#include <cmath>

namespace quelmar {

namespace {

constexpr double kRadiansPerPixel = 0.3 * M_PI / 180.0;
constexpr double kMaxElevation = 89.0 * M_PI / 180.0;
constexpr double kMinDistance = 0.5;
constexpr double kMaxDistance = 100000.0;

} // namespace

void CameraControl::start(const Eigen::Vector3d& eye, const Eigen::Vector3d& target)
{
    target_ = target;
    const Eigen::Vector3d offset = eye - target;
    distance_ = std::clamp(offset.norm(), kMinDistance, kMaxDistance);
    azimuth_ = std::atan2(offset.y(), offset.x());
    const double horizontal = std::hypot(offset.x(), offset.y());
    elevation_ = std::clamp(std::atan2(offset.z(), horizontal), -kMaxElevation, kMaxElevation);
}

void CameraControl::turn(double dxPixels, double dyPixels)
{
    // Dragging right moves the scene right, which turns the camera the other way round it.
    azimuth_ = std::remainder(azimuth_ - dxPixels * kRadiansPerPixel, 2.0 * M_PI);
    elevation_ = std::clamp(elevation_ + dyPixels * kRadiansPerPixel, -kMaxElevation, kMaxElevation);
}

void CameraControl::zoom(double steps)
{
    distance_ = std::clamp(distance_ * std::pow(0.9, steps), kMinDistance, kMaxDistance);
}

Eigen::Vector3d CameraControl::eye() const
{
    return target_ + distance_ * Eigen::Vector3d(std::cos(elevation_) * std::cos(azimuth_),
                                                 std::cos(elevation_) * std::sin(azimuth_), std::sin(elevation_));
}

} // namespace quelmar
