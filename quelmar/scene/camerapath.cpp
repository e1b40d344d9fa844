#include "camerapath.h"

#include <algorithm>
#include <cmath>

namespace quelmar {

CameraPath::CameraPath() = default;

CameraPath CameraPath::orbit(const Eigen::Vector3d& centre, double radius, double height, double periodSeconds)
{
    CameraPath path;
    path.centre_ = centre;
    path.radius_ = radius;
    path.height_ = height;
    path.period_ = periodSeconds;
    return path;
}

CameraPath CameraPath::waypoints(std::vector<CameraWaypoint> points)
{
    CameraPath path;
    std::stable_sort(points.begin(), points.end(),
                     [](const CameraWaypoint& l, const CameraWaypoint& r) { return l.time < r.time; });
    path.waypoints_ = std::move(points);
    return path;
}

Eigen::Vector3d CameraPath::positionAt(double seconds) const
{
    if (isOrbit()) {
        const double phase = period_ > 0.0 ? 2.0 * M_PI * std::fmod(seconds, period_) / period_ : 0.0;
        return centre_ + Eigen::Vector3d(radius_ * std::cos(phase), radius_ * std::sin(phase), height_);
    }
    const double start = waypoints_.front().time;
    const double span = waypoints_.back().time - start;
    if (waypoints_.size() == 1 || !(span > 0.0))
        return waypoints_.front().position;
    double t = std::fmod(seconds - start, span);
    if (t < 0.0)
        t += span;
    t += start;
    const auto next = std::upper_bound(waypoints_.begin(), waypoints_.end(), t,
                                       [](double time, const CameraWaypoint& w) { return time < w.time; });
    if (next == waypoints_.end())
        return waypoints_.back().position;
    const auto previous = next - 1;
    const double gap = next->time - previous->time;
    const double f = gap > 0.0 ? (t - previous->time) / gap : 0.0;
    return previous->position + f * (next->position - previous->position);
}

Eigen::Vector3d CameraPath::lookAt() const
{
    return isOrbit() ? centre_ : Eigen::Vector3d::Zero();
}

} // namespace quelmar
