#include "directionsweep.h"

#include "sincosbatch.h"
#include "triangleintegral.h"
#include "vectorclones.h"

#include <Eigen/Geometry>

#include <algorithm>
#include <cmath>

namespace feltrane {

namespace {

constexpr std::size_t kChunk = ScatteringModel::kChunk;

} // namespace

DirectionSweep::DirectionSweep(const ScatteringModel& model, const RayScene* shadows, const Antenna& antenna)
    : model_(&model),
      shadows_(shadows),
      antenna_(antenna),
      phase_(model.largestWindow),
      cos_(model.largestWindow),
      sin_(model.largestWindow)
{
    for (auto* v : {&a_, &b_, &e0r_, &e0i_, &e1r_, &e1i_, &e2r_, &e2i_, &mu_, &lit_, &nearDegenerate_, &re_, &im_,
                    &rhoRe_, &rhoIm_})
        v->resize(kChunk);
    if (shadows_) {
        origins_.resize(3 * kChunk);
        candidates_.resize(kChunk);
        clear_.resize(kChunk);
    }
}

bool DirectionSweep::run(const Direction* directions, std::size_t count, const std::atomic<bool>& stop,
                         std::complex<double>* amplitudes)
{
    const ScatteringModel& m = *model_;
    radars_.resize(count);
    for (std::size_t k = 0; k < count; ++k) {
        const Eigen::Vector3d& d = directions[k].towardsRadar;
        const Vector3c h = antenna_.polarisation(directions[k]);
        Radar& radar = radars_[k];
        radar.d = d;
        radar.wx = 2.0 * m.waveNumber * d.x(), radar.wy = 2.0 * m.waveNumber * d.y();
        radar.wz = 2.0 * m.waveNumber * d.z();
        radar.hh = antenna_.selfProduct();
        // Written out: Eigen's cross product conjugates complex results.
        radar.gx = h.y() * d.z() - h.z() * d.y();
        radar.gy = h.z() * d.x() - h.x() * d.z();
        radar.gz = h.x() * d.y() - h.y() * d.x();
    }
    const std::size_t points = m.pointCount();
    std::fill(amplitudes, amplitudes + count * points, std::complex<double>());
    for (const ScatteringModel::Chunk& chunk : m.chunks) {
        if (stop.load(std::memory_order_relaxed))
            return false;
        for (std::size_t k = 0; k < count; ++k) {
            const Radar& radar = radars_[k];
            phases(chunk, radar);
            findLitFacets(chunk, radar);
            integrate(chunk);
            if (!m.allPerfectConductors)
                reflect(chunk, radar);
            integrateNearDegenerate(chunk);
            accumulate(chunk, amplitudes + k * points);
        }
    }
    for (std::size_t k = 0; k < count; ++k) {
        // A conductor-only model leaves ρ = h·h out of the facet loop.
        const double scale = (m.allPerfectConductors ? radars_[k].hh : 1.0) / m.wavelength;
        for (std::size_t p = 0; p < points; ++p)
            amplitudes[k * points + p] *= scale;
    }
    return true;
}

PLATFORM_VECTOR_CLONES void DirectionSweep::phases(const ScatteringModel::Chunk& chunk, const Radar& radar)
{
    const ScatteringModel& m = *model_;
    const std::size_t count = chunk.vertexEnd - chunk.vertexBegin;
    const double* vx = m.vertexX.data() + chunk.vertexBegin;
    const double* vy = m.vertexY.data() + chunk.vertexBegin;
    const double* vz = m.vertexZ.data() + chunk.vertexBegin;
    double* phase = phase_.data();
    const double wx = radar.wx, wy = radar.wy, wz = radar.wz;
#pragma omp simd
    for (std::size_t v = 0; v < count; ++v)
        phase[v] = wx * vx[v] + wy * vy[v] + wz * vz[v];
    sinCosBatch(phase, sin_.data(), cos_.data(), count);
}

PLATFORM_VECTOR_CLONES void DirectionSweep::findLitFacets(const ScatteringModel::Chunk& chunk, const Radar& radar)
{
    const ScatteringModel& m = *model_;
    const std::size_t begin = chunk.facetBegin, count = chunk.facetEnd - chunk.facetBegin;
    const double* nx = m.normalX.data() + begin;
    const double* ny = m.normalY.data() + begin;
    const double* nz = m.normalZ.data() + begin;
    double* mu = mu_.data();
    double* lit = lit_.data();
    const double dx = radar.d.x(), dy = radar.d.y(), dz = radar.d.z();
#pragma omp simd
    for (std::size_t i = 0; i < count; ++i) {
        mu[i] = nx[i] * dx + ny[i] * dy + nz[i] * dz;
        lit[i] = mu[i] > 0.0 ? 1.0 : 0.0;
    }
    if (!shadows_)
        return;
    // The side facing the radar is lit when the ray from just off its centroid escapes; the
    // inside of a closed surface never is.
    const std::int8_t* inner = m.innerSide.data() + begin;
    std::size_t rays = 0;
    for (std::size_t i = 0; i < count; ++i) {
        lit[i] = 0.0;
        const int side = mu[i] > 0.0 ? 1 : -1;
        if (mu[i] == 0.0 || side == inner[i])
            continue;
        const std::size_t f = begin + i;
        const double offset = side * m.rayOffset;
        origins_[3 * rays + 0] = float(m.centroidX[f] + offset * nx[i]);
        origins_[3 * rays + 1] = float(m.centroidY[f] + offset * ny[i]);
        origins_[3 * rays + 2] = float(m.centroidZ[f] + offset * nz[i]);
        candidates_[rays++] = std::uint32_t(i);
    }
    shadows_->findClear(origins_.data(), rays, radar.d.cast<float>(), clear_.data());
    for (std::size_t r = 0; r < rays; ++r)
        lit[candidates_[r]] = clear_[r] ? 1.0 : 0.0;
}

PLATFORM_VECTOR_CLONES void DirectionSweep::integrate(const ScatteringModel::Chunk& chunk)
{
    const ScatteringModel& m = *model_;
    const std::size_t begin = chunk.facetBegin, count = chunk.facetEnd - chunk.facetBegin;
    const std::uint32_t* c0 = m.corner0.data() + begin;
    const std::uint32_t* c1 = m.corner1.data() + begin;
    const std::uint32_t* c2 = m.corner2.data() + begin;
    // Gathered first, so the arithmetic below runs on contiguous arrays.
    const std::uint32_t base = chunk.vertexBegin;
    const double *phase = phase_.data(), *cs = cos_.data(), *sn = sin_.data();
    double *pa = a_.data(), *pb = b_.data();
    double *e0r = e0r_.data(), *e0i = e0i_.data(), *e1r = e1r_.data(), *e1i = e1i_.data();
    double *e2r = e2r_.data(), *e2i = e2i_.data();
#pragma omp simd
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t v0 = c0[i] - base, v1 = c1[i] - base, v2 = c2[i] - base;
        pa[i] = phase[v1] - phase[v0];
        pb[i] = phase[v2] - phase[v0];
        e0r[i] = cs[v0], e0i[i] = sn[v0];
        e1r[i] = cs[v1], e1i[i] = sn[v1];
        e2r[i] = cs[v2], e2i[i] = sn[v2];
    }
    const double* twiceArea = m.twiceArea.data() + begin;
    const double* mu = mu_.data();
    const double* lit = lit_.data();
    double* nearDegenerate = nearDegenerate_.data();
    double* re = re_.data();
    double* im = im_.data();
#pragma omp simd
    for (std::size_t i = 0; i < count; ++i) {
        const double a = pa[i], b = pb[i], c = b - a;
        const double smallest = std::min(std::min(std::fabs(a), std::fabs(b)), std::fabs(c));
        const bool closedForm = smallest >= kClosedFormMinDifference;
        const double weight = twiceArea[i] * std::fabs(mu[i]);
        const double scale = lit[i] * weight / (closedForm ? a * b * c : 1.0);
        re[i] = scale * (-c * e0r[i] + b * e1r[i] - a * e2r[i]);
        im[i] = scale * (-c * e0i[i] + b * e1i[i] - a * e2i[i]);
        nearDegenerate[i] = closedForm ? 0.0 : lit[i];
    }
}

