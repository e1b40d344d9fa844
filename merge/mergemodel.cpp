#include "mergemodel.h"

#include "mtmfile.h"
#include "rcsgrid.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace mtmmerge {

namespace {

// Beyond this the squares of the observation geometry would overflow.
constexpr double kLargestLength = 1e150;
// Below this many re-sampled values a second thread costs more than it saves.
constexpr std::size_t kParallelThreshold = 200000;

std::string number(double value)
{
    std::ostringstream text;
    text.precision(17);
    text << value;
    return text.str();
}

GridShape shapeOf(const TMtmPoint& point)
{
    return {point.countAz, point.countEl};
}

bool resamplable(const TMtmPoint& point)
{
    return point.countAz >= 2 && point.countEl >= 2 && point.rcs;
}

std::string gridText(const TMtmPoint& point)
{
    return std::to_string(point.countAz) + " x " + std::to_string(point.countEl);
}

void checkMergeable(const TMtm& base, const TMtm& model, AnchorOffset offset, double radius)
{
    if (base.Przn != 0 || model.Przn != 0)
        throw std::runtime_error("Error: Przn field must be 0 for both models " + base.path + " and " + model.path);
    if (base.points.empty())
        throw std::runtime_error("Error: Base model " + base.path + " is empty (cannot determine grid parameters)");
    // The grid steps divide by the number of samples minus one.
    if (!resamplable(base.points.front()))
        throw std::runtime_error("Error: Base model " + base.path + " has a grid of " +
                                 gridText(base.points.front()) +
                                 " samples (azimuth x elevation); at least 2 x 2 are needed");
    for (const TMtmPoint& point : model.points)
        if (!resamplable(point))
            throw std::runtime_error("Error: Model " + model.path + " has a grid of " + gridText(point) +
                                     " samples (azimuth x elevation); at least 2 x 2 are needed");
    const auto inRange = [](double length) { return std::fabs(length) <= kLargestLength; }; // false for NaN
    if (!inRange(radius) || !inRange(offset.x) || !inRange(offset.y) || !inRange(offset.z))
        throw std::runtime_error("Error: distance " + number(radius) + " or offset (" + number(offset.x) +
                                 ", " + number(offset.y) + ", " + number(offset.z) + ") of model " + model.path +
                                 " is not a finite length below 1e150 m");
}

// Grids made here are released again if anything fails before they reach the merged model.
struct GridGuard {
    std::vector<TMtmPoint> points;
    ~GridGuard()
    {
        for (TMtmPoint& point : points)
            releaseRcsGrid(point.rcs);
    }
};

// Runs work(begin, end) over bands of [0, count) on the machine's cores. Once every band has
// ended, the first failure of any band is thrown again.
template <typename Work>
void inBands(std::size_t count, std::size_t valuesEach, const Work& work)
{
    if (count == 0)
        return;
    unsigned threads = std::max(1u, std::thread::hardware_concurrency());
    threads = unsigned(std::min<std::size_t>(threads, count));
    if (count * valuesEach < kParallelThreshold)
        threads = 1;
    std::vector<std::exception_ptr> failures(threads);
    const auto band = [&](unsigned t) {
        try {
            work(count * t / threads, count * (t + 1) / threads);
        } catch (...) {
            failures[t] = std::current_exception();
        }
    };
    // Nothing may throw past a running worker (its std::thread would end the process): the vector
    // never grows once one runs, and a band whose worker cannot start runs here.
    std::vector<std::thread> workers;
    workers.reserve(threads - 1);
    for (unsigned t = 1; t < threads; ++t) {
        try {
            workers.emplace_back(band, t);
        } catch (const std::exception&) {
            band(t);
        }
    }
    band(0);
    for (std::thread& worker : workers)
        worker.join();
    for (const std::exception_ptr& failure : failures)
        if (failure)
            std::rethrow_exception(failure);
}

} // namespace

TMtm copyAsMergeBase(const TMtm& base, double radius)
{
    TMtm merged;
    merged.path = base.path;
    merged.Przn = base.Przn;
    merged.hidden = base.hidden;
    std::copy(std::begin(base.color), std::end(base.color), std::begin(merged.color));
    merged.distance = radius;
    GridGuard copies;
    copies.points.reserve(base.points.size());
    for (const TMtmPoint& point : base.points) {
        TMtmPoint copy = point;
        copy.rcs = nullptr;
        copies.points.push_back(copy);
        // A point without a row table (possible only in memory) gets zeros rather than a crash.
        copies.points.back().rcs = point.rcs ? copyRcsGrid(point.rcs, point.countAz, point.countEl)
                                             : allocateRcsGrid(point.countAz, point.countEl);
    }
    merged.points = std::move(copies.points);
    copies.points.clear();
    return merged;
}

void appendMovedModel(TMtm& merged, const TMtm& model, AnchorOffset offset)
{
    checkMergeable(merged, model, offset, merged.distance);
    const GridShape target = shapeOf(merged.points.front());
    const std::size_t count = model.points.size();

    // Points of one file share a grid, so there is one plan; a model built in memory may mix them.
    std::vector<std::unique_ptr<ResamplingPlan>> plans;
    std::vector<const ResamplingPlan*> planOf(count);
    for (std::size_t p = 0; p < count; ++p) {
        const GridShape source = shapeOf(model.points[p]);
        auto found = std::find_if(plans.begin(), plans.end(), [&](const auto& plan) { return plan->source() == source; });
        if (found == plans.end())
            found = plans.insert(plans.end(), std::make_unique<ResamplingPlan>(target, source, offset, merged.distance));
        planOf[p] = found->get();
    }

    GridGuard added;
    added.points.resize(count);
    for (std::size_t p = 0; p < count; ++p) {
        const TMtmPoint& source = model.points[p];
        TMtmPoint& point = added.points[p];
        point.x = source.x + offset.x;
        point.y = source.y + offset.y;
        point.z = source.z + offset.z;
        point.countAz = target.countAz;
        point.countEl = target.countEl;
    }
    // Making the grids costs as much as filling them (fresh memory): both run on every core.
    inBands(count, std::size_t(target.countAz) * target.countEl, [&](std::size_t begin, std::size_t end) {
        for (std::size_t p = begin; p < end; ++p) {
            added.points[p].rcs = allocateRcsGrid(target.countAz, target.countEl);
            planOf[p]->resample(model.points[p].rcs, added.points[p].rcs);
        }
    });
    merged.points.reserve(merged.points.size() + count);
    merged.points.insert(merged.points.end(), added.points.begin(), added.points.end());
    added.points.clear();
}

TMtm mergeModel(const TMtm& base, const TMtm& model, AnchorOffset offset, double radius)
{
    // Checked before anything is copied.
    checkMergeable(base, model, offset, radius);
    TMtm merged = copyAsMergeBase(base, radius);
    try {
        appendMovedModel(merged, model, offset);
    } catch (...) {
        ostrell::releaseMtmGrids(merged);
        throw;
    }
    return merged;
}

} // namespace mtmmerge
