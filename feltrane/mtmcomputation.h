#pragma once
// One whole computation: pack in, MTM out. Meshes the pack's triangles, cuts them into cells,
// and sweeps every direction of the grid in parallel: single reflections facet by facet, multiple
// ones by bouncing rays.

#include "computedmtm.h"
#include "packview.h"
#include "result.h"
#include "runcontrol.h"

#include <cstddef>
#include <cstdint>

namespace feltrane {

// What a computation held besides its result, for the benchmark's memory figures.
struct ComputationFootprint {
    std::size_t modelBytes = 0;     // the facet arrays of the sweep
    std::size_t rayTracerBytes = 0; // Embree's scene
    std::size_t rayTracerPeakBytes = 0;
    std::size_t facets = 0;
    std::size_t vertices = 0;       // cell-local vertices
    std::uint64_t raySegments = 0;  // bouncing rays traced, each segment between reflections
    std::uint64_t returnRays = 0;   // rays that checked whether the radar sees a last reflection
};

// Fails with the reason for an unusable pack, a stop request or a lack of memory. `control` is
// begun by the caller (so a stop asked for while the run prepares still counts) and finished here.
kalmeno::Result<ComputedMtm> computeMtm(const PackView& pack, RunControl& control,
                                        ComputationFootprint* footprint = nullptr);

} // namespace feltrane
