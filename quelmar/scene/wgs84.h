#pragma once
// WGS84 ellipsoid: geodetic latitude/longitude/height to Earth-centred, Earth-fixed (ECEF) metres
// and back.

#include <Eigen/Dense>

namespace quelmar {

struct Geodetic {
    double latitude = 0.0;  // degrees, north positive
    double longitude = 0.0; // degrees, east positive
    double altitude = 0.0;  // metres above the ellipsoid
};

namespace wgs84 {
constexpr double semiMajorAxis = 6378137.0;
constexpr double flattening = 1.0 / 298.257223563;
constexpr double eccentricitySquared = flattening * (2.0 - flattening);
} // namespace wgs84

// Closed form, exact to well below a millimetre.
Eigen::Vector3d geodeticToEcef(const Geodetic& position);

// Iterative inverse; converges to sub-millimetre within a few steps anywhere outside the Earth's
// centre region.
Geodetic ecefToGeodetic(const Eigen::Vector3d& ecef);

} // namespace quelmar
