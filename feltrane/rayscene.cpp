#include "rayscene.h"

#include <embree3/rtcore.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace feltrane {

struct RayScene::Handles {
    RTCDevice device = nullptr;
    RTCScene scene = nullptr;
    std::atomic<std::ptrdiff_t> bytes{0};
    std::atomic<std::ptrdiff_t> peakBytes{0};
    std::string error;

    ~Handles()
    {
        if (scene)
            rtcReleaseScene(scene);
        if (device)
            rtcReleaseDevice(device);
    }
};

namespace {

void recordError(void* user, RTCError, const char* text)
{
    auto* error = static_cast<std::string*>(user);
    if (error->empty())
        *error = text ? text : "unknown ray-tracing error";
}

bool countBytes(void* user, ssize_t bytes, bool)
{
    auto* handles = static_cast<RayScene::Handles*>(user);
    const std::ptrdiff_t now = handles->bytes.fetch_add(bytes) + bytes;
    std::ptrdiff_t peak = handles->peakBytes.load();
    while (now > peak && !handles->peakBytes.compare_exchange_weak(peak, now)) {
    }
    return true;
}

} // namespace

RayScene::RayScene(std::unique_ptr<Handles> handles) : handles_(std::move(handles)) {}
RayScene::RayScene(RayScene&& other) noexcept = default;
RayScene& RayScene::operator=(RayScene&& other) noexcept = default;
RayScene::~RayScene() = default;

kalmeno::Result<RayScene> RayScene::build(const FacetMesh& mesh)
{
    using R = kalmeno::Result<RayScene>;
    auto handles = std::make_unique<Handles>();
    handles->device = rtcNewDevice(nullptr);
    if (!handles->device)
        return R::failure("the ray tracer cannot start (error " + std::to_string(rtcGetDeviceError(nullptr)) + ")");
    rtcSetDeviceErrorFunction(handles->device, recordError, &handles->error);
    rtcSetDeviceMemoryMonitorFunction(handles->device, countBytes, handles.get());

    handles->scene = rtcNewScene(handles->device);
    RTCGeometry geometry = rtcNewGeometry(handles->device, RTC_GEOMETRY_TYPE_TRIANGLE);
    const std::vector<Eigen::Vector3d>& vertices = mesh.vertices();
    const std::vector<Facet>& facets = mesh.facets();
    auto* vertexBuffer = static_cast<float*>(rtcSetNewGeometryBuffer(
        geometry, RTC_BUFFER_TYPE_VERTEX, 0, RTC_FORMAT_FLOAT3, 3 * sizeof(float), vertices.size()));
    auto* indexBuffer = static_cast<unsigned*>(rtcSetNewGeometryBuffer(
        geometry, RTC_BUFFER_TYPE_INDEX, 0, RTC_FORMAT_UINT3, 3 * sizeof(unsigned), facets.size()));
    if (vertexBuffer && indexBuffer) {
        for (std::size_t v = 0; v < vertices.size(); ++v)
            for (int k = 0; k < 3; ++k)
                vertexBuffer[3 * v + k] = float(vertices[v][k]);
        for (std::size_t f = 0; f < facets.size(); ++f)
            for (int k = 0; k < 3; ++k)
                indexBuffer[3 * f + k] = facets[f].vertices[k];
        rtcCommitGeometry(geometry);
        rtcAttachGeometry(handles->scene, geometry);
    }
    rtcReleaseGeometry(geometry);
    rtcCommitScene(handles->scene);
    if (!handles->error.empty())
        return R::failure("the ray tracer cannot hold the facets: " + handles->error);
    return R::success(RayScene(std::move(handles)));
}

namespace {

// Rays with a vanishing but non-zero direction component slip through closed surfaces; such a
// component is a rounding residue, so it is cleared.
float cleared(float component)
{
    return std::fabs(component) < 1e-12f ? 0.0f : component;
}

// A ray from `origin` along `direction` over its whole length, for any facet.
void setRay(RTCRay& ray, const float* origin, const float* direction, unsigned id)
{
    ray.org_x = origin[0], ray.org_y = origin[1], ray.org_z = origin[2];
    ray.dir_x = cleared(direction[0]), ray.dir_y = cleared(direction[1]), ray.dir_z = cleared(direction[2]);
    ray.tnear = 0.0f;
    ray.tfar = std::numeric_limits<float>::infinity();
    ray.time = 0.0f;
    ray.mask = ~0u;
    ray.id = id;
    ray.flags = 0;
}

} // namespace

void RayScene::findHits(const float* origins, const float* directions, std::size_t count, bool coherent,
                        std::uint32_t* facets) const
{
    constexpr std::size_t batch = 256;
    RTCRayHit rays[batch];
    RTCIntersectContext context;
    rtcInitIntersectContext(&context);
    if (coherent)
        context.flags = RTC_INTERSECT_CONTEXT_FLAG_COHERENT;
    for (std::size_t begin = 0; begin < count; begin += batch) {
        const std::size_t n = std::min(batch, count - begin);
        for (std::size_t i = 0; i < n; ++i) {
            setRay(rays[i].ray, origins + 3 * (begin + i), directions + 3 * (begin + i), unsigned(i));
            rays[i].hit.geomID = RTC_INVALID_GEOMETRY_ID;
            rays[i].hit.instID[0] = RTC_INVALID_GEOMETRY_ID;
        }
        rtcIntersect1M(handles_->scene, &context, rays, unsigned(n), sizeof(RTCRayHit));
        for (std::size_t i = 0; i < n; ++i)
            facets[begin + i] = rays[i].hit.geomID == RTC_INVALID_GEOMETRY_ID ? kNoFacet : rays[i].hit.primID;
    }
}

void RayScene::findClear(const float* origins, std::size_t count, const Eigen::Vector3f& direction,
                         std::uint8_t* clear) const
{
    constexpr std::size_t batch = 256;
    RTCRay rays[batch];
    RTCIntersectContext context;
    rtcInitIntersectContext(&context);
    for (std::size_t begin = 0; begin < count; begin += batch) {
        const std::size_t n = std::min(batch, count - begin);
        for (std::size_t i = 0; i < n; ++i)
            setRay(rays[i], origins + 3 * (begin + i), direction.data(), unsigned(i));
        rtcOccluded1M(handles_->scene, &context, rays, unsigned(n), sizeof(RTCRay));
        for (std::size_t i = 0; i < n; ++i)
            clear[begin + i] = rays[i].tfar >= 0.0f ? 1 : 0; // an occluded ray's tfar becomes −∞
    }
}

std::size_t RayScene::memoryBytes() const
{
    return std::size_t(std::max<std::ptrdiff_t>(0, handles_->bytes.load()));
}

std::size_t RayScene::peakMemoryBytes() const
{
    return std::size_t(std::max<std::ptrdiff_t>(0, handles_->peakBytes.load()));
}

} // namespace feltrane
