// Throughput of the merge: re-sampled values per second (moved points × base grid cells), for
// 10 models of 2,000 points placed around a base on a 181 × 91 grid. The merged model (5.3 GB)
// lives in memory only: writing it is the file library's business.

#include "mergemodel.h"
#include "mtmfile.h"
#include "rcsgrid.h"
#include "resamplingplan.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>

namespace {

constexpr int modelCount = 10;
constexpr std::uint32_t pointsPerModel = 2000;
constexpr std::uint32_t baseAz = 181;
constexpr std::uint32_t baseEl = 91;

TMtm randomModel(std::uint32_t points, std::uint32_t countAz, std::uint32_t countEl, double distance)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<double> amplitude(-1.0, 1.0);
    TMtm mtm;
    mtm.distance = distance;
    for (std::uint32_t p = 0; p < points; ++p) {
        TMtmPoint point;
        point.x = amplitude(random);
        point.countAz = countAz;
        point.countEl = countEl;
        point.rcs = allocateRcsGrid(countAz, countEl);
        for (std::uint32_t a = 0; a < countAz; ++a)
            for (std::uint32_t e = 0; e < countEl; ++e)
                point.rcs[a][e] = {amplitude(random), amplitude(random)};
        mtm.points.push_back(point);
    }
    return mtm;
}

// One model file anchored ten times around the base, as a convoy of identical vehicles.
void mergeTenModels(benchmark::State& state, std::uint32_t modelAz, std::uint32_t modelEl)
{
    TMtm base = randomModel(10, baseAz, baseEl, 300.0);
    TMtm model = randomModel(pointsPerModel, modelAz, modelEl, 500.0);
    for (auto _ : state) {
        TMtm merged = mtmmerge::copyAsMergeBase(base, 500.0);
        for (int k = 0; k < modelCount; ++k)
            mtmmerge::appendMovedModel(merged, model, {20.0 * k, 0.0, -5.0 * k});
        benchmark::DoNotOptimize(merged.points.back().rcs[0][0]);
        state.PauseTiming();
        ostrell::releaseMtmGrids(merged);
        state.ResumeTiming();
    }
    state.counters["values/s"] = benchmark::Counter(double(modelCount) * pointsPerModel * baseAz * baseEl,
                                                    benchmark::Counter::kIsIterationInvariantRate);
    ostrell::releaseMtmGrids(base);
    ostrell::releaseMtmGrids(model);
}

void CoarserModels(benchmark::State& state)
{
    mergeTenModels(state, 73, 37);
}

void ModelsOnTheBaseGrid(benchmark::State& state)
{
    mergeTenModels(state, baseAz, baseEl);
}

// The arithmetic alone: the same values written into grids that already exist, so that the cost
// of fresh memory (page faults, most of the above on this machine) stays out.
void ResamplingOnly(benchmark::State& state)
{
    TMtm model = randomModel(pointsPerModel, 73, 37, 500.0);
    TMtm targets = randomModel(pointsPerModel, baseAz, baseEl, 500.0);
    for (auto _ : state) {
        for (int k = 0; k < modelCount; ++k) {
            const mtmmerge::ResamplingPlan plan({baseAz, baseEl}, {73, 37}, {20.0 * k, 0.0, -5.0 * k}, 500.0);
            for (std::uint32_t p = 0; p < pointsPerModel; ++p)
                plan.resample(model.points[p].rcs, targets.points[p].rcs);
        }
        benchmark::DoNotOptimize(targets.points.back().rcs[0][0]);
    }
    state.counters["values/s"] = benchmark::Counter(double(modelCount) * pointsPerModel * baseAz * baseEl,
                                                    benchmark::Counter::kIsIterationInvariantRate);
    ostrell::releaseMtmGrids(model);
    ostrell::releaseMtmGrids(targets);
}

} // namespace

BENCHMARK(CoarserModels)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(ModelsOnTheBaseGrid)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(ResamplingOnly)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK_MAIN();
