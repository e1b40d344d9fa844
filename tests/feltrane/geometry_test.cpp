// Where the points go and what the grid holds: cells and their points, degenerate triangles,
// the bounding sphere and the far-field distance, repeated samples, threads and row slabs.

#include "testpack.h"

#include "boundingsphere.h"
#include "cellpartition.h"
#include "closedsurfaces.h"
#include "facetmesh.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

// A small triangle of area `area` centred near `centre`, in the plane z = centre.z.
void addSmallTriangle(TestPack& pack, const Eigen::Vector3d& centre, double area)
{
    const double s = std::sqrt(2 * area);
    pack.addTriangle(centre + Eigen::Vector3d(-s / 3, -s / 3, 0), centre + Eigen::Vector3d(2 * s / 3, -s / 3, 0),
                     centre + Eigen::Vector3d(-s / 3, 2 * s / 3, 0));
}

TEST(Cells, PointsAreAreaWeightedCentroidsInCellOrder)
{
    TestPack pack;
    // The box runs from (0,0,0) to (4,2,2), so 2 × 2 × 2 cells are 2 × 1 × 1 each.
    pack.addTriangle({0, 0, 0}, {1e-3, 0, 0}, {0, 1e-3, 0});
    pack.addTriangle({4, 2, 2}, {4 - 1e-3, 2, 2}, {4, 2 - 1e-3, 2});
    addSmallTriangle(pack, {3.0, 0.5, 1.5}, 0.01); // cell (1, 0, 1): index 5
    addSmallTriangle(pack, {0.5, 1.5, 0.5}, 0.01); // cell (0, 1, 0): index 2
    addSmallTriangle(pack, {0.7, 1.7, 0.3}, 0.03); // cell (0, 1, 0) too, three times the area
    addSmallTriangle(pack, {2.5, 0.5, 0.5}, 0.02); // cell (1, 0, 0): index 1
    const auto view = feltrane::PackView::read(&pack.pack());
    ASSERT_TRUE(view) << view.error();
    const auto mesh = feltrane::FacetMesh::fromPack(view.value());
    const auto cells = feltrane::partitionIntoCells(mesh.value(), 2, 2, 2);
    ASSERT_EQ(cells.points.size(), 5u); // cells 0, 1, 2, 5, 7
    EXPECT_LT((cells.points[1] - Eigen::Vector3d(2.5, 0.5, 0.5)).norm(), 1e-12);
    EXPECT_LT((cells.points[2] - Eigen::Vector3d(0.65, 1.65, 0.35)).norm(), 1e-12);
    EXPECT_LT((cells.points[3] - Eigen::Vector3d(3.0, 0.5, 1.5)).norm(), 1e-12);
    EXPECT_EQ(cells.cellBegin, (std::vector<std::uint32_t>{0, 1, 2, 4, 5, 6}));
}

TEST(Cells, FlatAndHugeGridsKeepOnlyTheOccupiedCells)
{
    TestPack pack;
    pack.addRectangle({0, 0, 0}, {1, 0, 0}, {0, 1, 0}); // flat in z
    pack.setCells(std::numeric_limits<std::int32_t>::max(), 1, std::numeric_limits<std::int32_t>::max());
    const auto mtm = computeOrFail(pack);
    EXPECT_EQ(mtm.pointCount(), 2u) << "one point per triangle, whatever the counts";
}

TEST(Cells, DegenerateTrianglesAreSkipped)
{
    TestPack plate;
    plate.addRectangle({0, 0, 0}, {0, 1, 0}, {0, 0, 1});
    TestPack withJunk = plate;
    withJunk.addTriangle({0, 0, 0}, {1, 1, 1}, {2, 2, 2});        // collinear
    withJunk.addTriangle({0.3, 0.3, 0}, {0.3, 0.3, 0}, {0, 1, 0}); // two equal corners
    const auto a = computeOrFail(plate), b = computeOrFail(withJunk);
    EXPECT_EQ(coherentSum(a, 0.03, 0, 9), coherentSum(b, 0.03, 0, 9));
    EXPECT_EQ(a.distance, b.distance);

    TestPack onlyJunk;
    onlyJunk.addTriangle({0, 0, 0}, {1, 1, 1}, {2, 2, 2});
    const auto view = feltrane::PackView::read(&onlyJunk.pack());
    ASSERT_TRUE(view);
    EXPECT_FALSE(feltrane::FacetMesh::fromPack(view.value()));
}

TEST(ClosedSurfaces, OnlyClosedConsistentBodiesHaveAnInside)
{
    auto sides = [](const TestPack& source) {
        TestPack pack = source;
        const auto view = feltrane::PackView::read(&pack.pack());
        return feltrane::innerSides(feltrane::FacetMesh::fromPack(view.value()).value());
    };
    auto all = [](const std::vector<std::int8_t>& values, int side) {
        return std::all_of(values.begin(), values.end(), [&](std::int8_t v) { return v == side; });
    };
    TestPack sphere;
    sphere.addSphere({1, 0, 0}, 0.5, 2);
    // The capture's normals point out, so the side away from them is inside.
    EXPECT_TRUE(all(sides(sphere), -1)) << "closed, normals out";
    TestPack inverted = sphere;
    inverted.reverseWinding();
    EXPECT_TRUE(all(sides(inverted), 1)) << "closed, normals in";

    TestPack holed = sphere;
    holed.triangles().pop_back();
    EXPECT_TRUE(all(sides(holed), 0)) << "a missing triangle opens it";
    TestPack mixed = sphere;
    std::swap(mixed.triangles()[7].b, mixed.triangles()[7].c);
    EXPECT_TRUE(all(sides(mixed), 0)) << "one triangle wound the other way";
    TestPack sheets;
    sheets.addRectangle({0, 0, 0}, {1, 0, 0}, {0, 1, 0});
    sheets.addRectangle({0, 0, 0}, {0, 1, 0}, {1, 0, 0});
    EXPECT_TRUE(all(sides(sheets), 0)) << "two sheets back to back enclose nothing";

    // A closed body beside an open plate: each keeps its own answer.
    TestPack both = sphere;
    both.addRectangle({-2, 0, 0}, {1, 0, 0}, {0, 1, 0});
    const auto values = sides(both);
    EXPECT_TRUE(all({values.begin(), values.end() - 2}, -1));
    EXPECT_TRUE(all({values.end() - 2, values.end()}, 0));
}

