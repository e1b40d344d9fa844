#include "trianglepreparation.h"

#include "bridgelog.h"
#include "materialtext.h"

#include <cmath>
#include <cstring>
#include <string>

namespace bridge {

namespace {

// The vertex record is packed: its fields are written by value, never through their addresses.
TFcoVertex toBox(hostsdk::IKalmenoRender& render, std::int32_t boxId, double x, double y, double z)
{
    double bx = 0.0, by = 0.0, bz = 0.0;
    render.SceneToBox(boxId, x, y, z, &bx, &by, &bz);
    return {bx, by, bz};
}

} // namespace

void keepTriangle(const hostsdk::TFeedbackTriangle& r, hostsdk::IKalmenoRender& render, std::int32_t boxId,
                  MaterialLink& materials, TCapture& capture)
{
    const TFcoVertex a = toBox(render, boxId, r.ax, r.ay, r.az);
    const TFcoVertex b = toBox(render, boxId, r.bx, r.by, r.bz);
    const TFcoVertex c = toBox(render, boxId, r.cx, r.cy, r.cz);

    const double d1x = r.ax - r.bx, d1y = r.ay - r.by, d1z = r.az - r.bz;
    const double d2x = r.cx - r.bx, d2y = r.cy - r.by, d2z = r.cz - r.bz;
    const double nx = d1y * d2z - d1z * d2y;
    const double ny = d1z * d2x - d1x * d2z;
    const double nz = d1x * d2y - d1y * d2x;
    const double length = std::sqrt(nx * nx + ny * ny + nz * nz);

    TFcoTriangle t{};
    t.a = static_cast<std::int32_t>(capture.capturedVertices.size());
    t.b = t.a + 1;
    t.c = t.a + 2;
    t.normalX = nx / length;
    t.normalY = ny / length;
    t.normalZ = nz / length;
    materials.GIS2XORlink(t, MaterialLink::tableIndex(r.fabricOffset));

    capture.capturedVertices.push_back(a);
    capture.capturedVertices.push_back(b);
    capture.capturedVertices.push_back(c);
    capture.capturedTriangles.push_back(t);
}

TCapture prepareCapturedTriangles(const void* data, std::int32_t byteCount, hostsdk::IKalmenoRender* render,
                                  std::int32_t boxId, MaterialLink materials)
{
    const std::int32_t n = byteCount / static_cast<std::int32_t>(sizeof(hostsdk::TFeedbackTriangle));
    LogInfo("Count of recieved triangles: " + std::to_string(n));
    TCapture capture;
    LogInfo("Triangle preparation started...");
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (std::int32_t i = 0; render && i < n; ++i) {
        // The host's buffer carries no alignment promise.
        hostsdk::TFeedbackTriangle record;
        std::memcpy(&record, bytes + static_cast<std::size_t>(i) * sizeof record, sizeof record);
        const double a[3] = {record.ax, record.ay, record.az};
        const double b[3] = {record.bx, record.by, record.bz};
        const double c[3] = {record.cx, record.cy, record.cz};
        hostsdk::VARIANT_BOOL inside = hostsdk::VARIANT_FALSE;
        render->IsTriangleInBox(boxId, a, b, c, &inside);
        if (hostsdk::fromVariantBool(inside))
            keepTriangle(record, *render, boxId, materials, capture);
    }
    LogInfo("... preparation ended.");
    LogInfo("Count of triangles in BoundBox: " + std::to_string(capture.capturedTriangles.size()));
    capture.materialUsage = materials.takeUsage();
    for (const TXorMaterialUsage& entry : capture.materialUsage)
        LogInfo(std::to_string(entry.count) + " times -> " + MaterialText(entry.material));
    return capture;
}

} // namespace bridge
