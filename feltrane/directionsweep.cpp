#include "directionsweep.h"

#include "sincosbatch.h"
#include "triangleintegral.h"

#include <Eigen/Geometry>

#include <algorithm>
#include <cmath>

namespace feltrane {

DirectionSweep::DirectionSweep(const ScatteringModel& model, const RayScene* shadows, const Antenna& antenna)
    : model_(&model),
      shadows_(shadows),
      antenna_(antenna),
      phase_(model.vertexCount()),
      cos_(model.vertexCount()),
      sin_(model.vertexCount()),
      mu_(kChunk),
      lit_(kChunk),
      nearDegenerate_(kChunk),
      re_(kChunk),
      im_(kChunk),
      rhoRe_(kChunk),
      rhoIm_(kChunk),
      sums_(model.pointCount())
{
    if (shadows_) {
        origins_.resize(3 * kChunk);
        candidates_.resize(kChunk);
        clear_.resize(kChunk);
    }
}

bool DirectionSweep::run(const Direction& direction, const std::atomic<bool>& stop,
                         std::complex<double>* amplitudes)
{
    const ScatteringModel& m = *model_;
    const Eigen::Vector3d& d = direction.towardsRadar;
    const double wx = 2.0 * m.waveNumber * d.x(), wy = 2.0 * m.waveNumber * d.y(), wz = 2.0 * m.waveNumber * d.z();
    const std::size_t vertices = m.vertexCount();
    const double* vx = m.vertexX.data();
    const double* vy = m.vertexY.data();
    const double* vz = m.vertexZ.data();
    double* phase = phase_.data();
#pragma omp simd
    for (std::size_t v = 0; v < vertices; ++v)
        phase[v] = wx * vx[v] + wy * vy[v] + wz * vz[v];
    sinCosBatch(phase, sin_.data(), cos_.data(), vertices);

    h_ = antenna_.polarisation(direction);
    // Written out: Eigen's cross product conjugates complex results.
    g_ = Vector3c(h_.y() * d.z() - h_.z() * d.y(), h_.z() * d.x() - h_.x() * d.z(), h_.x() * d.y() - h_.y() * d.x());
    hh_ = antenna_.selfProduct();

    std::fill(sums_.begin(), sums_.end(), std::complex<double>());
    std::size_t point = 0;
    const std::size_t facets = m.facetCount();
    for (std::size_t begin = 0; begin < facets; begin += kChunk) {
        if (stop.load(std::memory_order_relaxed))
            return false;
        const std::size_t count = std::min(kChunk, facets - begin);
        findLitFacets(begin, count, d);
        integrate(begin, count);
        if (!m.allPerfectConductors)
            reflect(begin, count);
        integrateNearDegenerate(begin, count);
        for (std::size_t i = 0; i < count; ++i) {
            while (begin + i >= m.cellBegin[point + 1])
                ++point;
            sums_[point] += std::complex<double>(re_[i], im_[i]);
        }
    }
    // A conductor-only model leaves ρ = h·h out of the facet loop.
    const double scale = (m.allPerfectConductors ? hh_ : 1.0) / m.wavelength;
    for (std::size_t p = 0; p < sums_.size(); ++p)
        amplitudes[p] = sums_[p] * scale;
    return true;
}

void DirectionSweep::findLitFacets(std::size_t begin, std::size_t count, const Eigen::Vector3d& d)
{
    const ScatteringModel& m = *model_;
    const double* nx = m.normalX.data() + begin;
    const double* ny = m.normalY.data() + begin;
    const double* nz = m.normalZ.data() + begin;
    double* mu = mu_.data();
    const double dx = d.x(), dy = d.y(), dz = d.z();
#pragma omp simd
    for (std::size_t i = 0; i < count; ++i)
        mu[i] = nx[i] * dx + ny[i] * dy + nz[i] * dz;

    if (!shadows_) {
        for (std::size_t i = 0; i < count; ++i)
            lit_[i] = mu[i] > 0.0;
        return;
    }
    // The side facing the radar is lit when the ray from just off its centroid escapes.
    std::size_t rays = 0;
    for (std::size_t i = 0; i < count; ++i) {
        lit_[i] = 0;
        if (mu[i] == 0.0)
            continue;
        const std::size_t f = begin + i;
        const double offset = mu[i] > 0.0 ? m.rayOffset : -m.rayOffset;
        origins_[3 * rays + 0] = float(m.centroidX[f] + offset * nx[i]);
        origins_[3 * rays + 1] = float(m.centroidY[f] + offset * ny[i]);
        origins_[3 * rays + 2] = float(m.centroidZ[f] + offset * nz[i]);
        candidates_[rays++] = std::uint32_t(i);
    }
    shadows_->findClear(origins_.data(), rays, d.cast<float>(), clear_.data());
    for (std::size_t r = 0; r < rays; ++r)
        lit_[candidates_[r]] = clear_[r];
}

void DirectionSweep::integrate(std::size_t begin, std::size_t count)
{
    const ScatteringModel& m = *model_;
    const std::uint32_t* c0 = m.corner0.data() + begin;
    const std::uint32_t* c1 = m.corner1.data() + begin;
    const std::uint32_t* c2 = m.corner2.data() + begin;
    const double* twiceArea = m.twiceArea.data() + begin;
    const double* phase = phase_.data();
    const double* cs = cos_.data();
    const double* sn = sin_.data();
    const double* mu = mu_.data();
    const std::uint8_t* lit = lit_.data();
    std::uint8_t* nearDegenerate = nearDegenerate_.data();
    double* re = re_.data();
    double* im = im_.data();
#pragma omp simd
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t v0 = c0[i], v1 = c1[i], v2 = c2[i];
        const double a = phase[v1] - phase[v0];
        const double b = phase[v2] - phase[v0];
        const double c = phase[v2] - phase[v1];
        const double smallest = std::min(std::min(std::fabs(a), std::fabs(b)), std::fabs(c));
        const bool closedForm = smallest >= kClosedFormMinDifference;
        const double scale = (lit[i] ? twiceArea[i] * std::fabs(mu[i]) : 0.0) / (closedForm ? a * b * c : 1.0);
        re[i] = scale * (-c * cs[v0] + b * cs[v1] - a * cs[v2]);
        im[i] = scale * (-c * sn[v0] + b * sn[v1] - a * sn[v2]);
        nearDegenerate[i] = lit[i] && !closedForm;
    }
}

