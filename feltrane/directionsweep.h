#pragma once
// The physical-optics amplitudes of every scattering point for a few directions at a time: the
// per-direction kernel. One sweep per thread; it keeps its scratch arrays from one call to the
// next. The directions of one call share each chunk of facets while it is in cache.

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
    // Directions per call at most.
    static constexpr std::size_t kBlock = 16;

    // `shadows` null: one-sided PO (only the outward side is lit, nothing is traced).
    DirectionSweep(const ScatteringModel& model, const RayScene* shadows, const Antenna& antenna);

    // S_p(d) of every point p for each of `count` ≤ kBlock directions, into
    // amplitudes[k·pointCount + p]. False, with the amplitudes unset, when `stop` was raised.
    bool run(const Direction* directions, std::size_t count, const std::atomic<bool>& stop,
             std::complex<double>* amplitudes);

private:
    // What one direction needs besides its facets.
    struct Radar {
        Eigen::Vector3d d;
        double wx, wy, wz;        // 2k d
        double hh;                // h·h
        std::complex<double> gx, gy, gz; // g = h × d: (h·t̂)² = (g·n)² / |d × n|²
    };

    void phases(const ScatteringModel::Chunk& chunk, const Radar& radar);
    void findLitFacets(const ScatteringModel::Chunk& chunk, const Radar& radar);
    void integrate(const ScatteringModel::Chunk& chunk);
    void reflect(const ScatteringModel::Chunk& chunk, const Radar& radar);
    void integrateNearDegenerate(const ScatteringModel::Chunk& chunk);
    void accumulate(const ScatteringModel::Chunk& chunk, std::complex<double>* sums);

    const ScatteringModel* model_;
    const RayScene* shadows_;
    Antenna antenna_;
    std::vector<Radar> radars_;

    // Per vertex of the chunk's window: phase ψ = 2k d·(r − p), cos ψ, sin ψ.
    std::vector<double> phase_, cos_, sin_;
    // Per facet of the chunk.
    std::vector<double> a_, b_, e0r_, e0i_, e1r_, e1i_, e2r_, e2i_; // phase differences, phasors
    std::vector<double> mu_;                                         // n·d
    // 1.0 or 0.0: doubles, so the loops that set and read them stay vector code.
    std::vector<double> lit_, nearDegenerate_;
    std::vector<double> re_, im_;                                    // weighted integral, then times ρ
    std::vector<double> rhoRe_, rhoIm_;
    std::vector<float> origins_;
    std::vector<std::uint32_t> candidates_;
    std::vector<std::uint8_t> clear_;
};

} // namespace feltrane
