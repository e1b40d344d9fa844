#include "fillfcopack.h"

#include <cstring>

namespace bridge {

void FillFcoPack(TFcoMtm& pack, const TCapture& capture, const TMtmSettings& settings)
{
    pack.distance = 0.0;
    pack.countX = static_cast<std::int32_t>(settings.countX);
    pack.countY = static_cast<std::int32_t>(settings.countY);
    pack.countZ = static_cast<std::int32_t>(settings.countZ);
    pack.psiStep = settings.psiStep;
    pack.tetaStep = settings.tetaStep;
    pack.vertexCount = static_cast<std::uint32_t>(capture.capturedVertices.size());
    pack.triangleCount = static_cast<std::uint32_t>(capture.capturedTriangles.size());
    pack.reserved1 = 0;
    pack.reserved2 = 0;
    std::memset(pack.reserved3, 0, sizeof pack.reserved3);
    pack.coefEllipt = settings.coefEllipt;
    pack.orientAngle = settings.orientAngle;
    pack.waveLength = settings.waveLength;
    // The pack's pointers are not const in its layout; the computation only reads through them.
    pack.vertices = const_cast<TFcoVertex*>(capture.capturedVertices.data());
    pack.triangles = const_cast<TFcoTriangle*>(capture.capturedTriangles.data());
}

} // namespace bridge
