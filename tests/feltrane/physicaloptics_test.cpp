// The computation against closed forms: plate, sphere, cylinder, dielectric and Brewster plates,
// shadowing, polarisation, and the independence of the result from the cell split.

#include "testpack.h"

#include "physicalconstants.h"

#include <Eigen/Geometry>

#include <gtest/gtest.h>

#include <cmath>

namespace {

using feltrane::kPi;

const Eigen::Vector3d kUp(0, 1, 0), kAcross(0, 0, 1);
constexpr std::uint32_t kHorizon = 9; // the elevation sample of θ = 0 on a 10° grid

// A w × h plate in the y-z plane facing +x, the radar's direction at azimuth 0 and elevation 0.
TestPack plateFacingX(double w, double h, TestMaterial material, double x = 0.0)
{
    TestPack pack;
    pack.addRectangle({x, 0, 0}, h * kUp, w * kAcross, material);
    return pack;
}

TEST(PhysicalOptics, PecPlateAlongItsNormalIs4PiA2OverLambda2)
{
    TestPack pack = plateFacingX(1.0, 1.0, perfectConductor());
    pack.setWavelength(0.03);
    const auto mtm = computeOrFail(pack);
    const double expected = decibels(4.0 * kPi / (0.03 * 0.03));
    EXPECT_NEAR(expected, 41.45, 0.005);
    EXPECT_NEAR(crossSectionDb(mtm, 0.03, 0, kHorizon), 41.45, 0.05);
    EXPECT_NEAR(crossSectionDb(mtm, 0.03, 0, kHorizon), expected, 1e-9);
}

TEST(PhysicalOptics, PecPlatePrincipalCutFollowsSincSquared)
{
    // 1/16° azimuth steps resolve the main lobe (first null at 0.86°) and the sidelobes.
    const double lambda = 0.03, k = 2 * kPi / lambda;
    TestPack pack = plateFacingX(1.0, 1.0, perfectConductor());
    pack.setWavelength(lambda);
    pack.setGrid(0.0625, 90.0);
    const auto mtm = computeOrFail(pack);
    const double peak = 4 * kPi / (lambda * lambda);
    int compared = 0;
    for (std::uint32_t a = 0; a < mtm.countAz(); ++a) {
        const double phi = a * 2 * kPi / (mtm.countAz() - 1);
        // Both sides of the open plate are lit: the lobe around 180° follows the same law.
        const double x = k * std::sin(phi);
        const double sinc = x == 0.0 ? 1.0 : std::sin(x) / x;
        const double exact = peak * std::cos(phi) * std::cos(phi) * sinc * sinc;
        if (decibels(exact) < decibels(peak) - 20.0)
            continue;
        ++compared;
        EXPECT_NEAR(crossSectionDb(mtm, lambda, a, 1), decibels(exact), 1e-6) << "azimuth " << phi * 180 / kPi;
    }
    EXPECT_GT(compared, 40) << "main lobes and first sidelobes";
}

TEST(PhysicalOptics, PecSphereIsPiA2InEveryDirection)
{
    TestPack pack;
    pack.addSphere({0.3, -0.2, 0.5}, 1.0, 5, perfectConductor());
    pack.setWavelength(0.1);
    const auto mtm = computeOrFail(pack);
    for (std::uint32_t a = 0; a < mtm.countAz(); ++a)
        for (std::uint32_t e = 0; e < mtm.countEl(); ++e)
            EXPECT_NEAR(crossSectionDb(mtm, 0.1, a, e), decibels(kPi), 0.5) << a << ", " << e;
}

TEST(PhysicalOptics, PecCylinderAtBroadsideIs2PiAL2OverLambda)
{
    const double radius = 0.5, length = 2.0, lambda = 0.1;
    TestPack pack;
    pack.addCylinder(radius, length, 256, perfectConductor());
    pack.setWavelength(lambda);
    const auto mtm = computeOrFail(pack);
    // The axis is y: every azimuth at elevation 0 is broadside.
    for (std::uint32_t a = 0; a < mtm.countAz(); ++a)
        EXPECT_NEAR(crossSectionDb(mtm, lambda, a, kHorizon), decibels(2 * kPi * radius * length * length / lambda),
                    0.5)
            << a;
}

TEST(PhysicalOptics, DielectricPlateAtNormalIncidenceReflectsAThird)
{
    TestPack conductor = plateFacingX(1.0, 1.0, perfectConductor());
    TestPack dielectric = plateFacingX(1.0, 1.0, {4.0f, 0.0f, 1.0f});
    const double difference = crossSectionDb(computeOrFail(dielectric), 0.03, 0, kHorizon) -
                              crossSectionDb(computeOrFail(conductor), 0.03, 0, kHorizon);
    EXPECT_NEAR(difference, 20 * std::log10(1.0 / 3.0), 1e-9);
    EXPECT_NEAR(difference, -9.54, 0.01);
}

TEST(PhysicalOptics, BrewsterAngleSilencesTheTransverseMagneticReturn)
{
    // Normal turned in the horizontal plane to the Brewster angle of ε_r = 4 from the radar at
    // azimuth 0: θ̂ (orientation 0) is perpendicular to the plane of incidence, φ̂ (π/2) lies in it.
    const double brewster = std::atan(2.0);
    const Eigen::Vector3d normal(std::cos(brewster), 0, std::sin(brewster));
    const Eigen::Vector3d across = kUp.cross(normal);
    auto plate = [&](TestMaterial material, double orientation) {
        TestPack pack;
        pack.addRectangle({0, 0, 0}, 0.3 * kUp, 0.2 * across, material);
        pack.setPolarisation(0.0, orientation);
        return coherentSum(computeOrFail(pack), 0.03, 0, kHorizon);
    };
    const TestMaterial glass{4.0f, 0.0f, 1.0f};
    // R_TE at the Brewster angle of ε_r = 4: (√3.2 − 1/√5)/(√3.2 + 1/√5) = 0.6.
    const std::complex<double> te = plate(glass, 0.0) / plate(perfectConductor(), 0.0);
    EXPECT_NEAR(te.real(), 0.6, 1e-9);
    EXPECT_NEAR(te.imag(), 0.0, 1e-9);
    EXPECT_LT(std::abs(plate(glass, kPi / 2) / plate(perfectConductor(), kPi / 2)), 1e-9);
}

TEST(PhysicalOptics, CellSplitDoesNotChangeTheCoherentSum)
{
    TestPack split;
    split.addSphere({0.4, -0.3, 0.2}, 1.0, 4);
    split.addRectangle({1.5, 0.5, 0.0}, kUp, kAcross, {4.0f, 0.01f, 1.0f});
    split.setWavelength(0.1);
    split.setGrid(15, 15);
    // Single reflections: the bouncing rays' cell split has a test of its own.
    feltrane::PackOptions single;
    single.bounces = 1;
    split.setOptions(single);
    TestPack whole = split;
    split.setCells(10, 10, 10);
    const auto many = computeOrFail(split);
    const auto one = computeOrFail(whole);
    ASSERT_EQ(one.pointCount(), 1u);
    ASSERT_GT(many.pointCount(), 100u);
    for (std::uint32_t a = 0; a < one.countAz(); ++a)
        for (std::uint32_t e = 0; e < one.countEl(); ++e) {
            const std::complex<double> reference = coherentSum(one, 0.1, a, e);
            EXPECT_LE(std::abs(coherentSum(many, 0.1, a, e) - reference), 1e-9 * std::abs(reference)) << a << ", " << e;
        }
}

TEST(PhysicalOptics, HiddenPlateAddsNothingUnlessShadowingIsOff)
{
    // Two plates facing the radar, the one at x = 0 hidden behind the one at x = 1.
    auto run = [](bool front, bool back, bool shadowing) {
        TestPack pack;
        if (front)
            pack.addRectangle({1, 0, 0}, kUp, kAcross);
        if (back)
            pack.addRectangle({0, 0, 0}, kUp, kAcross);
        feltrane::PackOptions options;
        options.shadowing = shadowing;
        options.bounces = 1; // the rays between the plates are not this test's
        pack.setOptions(options);
        return coherentSum(computeOrFail(pack), 0.03, 0, kHorizon);
    };
    const std::complex<double> front = run(true, false, true);
    EXPECT_LE(std::abs(run(true, true, true) - front), 1e-12 * std::abs(front));
    const std::complex<double> both = run(true, true, false);
    EXPECT_LE(std::abs(both - (run(true, false, false) + run(false, true, false))), 1e-12 * std::abs(front));
    EXPECT_GT(std::abs(both - front), 0.1 * std::abs(front));
}

TEST(PhysicalOptics, ShadowingLightsEitherSideWhateverTheWinding)
{
    TestPack outward = plateFacingX(0.5, 0.4, perfectConductor());
    TestPack inward = outward;
    inward.reverseWinding();
    const auto a = computeOrFail(outward), b = computeOrFail(inward);
    for (const std::uint32_t row : {0u, 1u, 18u})
        EXPECT_LE(std::abs(coherentSum(a, 0.03, row, kHorizon) - coherentSum(b, 0.03, row, kHorizon)),
                  1e-12 * std::abs(coherentSum(a, 0.03, row, kHorizon)));
    // One-sided, the turned plate shows the radar only its inner side.
    feltrane::PackOptions oneSided;
    oneSided.shadowing = false;
    inward.setOptions(oneSided);
    EXPECT_EQ(coherentSum(computeOrFail(inward), 0.03, 0, kHorizon), std::complex<double>());
}

TEST(PhysicalOptics, PlateCoPolarisedReturnKeepsLinearAndLosesCircular)
{
    // A small plate: no sidelobe null near the directions looked at.
    const std::pair<std::uint32_t, std::uint32_t> directions[] = {{0, kHorizon}, {1, 10}, {36, 8}, {2, 7}};
    auto sums = [](TestMaterial material, double ellipticity, double orientation) {
        TestPack pack = plateFacingX(0.1, 0.07, material);
        pack.setPolarisation(ellipticity, orientation);
        return computeOrFail(pack);
    };
    const auto reference = sums(perfectConductor(), 0.0, 0.0);
    for (const double orientation : {0.4, kPi / 4, 1.3, kPi / 2, 2.5, -0.8}) {
        const auto linear = sums(perfectConductor(), 0.0, orientation);
        const auto defaults = sums(TestMaterial{}, 0.0, orientation);
        for (const auto& [a, e] : directions) {
            const std::complex<double> expected = coherentSum(reference, 0.03, a, e);
            EXPECT_LE(std::abs(coherentSum(linear, 0.03, a, e) - expected), 1e-12 * std::abs(expected));
            // The capture's default material behaves as a perfect conductor.
            EXPECT_LE(std::abs(coherentSum(defaults, 0.03, a, e) - expected), 1e-4 * std::abs(expected));
        }
    }
    for (const double ellipticity : {1.0, -1.0}) {
        const auto circular = sums(perfectConductor(), ellipticity, 0.7);
        for (const auto& [a, e] : directions)
            EXPECT_LT(std::norm(coherentSum(circular, 0.03, a, e)), 1e-10 * std::norm(coherentSum(reference, 0.03, a, e)))
                << "at least 100 dB below the linear return";
    }
}

} // namespace
