#include "wgs84.h"

#include <cmath>

namespace quelmar {

namespace {
constexpr double degree = M_PI / 180.0;
}

Eigen::Vector3d geodeticToEcef(const Geodetic& position)
{
    const double lat = position.latitude * degree;
    const double lon = position.longitude * degree;
    const double sinLat = std::sin(lat);
    const double cosLat = std::cos(lat);
    // Prime vertical radius of curvature.
    const double n = wgs84::semiMajorAxis / std::sqrt(1.0 - wgs84::eccentricitySquared * sinLat * sinLat);
    const double h = position.altitude;
    return {(n + h) * cosLat * std::cos(lon), (n + h) * cosLat * std::sin(lon),
            (n * (1.0 - wgs84::eccentricitySquared) + h) * sinLat};
}

Geodetic ecefToGeodetic(const Eigen::Vector3d& ecef)
{
    const double a = wgs84::semiMajorAxis;
    const double e2 = wgs84::eccentricitySquared;
    const double p = std::hypot(ecef.x(), ecef.y());
    Geodetic result;
    result.longitude = std::atan2(ecef.y(), ecef.x()) / degree;
    if (p < 1e-9) { // on the axis: a pole
        const double b = a * (1.0 - wgs84::flattening);
        result.latitude = ecef.z() >= 0.0 ? 90.0 : -90.0;
        result.altitude = std::abs(ecef.z()) - b;
        return result;
    }
    double lat = std::atan2(ecef.z(), p * (1.0 - e2));
    double h = 0.0;
    for (int i = 0; i < 10; ++i) {
        const double sinLat = std::sin(lat);
        const double n = a / std::sqrt(1.0 - e2 * sinLat * sinLat);
        h = p / std::cos(lat) - n;
        const double next = std::atan2(ecef.z(), p * (1.0 - e2 * n / (n + h)));
        const bool settled = std::abs(next - lat) < 1e-14;
        lat = next;
        if (settled)
            break;
    }
    const double sinLat = std::sin(lat);
    const double n = a / std::sqrt(1.0 - e2 * sinLat * sinLat);
    // Near the poles p / cos(lat) loses precision; use the z form there.
    h = std::abs(lat) < M_PI / 4 ? p / std::cos(lat) - n : ecef.z() / sinLat - n * (1.0 - e2);
    result.latitude = lat / degree;
    result.altitude = h;
    return result;
}

} // namespace quelmar
