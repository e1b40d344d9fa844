// One merge step: where each direction of the base grid is seen from the moved model, how the
// model's amplitudes are re-sampled there, and what cannot be merged.

#include "mergefixtures.h"
#include "mergemodel.h"
#include "mtmfile.h"
#include "numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>

namespace {

using mergetest::makeModel;
using mergetest::ModelGuard;
using mtmmerge::AnchorOffset;

using platform::pi;

TRcsValue zero(std::uint32_t, std::uint32_t, std::uint32_t)
{
    return {};
}

// A smooth function of the direction itself, so the samples at both poles and at both ends of
// the azimuth range agree as in a real model.
TRcsValue ofDirection(std::uint32_t countAz, std::uint32_t countEl, std::uint32_t a, std::uint32_t e)
{
    const double phi = a * 2.0 * pi / (countAz - 1);
    const double theta = e * pi / (countEl - 1) - pi / 2;
    const double x = std::cos(theta) * std::cos(phi);
    const double y = std::sin(theta);
    const double z = -std::cos(theta) * std::sin(phi);
    return {x + 2.0 * y + 3.0 * z, x * z - y};
}

TEST(MergeModel, EachDirectionIsSeenFromTheMovedModelsOrigin)
{
    // On a 5-degree model grid whose value at (a, e) is a + e i, bilinear interpolation gives back
    // the direction the observation point is seen in: (azimuth / 5°) + (elevation + 90°) / 5° i.
    TMtm base = makeModel(1, 73, 37, zero);
    TMtm model = makeModel(1, 73, 37, [](std::uint32_t, std::uint32_t a, std::uint32_t e) {
        return TRcsValue(a, e);
    });
    const ModelGuard baseGuard(base);
    const ModelGuard modelGuard(model);

    const struct {
        double radius;
        AnchorOffset offset;
        std::uint32_t a, e;          // base direction: 5° steps from (0°, -90°)
        double azimuth, elevation;   // degrees, seen from the model
    } cases[] = {
        {10, {0, 0, 0}, 6, 22, 30, 20},                 // no offset: the base direction itself
        {10, {10, 0, 0}, 18, 18, 135, 0},               // (0, 0, -10) seen from (10, 0, 0)
        {10, {0, 0, 10}, 0, 18, 45, 0},                 // azimuth turns from +x towards -z
        {10, {0, -10, 0}, 0, 18, 0, 45},                // y is up
        {0, {0, 0, -5}, 40, 30, 270, 0},                // R = 0: the base origin, from anywhere
        {0, {3, 4, 0}, 0, 0, 180, -53.130102354155978}, // (-3, -4, 0) from the model
        {0, {0, 0, 0}, 12, 5, 0, 0},                    // at the model's origin itself
    };
    for (const auto& c : cases) {
        TMtm merged = mtmmerge::mergeModel(base, model, c.offset, c.radius);
        const ModelGuard mergedGuard(merged);
        ASSERT_EQ(merged.points.size(), 2u);
        const TRcsValue value = merged.points[1].rcs[c.a][c.e];
        EXPECT_NEAR(value.real(), c.azimuth / 5.0, 1e-9) << "R " << c.radius << ", direction " << c.a << ", " << c.e;
        EXPECT_NEAR(value.imag(), (c.elevation + 90.0) / 5.0, 1e-9) << "R " << c.radius << ", direction " << c.a << ", " << c.e;
    }
}

TEST(MergeModel, TheBaseMergedWithItselfAtItsOriginRepeatsItsPoints)
{
    // The last azimuth column of this model disagrees with the first, which describes the same
    // direction: the merge takes the first.
    const std::uint32_t countAz = 37;
    const std::uint32_t countEl = 19;
    TMtm base = makeModel(3, countAz, countEl, [](std::uint32_t p, std::uint32_t a, std::uint32_t e) {
        return ofDirection(countAz, countEl, a, e) + TRcsValue(p) + TRcsValue(a == countAz - 1 ? 1000.0 : 0.0);
    }, 300.0);
    base.path = "plane.mtm";
    base.color[0] = 0.5f;
    const ModelGuard baseGuard(base);

    TMtm merged = mtmmerge::mergeModel(base, base, {}, base.distance);
    const ModelGuard mergedGuard(merged);
    EXPECT_EQ(merged.path, "plane.mtm");
    EXPECT_EQ(merged.color[0], 0.5f);
    EXPECT_EQ(merged.distance, 300.0);
    ASSERT_EQ(merged.points.size(), 6u);
    for (std::size_t p = 0; p < 3; ++p) {
        const TMtmPoint& original = base.points[p];
        const TMtmPoint& copy = merged.points[p];
        const TMtmPoint& moved = merged.points[p + 3];
        EXPECT_NE(copy.rcs, original.rcs) << "the merged model owns its grids";
        EXPECT_EQ(moved.x, original.x);
        EXPECT_EQ(moved.z, original.z);
        ASSERT_EQ(moved.countAz, countAz);
        ASSERT_EQ(moved.countEl, countEl);
        for (std::uint32_t a = 0; a < countAz; ++a) {
            for (std::uint32_t e = 0; e < countEl; ++e) {
                EXPECT_EQ(copy.rcs[a][e], original.rcs[a][e]);
                const TRcsValue expected = original.rcs[a == countAz - 1 ? 0 : a][e];
                EXPECT_NEAR(moved.rcs[a][e].real(), expected.real(), 1e-9) << p << ": " << a << ", " << e;
                EXPECT_NEAR(moved.rcs[a][e].imag(), expected.imag(), 1e-9) << p << ": " << a << ", " << e;
            }
        }
    }
}

TEST(MergeModel, ACoarserModelIsResampledOntoTheBaseGrid)
{
    // 10-degree samples a + e i read on the base's 5-degree grid: a/2 + e/2 i between them.
    TMtm base = makeModel(1, 73, 37, zero);
    TMtm model = makeModel(2, 37, 19, [](std::uint32_t, std::uint32_t a, std::uint32_t e) {
        return TRcsValue(a, e);
    });
    const ModelGuard baseGuard(base);
    const ModelGuard modelGuard(model);

    TMtm merged = mtmmerge::mergeModel(base, model, {}, 50.0);
    const ModelGuard mergedGuard(merged);
    ASSERT_EQ(merged.points.size(), 3u);
    for (const TMtmPoint& point : merged.points) {
        EXPECT_EQ(point.countAz, 73u);
        EXPECT_EQ(point.countEl, 37u);
    }
    const TMtmPoint& moved = merged.points[2];
    EXPECT_EQ(moved.y, 2.0);
    // The north pole is one direction for every azimuth: it takes a sample, not a blend.
    for (std::uint32_t a = 0; a < 73; ++a) {
        for (std::uint32_t e = 0; e < 36; ++e) {
            const double azimuth = a == 72 ? 0.0 : a / 2.0; // 360° is 0°
            EXPECT_NEAR(moved.rcs[a][e].real(), azimuth, 1e-9) << a << ", " << e;
            EXPECT_NEAR(moved.rcs[a][e].imag(), e / 2.0, 1e-9) << a << ", " << e;
        }
    }
}

TEST(MergeModel, AnAzimuthJustBelowTheSeamTakesTheLastSample)
{
    // Seen from (0, 0, -1e-15), the base direction (0°, 0°) lies one rounding step below 360°,
    // between the model's last sample (360°) and its first (0°): no blend across the circle, which
    // the first sample's huge value would show.
    TMtm base = makeModel(1, 73, 37, zero);
    TMtm model = makeModel(1, 25, 13, [](std::uint32_t, std::uint32_t a, std::uint32_t) {
        return TRcsValue(a == 24 ? 100.0 : a == 0 ? -1e18 : a);
    });
    const ModelGuard baseGuard(base);
    const ModelGuard modelGuard(model);

    TMtm merged = mtmmerge::mergeModel(base, model, {0, 0, -1e-15}, 1.0);
    const ModelGuard mergedGuard(merged);
    EXPECT_EQ(merged.points[1].rcs[0][18], TRcsValue(100.0));
}

TEST(MergeModel, RefusesWhatCannotBeMerged)
{
    const auto filled = [](std::uint32_t, std::uint32_t, std::uint32_t) { return TRcsValue(1.0, 2.0); };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        const char* name;
        TMtm base;
        TMtm model;
        AnchorOffset offset;
        double radius;
        std::string message;
    } cases[] = {
        {"Przn of the base", makeModel(1, 5, 3, filled, 1, 1), makeModel(1, 5, 3, filled), {}, 1,
         "Error: Przn field must be 0 for both models b.mtm and m.mtm"},
        {"Przn of the model", makeModel(1, 5, 3, filled), makeModel(1, 5, 3, filled, 1, 1), {}, 1,
         "Error: Przn field must be 0 for both models b.mtm and m.mtm"},
        {"empty base", makeModel(0, 5, 3, filled), makeModel(1, 5, 3, filled), {}, 1,
         "Error: Base model b.mtm is empty (cannot determine grid parameters)"},
        {"one azimuth sample in the base", makeModel(1, 1, 3, filled), makeModel(1, 5, 3, filled), {}, 1,
         "Error: Base model b.mtm has a grid of 1 x 3 samples (azimuth x elevation); at least 2 x 2 are needed"},
        {"one elevation sample in the model", makeModel(1, 5, 3, filled), makeModel(1, 5, 1, filled), {}, 1,
         "Error: Model m.mtm has a grid of 5 x 1 samples (azimuth x elevation); at least 2 x 2 are needed"},
        {"infinite distance", makeModel(1, 5, 3, filled), makeModel(1, 5, 3, filled), {},
         std::numeric_limits<double>::infinity(),
         "Error: distance inf or offset (0, 0, 0) of model m.mtm is not a finite length below 1e150 m"},
        {"offset not a number", makeModel(1, 5, 3, filled), makeModel(1, 5, 3, filled), {0, nan, 0}, 1,
         "Error: distance 1 or offset (0, nan, 0) of model m.mtm is not a finite length below 1e150 m"},
    };
    for (const auto& c : cases) {
        TMtm base = c.base;
        TMtm model = c.model;
        base.path = "b.mtm";
        model.path = "m.mtm";
        const ModelGuard baseGuard(base);
        const ModelGuard modelGuard(model);
        try {
            TMtm merged = mtmmerge::mergeModel(base, model, c.offset, c.radius);
            ostrell::releaseMtmGrids(merged);
            ADD_FAILURE() << c.name << ": merged";
        } catch (const std::runtime_error& error) {
            EXPECT_EQ(error.what(), c.message) << c.name;
        }
    }
}

} // namespace
