#pragma once
// The run-time binding of the computation library: its two entry points, the grid an MTM is
// computed on, and saving the computed points.

#include "fcopack.h"
#include "result.h"
#include "tmtm.h"

#include <atomic>
#include <cstdint>
#include <string>

namespace ostrell {

// Samples covering `spanDegrees` at `stepDegrees`, both ends included: span / step + 1, truncated.
// Steps of 0 or below, not finite, or so small that the count leaves int32 give no grid.
kalmeno::Result<std::int32_t> gridSamples(double stepDegrees, double spanDegrees);

// The computation library's entry points. Binding happens before a computation, while the abort
// may come from another thread during one, so both pointers are atomic.
class ComputationBinding {
public:
    // Loads the library (a Windows or native name; relative names against the current folder) and
    // takes "Calculate_MTM" and, if present, "TerminateProcces". A failure changes nothing; a
    // bound library stays loaded for the rest of the process.
    kalmeno::Status bind(const std::string& libraryName);

    bool isBound() const { return calculate_.load() != nullptr; }

    // Computes the MTM of `pack` and saves it to `path`. Refuses unusable steps before computing.
    kalmeno::Status createMtm(const std::string& path, TFcoMtm* pack) const;

    // The computation library's abort, or 0 when it has none.
    int terminate() const;

private:
    std::atomic<Calculate_MTM_t> calculate_{nullptr};
    std::atomic<TerminateProcces_t> terminate_{nullptr};
};

} // namespace ostrell
