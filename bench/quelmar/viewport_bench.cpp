// Frames per second of the reference host's viewport in its real loop (the engine's thread hands
// each frame to this, the main, thread), for the demo scene and for a scene of about a million
// triangles, while a stand-in for the plug-in's GUI thread works the render object every 10 ms
// and notes how late it gets to run and how long its calls take.
//
//   quelmar_viewport_bench [SECONDS [demo|large]]   (default 10 s per scene, both; needs an X display)

#include "hostengine.h"
#include "hostlogger.h"
#include "viewport.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <sys/resource.h>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

const quelmar::Geodetic kOrigin{39.250498, -119.955377, 2980.0};

// A hilly 200 m square of `cells` × `cells` squares as a binary STL (body frame: x forward, y up).
void writeHills(const std::string& path, int cells)
{
    std::ofstream out(path, std::ios::binary);
    char header[80] = "quelmar viewport benchmark hills";
    out.write(header, sizeof header);
    const std::uint32_t count = std::uint32_t(cells) * std::uint32_t(cells) * 2;
    out.write(reinterpret_cast<const char*>(&count), 4);
    auto vertex = [&](int i, int j) {
        const float x = -100.0f + 200.0f * float(i) / float(cells);
        const float z = -100.0f + 200.0f * float(j) / float(cells);
        return std::array<float, 3>{x, 3.0f + 2.0f * std::sin(x / 9.0f) * std::cos(z / 7.0f), z};
    };
    auto triangle = [&](const std::array<float, 3>& a, const std::array<float, 3>& b, const std::array<float, 3>& c) {
        const float normal[3] = {0, 0, 0};
        out.write(reinterpret_cast<const char*>(normal), sizeof normal);
        for (const auto* v : {&a, &b, &c})
            out.write(reinterpret_cast<const char*>(v->data()), 12);
        const std::uint16_t attributes = 0;
        out.write(reinterpret_cast<const char*>(&attributes), 2);
    };
    for (int i = 0; i < cells; ++i)
        for (int j = 0; j < cells; ++j) {
            triangle(vertex(i, j), vertex(i, j + 1), vertex(i + 1, j + 1));
            triangle(vertex(i, j), vertex(i + 1, j + 1), vertex(i + 1, j));
        }
}

std::string writeLargeScene(const std::string& dir)
{
    writeHills(dir + "/hills.stl", 700); // 980,000 triangles
    std::ofstream xml(dir + "/large.xml");
    xml << "<scene>\n"
        << "  <origin lat=\"" << kOrigin.latitude << "\" lon=\"" << kOrigin.longitude << "\" alt=\"2980\"/>\n"
        << "  <materials><material xor=\"10\" epsilon=\"4\" sigma=\"0.01\" color=\"#8B6F47\"/>\n"
        << "             <material xor=\"21\" epsilon=\"1\" sigma=\"5.8e6\" color=\"#4A6A8A\"/></materials>\n"
        << "  <surface size=\"400\" material=\"0\" divisions=\"100\"/>\n" // 20,000 triangles
        << "  <camera><orbit radius=\"150\" height=\"80\" period=\"30\"/></camera>\n"
        << "  <object name=\"Hills\"><position lat=\"" << kOrigin.latitude << "\" lon=\"" << kOrigin.longitude
        << "\" alt=\"2980\"/><mesh path=\"hills.stl\" material=\"1\"/></object>\n"
        << "</scene>\n";
    return dir + "/large.xml";
}

// What the plug-in shows after opening a scene: one box per model, the current one highlighted,
// and the current model's markers.
void publishOverlay(quelmar::HostRender& render, int markers)
{
    const double lla[3] = {kOrigin.latitude, kOrigin.longitude, kOrigin.altitude};
    const double ypr[3] = {30, 0, 0};
    for (int b = 0; b < 3; ++b) {
        std::int32_t id = -1;
        render.CreateBox(&id);
        const double size[3] = {10.0 + 490.0 * b, 10.0, 10.0 + 490.0 * b};
        render.SetBoxGeometry(id, lla, ypr, size);
        const float orange[4] = {1.0f, 0.784f, 0.49f, 0.2f};
        render.SetBoxColor(id, orange);
        render.SetBoxState(id, b == 0 ? hostsdk::kStateHighlighted : hostsdk::kStateShown);
    }
    for (int m = 0; m < markers; ++m) {
        hostsdk::TRenderPoint point{std::cos(m) * 4.0, std::sin(m) * 4.0, 0.5 + (m % 7), 0.0, {0.f, 1.f, 1.f, 1.f}};
        std::int32_t index = -1;
        render.AddPoint(&point, &index);
    }
}

double processCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

