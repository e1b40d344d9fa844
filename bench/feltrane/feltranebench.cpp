// The computation on a closed body of about 100,000 triangles (a torus: not convex, so shadow
// rays have work to do) on a 5° grid. Reports facet-direction evaluations per second of the
// single reflections with and without shadowing on one and two threads, the plain per-facet,
// per-direction loop of the same formulas, and the memory a run holds beyond the pack and its
// output, per triangle: the peak of the heap (every operator new of the process is counted here)
// plus the peak of the ray tracer. Then the multiple reflections: bouncing-ray segments traced per
// second on a 90° dihedral and on the torus, one and two threads.
//
//   bench_feltrane [RINGS [SEGMENTS]]     default 250 200 (100,000 triangles)

#include "cellpartition.h"
#include "facetmesh.h"
#include "mtmcomputation.h"
#include "packview.h"
#include "physicalconstants.h"
#include "referenceloop.h"

#include <malloc.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <limits>
#include <new>
#include <vector>

// The heap of the whole process, counted, with its peak.
std::atomic<std::size_t> heapBytes{0};
std::atomic<std::size_t> heapPeak{0};

void* countedAllocation(std::size_t size)
{
    void* block = std::malloc(size ? size : 1);
    if (!block)
        throw std::bad_alloc();
    const std::size_t now = heapBytes.fetch_add(malloc_usable_size(block)) + malloc_usable_size(block);
    std::size_t peak = heapPeak.load();
    while (now > peak && !heapPeak.compare_exchange_weak(peak, now)) {
    }
    return block;
}

void countedRelease(void* block) noexcept
{
    if (!block)
        return;
    heapBytes.fetch_sub(malloc_usable_size(block));
    std::free(block);
}

void* operator new(std::size_t size) { return countedAllocation(size); }
void* operator new[](std::size_t size) { return countedAllocation(size); }
void operator delete(void* block) noexcept { countedRelease(block); }
void operator delete[](void* block) noexcept { countedRelease(block); }
void operator delete(void* block, std::size_t) noexcept { countedRelease(block); }
void operator delete[](void* block, std::size_t) noexcept { countedRelease(block); }

namespace {

using feltrane::kPi;

struct Body {
    std::vector<TFcoVertex> vertices;
    std::vector<TFcoTriangle> triangles;
    TFcoMtm pack{};
};

// A torus around y (radii 1.5 m and 0.5 m), two triangles per quad, in the capture's layout:
// three vertices of its own per triangle, (A − B) × (C − B) pointing out.
void setPack(Body& body, double step);

void makeTorus(Body& body, int rings, int segments, float sigma)
{
    auto at = [&](int i, int j) {
        const double u = 2 * kPi * i / rings, v = 2 * kPi * j / segments;
        const double r = 1.5 + 0.5 * std::cos(v);
        return TFcoVertex{r * std::cos(u), 0.5 * std::sin(v), -r * std::sin(u)};
    };
    auto add = [&](const TFcoVertex& a, const TFcoVertex& b, const TFcoVertex& c) {
        const auto first = std::int32_t(body.vertices.size());
        body.vertices.insert(body.vertices.end(), {a, c, b});
        TFcoTriangle t{};
        t.a = first, t.b = first + 1, t.c = first + 2;
        t.epsilon = 10.0f, t.sigma = sigma, t.mu = 1.0f;
        body.triangles.push_back(t);
    };
    for (int i = 0; i < rings; ++i)
        for (int j = 0; j < segments; ++j) {
            const TFcoVertex p00 = at(i, j), p10 = at(i + 1, j), p11 = at(i + 1, j + 1), p01 = at(i, j + 1);
            add(p00, p10, p11);
            add(p00, p11, p01);
        }
    setPack(body, 5.0);
}

void setPack(Body& body, double step)
{
    TFcoMtm& p = body.pack;
    p.countX = p.countY = p.countZ = 10;
    p.psiStep = p.tetaStep = step;
    p.waveLength = 0.03;
    p.vertexCount = std::uint32_t(body.vertices.size());
    p.triangleCount = std::uint32_t(body.triangles.size());
    p.vertices = body.vertices.data();
    p.triangles = body.triangles.data();
}

// Two perfectly conducting 1.5 m × 1.5 m plates at 90°, the fold along y, two triangles each.
void makeDihedral(Body& body, double step)
{
    const double s = 1.5 / std::sqrt(2.0);
    const TFcoVertex quads[2][4] = {{{0, -0.75, 0}, {s, -0.75, s}, {s, 0.75, s}, {0, 0.75, 0}},
                                    {{0, -0.75, 0}, {0, 0.75, 0}, {s, 0.75, -s}, {s, -0.75, -s}}};
    for (const auto& q : quads)
        for (const int first : {1, 2}) {
            const auto index = std::int32_t(body.vertices.size());
            body.vertices.insert(body.vertices.end(), {q[0], q[first], q[first + 1]});
            TFcoTriangle t{};
            t.a = index, t.b = index + 1, t.c = index + 2;
            t.epsilon = 1.0f, t.sigma = std::numeric_limits<float>::infinity(), t.mu = 1.0f;
            body.triangles.push_back(t);
        }
    setPack(body, step);
}

double seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// CPU seconds of the whole process: on a shared machine the wall time also counts waiting.
double processorSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec + now.tv_nsec * 1e-9;
}

