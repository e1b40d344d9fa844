#pragma once
// Where and how the MTM of a row is computed: a box on the Earth and the computation's settings.
// The layouts are packed because the record travels as raw bytes into the computation pack.

#include <cstddef>
#include <cstdint>
#include <type_traits>

#pragma pack(push, 1)

struct TBoundBox {
    std::int32_t boxId = -1;             // -1 until the row's box exists in the host
    double lat = 39.250498;              // degrees
    double lon = -119.955377;            // degrees
    double alt = 2980.0;                 // metres
    double sizeX = 1000.0;               // metres
    double sizeY = 1000.0;
    double sizeZ = 1000.0;
    double yaw = 0.0;                    // course, degrees
    double pitch = 0.0;
    double roll = 0.0;
};

struct TMtmSettings {
    std::uint32_t countX = 10;           // elements per axis
    std::uint32_t countY = 10;
    std::uint32_t countZ = 10;
    double psiStep = 10.0;               // azimuth step, degrees
    double tetaStep = 10.0;              // elevation step, degrees
    double coefEllipt = 0.0;             // polarisation ellipticity coefficient
    double orientAngle = 0.0;            // major axis in the polarisation basis, radians
    double waveLength = 0.03;            // metres
};

// The box's and the settings' fields are reached directly (area.lat, area.waveLength).
struct TGenerationArea : TBoundBox, TMtmSettings {
};

#pragma pack(pop)

static_assert(sizeof(TBoundBox) == 76, "TBoundBox is 76 packed bytes");
static_assert(offsetof(TBoundBox, boxId) == 0 && offsetof(TBoundBox, lat) == 4
                  && offsetof(TBoundBox, lon) == 12 && offsetof(TBoundBox, alt) == 20
                  && offsetof(TBoundBox, sizeX) == 28 && offsetof(TBoundBox, sizeY) == 36
                  && offsetof(TBoundBox, sizeZ) == 44 && offsetof(TBoundBox, yaw) == 52
                  && offsetof(TBoundBox, pitch) == 60 && offsetof(TBoundBox, roll) == 68,
              "TBoundBox field offsets");
static_assert(sizeof(TMtmSettings) == 52, "TMtmSettings is 52 packed bytes");
static_assert(offsetof(TMtmSettings, countX) == 0 && offsetof(TMtmSettings, countY) == 4
                  && offsetof(TMtmSettings, countZ) == 8 && offsetof(TMtmSettings, psiStep) == 12
                  && offsetof(TMtmSettings, tetaStep) == 20
                  && offsetof(TMtmSettings, coefEllipt) == 28
                  && offsetof(TMtmSettings, orientAngle) == 36
                  && offsetof(TMtmSettings, waveLength) == 44,
              "TMtmSettings field offsets");
static_assert(sizeof(TGenerationArea) == 128, "TGenerationArea is 128 packed bytes");
static_assert(std::is_trivially_copyable_v<TGenerationArea>, "the area is copied as bytes");
