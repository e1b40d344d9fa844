// Box frames: rigid transforms, the centroid test and the view angles.
#include "boxframe.h"

#include <gtest/gtest.h>

namespace quelmar {
namespace {

const Geodetic origin{39.250498, -119.955377, 2980.0};

BoxGeometry box(double yaw, double pitch, double roll, Geodetic at = origin, double size = 10.0)
{
    BoxGeometry g;
    g.placement.position = at;
    g.placement.yaw = yaw;
    g.placement.pitch = pitch;
    g.placement.roll = roll;
    g.sizeX = size;
    g.sizeY = size;
    g.sizeZ = size;
    return g;
}

void expectNear(const Eigen::Vector3d& actual, const Eigen::Vector3d& expected, double tolerance = 1e-9)
{
    EXPECT_LT((actual - expected).norm(), tolerance) << "actual " << actual.transpose() << ", expected "
                                                     << expected.transpose();
}

TEST(BoxFrame, SceneToBoxUndoesBoxToSceneAndKeepsDistances)
{
    const EnuFrame scene(origin);
    const BoxGeometry boxes[] = {
        box(0, 0, 0),
        box(37, -12, 5),
        box(-170, 80, -45, {39.2515, -119.9540, 2990.0}),
        box(359, 0, 180, {39.26, -119.95, 3100.0}),
    };
    const Eigen::Vector3d points[] = {{0, 0, 0}, {1, 2, 3}, {-250.5, 13.25, 1000.0}};
    for (const BoxGeometry& g : boxes) {
        const BoxFrame frame(scene, g);
        SCOPED_TRACE(g.placement.yaw);
        for (const Eigen::Vector3d& p : points) {
            expectNear(frame.sceneToBox(frame.boxToScene(p)), p);
            expectNear(frame.boxToScene(frame.sceneToBox(p)), p);
        }
        EXPECT_NEAR((frame.boxToScene(points[1]) - frame.boxToScene(points[2])).norm(),
                    (points[1] - points[2]).norm(), 1e-9);
        EXPECT_NEAR(frame.frame().axes().determinant(), 1.0, 1e-12); // a rotation, not a mirror
    }
}

TEST(BoxFrame, AxesFollowCoursePitchAndRoll)
{
    const EnuFrame scene(origin);
    struct Case {
        const char* name;
        double yaw, pitch, roll;
        Eigen::Vector3d forward, up; // in east-north-up
    };
    const Case cases[] = {
        {"level, facing north", 0, 0, 0, {0, 1, 0}, {0, 0, 1}},
        {"course 90 faces east", 90, 0, 0, {1, 0, 0}, {0, 0, 1}},
        {"pitch 90 points the nose up", 0, 90, 0, {0, 0, 1}, {0, -1, 0}},
        {"roll 90 lowers the right (east) side", 0, 0, 90, {0, 1, 0}, {1, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const BoxFrame frame(scene, box(c.yaw, c.pitch, c.roll));
        expectNear(frame.frame().axes().col(0), c.forward);
        expectNear(frame.frame().axes().col(1), c.up);
        expectNear(frame.frame().axes().col(2), c.forward.cross(c.up));
    }
    // The box stands where its latitude/longitude/altitude put it.
    const Geodetic elsewhere{origin.latitude + 0.001, origin.longitude, origin.altitude + 20.0};
    expectNear(BoxFrame(scene, box(0, 0, 0, elsewhere)).boxToScene({0, 0, 0}), scene.geodeticToScene(elsewhere));
}

TEST(BoxFrame, UnknownBoxSitsAtTheOriginUnturnedAndHoldsNothing)
{
    const BoxFrame unknown;
    expectNear(unknown.sceneToBox({1, 2, 3}), {2, 3, 1}); // x north, y up, z east
    EXPECT_FALSE(unknown.isTriangleInBox({1, 0, 0}, {0, 1, 0}, {0, 0, 1}));
}

TEST(BoxFrame, TriangleIsInTheBoxWhenItsCentroidIs)
{
    const EnuFrame scene(origin);
    const BoxFrame frame(scene, box(30, 0, 0));
    auto inBox = [&](Eigen::Vector3d a, Eigen::Vector3d b, Eigen::Vector3d c) {
        return frame.isTriangleInBox(frame.boxToScene(a), frame.boxToScene(b), frame.boxToScene(c));
    };
    struct Case {
        const char* name;
        Eigen::Vector3d a, b, c;
        bool inside;
    };
    const Case cases[] = {
        {"wholly inside", {1, 1, 1}, {2, 1, 1}, {1, 2, 1}, true},
        {"wholly outside", {6, 0, 0}, {7, 0, 0}, {6, 1, 0}, false},
        {"straddling, centroid inside", {-20, 0, 0}, {20, 0, 0}, {0, 3, 0}, true},
        {"straddling, centroid outside", {4, 0, 0}, {8, 0, 0}, {6, 1, 0}, false},
        {"outside along the width only", {0, 0, 5.5}, {1, 0, 5.5}, {0, 1, 5.5}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(inBox(c.a, c.b, c.c), c.inside);
    }
}

TEST(BoxFrame, ViewAnglesOfTheCameraSeenFromTheCentre)
{
    const EnuFrame scene(origin);
    struct Case {
        const char* name;
        double yaw;
        Eigen::Vector3d cameraInBox;
        double azimuth, elevation;
    };
    const Case cases[] = {
        {"straight ahead", 0, {100, 0, 0}, 0, 0},
        {"to the left is positive", 0, {0, 0, -100}, 90, 0},
        {"to the right is negative", 0, {0, 0, 100}, -90, 0},
        {"behind", 0, {-100, 0, 0}, 180, 0},
        {"above", 0, {0, 100, 0}, 0, 90},
        {"ahead and 45 up", 0, {100, 100, 0}, 0, 45},
        {"turned box, ahead-left and down", 75, {100, -100, -100}, 45, -35.264389682754654},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const BoxFrame frame(scene, box(c.yaw, 0, 0));
        const ViewAngles angles = frame.viewAngles(frame.boxToScene(c.cameraInBox));
        EXPECT_NEAR(angles.azimuth, c.azimuth, 1e-9);
        EXPECT_NEAR(angles.elevation, c.elevation, 1e-9);
    }
    // A camera due east of a box facing north is on its right.
    const BoxFrame facingNorth(scene, box(0, 0, 0));
    EXPECT_NEAR(facingNorth.viewAngles({50, 0, 0}).azimuth, -90.0, 1e-6);
    const ViewAngles atCentre = facingNorth.viewAngles(facingNorth.boxToScene({0, 0, 0}));
    EXPECT_EQ(atCentre.azimuth, 0.0);
    EXPECT_EQ(atCentre.elevation, 0.0);
}

} // namespace
} // namespace quelmar
