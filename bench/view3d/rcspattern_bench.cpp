// Throughput of the pattern: point-cell evaluations per second (points × pattern cells).

#include "patternreference.h"
#include "rcsgrid.h"
#include "rcspattern.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <utility>
#include <vector>

namespace {

class RandomModel {
public:
    RandomModel(int points, const std::vector<std::pair<std::uint32_t, std::uint32_t>>& grids)
    {
        std::mt19937 random(42);
        std::uniform_real_distribution<double> amplitude(-1.0, 1.0);
        for (int p = 0; p < points; ++p) {
            TMtmPoint point;
            point.countAz = grids[p % grids.size()].first;
            point.countEl = grids[p % grids.size()].second;
            point.rcs = allocateRcsGrid(point.countAz, point.countEl);
            for (std::uint32_t a = 0; a < point.countAz; ++a)
                for (std::uint32_t e = 0; e < point.countEl; ++e)
                    point.rcs[a][e] = {amplitude(random), amplitude(random)};
            mtm.points.push_back(point);
        }
    }
    ~RandomModel()
    {
        for (TMtmPoint& point : mtm.points)
            releaseRcsGrid(point.rcs);
    }
    TMtm mtm;
};

void run(benchmark::State& state, const TMtm& mtm, RcsPattern (*compute)(const TMtm&) = computePattern)
{
    const double cells = double(mtm.points.front().countAz) * mtm.points.front().countEl;
    for (auto _ : state)
        benchmark::DoNotOptimize(compute(mtm));
    state.counters["point_cells/s"] =
        benchmark::Counter(cells * double(mtm.points.size()), benchmark::Counter::kIsIterationInvariantRate);
}

void SharedGrid(benchmark::State& state)
{
    static const RandomModel model(2000, {{181, 91}});
    run(state, model.mtm);
}

void MixedGrids(benchmark::State& state)
{
    // The pattern takes the first point's 181 × 91 grid; the others read finer and coarser ones.
    static const RandomModel model(2000, {{181, 91}, {73, 37}, {361, 181}, {37, 19}});
    run(state, model.mtm);
}

// The same arithmetic evaluated cell by cell and point by point on one thread, for comparison
// (a tenth of the points, to keep it short).
void SharedGridDirect(benchmark::State& state)
{
    static const RandomModel model(200, {{181, 91}});
    run(state, model.mtm, referencePattern);
}

} // namespace

BENCHMARK(SharedGrid)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(MixedGrids)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(SharedGridDirect)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