struct Timing {
    double wall = 0.0;
    double processor = 0.0;
    double directions = 0.0;
    feltrane::ComputationFootprint footprint;
};

// One whole computation (meshing, cells and ray tracer included), timed.
Timing timed(Body& body, const feltrane::PackOptions& options)
{
    feltrane::writePackOptions(body.pack, options);
    const auto view = feltrane::PackView::read(&body.pack);
    if (!view) {
        std::fprintf(stderr, "bench_feltrane: %s\n", view.error().c_str());
        std::exit(1);
    }
    feltrane::RunControl control;
    control.begin();
    Timing timing;
    const auto start = std::chrono::steady_clock::now();
    const double processorStart = processorSeconds();
    const auto result = feltrane::computeMtm(view.value(), control, &timing.footprint);
    timing.wall = seconds(start);
    timing.processor = processorSeconds() - processorStart;
    if (!result) {
        std::fprintf(stderr, "bench_feltrane: %s\n", result.error().c_str());
        std::exit(1);
    }
    const std::uint32_t a = result->countAz(), e = result->countEl();
    timing.directions = double(a - 1) * (e - 2) + 2; // the repeated samples are copied
    return timing;
}

// Single-reflection evaluations per second.
void timeRun(Body& body, bool shadowing, unsigned threads, const char* what)
{
    feltrane::PackOptions options;
    options.shadowing = shadowing;
    options.threads = threads;
    options.bounces = 1;
    const Timing t = timed(body, options);
    const double evaluations = double(t.footprint.facets) * t.directions;
    std::printf("%-38s %u thread%s %7.2f s %9.3g /s   CPU %7.2f s %9.3g /CPU-s\n", what, threads,
                threads == 1 ? " " : "s", t.wall, evaluations / t.wall, t.processor, evaluations / t.processor);
}

// Bouncing-ray segments per second: the whole run's, and the rays' alone (the run less the same
// run with single reflections only).
void timeBouncing(Body& body, unsigned threads, const char* what)
{
    feltrane::PackOptions options;
    options.threads = threads;
    options.bounces = 1;
    const Timing single = timed(body, options);
    options.bounces = feltrane::kDefaultBounces;
    const Timing t = timed(body, options);
    const double segments = double(t.footprint.raySegments);
    const double rays = t.wall - single.wall, raysProcessor = t.processor - single.processor;
    std::printf("%-28s %u thread%s run %6.2f s %9.3g segments/s; rays alone %6.2f s %9.3g /s, CPU %9.3g /CPU-s "
                "(%.3g segments, %.3g per direction, %.3g return rays)\n",
                what, threads, threads == 1 ? " " : "s", t.wall, segments / t.wall, rays, segments / rays,
                segments / raysProcessor, segments, segments / t.directions, double(t.footprint.returnRays));
}

