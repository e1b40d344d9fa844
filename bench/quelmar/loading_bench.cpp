// Loading what an attacker may make as large as he likes: one OBJ polygon of N corners, many
// polygons at the size up to which Assimp's ear clipping splits them, and a scene of N objects.
// The time must grow in proportion to N (Google Benchmark fits the complexity). Meshes are imported
// on a thread of their own: real time counts.

#include "meshloader.h"
#include "sceneloader.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

std::string writeObj(const std::string& name, int polygons, int corners)
{
    const std::string path = "/tmp/meshload_bench_" + std::to_string(getpid()) + "_" + name + ".obj";
    std::ofstream obj(path);
    for (int p = 0; p < polygons; ++p)
        for (int i = 0; i < corners; ++i) {
            // A star: every other corner pulled in, so the polygon is concave.
            const double radius = i % 2 ? 0.5 : 1.0;
            obj << "v " << radius * std::cos(6.283185307 * i / corners) << ' '
                << radius * std::sin(6.283185307 * i / corners) << ' ' << p << '\n';
        }
    for (int p = 0; p < polygons; ++p) {
        obj << 'f';
        for (int i = 1; i <= corners; ++i)
            obj << ' ' << p * corners + i;
        obj << '\n';
    }
    return path;
}

void load(benchmark::State& state, int polygons, int corners)
{
    const std::string path = writeObj(std::to_string(polygons) + "x" + std::to_string(corners), polygons, corners);
    for (auto _ : state) {
        auto triangles = quelmar::loadMeshTriangles(path);
        if (!triangles) {
            state.SkipWithError(triangles.error().c_str());
            break;
        }
        benchmark::DoNotOptimize(triangles->data());
    }
    std::remove(path.c_str());
    state.SetComplexityN(std::int64_t(polygons) * corners);
    state.counters["corners/s"] = benchmark::Counter(double(polygons) * corners, benchmark::Counter::kIsIterationInvariantRate);
}

void OnePolygon(benchmark::State& state)
{
    load(state, 1, int(state.range(0)));
}

void PolygonsOf64Corners(benchmark::State& state)
{
    load(state, int(state.range(0)) / 64, 64);
}

// N objects with names of their own, each placed somewhere else, all using one small mesh.
void SceneOfObjects(benchmark::State& state)
{
    const std::string folder = "/tmp/sceneload_bench_" + std::to_string(getpid());
    std::system(("mkdir -p " + folder).c_str());
    std::ofstream(folder + "/triangle.obj") << "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n";
    {
        std::ofstream scene(folder + "/scene.xml");
        scene << "<scene>\n";
        for (std::int64_t i = 0; i < state.range(0); ++i)
            scene << "<object name=\"object " << i << "\"><position lat=\"" << (i % 1000) * 1e-4 << "\" lon=\""
                  << (i / 1000) * 1e-4 << "\"/><mesh path=\"triangle.obj\"/></object>\n";
        scene << "</scene>\n";
    }
    for (auto _ : state) {
        auto scene = quelmar::loadScene(folder + "/scene.xml", nullptr);
        if (!scene || scene->objects.size() != std::size_t(state.range(0))) {
            state.SkipWithError("the scene did not load whole");
            break;
        }
    }
    std::system(("rm -rf " + folder).c_str());
    state.SetComplexityN(state.range(0));
}

} // namespace

BENCHMARK(SceneOfObjects)->RangeMultiplier(2)->Range(12500, 100000)->Unit(benchmark::kMillisecond)->UseRealTime()->Complexity(benchmark::oN);
BENCHMARK(OnePolygon)->RangeMultiplier(2)->Range(25000, 200000)->Unit(benchmark::kMillisecond)->UseRealTime()->Complexity(benchmark::oN);
BENCHMARK(PolygonsOf64Corners)->RangeMultiplier(2)->Range(25600, 204800)->Unit(benchmark::kMillisecond)->UseRealTime()->Complexity(benchmark::oN);

BENCHMARK_MAIN();
