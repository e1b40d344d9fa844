#pragma once
// The physical-optics amplitudes of every scattering point for one direction: the per-direction
// kernel. One sweep per thread; it keeps its scratch arrays from one direction to the next.

#include "antenna.h"
#include "directiongrid.h"
#include "rayscene.h"
#include "scatteringmodel.h"

#include <atomic>
#include <complex>
#include <cstdint>
#include <vector>

namespace feltrane {

class DirectionSweep {
public:
    // `shadows` null: one-sided PO (only the outward side is lit, nothing is traced).
    DirectionSweep(const ScatteringModel& model, const RayScene* shadows, const Antenna& antenna);

    // S_p(d) of every point into `amplitudes` (model.pointCount() values). False, with the
    // amplitudes unset, when `stop` was raised meanwhile.
    bool run(const Direction& direction, const std::atomic<bool>& stop, std::complex<double>* amplitudes);

    // Facets handled per step: the scratch below holds one step.
    static constexpr std::size_t kChunk = 1024;

private:
    void findLitFacets(std::size_t begin, std::size_t count, const Eigen::Vector3d& d);
    void integrate(std::size_t begin, std::size_t count);
    void reflect(std::size_t begin, std::size_t count);
    void integrateNearDegenerate(std::size_t begin, std::size_t count);

    const ScatteringModel* model_;
    const RayScene* shadows_;
    Antenna antenna_;
    Vector3c h_;      // polarisation of this direction
    Vector3c g_;      // h × d: (h·t̂)² = (g·n)² / |d × n|²
    double hh_ = 1.0; // h·h

    // Per cell-local vertex: phase ψ = 2k d·(r − p), cos ψ, sin ψ.
    std::vector<double> phase_, cos_, sin_;
    // Per facet of the step.
    std::vector<double> mu_;                 // n·d
    std::vector<std::uint8_t> lit_, nearDegenerate_;
    std::vector<double> re_, im_;            // weighted integral, then times ρ
    std::vector<double> rhoRe_, rhoIm_;
    std::vector<float> origins_;
    std::vector<std::uint32_t> candidates_;
    std::vector<std::uint8_t> clear_;
    std::vector<std::complex<double>> sums_;
};

} // namespace feltrane
