#include "viewcamera.h"

#include <algorithm>
#include <cmath>

namespace quelmar {

namespace {

constexpr double kVerticalFieldOfView = 45.0 * M_PI / 180.0;

} // namespace

ViewCamera::ViewCamera(const Eigen::Vector3d& eye, const Eigen::Vector3d& target, int width, int height)
    : width_(std::max(width, 1)), height_(std::max(height, 1))
{
    Eigen::Vector3d forward = target - eye;
    double distance = forward.norm();
    if (!(distance > 1e-9)) { // a camera on its target looks north
        forward = Eigen::Vector3d::UnitY();
        distance = 1.0;
    }
    forward /= distance;
    // Straight up or down the scene's up gives no horizon: take north as the picture's up then.
    const Eigen::Vector3d up = std::abs(forward.z()) > 0.999 ? Eigen::Vector3d::UnitY() : Eigen::Vector3d::UnitZ();
    const Eigen::Vector3d right = forward.cross(up).normalized();
    const Eigen::Vector3d trueUp = right.cross(forward);

    view_.setIdentity();
    view_.block<1, 3>(0, 0) = right.transpose();
    view_.block<1, 3>(1, 0) = trueUp.transpose();
    view_.block<1, 3>(2, 0) = -forward.transpose();
    view_(0, 3) = -right.dot(eye);
    view_(1, 3) = -trueUp.dot(eye);
    view_(2, 3) = forward.dot(eye);

    // Near and far follow the distance, so a reflector seen from 5 m and a 1000 m generation area
    // seen from afar both stay inside.
    const double nearPlane = std::max(distance / 100.0, 0.01);
    const double farPlane = distance * 100.0 + 5000.0;
    const double f = 1.0 / std::tan(kVerticalFieldOfView / 2.0);
    const double aspect = static_cast<double>(width_) / height_;
    projection_.setZero();
    projection_(0, 0) = f / aspect;
    projection_(1, 1) = f;
    projection_(2, 2) = (farPlane + nearPlane) / (nearPlane - farPlane);
    projection_(2, 3) = 2.0 * farPlane * nearPlane / (nearPlane - farPlane);
    projection_(3, 2) = -1.0;
}

std::optional<Eigen::Vector2d> ViewCamera::toPixel(const Eigen::Vector3d& scene) const
{
    const Eigen::Vector4d clip = projection_ * view_ * scene.homogeneous();
    if (!(clip.w() > 0.0))
        return std::nullopt;
    const double x = clip.x() / clip.w();
    const double y = clip.y() / clip.w();
    return Eigen::Vector2d((x + 1.0) / 2.0 * width_, (1.0 - y) / 2.0 * height_);
}

} // namespace quelmar
