#pragma once
// Materials by name, with ε_r and σ at the radar's wavelength from published models
// (ITU-R P.2040 for building materials and ground, Klein & Swift for sea water).

#include "result.h"

#include <string>
#include <vector>

namespace feltrane {

struct NamedMaterialValues {
    double epsilon;     // ε_r
    double sigma;       // S/m, +∞ for the perfect conductor
    double mu;          // μ_r
    bool inValidRange;  // the model holds at this frequency
    std::string source; // where the model comes from, with its valid range
};

std::vector<std::string> namedMaterialNames();

// Fails for an unknown name, listing the known ones.
kalmeno::Result<NamedMaterialValues> namedMaterial(const std::string& name, double wavelengthMetres);

} // namespace feltrane
