// The user's hold on the camera: where a drag and the wheel take it.
#include "cameracontrol.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using quelmar::CameraControl;

TEST(CameraControl, TakesTheCameraWhereItIsAndKeepsItsDistanceWhileTurning)
{
    const Eigen::Vector3d target(5, 5, 0);
    const Eigen::Vector3d eye(65, 5, 25); // east of the target, 65 m away
    CameraControl control;
    control.start(eye, target);
    EXPECT_TRUE(control.eye().isApprox(eye, 1e-12)) << "no jump when the drag begins";

    control.turn(100, 0);
    EXPECT_NEAR(65.0, (control.eye() - target).norm(), 1e-9);
    EXPECT_NEAR(25.0, control.eye().z(), 1e-9) << "a sideways drag keeps the height";
    EXPECT_LT(control.eye().y(), target.y()) << "dragging right brings the camera round to the south";

    control.turn(0, 100000);
    const Eigen::Vector3d up = control.eye() - target;
    EXPECT_NEAR(89.0, std::asin(up.z() / up.norm()) * 180.0 / M_PI, 1e-9) << "never over the top";
}

TEST(CameraControl, TheWheelMovesAlongTheLineOfSightWithinLimits)
{
    const Eigen::Vector3d target(0, 0, 0);
    CameraControl control;
    control.start({30, 40, 0}, target); // 50 m
    control.zoom(1);
    EXPECT_TRUE(control.eye().isApprox(Eigen::Vector3d(27, 36, 0), 1e-12));
    control.zoom(-2);
    EXPECT_NEAR(50.0 / 0.9, control.eye().norm(), 1e-9);
    control.zoom(1000);
    EXPECT_NEAR(0.5, control.eye().norm(), 1e-9) << "not into the target";
    control.zoom(-100000);
    EXPECT_NEAR(100000.0, control.eye().norm(), 1e-6);
}

} // namespace
