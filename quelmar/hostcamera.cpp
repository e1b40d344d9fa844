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

void HostCamera::followPath(const Eigen::Vector3d& position)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (!held_)
        position_ = position;
}

void HostCamera::holdAt(const Eigen::Vector3d& position)
{
    std::lock_guard<std::mutex> lock(mutex_);
    held_ = true;
    position_ = position;
}

void HostCamera::releaseToPath()
{
    std::lock_guard<std::mutex> lock(mutex_);
    held_ = false;
}

bool HostCamera::isHeld() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return held_;
}

Eigen::Vector3d HostCamera::position() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return position_;
}

} // namespace quelmar
