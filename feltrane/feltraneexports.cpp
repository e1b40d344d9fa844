// The exports of libFeltrane.so: the computation's entry point, its abort and its progress.
// Everything else stays hidden.

#include "exportsymbol.h"
#include "fcopack.h"
#include "mtmcomputation.h"
#include "packview.h"
#include "runcontrol.h"
#include "tmtm.h"

#include <cstdint>
#include <cstdio>
#include <exception>
#include <limits>
#include <mutex>
#include <optional>
#include <string>

#define FELTRANE_EXPORT extern "C" PLATFORM_EXPORT

namespace {

// The library's process-wide state: calls are serialised, the abort and the progress reach the
// running call from other threads, and the last result lives until the next call finishes.
struct LibraryState {
    std::mutex calls;
    feltrane::RunControl control;
    std::optional<feltrane::ComputedMtm> result;
};

LibraryState& state()
{
    static LibraryState instance;
    return instance;
}

void report(const std::string& reason)
{
    std::fprintf(stderr, "Feltrane: no MTM computed: %s\n", reason.c_str());
}

} // namespace

FELTRANE_EXPORT TMtmSavePoint* Calculate_MTM(TFcoMtm* pack, std::int32_t* count)
{
    if (!count) {
        report("no place for the count of points");
        return nullptr;
    }
    *count = 0;
    LibraryState& library = state();
    try {
        const std::lock_guard<std::mutex> lock(library.calls);
        library.control.begin();
        auto computed = [&]() -> kalmeno::Result<feltrane::ComputedMtm> {
            const auto view = feltrane::PackView::read(pack);
            if (!view) {
                library.control.finish();
                return kalmeno::Result<feltrane::ComputedMtm>::failure("the pack is refused: " + view.error());
            }
            return feltrane::computeMtm(view.value(), library.control);
        }();
        library.result.reset();
        if (!computed) {
            report(computed.error());
            return nullptr;
        }
        if (computed->pointCount() > std::size_t(std::numeric_limits<std::int32_t>::max())) {
            report(std::to_string(computed->pointCount()) + " points do not fit the count");
            return nullptr;
        }
        library.result.emplace(std::move(computed.value()));
        pack->distance = library.result->distance;
        *count = std::int32_t(library.result->pointCount());
        return library.result->points();
    } catch (const std::exception& error) {
        library.control.finish();
        report(error.what());
    } catch (...) {
        library.control.finish();
        report("an unexpected failure");
    }
    return nullptr;
}

FELTRANE_EXPORT int TerminateProcces()
{
    return state().control.requestStop() ? 1 : 0;
}

FELTRANE_EXPORT double GetCalculationProgress()
{
    return state().control.percentDone();
}
