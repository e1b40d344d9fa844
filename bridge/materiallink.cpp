#include "materiallink.h"

#include "bridgelog.h"

#include <string>

namespace bridge {

namespace {

// The material of a triangle whose own is unknown.
void setDefaultMaterial(TFcoTriangle& triangle)
{
    triangle.materialId = 0;
    triangle.epsilon = 10.0f;
    triangle.sigma = 1e10f;
    triangle.mu = 1.0f;
}

bool sameMaterial(const hostsdk::TXorMaterial& a, const hostsdk::TXorMaterial& b)
{
    return a.xorId == b.xorId && a.gis == b.gis && a.epsilon == b.epsilon && a.sigma == b.sigma && a.mu == b.mu;
}

} // namespace

MaterialLink::MaterialLink(bool xorPresent, std::vector<hostsdk::TXorMaterial> materials)
    : xorPresent_(xorPresent), materials_(std::move(materials))
{
}

void MaterialLink::GIS2XORlink(TFcoTriangle& triangle, std::uint32_t offset)
{
    setDefaultMaterial(triangle);
    if (!xorPresent_ || materials_.empty()) {
        LogError("Manager3D::XOR == nullptr || Manager3D::MaterialArray == nullptr || Manager3D::MaterialCount <= 0");
        return;
    }
    if (offset >= materials_.size()) {
        LogError("Didnt find fabric by offset " + std::to_string(offset) + " in GIS2XORlink");
        return;
    }
    const hostsdk::TXorMaterial& m = materials_[offset];
    triangle.materialId = static_cast<std::int32_t>(m.xorId);
    triangle.epsilon = m.epsilon;
    triangle.sigma = m.sigma;
    triangle.mu = m.mu;
    for (TXorMaterialUsage& entry : usage_)
        if (sameMaterial(entry.material, m)) {
            ++entry.count;
            return;
        }
    usage_.push_back({m, 1});
}

std::uint32_t MaterialLink::tableIndex(double fabricOffset)
{
    // [-2^63, 2^63) converts to int64 exactly; NaN fails both comparisons.
    constexpr double limit = 9223372036854775808.0;
    if (!(fabricOffset >= -limit && fabricOffset < limit))
        return 4294967295u;
    return static_cast<std::uint32_t>(static_cast<std::int64_t>(fabricOffset));
}

} // namespace bridge