void timeReference(Body& body)
{
    const auto view = feltrane::PackView::read(&body.pack);
    const auto mesh = feltrane::FacetMesh::fromPack(view.value());
    const auto cells = feltrane::partitionIntoCells(mesh.value(), 10, 10, 10);
    std::vector<feltrane::Material> materials;
    for (const auto& m : mesh->materials())
        materials.push_back(feltrane::Material::at(m.epsilon, m.sigma, m.mu, body.pack.waveLength));
    const feltrane::Antenna antenna(0.0, 0.0);
    constexpr int directions = 24;
    const auto start = std::chrono::steady_clock::now();
    const double processorStart = processorSeconds();
    double sink = 0;
    for (int k = 0; k < directions; ++k) {
        const auto d = view->grid().direction(3 * k, 1 + k % 35);
        for (const auto& v : feltrane::referenceAmplitudes(mesh.value(), cells, materials, body.pack.waveLength,
                                                           antenna, d))
            sink += std::abs(v);
    }
    const double time = seconds(start);
    const double processor = processorSeconds() - processorStart;
    const double evaluations = double(mesh->facets().size()) * directions;
    std::printf("%-38s 1 thread  %7.2f s %9.3g /s   CPU %7.2f s %9.3g /CPU-s (%d directions%s)\n",
                "plain loop, one-sided", time, evaluations / time, processor, evaluations / processor, directions,
                sink > 0 ? "" : ", all zero");
}

// In a run of its own: the peak heap beyond the pack and the output, plus Embree's peak.
void measureMemory(Body& body, bool shadowing, std::uint32_t bounces)
{
    feltrane::PackOptions options;
    options.shadowing = shadowing;
    options.bounces = bounces;
    feltrane::writePackOptions(body.pack, options);
    const auto view = feltrane::PackView::read(&body.pack);
    feltrane::RunControl control;
    control.begin();
    feltrane::ComputationFootprint footprint;
    const std::size_t before = heapBytes.load();
    heapPeak.store(before);
    const auto result = feltrane::computeMtm(view.value(), control, &footprint);
    if (!result) {
        std::fprintf(stderr, "bench_feltrane: %s\n", result.error().c_str());
        std::exit(1);
    }
    const double output = double(heapBytes.load() - before);
    const double extra = double(heapPeak.load() - before) - output + double(footprint.rayTracerPeakBytes);
    std::printf("memory beyond pack and output, %-9s %5.0f bytes per triangle (sweep arrays %.0f, "
                "ray tracer %.0f at its peak; output %.1f MB)\n",
                bounces > 1 ? "bouncing" : shadowing ? "shadowing" : "one-sided", extra / body.triangles.size(),
                double(footprint.modelBytes) / body.triangles.size(),
                double(footprint.rayTracerPeakBytes) / body.triangles.size(), output / 1e6);
}

} // namespace

int main(int argc, char** argv)
{
    const int rings = argc > 1 ? std::atoi(argv[1]) : 250;
    const int segments = argc > 2 ? std::atoi(argv[2]) : 200;
    std::printf("torus of %d triangles, 5 degree grid (73 x 37), 10 x 10 x 10 cells, wavelength 3 cm\n",
                2 * rings * segments);
    Body conductor;
    makeTorus(conductor, rings, segments, std::numeric_limits<float>::infinity());
    Body defaults;
    makeTorus(defaults, rings, segments, 1e10f);
    for (const unsigned threads : {1u, 2u})
        timeRun(conductor, false, threads, "perfect conductor, no shadowing");
    for (const unsigned threads : {1u, 2u})
        timeRun(conductor, true, threads, "perfect conductor, shadowing");
    timeRun(defaults, false, 2, "capture's default material, no shad.");
    timeRun(defaults, true, 2, "capture's default material, shadowing");
    timeReference(conductor);
    measureMemory(conductor, false, 1);
    measureMemory(conductor, true, 1);

    std::printf("multiple reflections: up to %u per ray, %.0f rays per wavelength, wavelength 3 cm, 10 degree grid\n",
                unsigned(feltrane::kDefaultBounces), feltrane::kDefaultRayDensity);
    Body dihedral;
    makeDihedral(dihedral, 10.0);
    setPack(conductor, 10.0);
    for (const unsigned threads : {1u, 2u})
        timeBouncing(dihedral, threads, "dihedral 1.5 m, 4 triangles");
    for (const unsigned threads : {1u, 2u})
        timeBouncing(conductor, threads, "torus, perfect conductor");
    measureMemory(conductor, true, feltrane::kDefaultBounces);
    return 0;
}
