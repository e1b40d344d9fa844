#pragma once
// A checked look at an FCO pack: every field the computation reads, validated once, with the
// geometry still borrowed from the caller.

#include "directiongrid.h"
#include "fcopack.h"
#include "result.h"

#include <cstdint>

namespace feltrane {

// Reflections per ray and rays per wavelength when the pack leaves them 0, and their limits.
constexpr std::uint32_t kDefaultBounces = 3;
constexpr std::uint32_t kMostBounces = 64;
constexpr double kDefaultRayDensity = 4.0;
constexpr double kHighestRayDensity = 1000.0;

// Options the pack carries in its reserved fields; all zero (what the window writes) are the
// defaults. Offsets: 44 option bits, 48 threads, 52 first row, 60 row count, 68 reflections,
// 76 ray density.
struct PackOptions {
    bool shadowing = true;
    std::uint32_t threads = 0;     // 0: one per core
    std::uint32_t firstRow = 0;    // azimuth rows first … first + rowCount − 1 are computed
    std::uint32_t rowCount = 0;    // never 0 after reading: the rows up to the last
    std::uint32_t bounces = kDefaultBounces;  // 1: single reflections only
    double rayDensity = kDefaultRayDensity;   // rays per wavelength across the beam
};

// Bit 0 of the option bits turns shadowing off.
constexpr std::int32_t kOptionNoShadowing = 1;

// Writes options into a pack's reserved fields (the inverse of what PackView::read takes).
void writePackOptions(TFcoMtm& pack, const PackOptions& options);

class PackView {
public:
    // Checks everything the computation relies on and reads nothing beyond the pack's counts.
    static kalmeno::Result<PackView> read(const TFcoMtm* pack);

    const TFcoMtm& pack() const { return *pack_; }
    const DirectionGrid& grid() const { return grid_; }
    const PackOptions& options() const { return options_; }
    double wavelength() const { return pack_->waveLength; }
    std::uint32_t triangleCount() const { return pack_->triangleCount; }
    const TFcoTriangle& triangle(std::uint32_t t) const { return pack_->triangles[t]; }
    const TFcoVertex& vertex(std::int32_t index) const { return pack_->vertices[index]; }

private:
    PackView(const TFcoMtm* pack, DirectionGrid grid, PackOptions options)
        : pack_(pack), grid_(grid), options_(options) {}
    const TFcoMtm* pack_;
    DirectionGrid grid_;
    PackOptions options_;
};

} // namespace feltrane
