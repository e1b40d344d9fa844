// The camera's position over time.
#include "camerapath.h"

#include <gtest/gtest.h>

namespace quelmar {
namespace {

void expectNear(const Eigen::Vector3d& actual, const Eigen::Vector3d& expected)
{
    EXPECT_LT((actual - expected).norm(), 1e-9) << actual.transpose() << " vs " << expected.transpose();
}

TEST(CameraPath, OrbitCirclesCounterClockwiseAndRepeats)
{
    const CameraPath orbit = CameraPath::orbit({10, 20, 5}, 100, 30, 40);
    expectNear(orbit.positionAt(0), {110, 20, 35});
    expectNear(orbit.positionAt(10), {10, 120, 35});
    expectNear(orbit.positionAt(20), {-90, 20, 35});
    expectNear(orbit.positionAt(50), orbit.positionAt(10));
    expectNear(CameraPath::orbit({0, 0, 0}, 100, 30, 0).positionAt(17), {100, 0, 30}); // period 0 stands still
}

TEST(CameraPath, WaypointsInterpolateAndLoop)
{
    const CameraPath path = CameraPath::waypoints({{10, {0, 0, 0}}, {0, {100, 0, 50}}, {20, {0, 100, 0}}});
    expectNear(path.positionAt(0), {100, 0, 50});
    expectNear(path.positionAt(5), {50, 0, 25});
    expectNear(path.positionAt(15), {0, 50, 0});
    expectNear(path.positionAt(25), {50, 0, 25});
    expectNear(path.positionAt(-5), {0, 50, 0});
    expectNear(CameraPath::waypoints({{3, {1, 2, 3}}}).positionAt(100), {1, 2, 3});
}

} // namespace
} // namespace quelmar
