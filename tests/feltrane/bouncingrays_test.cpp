// Multiple reflections by shooting and bouncing rays: the ray tube against the facet formulas,
// the dihedral and the trihedral against their closed forms, polarisation through even and odd
// numbers of reflections, the cell split, and a stop during the ray tracing.

#include "testpack.h"

#include "antenna.h"
#include "mtmcomputation.h"
#include "physicalconstants.h"
#include "raytube.h"
#include "secondreflection.h"

#include <Eigen/Geometry>

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <future>
#include <thread>

namespace {

using feltrane::kPi;

// A 90° grid: sample (0, 1) looks along +x (azimuth 0, elevation 0).
constexpr std::uint32_t kAlongX = 1;

feltrane::PackOptions withBounces(std::uint32_t bounces)
{
    feltrane::PackOptions options;
    options.bounces = bounces;
    return options;
}

// Two a × b perfectly conducting plates (a along the fold, the y axis) at 90°, open towards +x.
TestPack dihedral(double a, double b, double wavelength)
{
    TestPack pack;
    const Eigen::Vector3d up(0, 1, 0);
    for (const double side : {1.0, -1.0}) {
        const Eigen::Vector3d along = Eigen::Vector3d(1, 0, side).normalized();
        pack.addRectangle(0.5 * b * along, a * up, b * along, perfectConductor());
    }
    pack.setWavelength(wavelength);
    pack.setGrid(90, 90);
    return pack;
}

// A triangular perfectly conducting trihedral of edge a, apex at the origin, its axis along +x.
TestPack trihedral(double a, double wavelength)
{
    TestPack pack;
    Eigen::Vector3d edges[3];
    for (int i = 0; i < 3; ++i) {
        const double angle = kPi / 2 + 2 * kPi * i / 3;
        edges[i] = Eigen::Vector3d(1 / std::sqrt(3.0), std::sqrt(2.0 / 3) * std::cos(angle),
                                   std::sqrt(2.0 / 3) * std::sin(angle)) *
                   a;
    }
    for (int i = 0; i < 3; ++i)
        pack.addTriangle(Eigen::Vector3d::Zero(), edges[i], edges[(i + 1) % 3], perfectConductor());
    pack.setWavelength(wavelength);
    pack.setGrid(90, 90);
    return pack;
}

// A tube of edges u, v arriving from the radar with the antenna's field h at a facet.
feltrane::TubeAtHit firstHit(const feltrane::Material& material, const Eigen::Vector3d& normal,
                             const Eigen::Vector3d& d, const feltrane::Vector3c& h, const Eigen::Vector3d& u,
                             const Eigen::Vector3d& v)
{
    feltrane::TubeAtHit tube;
    tube.litNormal = normal.dot(d) > 0 ? normal : Eigen::Vector3d(-normal);
    tube.incoming = -d;
    tube.outgoing = feltrane::mirrored(-d, normal);
    tube.field = h;
    tube.reflected = feltrane::reflectedField(material, normal, -d, tube.outgoing, h);
    tube.edgeU = u;
    tube.edgeV = v;
    return tube;
}

TEST(RayTube, AtAFirstReflectionItIsTheFacetsOwnReturn)
{
    // The vector PO of a tube, for any material and antenna, against the facet formulas: h·[…] is
    // 2ρ|n·d|, so a tube of cross-section Δ² returns ρΔ²/λ.
    const double lambda = 0.03;
    const Eigen::Vector3d normal = Eigen::Vector3d(0.3, 1.0, -0.2).normalized();
    const feltrane::Material materials[] = {
        feltrane::Material::at(1, std::numeric_limits<double>::infinity(), 1, lambda),
        feltrane::Material::at(4, 0, 1, lambda), feltrane::Material::at(5, 0.5, 2, lambda),
        feltrane::Material::at(10, 1e10, 1, lambda)};
    const double antennas[][2] = {{0, 0}, {0, 0.7}, {1, 0.3}, {-0.4, 2.0}};
    const feltrane::DirectionGrid grid = feltrane::DirectionGrid::fromSteps(10, 10).value();
    for (const auto& [a, e] : {std::pair{3u, 12u}, {0u, 16u}, {30u, 13u}}) {
        const feltrane::Direction direction = grid.direction(a, e);
        const Eigen::Vector3d& d = direction.towardsRadar;
        for (const feltrane::Material& material : materials)
            for (const auto& [ellipticity, orientation] : antennas) {
                const feltrane::Antenna antenna(ellipticity, orientation);
                const feltrane::Vector3c h = antenna.polarisation(direction);
                const double side = 1e-7; // small against λ: no phase across the footprint
                const feltrane::TubeAtHit tube =
                    firstHit(material, normal, d, h, side * direction.thetaHat, side * direction.phiHat);
                const std::complex<double> rho =
                    feltrane::coPolarFactor(material, normal, d, h, antenna.selfProduct());
                const std::complex<double> expected = rho * side * side / lambda;
                EXPECT_LE(std::abs(feltrane::tubeReturn(tube, d, h, lambda) - expected), 1e-8 * side * side / lambda)
                    << "direction " << a << "," << e << " material ε " << material.epsilon << " antenna "
                    << ellipticity << "," << orientation;
            }
    }
}

TEST(RayTube, TubesTilingAPlateAddUpToItsPhysicalOpticsPattern)
{
    // A 0.5 m × 1 m plate facing +x, seen 60° off its normal in the horizontal plane: 50 × 50
    // tubes of 1 cm cover it exactly. Their footprints' integrals with their phases make the
    // plate's sinc pattern.
    const double lambda = 0.03, k = 2 * kPi / lambda, alpha = kPi / 3;
    const double height = 0.5, width = 1.0, side = 0.01;
    const Eigen::Vector3d d(std::cos(alpha), 0, -std::sin(alpha));
    const Eigen::Vector3d up(0, 1, 0), across = up.cross(d); // the beam's cross-section
    const Eigen::Vector3d normal(1, 0, 0);
    const feltrane::Vector3c h = up.cast<std::complex<double>>();
    const auto conductor = feltrane::Material::at(1, std::numeric_limits<double>::infinity(), 1, lambda);
    std::complex<double> sum;
    for (int i = 0; i < 50; ++i)
        for (int j = 0; j < 50; ++j) {
            // The tube's axis meets the plane x = 0 at the centre of its footprint.
            const Eigen::Vector3d hit(0, (i + 0.5) * side - height / 2, ((j + 0.5) * side - 0.25) / std::cos(alpha));
            const feltrane::TubeAtHit tube = firstHit(conductor, normal, d, h, side * up, side * across);
            sum += feltrane::tubeReturn(tube, d, h, lambda) * std::polar(1.0, 2 * k * d.dot(hit));
        }
    const double x = k * width * std::sin(alpha);
    const double expected = height * width * std::cos(alpha) * std::sin(x) / x / lambda;
    EXPECT_NEAR(sum.real(), expected, 1e-9 * std::abs(expected));
    EXPECT_NEAR(sum.imag(), 0.0, 1e-9 * std::abs(expected));
}

TEST(BouncingRays, OnlyFlatTargetsAndSingleConvexBodiesAreLeftUntraced)
{
    TestPack tilted;
    tilted.addRectangle({0.2, 0.1, -0.3}, {0, 1, 0.2}, {0.1, 0, 1});
    tilted.addRectangle({0.26, 0.1, 0.3}, {0, 1, 0.2}, {0.1, 0, 1}); // beside it in the same plane
    TestPack sphere;
    sphere.addSphere({1, 2, 3}, 0.5, 2);
    TestPack twoSpheres = sphere;
    twoSpheres.addSphere({2.5, 2, 3}, 0.5, 2);
    // The sphere with one vertex pushed in: closed, but dented.
    TestPack dented = sphere;
    const TFcoVertex top = dented.vertices()[0];
    for (TFcoVertex& v : dented.vertices())
        if (v.x == top.x && v.y == top.y && v.z == top.z)
            v = {1 + 0.5 * (top.x - 1), 2 + 0.5 * (top.y - 2), 3 + 0.5 * (top.z - 3)};
    TestPack parallel;
    parallel.addRectangle({0, 0, 0}, {0, 1, 0}, {0, 0, 1});
    parallel.addRectangle({1, 0, 0}, {0, 1, 0}, {0, 0, 1});
    TestPack inward = sphere; // wound inside out: still a convex body
    inward.reverseWinding();
    const struct {
        const char* what;
        TestPack* pack;
        bool traced;
    } cases[] = {
        {"a tilted plate in two pieces", &tilted, false},
        {"a sphere", &sphere, false},
        {"a sphere wound inside out", &inward, false},
        {"two spheres", &twoSpheres, true},
        {"a dented sphere", &dented, true},
        {"two parallel plates", &parallel, true},
    };
    for (const auto& c : cases) {
        const auto view = feltrane::PackView::read(&c.pack->pack());
        ASSERT_TRUE(view) << view.error();
        const auto mesh = feltrane::FacetMesh::fromPack(view.value());
        EXPECT_EQ(feltrane::allowsSecondReflection(mesh.value()), c.traced) << c.what;
    }
}

TEST(BouncingRays, DihedralAlongItsSymmetryPlaneIs8PiA2B2OverLambda2)
{
    const double a = 1.5, b = 1.5, lambda = 0.1;
    const double closedForm = decibels(8 * kPi * a * a * b * b / (lambda * lambda));
    EXPECT_NEAR(closedForm, 41.05, 0.005);
    TestPack pack = dihedral(a, b, lambda);
    EXPECT_NEAR(crossSectionDb(computeOrFail(pack), lambda, 0, kAlongX), closedForm, 0.5);
    // Single reflections alone miss it by tens of dB.
    pack.setOptions(withBounces(1));
    EXPECT_LT(crossSectionDb(computeOrFail(pack), lambda, 0, kAlongX), closedForm - 20);
}

TEST(BouncingRays, TrihedralAlongItsAxisIs4PiA4Over3Lambda2)
{
    const double a = 1.5, lambda = 0.1;
    const double closedForm = decibels(4 * kPi * std::pow(a, 4) / (3 * lambda * lambda));
    EXPECT_NEAR(closedForm, 33.27, 0.01);
    TestPack pack = trihedral(a, lambda);
    EXPECT_NEAR(crossSectionDb(computeOrFail(pack), lambda, 0, kAlongX), closedForm, 1.0);
    // Two reflections do not make it back.
    pack.setOptions(withBounces(2));
    EXPECT_LT(crossSectionDb(computeOrFail(pack), lambda, 0, kAlongX), closedForm - 10);
}

TEST(BouncingRays, SingleReflectionsAreNotCountedTwice)
{
    // A plate shoots no rays; a roof (two plates meeting at a ridge, open below) does, but seen
    // from above each ray leaves after one reflection, which the facet physical optics holds.
    TestPack plate;
    plate.addRectangle({0.2, 0.1, -0.3}, {0, 1, 0.2}, {0.1, 0, 1}, perfectConductor());
    TestPack roof;
    roof.addRectangle({-0.25, 0.25, 0}, {0, 0, 0.5}, {0.5, 0.5, 0}, perfectConductor());
    roof.addRectangle({0.25, 0.25, 0}, {0, 0, 0.5}, {0.5, -0.5, 0}, perfectConductor());
    ASSERT_TRUE(feltrane::allowsSecondReflection(
        feltrane::FacetMesh::fromPack(feltrane::PackView::read(&roof.pack()).value()).value()));
    const struct {
        const char* what;
        TestPack* pack;
        bool fromAboveOnly;
    } cases[] = {{"a plate", &plate, false}, {"a roof", &roof, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.pack->setWavelength(0.1);
        c.pack->setGrid(15, 15);
        c.pack->setOptions(withBounces(1));
        const auto single = computeOrFail(*c.pack);
        c.pack->setOptions(withBounces(3));
        const auto bouncing = computeOrFail(*c.pack);
        const std::uint32_t horizon = (single.countEl() - 1) / 2;
        for (std::uint32_t a = 0; a < single.countAz(); ++a)
            for (std::uint32_t e = c.fromAboveOnly ? horizon + 1 : 0; e < single.countEl(); ++e) {
                const std::complex<double> reference = coherentSum(single, 0.1, a, e);
                EXPECT_LE(std::abs(coherentSum(bouncing, 0.1, a, e) - reference), 1e-9 * std::abs(reference))
                    << a << ", " << e;
            }
    }
}

TEST(BouncingRays, CircularCoPolarisedReturnNeedsAnEvenNumberOfReflections)
{
    const double lambda = 0.1;
    // Linear along θ̂ (here the dihedral's fold) and circular, which has no orientation.
    auto db = [&](TestPack pack, double ellipticity) {
        pack.setPolarisation(ellipticity, ellipticity == 0.0 ? 0.0 : 0.3);
        return crossSectionDb(computeOrFail(pack), lambda, 0, kAlongX);
    };
    TestPack plate;
    plate.addRectangle({0, 0, 0}, {0, 1.5, 0}, {0, 0, 1.5}, perfectConductor());
    plate.setWavelength(lambda);
    plate.setGrid(90, 90);
    const TestPack corner = dihedral(1.5, 1.5, lambda);
    const TestPack cube = trihedral(1.5, lambda);
    for (const double sense : {1.0, -1.0}) {
        SCOPED_TRACE(sense > 0 ? "right-handed" : "left-handed");
        EXPECT_LT(db(plate, sense), db(plate, 0.0) - 100) << "one reflection turns the sense";
        EXPECT_NEAR(db(corner, sense), db(corner, 0.0), 0.1) << "two keep it";
        EXPECT_LT(db(cube, sense), db(cube, 0.0) - 20) << "three turn it";
    }
}

TEST(BouncingRays, NeitherTheCellSplitNorTheThreadsChangeTheResult)
{
    TestPack split = trihedral(0.75, 0.1);
    split.addRectangle({0.3, -0.45, 0}, {0.6, 0, 0}, {0, 0, -0.6}, {4.0f, 0.01f, 1.0f}); // a lossy floor
    split.setGrid(30, 30);
    split.setPolarisation(0.3, 0.5);
    TestPack whole = split;
    split.setCells(10, 10, 10);
    const auto many = computeOrFail(split);
    const auto one = computeOrFail(whole);
    ASSERT_EQ(one.pointCount(), 1u);
    ASSERT_GT(many.pointCount(), 3u);
    // Directions where the returns cancel to rounding level are held to the peak's rounding.
    double peak = 0.0;
    for (std::uint32_t a = 0; a < one.countAz(); ++a)
        for (std::uint32_t e = 0; e < one.countEl(); ++e)
            peak = std::max(peak, std::abs(coherentSum(one, 0.1, a, e)));
    for (std::uint32_t a = 0; a < one.countAz(); ++a)
        for (std::uint32_t e = 0; e < one.countEl(); ++e) {
            const std::complex<double> reference = coherentSum(one, 0.1, a, e);
            EXPECT_LE(std::abs(coherentSum(many, 0.1, a, e) - reference),
                      1e-9 * std::max(std::abs(reference), 1e-6 * peak))
                << a << ", " << e;
        }
    // Each direction is traced by one thread in a fixed order.
    feltrane::PackOptions oneThread;
    oneThread.threads = 1;
    split.setOptions(oneThread);
    const auto serial = computeOrFail(split);
    for (std::size_t p = 0; p < many.pointCount(); ++p)
        for (std::uint32_t a = 0; a < many.countAz(); ++a)
            for (std::uint32_t e = 0; e < many.countEl(); ++e)
                ASSERT_EQ(serial.value(p, a, e), many.value(p, a, e)) << p << ": " << a << ", " << e;
}

TEST(BouncingRays, ProgressMovesAndAStopHoldsDuringTheRayTracing)
{
    // The dihedral at a millimetre wavelength: tens of millions of rays per direction.
    TestPack pack = dihedral(1.5, 1.5, 0.001);
    const auto view = feltrane::PackView::read(&pack.pack());
    ASSERT_TRUE(view) << view.error();
    feltrane::RunControl control;
    control.begin();
    auto run = std::async(std::launch::async, [&] { return feltrane::computeMtm(view.value(), control); });
    for (int i = 0; i < 6000 && control.percentDone() <= 0.0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_GT(control.percentDone(), 0.0);
    EXPECT_LT(control.percentDone(), 10.0) << "within the first directions";
    EXPECT_TRUE(control.requestStop());
    const auto result = run.get();
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error(), "stopped on request");
}

} // namespace