PLATFORM_VECTOR_CLONES void DirectionSweep::reflect(const ScatteringModel::Chunk& chunk, const Radar& radar)
{
    const ScatteringModel& m = *model_;
    const std::size_t begin = chunk.facetBegin, count = chunk.facetEnd - chunk.facetBegin;
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
    const double hh = radar.hh;
    const double gxr = radar.gx.real(), gyr = radar.gy.real(), gzr = radar.gz.real();
    const double gxi = radar.gx.imag(), gyi = radar.gy.imag(), gzi = radar.gz.imag();
#pragma omp simd
    for (std::size_t i = 0; i < count; ++i) {
        const double c = std::fabs(mu[i]);
        const double s2 = 1.0 - c * c;
        const double mr = permeability[i];
        // k_z = √(μ_r ε_c − sin²θ), the root with Im k_z ≤ 0, computed without cancellation.
        const double zr = mr * epsRe[i] - s2, zi = mr * epsIm[i];
        const double modulus = std::sqrt(zr * zr + zi * zi);
        const double t = std::sqrt(0.5 * (modulus + std::fabs(zr)));
        const double other = zi / (2.0 * (modulus == 0.0 ? 1.0 : t)); // the root's other part
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
        const double inverse = (s2 > 1e-24 ? 1.0 : 0.0) / (s2 > 1e-24 ? s2 : 1.0);
        const double qr = (gnr * gnr - gni * gni) * inverse, qi = 2.0 * gnr * gni * inverse;
        const double dr = teRe - tmRe, di = teIm - tmIm;
        const double r = conductor[i] ? hh : tmRe * hh + dr * qr - di * qi;
        const double j = conductor[i] ? 0.0 : tmIm * hh + dr * qi + di * qr;
        rhoRe[i] = r;
        rhoIm[i] = j;
        const double x = re[i], y = im[i];
        re[i] = x * r - y * j;
        im[i] = x * j + y * r;
    }
}

