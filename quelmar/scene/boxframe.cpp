#include "boxframe.h"

#include <algorithm>
#include <cmath>

namespace quelmar {

BoxFrame::BoxFrame(const EnuFrame& scene, const BoxGeometry& geometry)
    : geometry_(geometry), frame_(scene, geometry.placement)
{
}

bool BoxFrame::containsScenePoint(const Eigen::Vector3d& scene) const
{
    const Eigen::Vector3d p = sceneToBox(scene);
    return std::abs(p.x()) <= geometry_.sizeX / 2.0 && std::abs(p.y()) <= geometry_.sizeY / 2.0 &&
           std::abs(p.z()) <= geometry_.sizeZ / 2.0;
}

bool BoxFrame::isTriangleInBox(const Eigen::Vector3d& a, const Eigen::Vector3d& b, const Eigen::Vector3d& c) const
{
    return containsScenePoint((a + b + c) / 3.0);
}

ViewAngles BoxFrame::viewAngles(const Eigen::Vector3d& cameraScene) const
{
    const Eigen::Vector3d d = sceneToBox(cameraScene);
    const double length = d.norm();
    if (!(length > 0.0))
        return {};
    ViewAngles angles;
    angles.elevation = std::asin(std::clamp(d.y() / length, -1.0, 1.0)) * 180.0 / M_PI;
    angles.azimuth = std::atan2(-d.z(), d.x()) * 180.0 / M_PI;
    if (angles.azimuth == -180.0)
        angles.azimuth = 180.0;
    return angles;
}

} // namespace quelmar