void DirectionSweep::reflect(std::size_t begin, std::size_t count)
{
    const ScatteringModel& m = *model_;
    const double* nx = m.normalX.data() + begin;
    const double* ny = m.normalY.data() + begin;
    const double* nz = m.normalZ.data() + begin;
    const double* epsRe = m.epsilonRe.data() + begin;
    const double* epsIm = m.epsilonIm.data() + begin;
    const double* permeability = m.mu.data() + begin;
    const std::uint8_t* conductor = m.perfectConductor.data() + begin;
    const double* mu = mu_.data();
    double* re = re_.data();
    double* im = im_.data();
    double* rhoRe = rhoRe_.data();
    double* rhoIm = rhoIm_.data();
    const double hh = hh_;
    const double gxr = g_.x().real(), gyr = g_.y().real(), gzr = g_.z().real();
    const double gxi = g_.x().imag(), gyi = g_.y().imag(), gzi = g_.z().imag();
#pragma omp simd
    for (std::size_t i = 0; i < count; ++i) {
        const double c = std::fabs(mu[i]);
        const double s2 = 1.0 - c * c;
        const double mr = permeability[i];
        // k_z = √(μ_r ε_c − sin²θ), the root with Im k_z ≤ 0, computed without cancellation.
        const double zr = mr * epsRe[i] - s2, zi = mr * epsIm[i];
        const double modulus = std::sqrt(zr * zr + zi * zi);
        const double t = std::sqrt(0.5 * (modulus + std::fabs(zr)));
        const bool zero = modulus == 0.0;
        const double other = zero ? 0.0 : zi / (2.0 * t); // the root's other part
        const double kr = zr >= 0.0 ? t : -other;
        const double ki = zr >= 0.0 ? other : -t;
        // R_TE = (k_z − μ_r c)/(k_z + μ_r c)
        const double teNr = kr - mr * c, teDr = kr + mr * c;
        const double teDen = 1.0 / (teDr * teDr + ki * ki);
        const double teRe = (teNr * teDr + ki * ki) * teDen;
        const double teIm = (ki * teDr - teNr * ki) * teDen;
        // R_TM = (ε_c c − k_z)/(ε_c c + k_z)
        const double tmNr = epsRe[i] * c - kr, tmNi = epsIm[i] * c - ki;
        const double tmDr = epsRe[i] * c + kr, tmDi = epsIm[i] * c + ki;
        const double tmDen = 1.0 / (tmDr * tmDr + tmDi * tmDi);
        const double tmRe = (tmNr * tmDr + tmNi * tmDi) * tmDen;
        const double tmIm = (tmNi * tmDr - tmNr * tmDi) * tmDen;
        // (h·t̂)² = (g·n)² / (1 − c²); along the normal R_TE = R_TM and the term drops.
        const double gnr = gxr * nx[i] + gyr * ny[i] + gzr * nz[i];
        const double gni = gxi * nx[i] + gyi * ny[i] + gzi * nz[i];
        const double inverse = s2 > 1e-24 ? 1.0 / s2 : 0.0;
        const double qr = (gnr * gnr - gni * gni) * inverse, qi = 2.0 * gnr * gni * inverse;
        const double dr = teRe - tmRe, di = teIm - tmIm;
        double r = tmRe * hh + dr * qr - di * qi;
        double j = tmIm * hh + dr * qi + di * qr;
        r = conductor[i] ? hh : r;
        j = conductor[i] ? 0.0 : j;
        rhoRe[i] = r;
        rhoIm[i] = j;
        const double x = re[i], y = im[i];
        re[i] = x * r - y * j;
        im[i] = x * j + y * r;
    }
}

void DirectionSweep::integrateNearDegenerate(std::size_t begin, std::size_t count)
{
    const ScatteringModel& m = *model_;
    for (std::size_t i = 0; i < count; ++i) {
        if (!nearDegenerate_[i])
            continue;
        const std::size_t f = begin + i;
        const std::uint32_t v0 = m.corner0[f], v1 = m.corner1[f], v2 = m.corner2[f];
        const std::complex<double> F = nearDegenerateIntegral(
            phase_[v0], phase_[v1], phase_[v2], {cos_[v0], sin_[v0]}, {cos_[v1], sin_[v1]}, {cos_[v2], sin_[v2]});
        std::complex<double> value = m.twiceArea[f] * std::fabs(mu_[i]) * F;
        if (!m.allPerfectConductors)
            value *= std::complex<double>(rhoRe_[i], rhoIm_[i]);
        re_[i] = value.real();
        im_[i] = value.imag();
    }
}

} // namespace feltrane
