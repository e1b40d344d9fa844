#pragma once
// The user's hold on the camera: dragging turns it around its target, the wheel moves it nearer
// or farther, always looking at the target.

#include <Eigen/Dense>

namespace quelmar {

class CameraControl {
public:
    // Takes the camera where it is now, so the view does not jump.
    void start(const Eigen::Vector3d& eye, const Eigen::Vector3d& target);
    // A drag of dx, dy pixels moves the scene with the mouse: the camera goes round the target
    // the other way and rises as the mouse goes down; the elevation stays within ±89 degrees.
    void turn(double dxPixels, double dyPixels);
    // Wheel steps: positive moves nearer, each step by a tenth of the distance.
    void zoom(double steps);

    Eigen::Vector3d eye() const;
    const Eigen::Vector3d& target() const { return target_; }

private:
    Eigen::Vector3d target_ = Eigen::Vector3d::Zero();
    double azimuth_ = 0.0;   // radians, from east towards north
    double elevation_ = 0.0; // radians
    double distance_ = 1.0;  // metres
};

} // namespace quelmar