void DirectionSweep::integrateNearDegenerate(const ScatteringModel::Chunk& chunk)
{
    const ScatteringModel& m = *model_;
    const std::size_t begin = chunk.facetBegin, count = chunk.facetEnd - chunk.facetBegin;
    for (std::size_t i = 0; i < count; ++i) {
        if (nearDegenerate_[i] == 0.0)
            continue;
        const std::size_t f = begin + i;
        const std::complex<double> F =
            nearDegenerateIntegral(0.0, a_[i], b_[i], {e0r_[i], e0i_[i]}, {e1r_[i], e1i_[i]}, {e2r_[i], e2i_[i]});
        std::complex<double> value = m.twiceArea[f] * std::fabs(mu_[i]) * F;
        if (!m.allPerfectConductors)
            value *= std::complex<double>(rhoRe_[i], rhoIm_[i]);
        re_[i] = value.real();
        im_[i] = value.imag();
    }
}

void DirectionSweep::accumulate(const ScatteringModel::Chunk& chunk, std::complex<double>* sums)
{
    const ScatteringModel& m = *model_;
    for (std::uint32_t p = chunk.firstPoint; p < m.pointCount() && m.cellBegin[p] < chunk.facetEnd; ++p) {
        const std::size_t from = std::max(m.cellBegin[p], chunk.facetBegin) - chunk.facetBegin;
        const std::size_t to = std::min(m.cellBegin[p + 1], chunk.facetEnd) - chunk.facetBegin;
        double sr = 0.0, si = 0.0;
        const double* re = re_.data();
        const double* im = im_.data();
#pragma omp simd reduction(+ : sr, si)
        for (std::size_t i = from; i < to; ++i) {
            sr += re[i];
            si += im[i];
        }
        sums[p] += std::complex<double>(sr, si);
    }
}

} // namespace feltrane
