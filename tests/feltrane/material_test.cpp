// Fresnel reflection with the computation's signs, and the named materials' published values.

#include "material.h"
#include "namedmaterials.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(Reflection, ClosedFormsOfConductorsAndDielectrics)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double brewster = std::atan(2.0); // ε_r = 4
    const struct {
        const char* what;
        double epsilon, sigma, mu, cosIncidence;
        std::complex<double> te, tm;
        double tolerance;
    } cases[] = {
        {"perfect conductor", 1, inf, 1, 0.3, 1.0, 1.0, 0.0},
        {"ε 4 at normal incidence", 4, 0, 1, 1.0, 1.0 / 3, 1.0 / 3, 1e-15},
        {"ε 4, μ 4: matched impedance", 4, 0, 4, 1.0, 0.0, 0.0, 1e-15},
        {"ε 4 at the Brewster angle", 4, 0, 1, std::cos(brewster), 0.6, 0.0, 1e-15},
        {"ε 4 at grazing incidence", 4, 0, 1, 0.0, 1.0, -1.0, 1e-15},
        {"capture default at 3 cm: a conductor", 10, 1e10, 1, 0.8, 1.0, 1.0, 1e-4},
    };
    for (const auto& c : cases) {
        const auto material = feltrane::Material::at(c.epsilon, c.sigma, c.mu, 0.03);
        const feltrane::Reflection r = feltrane::reflect(material, c.cosIncidence);
        EXPECT_LE(std::abs(r.te - c.te), c.tolerance) << c.what << ": TE " << r.te;
        EXPECT_LE(std::abs(r.tm - c.tm), c.tolerance) << c.what << ": TM " << r.tm;
    }
    // A lossy medium absorbs: |R| < 1, and the phase follows e^{+jωt} (Im ε_c < 0).
    const auto lossy = feltrane::Material::at(5, 0.5, 1, 0.03);
    EXPECT_LT(lossy.epsilon.imag(), 0.0);
    EXPECT_LT(std::abs(feltrane::reflect(lossy, 0.6).te), 1.0);
}

TEST(Reflection, UnphysicalMaterialsAreRefused)
{
    const double nan = std::nan("");
    for (const auto& [epsilon, sigma, mu] : {std::tuple{0.0, 0.0, 1.0}, {-2.0, 0.0, 1.0}, {nan, 0.0, 1.0},
                                             {4.0, -1.0, 1.0}, {4.0, nan, 1.0}, {4.0, 0.0, 0.0}, {4.0, 0.0, nan}})
        EXPECT_FALSE(feltrane::checkMaterial(epsilon, sigma, mu)) << epsilon << ", " << sigma << ", " << mu;
    EXPECT_TRUE(feltrane::checkMaterial(1.0, std::numeric_limits<double>::infinity(), 1.0));
}

TEST(NamedMaterials, PublishedValuesAtTenGigahertz)
{
    const double lambda = 299792458.0 / 10e9;
    const struct {
        const char* name;
        double epsilon, sigma;
    } cases[] = {
        {"concrete", 5.24, 0.0462 * std::pow(10.0, 0.7822)},
        {"brick", 3.91, 0.0238 * std::pow(10.0, 0.16)},
        {"wood", 1.99, 0.0047 * std::pow(10.0, 1.0718)},
        {"glass", 6.31, 0.0036 * std::pow(10.0, 1.3394)},
        {"dry-ground", 15.0 * std::pow(10.0, -0.1), 0.035 * std::pow(10.0, 1.63)},
        {"wet-ground", 30.0 * std::pow(10.0, -0.4), 0.15 * std::pow(10.0, 1.30)},
    };
    for (const auto& c : cases) {
        const auto m = feltrane::namedMaterial(c.name, lambda);
        ASSERT_TRUE(m) << c.name;
        EXPECT_NEAR(m->epsilon, c.epsilon, 1e-12 * c.epsilon) << c.name;
        EXPECT_NEAR(m->sigma, c.sigma, 1e-12 * c.sigma) << c.name;
        EXPECT_TRUE(m->inValidRange) << c.name;
    }
    // Sea water at 20 °C, 35 ‰: ε ≈ 55.9 − j37.7 at 10 GHz (Klein and Swift).
    const auto sea = feltrane::namedMaterial("sea-water", lambda);
    ASSERT_TRUE(sea);
    EXPECT_NEAR(sea->epsilon, 55.9, 0.1);
    EXPECT_NEAR(sea->sigma, 21.0, 0.1);
    EXPECT_TRUE(std::isinf(feltrane::namedMaterial("pec", lambda)->sigma));
    EXPECT_FALSE(feltrane::namedMaterial("wet-ground", 0.003)->inValidRange) << "100 GHz is outside 1-10 GHz";
    const auto unknown = feltrane::namedMaterial("cheese", lambda);
    ASSERT_FALSE(unknown);
    EXPECT_NE(unknown.error().find("sea-water"), std::string::npos) << "the error lists the known names";
}

} // namespace
