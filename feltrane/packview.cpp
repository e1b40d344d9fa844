#include "packview.h"

#include "material.h"

#include <cmath>
#include <string>

namespace feltrane {

namespace {

using S = kalmeno::Status;

kalmeno::Result<std::uint32_t> wholeRowValue(double value, const char* what, std::uint32_t countAz)
{
    using R = kalmeno::Result<std::uint32_t>;
    if (!(value >= 0.0 && value <= double(countAz) && std::floor(value) == value))
        return R::failure(std::string(what) + " " + std::to_string(value) + " is not a row of the " +
                          std::to_string(countAz) + "-row grid");
    return R::success(std::uint32_t(value));
}

kalmeno::Result<PackOptions> readOptions(const TFcoMtm& pack, const DirectionGrid& grid)
{
    using R = kalmeno::Result<PackOptions>;
    PackOptions options;
    if (pack.reserved1 & ~kOptionNoShadowing)
        return R::failure("unknown option bits " + std::to_string(pack.reserved1));
    options.shadowing = !(pack.reserved1 & kOptionNoShadowing);
    if (pack.reserved2 < 0)
        return R::failure("a thread count of " + std::to_string(pack.reserved2));
    options.threads = std::uint32_t(pack.reserved2);
    const auto first = wholeRowValue(pack.reserved3[0], "first row", grid.countAz());
    const auto count = wholeRowValue(pack.reserved3[1], "row count", grid.countAz());
    if (!first || !count)
        return R::failure(!first ? first.error() : count.error());
    const double bounces = pack.reserved3[2];
    if (!(bounces >= 0.0 && bounces <= kMostBounces && std::floor(bounces) == bounces))
        return R::failure(std::to_string(bounces) + " reflections per ray: give a whole number from 1 to " +
                          std::to_string(kMostBounces));
    options.bounces = bounces > 0.0 ? std::uint32_t(bounces) : kDefaultBounces;
    const double density = pack.reserved3[3];
    if (!(density >= 0.0 && density <= kHighestRayDensity))
        return R::failure("a ray density of " + std::to_string(density) +
                          " rays per wavelength: give one above 0, at most " + std::to_string(int(kHighestRayDensity)));
    options.rayDensity = density > 0.0 ? density : kDefaultRayDensity;
    options.firstRow = first.value();
    options.rowCount = count.value() ? count.value() : grid.countAz() - options.firstRow;
    if (options.firstRow >= grid.countAz() || options.rowCount > grid.countAz() - options.firstRow)
        return R::failure("rows " + std::to_string(options.firstRow) + " to " +
                          std::to_string(std::uint64_t(options.firstRow) + options.rowCount - 1) +
                          " are not all inside the " + std::to_string(grid.countAz()) + "-row grid");
    return R::success(options);
}

bool finite(const TFcoVertex& v)
{
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

S checkGeometry(const TFcoMtm& pack)
{
    if (pack.vertexCount == 0 || pack.triangleCount == 0)
        return S::failure("the pack holds " + std::to_string(pack.vertexCount) + " vertices and " +
                          std::to_string(pack.triangleCount) + " triangles; nothing to compute");
    if (!pack.vertices)
        return S::failure("the pack's vertex pointer is null with " + std::to_string(pack.vertexCount) + " vertices");
    if (!pack.triangles)
        return S::failure("the pack's triangle pointer is null with " + std::to_string(pack.triangleCount) +
                          " triangles");
    for (std::uint32_t v = 0; v < pack.vertexCount; ++v)
        if (!finite(pack.vertices[v]))
            return S::failure("vertex " + std::to_string(v) + " has a coordinate that is not finite");
    for (std::uint32_t t = 0; t < pack.triangleCount; ++t) {
        const TFcoTriangle& triangle = pack.triangles[t];
        for (const std::int32_t index : {triangle.a, triangle.b, triangle.c})
            if (index < 0 || std::uint32_t(index) >= pack.vertexCount)
                return S::failure("triangle " + std::to_string(t) + " refers to vertex " + std::to_string(index) +
                                  " of " + std::to_string(pack.vertexCount));
        const S material = checkMaterial(triangle.epsilon, triangle.sigma, triangle.mu);
        if (!material)
            return S::failure("triangle " + std::to_string(t) + ": " + material.error());
    }
    return S::success();
}

} // namespace

void writePackOptions(TFcoMtm& pack, const PackOptions& options)
{
    pack.reserved1 = options.shadowing ? 0 : kOptionNoShadowing;
    pack.reserved2 = std::int32_t(options.threads);
    pack.reserved3[0] = options.firstRow;
    pack.reserved3[1] = options.rowCount;
    pack.reserved3[2] = options.bounces;
    pack.reserved3[3] = options.rayDensity;
}

kalmeno::Result<PackView> PackView::read(const TFcoMtm* pack)
{
    using R = kalmeno::Result<PackView>;
    if (!pack)
        return R::failure("no pack");
    if (pack->countX <= 0 || pack->countY <= 0 || pack->countZ <= 0)
        return R::failure("cell counts " + std::to_string(pack->countX) + " x " + std::to_string(pack->countY) +
                          " x " + std::to_string(pack->countZ) + " must all be at least 1");
    if (!(std::isfinite(pack->waveLength) && pack->waveLength > 0.0))
        return R::failure("a wavelength of " + std::to_string(pack->waveLength) + " m");
    if (!std::isfinite(pack->coefEllipt) || !std::isfinite(pack->orientAngle))
        return R::failure("the polarisation (" + std::to_string(pack->coefEllipt) + ", " +
                          std::to_string(pack->orientAngle) + ") is not finite");
    const auto grid = DirectionGrid::fromSteps(pack->psiStep, pack->tetaStep);
    if (!grid)
        return R::failure(grid.error());
    const auto options = readOptions(*pack, grid.value());
    if (!options)
        return R::failure(options.error());
    const S geometry = checkGeometry(*pack);
    if (!geometry)
        return R::failure(geometry.error());
    return R::success(PackView(pack, grid.value(), options.value()));
}

} // namespace feltrane
