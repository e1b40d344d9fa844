#pragma once
// One material of the host's XOR module, byte for byte as the plug-in reads it.

#include <cstddef>
#include <cstdint>

namespace quelmar {

struct XorMaterialRecord {
    std::uint32_t xorId = 0;      // material id of the XOR module
    float epsilon = 1.0f;         // relative permittivity
    float sigma = 0.0f;           // conductivity, S/m
    float mu = 1.0f;              // relative permeability
    std::uint32_t gis = 0;        // material code of the GIS data
    std::uint32_t color = 0;      // RGBA bytes, red in the least significant byte
    std::uint8_t reserved[8] = {};
};

static_assert(sizeof(XorMaterialRecord) == 32, "the plug-in copies 32-byte rows");
static_assert(offsetof(XorMaterialRecord, epsilon) == 4 && offsetof(XorMaterialRecord, sigma) == 8 &&
                  offsetof(XorMaterialRecord, mu) == 12 && offsetof(XorMaterialRecord, gis) == 16 &&
                  offsetof(XorMaterialRecord, color) == 20 && offsetof(XorMaterialRecord, reserved) == 24,
              "field offsets as the plug-in reads them");

} // namespace quelmar