TEST(BoundingSphere, IsTheSmallestOne)
{
    using V = Eigen::Vector3d;
    const struct {
        const char* what;
        std::vector<V> points;
        V centre;
        double radius;
    } cases[] = {
        {"one point", {V(1, 2, 3)}, V(1, 2, 3), 0.0},
        {"collinear", {V(0, 0, 0), V(1, 1, 1), V(3, 3, 3), V(2, 2, 2)}, V(1.5, 1.5, 1.5), std::sqrt(27.0) / 2},
        {"square (coplanar)", {V(0, 0, 0), V(1, 0, 0), V(1, 1, 0), V(0, 1, 0), V(0.5, 0.5, 0)}, V(0.5, 0.5, 0),
         std::sqrt(0.5)},
        {"obtuse triangle: its longest edge", {V(-1, 0, 0), V(1, 0, 0), V(0, 0.2, 0)}, V(0, 0, 0), 1.0},
        {"regular tetrahedron", {V(1, 1, 1), V(1, -1, -1), V(-1, 1, -1), V(-1, -1, 1), V(0.1, 0.2, 0.3)},
         V(0, 0, 0), std::sqrt(3.0)},
    };
    for (const auto& c : cases) {
        const feltrane::Sphere sphere = feltrane::smallestEnclosingSphere(c.points);
        EXPECT_NEAR(sphere.radius, c.radius, 1e-12) << c.what;
        EXPECT_LT((sphere.centre - c.centre).norm(), 1e-12) << c.what;
    }
    // Many points on a unit sphere and inside it.
    TestPack sphere;
    sphere.addSphere({1, 2, 3}, 1.0, 4);
    std::vector<V> points;
    for (const TFcoVertex& v : sphere.vertices())
        points.push_back({v.x, v.y, v.z});
    points.push_back({1.2, 2.1, 3.3});
    EXPECT_NEAR(feltrane::smallestEnclosingSphere(points).radius, 1.0, 1e-12);
}

TEST(Distance, IsTwiceTheSquaredDiameterOverTheWavelength)
{
    TestPack plate;
    plate.addRectangle({5, 0, 0}, {0, 1, 0}, {0, 0, 1}); // diagonal √2
    plate.setWavelength(0.03);
    EXPECT_NEAR(computeOrFail(plate).distance, 2 * 2.0 / 0.03, 1e-9);
}

// Every value of two results, bit for bit.
bool sameValues(const feltrane::ComputedMtm& a, const feltrane::ComputedMtm& b)
{
    if (a.pointCount() != b.pointCount() || a.countAz() != b.countAz() || a.countEl() != b.countEl())
        return false;
    for (std::size_t p = 0; p < a.pointCount(); ++p)
        for (std::uint32_t r = 0; r < a.countAz(); ++r)
            if (std::memcmp(a.savePoints()[p].rcs[r], b.savePoints()[p].rcs[r], a.countEl() * sizeof(TRcsValue)))
                return false;
    return true;
}

TEST(Grid, RepeatsAreExactAndThreadsAndSlabsChangeNothing)
{
    TestPack pack;
    pack.addSphere({0.1, 0.2, 0.3}, 0.5, 3, {3.0f, 0.1f, 1.0f});
    pack.setCells(2, 2, 2);
    pack.setWavelength(0.05);
    pack.setPolarisation(0.3, 0.2);
    feltrane::PackOptions options;
    options.threads = 1;
    pack.setOptions(options);
    const auto single = computeOrFail(pack);
    options.threads = 2;
    pack.setOptions(options);
    EXPECT_TRUE(sameValues(single, computeOrFail(pack)));

    const std::uint32_t rows = single.countAz(), last = single.countEl() - 1;
    for (std::size_t p = 0; p < single.pointCount(); ++p) {
        const TRcsValue* const* grid = single.savePoints()[p].rcs;
        EXPECT_EQ(std::memcmp(grid[0], grid[rows - 1], single.countEl() * sizeof(TRcsValue)), 0) << "360° = 0°";
        for (std::uint32_t a = 1; a < rows; ++a)
            EXPECT_TRUE(grid[a][0] == grid[0][0] && grid[a][last] == grid[0][last]) << "one value per pole";
    }

    // Rows 0 … 9 and 10 … the last, put together, are the whole model; other rows stay zero.
    options.firstRow = 0, options.rowCount = 10;
    pack.setOptions(options);
    const auto first = computeOrFail(pack);
    options.firstRow = 10, options.rowCount = 0;
    pack.setOptions(options);
    auto joined = computeOrFail(pack);
    for (std::size_t p = 0; p < joined.pointCount(); ++p)
        for (std::uint32_t a = 0; a < 10; ++a)
            for (std::uint32_t e = 0; e <= last; ++e) {
                EXPECT_EQ(joined.value(p, a, e), TRcsValue()) << "outside the slab";
                joined.value(p, a, e) = first.value(p, a, e);
            }
    EXPECT_TRUE(sameValues(single, joined));
}

} // namespace
