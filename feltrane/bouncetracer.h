#pragma once
// Shooting and bouncing rays for one direction at a time: the rays of a grid over the target are
// followed through up to N reflections, and each tube whose last reflection is its second or a
// later one adds its return to the scattering point of that reflection's facet. One tracer per
// thread; it keeps its scratch arrays from one direction to the next.

#include "antenna.h"
#include "directiongrid.h"
#include "raygrid.h"
#include "rayscene.h"
#include "raytube.h"
#include "reflectingfacets.h"
#include "result.h"
#include "runcontrol.h"

#include <complex>
#include <cstdint>
#include <vector>

namespace feltrane {

class BounceTracer {
public:
    // Progress steps of one direction.
    static constexpr std::uint64_t kProgressSteps = 1000;

    // Fails when the target is too wide for rays `wavelength / density` apart.
    static kalmeno::Status checkRayCount(double diameter, double wavelength, double density);

    BounceTracer(const ReflectingFacets& facets, const RayScene& scene, const Antenna& antenna, double wavelength,
                 std::uint32_t bounces, double density);

    // Adds the multiple reflections' returns S_p(d) into amplitudes[p], and kProgressSteps to the
    // control's progress as the rays go. False, with the amplitudes half done, when a stop was asked.
    bool run(const Direction& direction, RunControl& control, std::complex<double>* amplitudes);

    // Rays traced so far by this tracer: segments between reflections (the first from the grid
    // included), and the rays that checked whether the radar sees a last reflection.
    std::uint64_t segments() const { return segments_; }
    std::uint64_t returnRays() const { return returnRays_; }

private:
    // One ray at its latest hit (or at its start), with its tube.
    struct Ray {
        Eigen::Vector3d position;
        Eigen::Vector3d travel; // direction of the segment leaving `position`
        TubeAtHit tube;         // as it arrived at `position`, and reflected there
        double phase;           // d·r₁ − path length since r₁
        std::uint32_t facet;
        std::uint32_t reflections;
    };

    void launch(const RayGrid& grid, std::uint64_t first, std::size_t count);
    void trace(bool primary);
    void reflect(Ray& ray, std::uint32_t facet);
    void finish(const Ray& ray);
    void addReturns(std::complex<double>* amplitudes);

    const ReflectingFacets* facets_;
    const RayScene* scene_;
    Antenna antenna_;
    double wavelength_;
    std::uint32_t bounces_;
    double spacing_;

    // The direction being traced.
    Eigen::Vector3d towardsRadar_;
    Vector3c polarisation_;

    std::vector<Ray> rays_;
    std::vector<std::uint32_t> active_, stillActive_; // rays still bouncing
    std::vector<std::uint32_t> returning_;            // rays whose return may reach the radar
    std::vector<float> origins_, directions_;
    std::vector<std::uint32_t> hits_;
    std::vector<std::uint8_t> clear_;
    std::uint64_t segments_ = 0;
    std::uint64_t returnRays_ = 0;
};

} // namespace feltrane
