// The numeric kernel: the triangle integral in each of its branches against quadrature, the
// batch sine and cosine against the C library, and the sweep against the plain loop.

#include "testpack.h"

#include "directionsweep.h"
#include "facetmesh.h"
#include "physicalconstants.h"
#include "referenceloop.h"
#include "sincosbatch.h"
#include "triangleintegral.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

// ∫_simplex exp(j(λ₀ψ₀ + λ₁ψ₁ + λ₂ψ₂)) by Gauss–Legendre on the square (Duffy's collapse).
std::complex<double> quadrature(double psi0, double psi1, double psi2)
{
    constexpr int n = 48;
    std::vector<double> x(n), w(n);
    for (int i = 0; i < n; ++i) { // Newton on Legendre P_n
        double t = std::cos(feltrane::kPi * (i + 0.75) / (n + 0.5)), derivative = 0;
        for (int iteration = 0; iteration < 100; ++iteration) {
            double p0 = 1, p1 = t;
            for (int k = 2; k <= n; ++k) {
                const double p2 = ((2 * k - 1) * t * p1 - (k - 1) * p0) / k;
                p0 = p1, p1 = p2;
            }
            derivative = n * (t * p1 - p0) / (t * t - 1);
            t -= p1 / derivative;
        }
        x[i] = 0.5 * (t + 1), w[i] = 1.0 / ((1 - t * t) * derivative * derivative) * 2 * 0.5;
    }
    std::complex<double> sum;
    for (int i = 0; i < n; ++i)
        for (int k = 0; k < n; ++k) {
            const double l1 = x[i], l2 = x[k] * (1 - x[i]); // λ₁ ∈ [0,1], λ₂ ∈ [0, 1 − λ₁]
            sum += w[i] * w[k] * (1 - x[i]) * std::polar(1.0, (1 - l1 - l2) * psi0 + l1 * psi1 + l2 * psi2);
        }
    return sum;
}

TEST(TriangleIntegral, EveryBranchMatchesQuadrature)
{
    const struct {
        const char* what;
        double psi0, psi1, psi2;
    } cases[] = {
        {"general", 0.3, -2.1, 4.7},
        {"large phases", 812.25, 815.5, 809.0},
        {"one edge across the radar (closed form cannot)", 1.0, 1.0 + 1e-9, 3.5},
        {"two vertices 0.02 apart", -0.4, -0.38, 2.0},
        {"just above the closed-form limit", 0.0, 0.0501, 0.1003},
        {"just below the closed-form limit", 0.0, 0.0499, 0.5},
        {"all within the series limit", 2.0, 2.0 + 4e-4, 2.0 - 3e-4},
        {"all equal (normal incidence)", -7.25, -7.25, -7.25},
        {"series limit straddled", 5.0, 5.0 + 9.9e-4, 5.0 + 1.01e-3},
    };
    for (const auto& c : cases) {
        const std::complex<double> expected = quadrature(c.psi0, c.psi1, c.psi2);
        const std::complex<double> value = feltrane::triangleIntegral(c.psi0, c.psi1, c.psi2);
        EXPECT_LE(std::abs(value - expected), 1e-12) << c.what;
        // The integral is symmetric in its vertices.
        EXPECT_LE(std::abs(feltrane::triangleIntegral(c.psi2, c.psi0, c.psi1) - expected), 1e-12) << c.what;
    }
    EXPECT_LE(std::abs(feltrane::triangleIntegral(1.5, 1.5, 1.5) - 0.5 * std::polar(1.0, 1.5)), 1e-15)
        << "equal phases: half the simplex";
}

TEST(SinCosBatch, AgreesWithTheLibraryOverTheRangeOfPhases)
{
    std::vector<double> x;
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> wide(-2e6, 2e6), narrow(-10, 10);
    for (int i = 0; i < 20000; ++i)
        x.push_back(i % 2 ? wide(random) : narrow(random));
    for (int q = -8; q <= 8; ++q) // quadrant boundaries
        for (const double delta : {-1e-12, 0.0, 1e-12})
            x.push_back(q * feltrane::kPi / 4 + delta);
    x.insert(x.end(), {0.0, -0.0, 1.6e6, -1.6e6, 1e300, std::nan("")});
    std::vector<double> s(x.size()), c(x.size());
    feltrane::sinCosBatch(x.data(), s.data(), c.data(), x.size());
    for (std::size_t i = 0; i < x.size(); ++i) {
        if (std::isnan(x[i])) {
            EXPECT_TRUE(std::isnan(s[i]) && std::isnan(c[i]));
            continue;
        }
        EXPECT_NEAR(s[i], std::sin(x[i]), 4e-16) << x[i];
        EXPECT_NEAR(c[i], std::cos(x[i]), 4e-16) << x[i];
    }
}

TEST(DirectionSweep, MatchesThePlainLoopAcrossCellsChunksAndMaterials)
{
    TestPack pack;
    pack.addSphere({0.2, 0.1, -0.3}, 0.6, 3, {4.0f, 0.2f, 1.5f});
    pack.addSphere({-0.9, 0.0, 0.4}, 0.3, 2, perfectConductor());
    pack.addRectangle({0.0, -0.8, 0.0}, {0.0, 0.0, 1.2}, {1.5, 0.0, 0.0}); // default material
    pack.setCells(3, 2, 3);
    pack.setWavelength(0.05);
    pack.setPolarisation(0.4, 0.7);
    const auto view = feltrane::PackView::read(&pack.pack());
    ASSERT_TRUE(view) << view.error();
    const auto mesh = feltrane::FacetMesh::fromPack(view.value());
    ASSERT_TRUE(mesh);
    ASSERT_GT(mesh->facets().size(), feltrane::ScatteringModel::kChunk);
    const auto cells = feltrane::partitionIntoCells(mesh.value(), 3, 2, 3);
    const auto model = feltrane::ScatteringModel::build(mesh.value(), cells, 0.05, 2.0);
    std::vector<feltrane::Material> materials;
    for (const auto& m : mesh->materials())
        materials.push_back(feltrane::Material::at(m.epsilon, m.sigma, m.mu, 0.05));
    const feltrane::Antenna antenna(0.4, 0.7);
    feltrane::DirectionSweep sweep(model, nullptr, antenna);
    const std::atomic<bool> running{false};
    std::vector<feltrane::Direction> directions;
    for (const auto& [a, e] : {std::pair{0u, 9u}, {5u, 3u}, {17u, 12u}, {30u, 0u}, {11u, 18u}})
        directions.push_back(view->grid().direction(a, e));
    const std::size_t points = model.pointCount();
    std::vector<std::complex<double>> fast(directions.size() * points);
    ASSERT_TRUE(sweep.run(directions.data(), directions.size(), running, fast.data()));
    for (std::size_t k = 0; k < directions.size(); ++k) {
        const auto plain = feltrane::referenceAmplitudes(mesh.value(), cells, materials, 0.05, antenna, directions[k]);
        double largest = 0;
        for (const auto& v : plain)
            largest = std::max(largest, std::abs(v));
        ASSERT_GT(largest, 0.0);
        for (std::size_t p = 0; p < points; ++p)
            EXPECT_LE(std::abs(fast[k * points + p] - plain[p]), 1e-10 * largest) << "point " << p << ", direction " << k;
    }
}

} // namespace
