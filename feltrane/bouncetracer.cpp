#include "bouncetracer.h"

#include "physicalconstants.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace feltrane {

namespace {

// Rays per batch: each batch goes through every reflection before the next one starts.
constexpr std::size_t kBatch = 256;

// Below this |n·k̂| a ray runs along the facet: it ends there without reflecting.
constexpr double kGrazing = 1e-9;

void putFloats(float* to, const Eigen::Vector3d& v)
{
    to[0] = float(v.x()), to[1] = float(v.y()), to[2] = float(v.z());
}

} // namespace

kalmeno::Status BounceTracer::checkRayCount(double diameter, double wavelength, double density)
{
    const double across = diameter * density / wavelength;
    if (!(across < 2147483648.0))
        return kalmeno::Status::failure("the target is " + std::to_string(diameter) + " m across: " +
                                        std::to_string(across) + " rays side by side at " + std::to_string(density) +
                                        " rays per wavelength, more than the ray grid holds");
    return kalmeno::Status::success();
}

BounceTracer::BounceTracer(const ReflectingFacets& facets, const RayScene& scene, const Antenna& antenna,
                           double wavelength, std::uint32_t bounces, double density)
    : facets_(&facets),
      scene_(&scene),
      antenna_(antenna),
      wavelength_(wavelength),
      bounces_(bounces),
      spacing_(wavelength / density),
      rays_(kBatch),
      origins_(3 * kBatch),
      directions_(3 * kBatch),
      hits_(kBatch),
      clear_(kBatch)
{
    active_.reserve(kBatch);
    stillActive_.reserve(kBatch);
    returning_.reserve(kBatch);
}

bool BounceTracer::run(const Direction& direction, RunControl& control, std::complex<double>* amplitudes)
{
    towardsRadar_ = direction.towardsRadar;
    polarisation_ = antenna_.polarisation(direction);
    const RayGrid grid = RayGrid::over(facets_->vertices, facets_->diameter, direction, spacing_);
    const std::uint64_t total = grid.count();
    std::uint64_t reported = 0;
    for (std::uint64_t first = 0; first < total; first += kBatch) {
        if (control.stopRequested().load(std::memory_order_relaxed))
            return false;
        launch(grid, first, std::size_t(std::min<std::uint64_t>(kBatch, total - first)));
        returning_.clear();
        for (std::uint32_t level = 0; level < bounces_ && !active_.empty(); ++level)
            trace(level == 0);
        for (const std::uint32_t r : active_) // still bouncing after N reflections: the N-th is the last
            finish(rays_[r]);
        addReturns(amplitudes);
        const std::uint64_t done = std::min(total, first + kBatch) * kProgressSteps / total;
        control.stepDone(done - reported);
        reported = done;
    }
    return true;
}

void BounceTracer::launch(const RayGrid& grid, std::uint64_t first, std::size_t count)
{
    active_.clear();
    for (std::size_t i = 0; i < count; ++i) {
        Ray& ray = rays_[i];
        ray.position = grid.start(first + i);
        ray.travel = -towardsRadar_;
        // The first reflection takes the antenna's field and the grid's edges as they are: a zero
        // normal mirrors nothing.
        ray.tube.litNormal.setZero();
        ray.tube.reflected = polarisation_;
        ray.tube.edgeU = grid.stepU;
        ray.tube.edgeV = grid.stepV;
        ray.phase = 0.0;
        ray.reflections = 0;
        active_.push_back(std::uint32_t(i));
    }
}

void BounceTracer::trace(bool primary)
{
    const double offset = facets_->rayOffset;
    for (std::size_t k = 0; k < active_.size(); ++k) {
        const Ray& ray = rays_[active_[k]];
        const Eigen::Vector3d origin =
            primary ? ray.position : Eigen::Vector3d(ray.position + offset * ray.tube.litNormal);
        putFloats(&origins_[3 * k], origin);
        putFloats(&directions_[3 * k], ray.travel);
    }
    scene_->findHits(origins_.data(), directions_.data(), active_.size(), primary, hits_.data());
    segments_ += active_.size();
    stillActive_.clear();
    for (std::size_t k = 0; k < active_.size(); ++k) {
        Ray& ray = rays_[active_[k]];
        const std::uint32_t facet = hits_[k];
        if (facet == RayScene::kNoFacet || std::fabs(facets_->normals[facet].dot(ray.travel)) < kGrazing) {
            finish(ray);
            continue;
        }
        reflect(ray, facet);
        stillActive_.push_back(active_[k]);
    }
    active_.swap(stillActive_);
}

void BounceTracer::reflect(Ray& ray, std::uint32_t facet)
{
    const Eigen::Vector3d& n = facets_->normals[facet];
    const double cosine = n.dot(ray.travel);
    // The hit point again in double precision, on the facet's plane.
    const double t = (facets_->planeOffsets[facet] - n.dot(ray.position)) / cosine;
    const Eigen::Vector3d hit = ray.position + t * ray.travel;
    ray.phase = ray.reflections == 0 ? towardsRadar_.dot(hit) : ray.phase - t;

    TubeAtHit& tube = ray.tube;
    tube.field = tube.reflected;
    tube.edgeU = mirrored(tube.edgeU, tube.litNormal);
    tube.edgeV = mirrored(tube.edgeV, tube.litNormal);
    tube.incoming = ray.travel;
    tube.litNormal = cosine < 0.0 ? n : Eigen::Vector3d(-n);
    tube.outgoing = mirrored(ray.travel, n);
    tube.reflected = reflectedField(facets_->materials[facets_->materialOf[facet]], n, tube.incoming, tube.outgoing,
                                    tube.field);
    ray.position = hit;
    ray.travel = tube.outgoing;
    ray.facet = facet;
    ++ray.reflections;
}

void BounceTracer::finish(const Ray& ray)
{
    // Single reflections are the facets' own; the radar must face the lit side of the last one.
    if (ray.reflections >= 2 && ray.tube.litNormal.dot(towardsRadar_) > 0.0)
        returning_.push_back(std::uint32_t(&ray - rays_.data()));
}

void BounceTracer::addReturns(std::complex<double>* amplitudes)
{
    if (returning_.empty())
        return;
    const double offset = facets_->rayOffset;
    for (std::size_t k = 0; k < returning_.size(); ++k) {
        const Ray& ray = rays_[returning_[k]];
        putFloats(&origins_[3 * k], ray.position + offset * ray.tube.litNormal);
    }
    scene_->findClear(origins_.data(), returning_.size(), towardsRadar_.cast<float>(), clear_.data());
    returnRays_ += returning_.size();
    const double twoK = 4.0 * kPi / wavelength_;
    const double k = 0.5 * twoK;
    for (std::size_t c = 0; c < returning_.size(); ++c) {
        if (!clear_[c])
            continue;
        const Ray& ray = rays_[returning_[c]];
        const std::uint32_t point = facets_->pointOf[ray.facet];
        const double phase = k * (ray.phase + towardsRadar_.dot(ray.position)) -
                             twoK * towardsRadar_.dot(facets_->points[point]);
        amplitudes[point] += tubeReturn(ray.tube, towardsRadar_, polarisation_, wavelength_) * std::polar(1.0, phase);
    }
}

} // namespace feltrane
