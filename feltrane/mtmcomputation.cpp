#include "mtmcomputation.h"

#include "antenna.h"
#include "boundingsphere.h"
#include "bouncetracer.h"
#include "cellpartition.h"
#include "directionsweep.h"
#include "facetmesh.h"
#include "memory.h"
#include "rayscene.h"
#include "scatteringmodel.h"
#include "secondreflection.h"

#include <tbb/blocked_range.h>
#include <tbb/enumerable_thread_specific.h>
#include <tbb/parallel_for.h>
#include <tbb/task_arena.h>

#include <algorithm>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <vector>

namespace feltrane {

namespace {

// One direction to compute and the rows whose sample (row, elevation) takes its values.
struct DirectionJob {
    std::uint32_t row;
    std::uint32_t elevation;
    std::vector<std::uint32_t> rows;
};

std::vector<DirectionJob> directionJobs(const DirectionGrid& grid, const PackOptions& options)
{
    std::vector<DirectionJob> jobs;
    const std::uint32_t end = options.firstRow + options.rowCount;
    for (std::uint32_t e = 0; e < grid.countEl(); ++e) {
        // Rows that repeat row 0 share one job; every other row is its own.
        DirectionJob shared{0, e, {}};
        for (std::uint32_t a = options.firstRow; a < end; ++a) {
            if (grid.canonicalRow(a, e) == 0)
                shared.rows.push_back(a);
            else
                jobs.push_back({a, e, {a}});
        }
        if (!shared.rows.empty())
            jobs.push_back(std::move(shared));
    }
    return jobs;
}

kalmeno::Status checkOutputSize(std::size_t points, const DirectionGrid& grid)
{
    const double bytes = ComputedMtm::bytesFor(points, grid.countAz(), grid.countEl());
    const double limit = double(platform::physicalMemoryBytes()) / 2.0;
    if (limit > 0.0 && bytes > limit)
        return kalmeno::Status::failure(std::to_string(points) + " points on a " + std::to_string(grid.countAz()) +
                                        " x " + std::to_string(grid.countEl()) + " grid need " +
                                        std::to_string(bytes / 1e9) + " GB, more than half the memory");
    return kalmeno::Status::success();
}

} // namespace

kalmeno::Result<ComputedMtm> computeMtm(const PackView& pack, RunControl& control, ComputationFootprint* footprint)
{
    using R = kalmeno::Result<ComputedMtm>;
    struct Finish {
        RunControl& control;
        ~Finish() { control.finish(); }
    } finish{control};
    const std::atomic<bool>& stop = control.stopRequested();
    try {
        std::optional<ScatteringModel> model;
        std::optional<RayScene> scene;
        std::optional<ReflectingFacets> reflecting;
        const PackOptions& options = pack.options();
        double diameter = 0.0;
        {
            auto mesh = FacetMesh::fromPack(pack);
            if (!mesh)
                return R::failure(mesh.error());
            diameter = 2.0 * smallestEnclosingSphere(mesh->vertices()).radius;
            const TFcoMtm& raw = pack.pack();
            const CellPartition cells = partitionIntoCells(mesh.value(), raw.countX, raw.countY, raw.countZ);
            const kalmeno::Status size = checkOutputSize(cells.points.size(), pack.grid());
            if (!size)
                return R::failure(size.error());
            const bool bouncing = options.bounces > 1 && allowsSecondReflection(mesh.value());
            if (bouncing) {
                const kalmeno::Status rays =
                    BounceTracer::checkRayCount(diameter, pack.wavelength(), options.rayDensity);
                if (!rays)
                    return R::failure(rays.error());
            }
            model = ScatteringModel::build(mesh.value(), cells, pack.wavelength(), diameter);
            if (options.shadowing || bouncing) {
                auto built = RayScene::build(mesh.value());
                if (!built)
                    return R::failure(built.error());
                scene.emplace(std::move(built.value()));
            }
            if (bouncing)
                reflecting =
                    ReflectingFacets::build(mesh.value(), cells, pack.wavelength(), diameter, model->rayOffset);
        } // the mesh is no longer needed
        if (stop.load())
            return R::failure("stopped on request");

        ComputedMtm result(model->points, pack.grid().countAz(), pack.grid().countEl());
        result.distance = 2.0 * diameter * diameter / pack.wavelength();
        if (footprint)
            *footprint = {model->memoryBytes() + (reflecting ? reflecting->memoryBytes() : 0),
                          scene ? scene->memoryBytes() : 0, scene ? scene->peakMemoryBytes() : 0,
                          model->facetCount(), model->vertexCount()};

        const std::vector<DirectionJob> jobs = directionJobs(pack.grid(), pack.options());
        const Antenna antenna(pack.pack().coefEllipt, pack.pack().orientAngle);
        const RayScene* shadows = options.shadowing ? &*scene : nullptr;
        const std::size_t points = model->pointCount();
        struct Worker {
            DirectionSweep sweep;
            std::optional<BounceTracer> bounces;
            std::vector<Direction> directions;
            std::vector<std::complex<double>> amplitudes;
        };
        tbb::enumerable_thread_specific<Worker> workers([&] {
            Worker worker{DirectionSweep(*model, shadows, antenna), std::nullopt, {},
                          std::vector<std::complex<double>>(DirectionSweep::kBlock * points)};
            if (reflecting)
                worker.bounces.emplace(*reflecting, *scene, antenna, pack.wavelength(), options.bounces,
                                       options.rayDensity);
            return worker;
        });

        // A direction is kProgressSteps steps; the bouncing rays report theirs as they go.
        control.setTotal(jobs.size() * BounceTracer::kProgressSteps);
        const std::size_t blocks = (jobs.size() + DirectionSweep::kBlock - 1) / DirectionSweep::kBlock;
        const int threads = pack.options().threads ? int(pack.options().threads) : tbb::task_arena::automatic;
        tbb::task_arena arena(threads);
        arena.execute([&] {
            tbb::parallel_for(tbb::blocked_range<std::size_t>(0, blocks, 1), [&](const auto& range) {
                Worker& worker = workers.local();
                for (std::size_t block = range.begin(); block != range.end(); ++block) {
                    const std::size_t first = block * DirectionSweep::kBlock;
                    const std::size_t count = std::min(DirectionSweep::kBlock, jobs.size() - first);
                    worker.directions.clear();
                    for (std::size_t j = first; j < first + count; ++j)
                        worker.directions.push_back(pack.grid().direction(jobs[j].row, jobs[j].elevation));
                    if (!worker.sweep.run(worker.directions.data(), count, stop, worker.amplitudes.data()))
                        return;
                    for (std::size_t k = 0; k < count; ++k) {
                        std::complex<double>* amplitudes = worker.amplitudes.data() + k * points;
                        if (worker.bounces) {
                            if (!worker.bounces->run(worker.directions[k], control, amplitudes))
                                return;
                        } else {
                            control.stepDone(BounceTracer::kProgressSteps);
                        }
                        const DirectionJob& job = jobs[first + k];
                        for (std::size_t p = 0; p < points; ++p)
                            for (const std::uint32_t row : job.rows)
                                result.value(p, row, job.elevation) = amplitudes[p];
                    }
                }
            });
        });
        if (stop.load())
            return R::failure("stopped on request");
        if (footprint)
            for (const Worker& worker : workers)
                if (worker.bounces) {
                    footprint->raySegments += worker.bounces->segments();
                    footprint->returnRays += worker.bounces->returnRays();
                }
        return R::success(std::move(result));
    } catch (const std::bad_alloc&) {
        return R::failure("not enough memory for " + std::to_string(pack.triangleCount()) + " triangles");
    }
}

} // namespace feltrane
