#pragma once
// The channel's camera: where the last frame saw the scene from.

#include "icamera.h"

#include <Eigen/Core>

#include <mutex>

namespace quelmar {

class HostCamera : public hostsdk::ICamera {
public:
    hostsdk::HRESULT GetPosition(double* x, double* y, double* z) override;

    void setPosition(const Eigen::Vector3d& position);
    Eigen::Vector3d position() const;

private:
    mutable std::mutex mutex_;
    Eigen::Vector3d position_ = Eigen::Vector3d::Zero();
};

} // namespace quelmar
