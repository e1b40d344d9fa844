#pragma once
// The FCO pack: the packed input of one MTM computation and the captured geometry it points to.
// A wire format between separately built libraries, fixed byte by byte.

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)

// A vertex of a captured triangle, in the frame of the generation area's box.
struct TFcoVertex {
    double x;
    double y;
    double z;
};

struct TFcoTriangle {
    std::int32_t a;           // index into the captured vertices
    std::int32_t b;           // a + 1
    std::int32_t c;           // a + 2
    std::int32_t materialId;  // xor id of the linked material, 0 when none
    double normalX;
    double normalY;
    double normalZ;
    double reserved1;
    double reserved2;
    float epsilon;
    float sigma;
    float mu;
    std::int32_t reserved3;
};

struct TFcoMtm {
    double distance;          // 0 on input; the computation leaves the MTM's distance here
    std::int32_t countX;
    std::int32_t countY;
    std::int32_t countZ;
    double psiStep;           // azimuth step, degrees
    double tetaStep;          // elevation step, degrees
    std::uint32_t vertexCount;
    std::uint32_t triangleCount;
    std::int32_t reserved1;
    std::int32_t reserved2;
    double reserved3[16];
    double coefEllipt;
    double orientAngle;
    double waveLength;        // metres
    TFcoVertex* vertices;
    TFcoTriangle* triangles;
    std::uint8_t unset[16];   // left as allocated
};

#pragma pack(pop)

static_assert(sizeof(TFcoVertex) == 24);
static_assert(sizeof(TFcoTriangle) == 72);
static_assert(offsetof(TFcoTriangle, normalX) == 16);
static_assert(offsetof(TFcoTriangle, epsilon) == 56);
static_assert(offsetof(TFcoTriangle, reserved3) == 68);
static_assert(sizeof(TFcoMtm) == 236);
static_assert(offsetof(TFcoMtm, countX) == 8);
static_assert(offsetof(TFcoMtm, psiStep) == 20);
static_assert(offsetof(TFcoMtm, vertexCount) == 36);
static_assert(offsetof(TFcoMtm, reserved3) == 52);
static_assert(offsetof(TFcoMtm, coefEllipt) == 180);
static_assert(offsetof(TFcoMtm, waveLength) == 196);
static_assert(offsetof(TFcoMtm, vertices) == 204);
static_assert(offsetof(TFcoMtm, triangles) == 212);
static_assert(offsetof(TFcoMtm, unset) == 220);
