#include "enuframe.h"

#include <Eigen/Dense>

#include <cmath>

namespace quelmar {

EnuFrame::EnuFrame(const Geodetic& origin)
    : origin_(origin), originEcef_(geodeticToEcef(origin)), axes_(enuAxesAt(origin))
{
}

Eigen::Matrix3d EnuFrame::enuAxesAt(const Geodetic& position)
{
    const double lat = position.latitude * M_PI / 180.0;
    const double lon = position.longitude * M_PI / 180.0;
    const double sinLat = std::sin(lat), cosLat = std::cos(lat);
    const double sinLon = std::sin(lon), cosLon = std::cos(lon);
    Eigen::Matrix3d axes;
    axes.col(0) = Eigen::Vector3d(-sinLon, cosLon, 0.0);
    axes.col(1) = Eigen::Vector3d(-sinLat * cosLon, -sinLat * sinLon, cosLat);
    axes.col(2) = Eigen::Vector3d(cosLat * cosLon, cosLat * sinLon, sinLat);
    return axes;
}

Eigen::Vector3d EnuFrame::ecefToScene(const Eigen::Vector3d& ecef) const
{
    return axes_.transpose() * (ecef - originEcef_);
}

Eigen::Vector3d EnuFrame::sceneToEcef(const Eigen::Vector3d& scene) const
{
    return originEcef_ + axes_ * scene;
}

Eigen::Vector3d EnuFrame::geodeticToScene(const Geodetic& position) const
{
    return ecefToScene(geodeticToEcef(position));
}

Geodetic EnuFrame::sceneToGeodetic(const Eigen::Vector3d& scene) const
{
    return ecefToGeodetic(sceneToEcef(scene));
}

Eigen::Matrix3d EnuFrame::enuAxesInScene(const Geodetic& position) const
{
    return axes_.transpose() * enuAxesAt(position);
}

} // namespace quelmar
