#pragma once
// Value records that cross the host boundary, fixed byte by byte.

#include <cstddef>
#include <cstdint>

namespace hostsdk {

#pragma pack(push, 1)

// One record of the plug-in's RequestInterfaces: which host interface it needs and from which
// object. Records follow each other without gaps (record k starts at byte 193 k).
struct RequestedInterface {
    char interfaceName[128];
    char progId[64];
    std::uint8_t flag;
};

#pragma pack(pop)

static_assert(sizeof(RequestedInterface) == 193);
static_assert(offsetof(RequestedInterface, progId) == 128);
static_assert(offsetof(RequestedInterface, flag) == 192);

// One triangle of the render feedback buffer: three vertices of four doubles. The fourth double
// of vertex A carries the triangle's fabric offset (index into the XOR material table); those of
// B and C are unused.
struct TFeedbackTriangle {
    double ax, ay, az;
    double fabricOffset;
    double bx, by, bz;
    double unusedB;
    double cx, cy, cz;
    double unusedC;
};

static_assert(sizeof(TFeedbackTriangle) == 96);
static_assert(offsetof(TFeedbackTriangle, fabricOffset) == 24);
static_assert(offsetof(TFeedbackTriangle, bx) == 32);
static_assert(offsetof(TFeedbackTriangle, unusedB) == 56);
static_assert(offsetof(TFeedbackTriangle, cx) == 64);
static_assert(offsetof(TFeedbackTriangle, unusedC) == 88);

// One material of the host's XOR module.
struct TXorMaterial {
    std::uint32_t xorId;          // material id of the XOR module (`xor` is a C++ keyword)
    float epsilon;                // relative permittivity
    float sigma;                  // conductivity
    float mu;                     // relative permeability
    std::uint32_t gis;            // material code of the geographic data
    std::uint32_t color;          // four colour bytes, least significant first
    std::uint8_t reserved[8];     // copied, never interpreted
};

static_assert(sizeof(TXorMaterial) == 32);
static_assert(offsetof(TXorMaterial, epsilon) == 4);
static_assert(offsetof(TXorMaterial, gis) == 16);
static_assert(offsetof(TXorMaterial, color) == 20);
static_assert(offsetof(TXorMaterial, reserved) == 24);

// The block of KalmenoRender::AddPoint: one marker's scene position, hidden value (1.0 hidden)
// and colour (red, green, blue, alpha).
struct TRenderPoint {
    double x;
    double y;
    double z;
    double hidden;
    float color[4];
};

static_assert(sizeof(TRenderPoint) == 48);
static_assert(offsetof(TRenderPoint, hidden) == 24);
static_assert(offsetof(TRenderPoint, color) == 32);

// Marker and box display states.
enum RenderState : std::int32_t {
    kStateShown = 0,
    kStateHidden = 1,
    kStateHighlighted = 2,
};

} // namespace hostsdk
