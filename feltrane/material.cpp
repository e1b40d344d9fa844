#include "material.h"

#include "physicalconstants.h"

#include <cmath>
#include <string>

namespace feltrane {

kalmeno::Status checkMaterial(double epsilon, double sigma, double mu)
{
    if (!(std::isfinite(epsilon) && epsilon > 0.0))
        return kalmeno::Status::failure("a relative permittivity of " + std::to_string(epsilon));
    if (!(sigma >= 0.0))
        return kalmeno::Status::failure("a conductivity of " + std::to_string(sigma) + " S/m");
    if (!(std::isfinite(mu) && mu > 0.0))
        return kalmeno::Status::failure("a relative permeability of " + std::to_string(mu));
    return kalmeno::Status::success();
}

Material Material::at(double epsilon, double sigma, double mu, double wavelength)
{
    Material material;
    material.mu = mu;
    if (std::isinf(sigma)) {
        material.perfectConductor = true;
        return material;
    }
    const double omega = 2.0 * kPi * kSpeedOfLight / wavelength;
    material.epsilon = {epsilon, -sigma / (omega * kVacuumPermittivity)};
    return material;
}

Reflection reflect(const Material& material, double cosIncidence)
{
    if (material.perfectConductor)
        return {1.0, 1.0};
    const double c = cosIncidence;
    const double s2 = 1.0 - c * c;
    std::complex<double> kz = std::sqrt(material.mu * material.epsilon - s2);
    if (kz.imag() > 0.0) // the transmitted wave decays into the material
        kz = -kz;
    const std::complex<double> te = (kz - material.mu * c) / (kz + material.mu * c);
    const std::complex<double> tm = (material.epsilon * c - kz) / (material.epsilon * c + kz);
    return {te, tm};
}

} // namespace feltrane
