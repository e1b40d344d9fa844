#include "namedmaterials.h"

#include "physicalconstants.h"

#include <cmath>
#include <complex>
#include <limits>

namespace feltrane {

namespace {

// ε_r = a·f^b, σ = c·f^d, f in GHz (ITU-R P.2040-2, Table 3).
struct PowerLaw {
    const char* name;
    double a, b, c, d;
    double lowGHz, highGHz;
    const char* source;
};

constexpr PowerLaw kPowerLaws[] = {
    {"metal", 1.0, 0.0, 1e7, 0.0, 1.0, 100.0, "ITU-R P.2040-2 Table 3, metal, 1-100 GHz"},
    {"concrete", 5.24, 0.0, 0.0462, 0.7822, 1.0, 100.0, "ITU-R P.2040-2 Table 3, concrete, 1-100 GHz"},
    {"brick", 3.91, 0.0, 0.0238, 0.16, 1.0, 40.0, "ITU-R P.2040-2 Table 3, brick, 1-40 GHz"},
    {"wood", 1.99, 0.0, 0.0047, 1.0718, 0.001, 100.0, "ITU-R P.2040-2 Table 3, wood, 0.001-100 GHz"},
    {"glass", 6.31, 0.0, 0.0036, 1.3394, 0.1, 100.0, "ITU-R P.2040-2 Table 3, glass, 0.1-100 GHz"},
    {"very-dry-ground", 3.0, 0.0, 0.00015, 2.52, 1.0, 10.0, "ITU-R P.2040-2 Table 3, very dry ground, 1-10 GHz"},
    {"dry-ground", 15.0, -0.1, 0.035, 1.63, 1.0, 10.0, "ITU-R P.2040-2 Table 3, medium dry ground, 1-10 GHz"},
    {"wet-ground", 30.0, -0.4, 0.15, 1.30, 1.0, 10.0, "ITU-R P.2040-2 Table 3, wet ground, 1-10 GHz"},
};

constexpr const char* kSeaWaterSource =
    "Klein and Swift (1977) Debye model of sea water at 20 C and salinity 35 per mille, 1-10 GHz";

// Complex relative permittivity of sea water (Klein & Swift, IEEE Trans. AP-25, 1977), e^{jωt}.
std::complex<double> seaWaterPermittivity(double frequencyHz, double celsius, double salinity)
{
    const double t = celsius, s = salinity;
    const double staticEpsilon = (87.134 - 1.949e-1 * t - 1.276e-2 * t * t + 2.491e-4 * t * t * t) *
                                 (1.0 + 1.613e-5 * s * t - 3.656e-3 * s + 3.21e-5 * s * s - 4.232e-7 * s * s * s);
    const double relaxation = (1.768e-11 - 6.086e-13 * t + 1.104e-14 * t * t - 8.111e-17 * t * t * t) *
                              (1.0 + 2.282e-5 * s * t - 7.638e-4 * s - 7.760e-6 * s * s + 1.105e-8 * s * s * s);
    const double delta = 25.0 - t;
    const double beta = 2.033e-2 + 1.266e-4 * delta + 2.464e-6 * delta * delta -
                        s * (1.849e-5 - 2.551e-7 * delta + 2.551e-8 * delta * delta);
    const double ionic = s * (0.182521 - 1.46192e-3 * s + 2.09324e-5 * s * s - 1.28205e-7 * s * s * s) *
                         std::exp(-delta * beta);
    const double omega = 2.0 * kPi * frequencyHz;
    constexpr double highFrequencyEpsilon = 4.9;
    return highFrequencyEpsilon +
           (staticEpsilon - highFrequencyEpsilon) / std::complex<double>(1.0, omega * relaxation) -
           std::complex<double>(0.0, ionic / (omega * kVacuumPermittivity));
}

} // namespace

std::vector<std::string> namedMaterialNames()
{
    std::vector<std::string> names{"pec"};
    for (const PowerLaw& law : kPowerLaws)
        names.push_back(law.name);
    names.push_back("sea-water");
    return names;
}

kalmeno::Result<NamedMaterialValues> namedMaterial(const std::string& name, double wavelengthMetres)
{
    using R = kalmeno::Result<NamedMaterialValues>;
    const double frequencyHz = kSpeedOfLight / wavelengthMetres;
    const double gigahertz = frequencyHz / 1e9;
    if (name == "pec")
        return R::success({1.0, std::numeric_limits<double>::infinity(), 1.0, true, "perfect electric conductor"});
    if (name == "sea-water") {
        const std::complex<double> epsilon = seaWaterPermittivity(frequencyHz, 20.0, 35.0);
        const double sigma = -epsilon.imag() * 2.0 * kPi * frequencyHz * kVacuumPermittivity;
        return R::success({epsilon.real(), sigma, 1.0, gigahertz >= 1.0 && gigahertz <= 10.0, kSeaWaterSource});
    }
    for (const PowerLaw& law : kPowerLaws)
        if (name == law.name)
            return R::success({law.a * std::pow(gigahertz, law.b), law.c * std::pow(gigahertz, law.d), 1.0,
                               gigahertz >= law.lowGHz && gigahertz <= law.highGHz, law.source});
    std::string known;
    for (const std::string& n : namedMaterialNames())
        known += (known.empty() ? "" : ", ") + n;
    return R::failure("unknown material \"" + name + "\" (known: " + known + ")");
}

} // namespace feltrane
