// The demo corner reflector's scatterers, and the MTM the build computes from them.
#include "cornerreflectormodel.h"

#include "mtmfile.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace quelmar {
namespace {

constexpr double edge = 1.5;
constexpr double wavelength = 0.03;

TEST(CornerReflectorModel, ReturnsFollowTheReflectorsGeometry)
{
    const CornerReflectorModel model(edge, wavelength);
    ASSERT_EQ(model.points().size(), 4u);
    const double peak = 4.0 * M_PI * std::pow(edge, 4) / (3.0 * wavelength * wavelength);
    EXPECT_NEAR(model.peakCrossSection(), peak, 1e-9 * peak);
    EXPECT_NEAR(model.boresight().y(), std::sin(35.2643896827547 * M_PI / 180.0), 1e-12);

    const double plateFlash = 4.0 * M_PI * std::pow(edge * edge / 2.0, 2) / (wavelength * wavelength);
    struct Case {
        const char* name;
        std::size_t point;
        Eigen::Vector3d towardsRadar;
        double crossSection;
    };
    const Case cases[] = {
        {"triple bounce on boresight", 0, model.boresight(), peak},
        {"triple bounce 20 degrees off is about half", 0,
         Eigen::AngleAxisd(20.0 * M_PI / 180.0, Eigen::Vector3d::UnitZ()) * model.boresight(), peak * 0.5},
        {"no triple bounce from behind", 0, CornerReflectorModel::direction(180, 10), 0.0},
        {"no triple bounce from below the ground plate", 0, CornerReflectorModel::direction(0, -5), 0.0},
        {"ground plate seen from straight above", 3, {0, 1, 0}, plateFlash},
        {"ground plate seen from below", 3, {0, -1, 0}, 0.0},
        {"left plate along its normal", 1, CornerReflectorModel::direction(45, 0), plateFlash},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(std::norm(model.amplitude(c.point, c.towardsRadar)), c.crossSection, 0.03 * peak + 1e-9);
    }
    // The apex sits at the origin, so its return carries no phase.
    EXPECT_NEAR(model.amplitude(0, model.boresight()).imag(), 0.0, 1e-9);
}

TEST(DemoReflectorMtm, TheBuildWritesTheModelsAmplitudes)
{
    const char* stage = std::getenv("KALMENO_STAGE_DIR");
    ASSERT_NE(stage, nullptr);
    ostrell::MtmHeader header;
    auto mtm = ostrell::readMtmFile(std::string(stage) + "/Kalmeno/demo/reflector.mtm", &header);
    ASSERT_TRUE(mtm.ok()) << mtm.error();
    const CornerReflectorModel model(edge, wavelength);
    EXPECT_EQ(header.countAz, 73u); // 5-degree steps, both ends
    EXPECT_EQ(header.countEl, 37u);
    EXPECT_DOUBLE_EQ(mtm->distance, model.farFieldDistance());
    ASSERT_EQ(mtm->points.size(), model.points().size());
    for (std::size_t p = 0; p < model.points().size(); ++p) {
        const TMtmPoint& point = mtm->points[p];
        EXPECT_EQ(Eigen::Vector3d(point.x, point.y, point.z), model.points()[p]);
        for (std::uint32_t a : {0u, 9u, 36u})
            for (std::uint32_t e : {0u, 25u, 36u}) {
                const std::complex<double> expected =
                    model.amplitude(p, CornerReflectorModel::direction(a * 5.0, -90.0 + e * 5.0));
                EXPECT_NEAR(std::abs(point.rcs[a][e] - expected), 0.0, 1e-9) << p << " " << a << " " << e;
            }
    }
    // The strongest apex return lies on the grid next to boresight: azimuth 0, elevation 35.
    std::uint32_t bestA = 0, bestE = 0;
    for (std::uint32_t a = 0; a < header.countAz; ++a)
        for (std::uint32_t e = 0; e < header.countEl; ++e)
            if (std::abs(mtm->points[0].rcs[a][e]) > std::abs(mtm->points[0].rcs[bestA][bestE])) {
                bestA = a;
                bestE = e;
            }
    EXPECT_TRUE(bestA == 0 || bestA == 72);
    EXPECT_EQ(bestE, 25u);
    ostrell::releaseMtmGrids(mtm.value());
}

} // namespace
} // namespace quelmar
