// Capturing the demo scene's triangles through the reference host's frames, as a generation job
// waits for them.

#include "inprocesshost.h"

#include <bodyframe.h>
#include <meshloader.h>

#include <Eigen/Dense>

#include <map>

namespace {

const quelmar::SceneObject& sceneObject(const quelmar::Scene& scene, const std::string& name)
{
    const quelmar::SceneObject* object = scene.findObject(name);
    EXPECT_NE(object, nullptr) << name;
    return *object;
}

Eigen::Vector3d normalOf(const TFcoTriangle& t)
{
    return {t.normalX, t.normalY, t.normalZ};
}

class DemoCapture : public InProcessHost {
protected:
    void SetUp() override
    {
        InProcessHost::SetUp();
        open(demoScene());
        scene = engine.currentScene();
    }

    // A box where the object stands, turned as it is: the box frame is then the mesh's own frame.
    std::int32_t boxOn(const quelmar::SceneObject& object, double size)
    {
        const quelmar::Placement& p = object.placement;
        return createBox(p.position.latitude, p.position.longitude, p.position.altitude, p.yaw, size);
    }

    Eigen::Vector3d toScene(std::int32_t box, const TFcoVertex& v)
    {
        Eigen::Vector3d scenePoint;
        engine.render().BoxToScene(box, v.x, v.y, v.z, &scenePoint.x(), &scenePoint.y(), &scenePoint.z());
        return scenePoint;
    }

    std::shared_ptr<const quelmar::Scene> scene;
};

TEST_F(DemoCapture, TheReflectorsAreaHoldsItsTrianglesFacingOut)
{
    const quelmar::SceneObject& reflector = sceneObject(*scene, "CornerReflector");
    const std::int32_t box = boxOn(reflector, 10.0);
    const std::size_t from = logger.lines().size();
    const auto capture = captureArea(box);
    ASSERT_TRUE(capture);

    const auto lines = pluginLinesFrom(from);
    const std::vector<std::string> expected = {
        "Starting render with feedback...",
        "... render with feedback ended.",
        "Count of recieved triangles: " + std::to_string(scene->triangleCount(true, true)),
        "Triangle preparation started...",
        "... preparation ended.",
        "Count of triangles in BoundBox: 3",
    };
    ASSERT_EQ(lines.size(), expected.size() + 1);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 6), expected);
    EXPECT_EQ(lines[6].rfind("3 times -> Xor material: XOR: 22; GIS: 301;", 0), 0u) << lines[6];

    // In the box frame the vertices are the mesh file's, each triangle delivered as a, c, b.
    auto mesh = quelmar::loadMeshTriangles(demoScene().substr(0, demoScene().rfind('/')) + "/reflector.stl");
    ASSERT_TRUE(mesh) << mesh.error();
    ASSERT_EQ(mesh->size(), 3u);
    ASSERT_EQ(capture->capturedTriangles.size(), 3u);
    for (std::size_t k = 0; k < 3; ++k) {
        const auto& file = mesh.value()[k];
        const Eigen::Vector3d delivered[3] = {file[0], file[2], file[1]};
        for (std::size_t v = 0; v < 3; ++v) {
            const TFcoVertex& got = capture->capturedVertices[3 * k + v];
            EXPECT_LT((Eigen::Vector3d(got.x, got.y, got.z) - delivered[v]).norm(), 1e-6) << k << "/" << v;
        }
        // Outward is where the mesh's counter-clockwise winding faces: into the reflector's opening.
        const quelmar::SceneTriangle& t = reflector.triangles[k];
        const Eigen::Vector3d outward = (t.b - t.a).cross(t.c - t.a).normalized();
        EXPECT_GT(normalOf(capture->capturedTriangles[k]).dot(outward), 1.0 - 1e-9) << k;
    }
}

TEST_F(DemoCapture, AClosedMeshGetsNormalsPointingAwayFromItsCentre)
{
    const std::int32_t box = boxOn(sceneObject(*scene, "Plate"), 10.0);
    const auto capture = captureArea(box);
    ASSERT_TRUE(capture);
    ASSERT_EQ(capture->capturedTriangles.size(), 12u) << "the plate is a thin closed box";

    Eigen::Vector3d centre = Eigen::Vector3d::Zero();
    for (const TFcoVertex& v : capture->capturedVertices)
        centre += toScene(box, v);
    centre /= static_cast<double>(capture->capturedVertices.size());
    for (std::size_t k = 0; k < 12; ++k) {
        const Eigen::Vector3d centroid = (toScene(box, capture->capturedVertices[3 * k])
                                          + toScene(box, capture->capturedVertices[3 * k + 1])
                                          + toScene(box, capture->capturedVertices[3 * k + 2])) / 3.0;
        EXPECT_GT(normalOf(capture->capturedTriangles[k]).dot(centroid - centre), 0.0) << "triangle " << k;
    }
}

TEST_F(DemoCapture, EveryObjectAndTheVisibleGroundKeepTheirOwnMaterials)
{
    // The default area sees the whole scene.
    const std::int32_t box = createBox(39.250498, -119.955377, 2980.0, 0.0, 1000.0);
    const auto& table = *scene->materials;
    auto expectedUsage = [&](bool withSurface) {
        std::map<std::uint32_t, std::uint32_t> counts; // xor id -> triangles
        if (withSurface)
            counts[table[0].xorId] += static_cast<std::uint32_t>(scene->surface.triangles.size());
        for (const auto& object : scene->objects)
            for (const auto& t : object.triangles)
                ++counts[table[static_cast<std::size_t>(t.material)].xorId];
        return counts;
    };
    auto usageOf = [](const TCapture& capture) {
        std::map<std::uint32_t, std::uint32_t> counts;
        std::vector<std::uint32_t> order;
        for (const auto& entry : capture.materialUsage) {
            counts[entry.material.xorId] += entry.count;
            order.push_back(entry.material.xorId);
        }
        return std::make_pair(counts, order);
    };

    const auto all = captureArea(box);
    ASSERT_TRUE(all);
    EXPECT_EQ(all->capturedTriangles.size(), scene->triangleCount(true, true));
    EXPECT_EQ(usageOf(*all).first, expectedUsage(true));
    // Ground, then the lorry's body, windows and wheels, then the plate and reflector's aluminium.
    EXPECT_EQ(usageOf(*all).second, (std::vector<std::uint32_t>{10, 21, 40, 35, 22}));

    engine.surface().conveyer().SetOption(4, hostsdk::VARIANT_FALSE);
    const auto objects = captureArea(box);
    ASSERT_TRUE(objects);
    EXPECT_EQ(usageOf(*objects).first, expectedUsage(false));

    // A frame with nothing shown delivers no data: the last capture stands, and only the frame
    // handlers' own lines are written.
    engine.sceneConveyer().SetOption(4, hostsdk::VARIANT_FALSE);
    const std::size_t from = logger.lines().size();
    EXPECT_EQ(captureArea(box), objects);
    EXPECT_EQ(pluginLinesFrom(from),
              (std::vector<std::string>{"Starting render with feedback...", "... render with feedback ended."}));

    for (const auto& line : logger.lines())
        EXPECT_FALSE(line.error && line.text.find("[Kalmeno]") == 0) << line.text;
}

} // namespace
