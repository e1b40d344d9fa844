// A scene as the viewport's vertex data: one draw per mesh, corners shared within a mesh only,
// and the materials' display colours.
#include "scenemeshes.h"

#include <gtest/gtest.h>

namespace {

using namespace quelmar;

// Two triangles of a unit square at height z, of `material`.
std::vector<SceneTriangle> square(double z, std::int32_t material)
{
    const Eigen::Vector3d a(0, 0, z), b(1, 0, z), c(1, 1, z), d(0, 1, z);
    return {{a, b, c, material}, {a, c, d, material}};
}

TEST(SceneMeshes, OneDrawPerMeshWithItsCornersSharedInsideItOnly)
{
    Scene scene;
    XorMaterialRecord soil, steel;
    soil.color = 0x80406080u; // red in the least significant byte, alpha 0x80
    steel.color = 0xFFC04020u;
    scene.materials = std::vector<XorMaterialRecord>{soil, steel};
    scene.surface.triangles = square(0, 0);
    SceneObject object;
    object.triangles = square(0, 1);            // the ground's corners again, another material
    for (const SceneTriangle& t : square(0, 1)) // the same mesh once more: shares all four
        object.triangles.push_back(t);
    for (const SceneTriangle& t : square(5, 7)) // a material the table lacks
        object.triangles.push_back(t);
    scene.objects = {object};

    const SceneMeshes meshes = SceneMeshes::build(scene);
    ASSERT_EQ(3u, meshes.draws.size());
    EXPECT_EQ(8u * 3, meshes.indices.size());
    EXPECT_EQ(4u + 4 + 4, meshes.vertexCount()) << "equal corners of one mesh share a vertex, never across meshes";

    struct Expected { bool surface; std::size_t first, count; float color[4]; };
    const Expected expected[] = {
        {true, 0, 6, {0x80 / 255.f, 0x60 / 255.f, 0x40 / 255.f, 0x80 / 255.f}},
        {false, 6, 12, {0x20 / 255.f, 0x40 / 255.f, 0xC0 / 255.f, 1.f}},
        {false, 18, 6, {0.7f, 0.7f, 0.7f, 1.f}},
    };
    for (std::size_t i = 0; i < 3; ++i) {
        const MeshDraw& draw = meshes.draws[i];
        EXPECT_EQ(expected[i].surface, draw.surface) << i;
        EXPECT_EQ(expected[i].first, draw.firstIndex) << i;
        EXPECT_EQ(expected[i].count, draw.indexCount) << i;
        for (int k = 0; k < 4; ++k)
            EXPECT_FLOAT_EQ(expected[i].color[k], draw.color[k]) << i << " component " << k;
        std::uint32_t lowest = ~0u, highest = 0;
        for (std::size_t j = draw.firstIndex; j < draw.firstIndex + draw.indexCount; ++j) {
            lowest = std::min(lowest, meshes.indices[j]);
            highest = std::max(highest, meshes.indices[j]);
        }
        EXPECT_EQ(4u * i, lowest) << "draw " << i << " reaches only its own vertices";
        EXPECT_EQ(4u * i + 3, highest) << i;
    }
    EXPECT_TRUE(meshes.draws[0].isTranslucent());
    // The second triangle of the last mesh: corners (0,0,5), (1,1,5), (0,1,5).
    const std::uint32_t corner = meshes.indices[23];
    EXPECT_EQ(Eigen::Vector3f(0, 1, 5), Eigen::Vector3f(meshes.positions[3 * corner], meshes.positions[3 * corner + 1],
                                                        meshes.positions[3 * corner + 2]));
}

TEST(SceneMeshes, WithoutAMaterialTableEverythingIsGrey)
{
    Scene scene;
    scene.surface.triangles = square(0, 0);
    float rgba[4];
    materialColor(scene, 0, rgba);
    EXPECT_EQ(0.7f, rgba[0]);
    EXPECT_EQ(1.0f, rgba[3]);
    scene.materials = std::vector<XorMaterialRecord>{};
    materialColor(scene, -1, rgba);
    EXPECT_EQ(0.7f, rgba[1]);
}

} // namespace