struct Figures {
    double framesPerSecond = 0.0;
    double cpuPerFrame = 0.0; // ms of the process's CPU time (all threads): the machine's other load aside
    double lateP99 = 0.0, lateMax = 0.0; // ms past the GUI stand-in's 10 ms tick
    double callP99 = 0.0, callMax = 0.0; // ms per render-object call
};

double percentile(std::vector<double> values, double share)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, std::size_t(share * double(values.size())))];
}

Figures measure(const std::string& scene, int markers, double seconds)
{
    quelmar::HostLogger logger;
    logger.setEchoToStderr(false);
    quelmar::HostEngine engine(logger, 1000.0); // as fast as the viewport draws
    auto opened = quelmar::Viewport::open(engine, logger, {});
    if (!opened) {
        std::fprintf(stderr, "quelmar_viewport_bench: %s\n", opened.error().c_str());
        std::exit(1);
    }
    quelmar::Viewport& viewport = *opened.value();
    engine.loadInitialState(scene);
    engine.Run();
    while (engine.loadCount() == 0)
        viewport.serve(10ms);
    publishOverlay(engine.render(), markers);

    std::atomic<bool> running{true};
    std::vector<double> late, calls;
    std::thread gui([&] {
        auto tick = Clock::now();
        std::int32_t state = hostsdk::kStateShown;
        while (running) {
            tick += 10ms;
            std::this_thread::sleep_until(tick);
            const auto woke = Clock::now();
            late.push_back(std::chrono::duration<double, std::milli>(woke - tick).count());
            state = state == hostsdk::kStateShown ? hostsdk::kStateHighlighted : hostsdk::kStateShown;
            engine.render().SetPointState(0, state);
            double azimuth = 0, elevation = 0;
            const double camera[3] = {10, 10, 10};
            engine.render().GetViewAngles(0, camera, &azimuth, &elevation);
            calls.push_back(std::chrono::duration<double, std::milli>(Clock::now() - woke).count());
            if (Clock::now() - tick > 100ms)
                tick = Clock::now(); // no burst after a stall
        }
    });

    const auto warmUp = Clock::now() + 1s;
    while (Clock::now() < warmUp)
        viewport.serve(10ms);
    const std::uint64_t firstFrame = viewport.framesDrawn();
    const double cpuAtStart = processCpuSeconds();
    const auto start = Clock::now();
    const auto end = start + std::chrono::duration<double>(seconds);
    while (Clock::now() < end)
        viewport.serve(10ms);
    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    Figures figures;
    const double frames = double(viewport.framesDrawn() - firstFrame);
    figures.framesPerSecond = frames / elapsed;
    figures.cpuPerFrame = frames > 0 ? 1000.0 * (processCpuSeconds() - cpuAtStart) / frames : 0.0;
    running = false;
    gui.join();
    viewport.detach();
    engine.stop();
    figures.lateP99 = percentile(late, 0.99);
    figures.lateMax = percentile(late, 1.0);
    figures.callP99 = percentile(calls, 0.99);
    figures.callMax = percentile(calls, 1.0);
    return figures;
}

} // namespace

int main(int argc, char** argv)
{
    const double seconds = argc > 1 ? std::atof(argv[1]) : 10.0;
    const std::string only = argc > 2 ? argv[2] : "";
    char pattern[] = "/tmp/quelmar-bench-XXXXXX";
    const char* dir = mkdtemp(pattern);
    if (!dir || !(seconds > 0.0)) {
        std::fprintf(stderr, "usage: quelmar_viewport_bench [SECONDS [demo|large]]\n");
        return 1;
    }
    struct Run { const char* key; const char* name; std::string scene; int markers; double target; };
    const Run runs[] = {
        {"demo", "demo scene (377 triangles, 4 markers, 3 boxes)", KALMENO_DEMO_SCENE, 4, 30.0},
        {"large", "large scene (1,000,000 triangles, 10,000 markers, 3 boxes)",
         only == "demo" ? "" : writeLargeScene(dir), 10000, 5.0},
    };
    std::printf("%-62s %8s %8s %12s   %s\n", "", "frames/s", "target", "CPU ms/frame",
                "GUI stand-in: late p99/max, call p99/max (ms)");
    for (const Run& run : runs) {
        if (!only.empty() && only != run.key)
            continue;
        const Figures f = measure(run.scene, run.markers, seconds);
        std::printf("%-62s %8.1f %8.0f %12.1f   %.1f / %.1f, %.3f / %.3f\n", run.name, f.framesPerSecond,
                    run.target, f.cpuPerFrame, f.lateP99, f.lateMax, f.callP99, f.callMax);
        std::fflush(stdout);
    }
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
    return 0;
}
