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

void RayScene::findClear(const float* origins, std::size_t count, const Eigen::Vector3f& direction,
                         std::uint8_t* clear) const
{
    constexpr std::size_t batch = 256;
    RTCRay rays[batch];
    RTCIntersectContext context;
    rtcInitIntersectContext(&context);
    // Rays with a vanishing but non-zero direction component slip through closed surfaces here;
    // such a component is a rounding residue, so it is cleared.
    Eigen::Vector3f dir = direction;
    for (int k = 0; k < 3; ++k)
        if (std::fabs(dir[k]) < 1e-12f)
            dir[k] = 0.0f;
    for (std::size_t begin = 0; begin < count; begin += batch) {
        const std::size_t n = std::min(batch, count - begin);
        for (std::size_t i = 0; i < n; ++i) {
            RTCRay& ray = rays[i];
            const float* o = origins + 3 * (begin + i);
            ray.org_x = o[0], ray.org_y = o[1], ray.org_z = o[2];
            ray.dir_x = dir.x(), ray.dir_y = dir.y(), ray.dir_z = dir.z();
            ray.tnear = 0.0f;
            ray.tfar = std::numeric_limits<float>::infinity();
            ray.time = 0.0f;
            ray.mask = ~0u;
            ray.id = unsigned(i);
            ray.flags = 0;
        }
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
