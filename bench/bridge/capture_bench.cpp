// Preparing one frame's capture while the host's frame waits: every record is tested against the
// box and every kept vertex converted through the reference host's render object, one call each.

#include <materiallink.h>
#include <trianglepreparation.h>

#include <feedbackwriter.h>
#include <hostrender.h>

#include <benchmark/benchmark.h>

#include <vector>

namespace {

// `count` records over a 200 m square; the box holds the middle `keptShare` of them.
struct Frame {
    Frame(int count, double keptShare)
    {
        const quelmar::Geodetic origin{39.25, -119.95, 2980.0};
        render.setSceneFrame(quelmar::EnuFrame(origin));
        render.CreateBox(&box);
        const double lla[3] = {origin.latitude, origin.longitude, origin.altitude};
        const double ypr[3] = {0.0, 0.0, 0.0};
        const double size[3] = {200.0 * keptShare, 50.0, 1000.0};
        render.SetBoxGeometry(box, lla, ypr, size);
        records.resize(std::size_t(count) * quelmar::feedbackRecordSize);
        for (int i = 0; i < count; ++i) {
            const double north = -100.0 + 200.0 * i / count;
            const quelmar::SceneTriangle t{{0, north, 0}, {0.1, north, 0}, {0, north + 0.1, 0}, i % 3};
            quelmar::writeFeedbackRecord(t, records.data() + std::size_t(i) * quelmar::feedbackRecordSize);
        }
        for (std::uint32_t m = 0; m < 3; ++m)
            materials.push_back({m, 1.0f + m, 0.5f, 1.0f, m, 0u, {}});
    }

    quelmar::HostRender render;
    std::int32_t box = -1;
    std::vector<unsigned char> records;
    std::vector<hostsdk::TXorMaterial> materials;
};

void PrepareCapture(benchmark::State& state)
{
    const int count = int(state.range(0));
    Frame frame(count, state.range(1) / 100.0);
    std::size_t kept = 0;
    for (auto _ : state) {
        const TCapture capture = bridge::prepareCapturedTriangles(
            frame.records.data(), std::int32_t(frame.records.size()), &frame.render, frame.box,
            bridge::MaterialLink(true, frame.materials));
        kept = capture.capturedTriangles.size();
        benchmark::DoNotOptimize(capture.capturedVertices.data());
    }
    state.SetItemsProcessed(std::int64_t(state.iterations()) * count);
    state.counters["kept"] = double(kept);
}

// Records received, percent of them in the box.
BENCHMARK(PrepareCapture)->Args({100000, 0})->Args({100000, 100})->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
