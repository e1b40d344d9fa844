// WGS84 conversion and the scene's east-north-up frame.
#include "enuframe.h"
#include "wgs84.h"

#include <gtest/gtest.h>

namespace quelmar {
namespace {

constexpr double millimetre = 1e-3;

struct KnownPoint {
    const char* name;
    Geodetic geodetic;
    Eigen::Vector3d ecef; // computed independently with 40-digit arithmetic
};

const KnownPoint knownPoints[] = {
    {"equator on the prime meridian", {0.0, 0.0, 0.0}, {6378137.0, 0.0, 0.0}},
    {"north pole", {90.0, 0.0, 0.0}, {0.0, 0.0, 6356752.31424518}},
    {"south pole", {-90.0, 0.0, 0.0}, {0.0, 0.0, -6356752.31424518}},
    {"equator at 90 east, 100 m up", {0.0, 90.0, 100.0}, {0.0, 6378237.0, 0.0}},
    {"default generation area", {39.250498, -119.955377, 2980.0}, {-2470705.17102203, -4287094.20643108, 4015776.41659462}},
    {"southern and eastern hemisphere", {-33.8568, 151.2153, 50.0}, {-4647005.02838325, 2553096.91365936, -3533294.98344705}},
};

TEST(Wgs84, KnownPointsToTheMillimetreBothWays)
{
    for (const KnownPoint& p : knownPoints) {
        SCOPED_TRACE(p.name);
        const Eigen::Vector3d ecef = geodeticToEcef(p.geodetic);
        EXPECT_NEAR(ecef.x(), p.ecef.x(), millimetre);
        EXPECT_NEAR(ecef.y(), p.ecef.y(), millimetre);
        EXPECT_NEAR(ecef.z(), p.ecef.z(), millimetre);

        const Geodetic back = ecefToGeodetic(p.ecef);
        EXPECT_NEAR(back.latitude, p.geodetic.latitude, 1e-9);
        if (std::abs(p.geodetic.latitude) < 90.0) { // longitude means nothing at a pole
            EXPECT_NEAR(back.longitude, p.geodetic.longitude, 1e-9);
        }
        EXPECT_NEAR(back.altitude, p.geodetic.altitude, millimetre);
    }
}

TEST(EnuFrame, AxesPointEastNorthAndUpAtTheOrigin)
{
    const Geodetic origin{39.250498, -119.955377, 2980.0};
    const EnuFrame frame(origin);
    EXPECT_LT(frame.geodeticToScene(origin).norm(), millimetre);

    const Eigen::Vector3d up = frame.geodeticToScene({origin.latitude, origin.longitude, origin.altitude + 100.0});
    EXPECT_NEAR(up.x(), 0.0, millimetre);
    EXPECT_NEAR(up.y(), 0.0, millimetre);
    EXPECT_NEAR(up.z(), 100.0, millimetre);

    // 0.001 degree is about 111 m north, about 86 m east at this latitude.
    const Eigen::Vector3d north = frame.geodeticToScene({origin.latitude + 0.001, origin.longitude, origin.altitude});
    EXPECT_NEAR(north.y(), 111.0, 1.0);
    EXPECT_NEAR(north.x(), 0.0, millimetre);
    const Eigen::Vector3d east = frame.geodeticToScene({origin.latitude, origin.longitude + 0.001, origin.altitude});
    EXPECT_NEAR(east.x(), 86.2, 1.0);
    EXPECT_NEAR(east.y(), 0.0, 0.01);
    EXPECT_LT(east.z(), 0.0); // the Earth curves away below the tangent plane

    const Eigen::Vector3d scene(123.4, -56.7, 8.9);
    EXPECT_LT((frame.ecefToScene(frame.sceneToEcef(scene)) - scene).norm(), 1e-6);
    const Geodetic g = frame.sceneToGeodetic(scene);
    EXPECT_LT((frame.geodeticToScene(g) - scene).norm(), millimetre);
}

} // namespace
} // namespace quelmar
