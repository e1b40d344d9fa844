#pragma once
// The channel's camera: where the last frame saw the scene from. The engine moves it along the
// scene's camera path unless the user holds it (the viewport's mouse); then it stays where the
// user puts it until it is given back to the path.

#include "icamera.h"

#include <Eigen/Core>

#include <mutex>

namespace quelmar {

class HostCamera : public hostsdk::ICamera {
public:
    hostsdk::HRESULT GetPosition(double* x, double* y, double* z) override;

    // The engine's move along the path; ignored while the user holds the camera.
    void followPath(const Eigen::Vector3d& position);
    // The user's move: the camera leaves its path and stays at `position`.
    void holdAt(const Eigen::Vector3d& position);
    // The path moves the camera again from the next frame on.
    void releaseToPath();
    bool isHeld() const;

    Eigen::Vector3d position() const;

private:
    mutable std::mutex mutex_;
    Eigen::Vector3d position_ = Eigen::Vector3d::Zero();
    bool held_ = false;
};

} // namespace quelmar
