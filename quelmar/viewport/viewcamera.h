#pragma once
// The viewport's projection: a perspective view from the host camera's position towards its
// target, the scene's up (z) kept upright, 45 degrees of vertical field of view.

#include <Eigen/Dense>

#include <optional>

namespace quelmar {

class ViewCamera {
public:
    ViewCamera(const Eigen::Vector3d& eye, const Eigen::Vector3d& target, int width, int height);

    const Eigen::Matrix4d& view() const { return view_; }
    const Eigen::Matrix4d& projection() const { return projection_; }

    // Where `scene` lands in a picture of the viewport, in pixels from its top left corner; none
    // for a point behind the camera.
    std::optional<Eigen::Vector2d> toPixel(const Eigen::Vector3d& scene) const;

private:
    int width_;
    int height_;
    Eigen::Matrix4d view_;
    Eigen::Matrix4d projection_;
};

} // namespace quelmar
