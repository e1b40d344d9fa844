// The demo's corner reflector MTM, which the build computes with the library from the reflector's
// mesh: three aluminium plates, with their single and multiple reflections.

#include "coherentrcs.h"
#include "directiongrid.h"
#include "mtmfile.h"
#include "physicalconstants.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <utility>

namespace {

TEST(DemoReflector, TheBuildComputesItsPlatesFromTheMesh)
{
    const char* stage = std::getenv("KALMENO_STAGE_DIR");
    ASSERT_NE(stage, nullptr);
    ostrell::MtmHeader header;
    auto mtm = ostrell::readMtmFile(std::string(stage) + "/Kalmeno/demo/reflector.mtm", &header);
    ASSERT_TRUE(mtm) << mtm.error();
    EXPECT_EQ(header.countAz, 73u); // 5-degree steps, both ends
    EXPECT_EQ(header.countEl, 37u);
    EXPECT_EQ(mtm->points.size(), 3u) << "one point per plate";
    // Edges of 1.5 m from the apex: the smallest sphere holds the three far corners, D² = 6 m²
    // (the mesh file keeps five digits: 1.0607 for 1.5/√2).
    EXPECT_NEAR(mtm->distance, 2 * 6.0 / 0.03, 0.05);

    // Azimuth 45°, elevation 0 looks along the normal of the plate between the right and the
    // upward edge, while the two others are edge-on: that plate's flash, 4πA²/λ², A = 1.125 m².
    const auto grid = feltrane::DirectionGrid::fromCounts(header.countAz, header.countEl);
    const double sigma = feltrane::crossSection(mtm->points, 9, 18, grid->direction(9, 18).towardsRadar, 0.03);
    EXPECT_NEAR(feltrane::toDecibels(sigma), feltrane::toDecibels(4 * feltrane::kPi * 1.125 * 1.125 / (0.03 * 0.03)),
                0.05);
    ostrell::releaseMtmGrids(mtm.value());
}

TEST(DemoReflector, ItsTripleReflectionLobeLiesAlongTheSymmetryAxis)
{
    const char* stage = std::getenv("KALMENO_STAGE_DIR");
    ASSERT_NE(stage, nullptr);
    ostrell::MtmHeader header;
    auto mtm = ostrell::readMtmFile(std::string(stage) + "/Kalmeno/demo/reflector.mtm", &header);
    ASSERT_TRUE(mtm) << mtm.error();
    const auto grid = feltrane::DirectionGrid::fromCounts(header.countAz, header.countEl);
    auto db = [&](std::uint32_t a, std::uint32_t e) {
        return feltrane::toDecibels(
            feltrane::crossSection(mtm->points, a, e, grid->direction(a, e).towardsRadar, 0.03));
    };
    // The axis looks forward and 35.26° up; the grid's nearest sample is azimuth 0, elevation 35°.
    // A triangular trihedral of 1.5 m edges returns 4πa⁴/(3λ²) = 43.72 dBsm there; its plates'
    // single reflections alone give about −5 dBsm.
    const double peak = feltrane::toDecibels(4 * feltrane::kPi * std::pow(1.5, 4) / (3 * 0.03 * 0.03));
    EXPECT_NEAR(db(0, 25), peak, 1.0);
    // A broad lobe, as corner reflectors have: 15° aside on either side and above and below.
    for (const auto& [a, e] : {std::pair{3u, 25u}, {69u, 25u}, {0u, 22u}, {0u, 28u}})
        EXPECT_GT(db(a, e), peak - 3.0) << a << ", " << e;
    ostrell::releaseMtmGrids(mtm.value());
}

} // namespace
