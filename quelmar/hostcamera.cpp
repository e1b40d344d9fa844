#include "hostcamera.h"

namespace quelmar {

hostsdk::HRESULT HostCamera::GetPosition(double* x, double* y, double* z)
{
    if (!x || !y || !z)
        return platform::E_INVALIDARG;
    const Eigen::Vector3d p = position();
    *x = p.x();
    *y = p.y();
    *z = p.z();
    return platform::S_OK;
}

void HostCamera::setPosition(const Eigen::Vector3d& position)
{
    std::lock_guard<std::mutex> lock(mutex_);
    position_ = position;
}

Eigen::Vector3d HostCamera::position() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return position_;
}

} // namespace quelmar
