#include "command.h"
#include "computationbinding.h"
#include "console.h"
#include "directiongrid.h"
#include "dynamiclibrary.h"
#include "filereplacement.h"
#include "material.h"
#include "meshfile.h"
#include "meshpack.h"
#include "modelsettings.h"
#include "mtmfile.h"
#include "namedmaterials.h"
#include "packview.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <future>
#include <limits>
#include <ostream>

namespace mtm {

namespace {

// Everything the command line asks for, checked.
struct GenerateRequest {
    std::string mesh;
    std::string output;
    double wavelength = 0.0;
    double azimuthStep = 0.0;
    double elevationStep = 0.0;
    std::uint32_t cells[3] = {10, 10, 10};
    PackMaterial material{1.0f, std::numeric_limits<float>::infinity(), 1.0f};
    std::string materialNote; // a model used outside its range
    double ellipticity = 0.0;
    double orientation = 0.0;
    UpAxis up = UpAxis::Y;
    double scale = 1.0;
    feltrane::PackOptions options;
    std::optional<RowSlab> rows;
};

kalmeno::Result<double> required(const CommandLine& line, const char* option)
{
    const auto text = line.value(option);
    if (!text)
        return kalmeno::Result<double>::failure(std::string("give ") + option);
    const auto value = parseReal(*text);
    if (!value)
        return kalmeno::Result<double>::failure(std::string(option) + ": " + value.error());
    return value;
}

kalmeno::Status readMaterial(const std::string& text, GenerateRequest& request)
{
    using S = kalmeno::Status;
    if (text.find(',') == std::string::npos) {
        const auto named = feltrane::namedMaterial(text, request.wavelength);
        if (!named)
            return S::failure("--material: " + named.error());
        request.material = {float(named->epsilon), float(named->sigma), float(named->mu)};
        if (!named->inValidRange)
            request.materialNote = "the model of " + text + " (" + named->source + ") is used at " +
                                   std::to_string(299792458.0 / request.wavelength / 1e9) + " GHz, outside its range";
        return S::success();
    }
    const auto values = parseReals(text, 3);
    if (!values)
        return S::failure("--material: " + values.error());
    const S physical = feltrane::checkMaterial(values.value()[0], values.value()[1], values.value()[2]);
    if (!physical)
        return S::failure("--material: " + physical.error());
    request.material = {float(values.value()[0]), float(values.value()[1]), float(values.value()[2])};
    return S::success();
}

kalmeno::Status readRows(const std::string& text, const feltrane::DirectionGrid& grid, GenerateRequest& request)
{
    using S = kalmeno::Status;
    const auto colon = text.find(':');
    const auto first = parseIndex(text.substr(0, colon));
    const auto last = colon == std::string::npos ? first : parseIndex(text.substr(colon + 1));
    if (colon == std::string::npos || !first || !last)
        return S::failure("--rows: \"" + text + "\" is not FIRST:LAST");
    if (last.value() < first.value() || last.value() >= grid.countAz())
        return S::failure("--rows: the grid has azimuth rows 0 to " + std::to_string(grid.countAz() - 1));
    request.rows = RowSlab{first.value(), last.value()};
    request.options.firstRow = first.value();
    request.options.rowCount = last.value() - first.value() + 1;
    return S::success();
}

kalmeno::Result<GenerateRequest> readRequest(const CommandLine& line)
{
    using R = kalmeno::Result<GenerateRequest>;
    GenerateRequest request;
    request.mesh = line.operand(0);
    const auto output = line.value("-o");
    if (!output || output->empty())
        return R::failure("give -o OUT.mtm");
    request.output = *output;
    const auto wavelength = required(line, "--wavelength");
    const auto azimuth = required(line, "--az-step");
    const auto elevation = required(line, "--el-step");
    for (const auto* value : {&wavelength, &azimuth, &elevation})
        if (!*value)
            return R::failure(value->error());
    request.wavelength = wavelength.value();
    if (!(request.wavelength > 0.0))
        return R::failure("--wavelength must be above 0");
    request.azimuthStep = azimuth.value();
    request.elevationStep = elevation.value();
    const auto grid = feltrane::DirectionGrid::fromSteps(request.azimuthStep, request.elevationStep);
    if (!grid)
        return R::failure(grid.error());

    if (const auto cells = line.value("--cells")) {
        const auto values = parseReals(*cells, 3);
        if (!values)
            return R::failure("--cells: " + values.error());
        for (int k = 0; k < 3; ++k) {
            const double v = values.value()[k];
            if (!(v >= 1.0 && v <= 2147483647.0 && std::floor(v) == v))
                return R::failure("--cells: counts are whole numbers from 1");
            request.cells[k] = std::uint32_t(v);
        }
    }
    if (const auto material = line.value("--material")) {
        const kalmeno::Status read = readMaterial(*material, request);
        if (!read)
            return R::failure(read.error());
    }
    if (const auto polarisation = line.value("--polarisation")) {
        const auto values = parseReals(*polarisation, 2);
        if (!values)
            return R::failure("--polarisation: " + values.error());
        request.ellipticity = values.value()[0];
        request.orientation = values.value()[1];
    }
    if (const auto up = line.value("--up")) {
        if (*up != "y" && *up != "z")
            return R::failure("--up is y or z");
        request.up = *up == "z" ? UpAxis::Z : UpAxis::Y;
    }
    if (line.has("--scale")) {
        const auto scale = required(line, "--scale");
        if (!scale || !(scale.value() > 0.0))
            return R::failure("--scale must be a number above 0");
        request.scale = scale.value();
    }
    request.options.shadowing = !line.has("--no-shadowing");
    if (const auto threads = line.value("--threads")) {
        const auto count = parseIndex(*threads);
        if (!count || count.value() > 4096)
            return R::failure("--threads: \"" + *threads + "\" is not a thread count (0: one per core)");
        request.options.threads = count.value();
    }
    if (const auto bounces = line.value("--bounces")) {
        const auto count = parseIndex(*bounces);
        if (!count || count.value() < 1 || count.value() > feltrane::kMostBounces)
            return R::failure("--bounces: \"" + *bounces + "\" is not a number of reflections from 1 to " +
                              std::to_string(feltrane::kMostBounces));
        request.options.bounces = count.value();
    }
    if (const auto density = line.value("--ray-density")) {
        const auto value = parseReal(*density);
        if (!value || !(value.value() > 0.0 && value.value() <= feltrane::kHighestRayDensity))
            return R::failure("--ray-density: \"" + *density +
                              "\" is not a number of rays per wavelength above 0, at most " +
                              std::to_string(int(feltrane::kHighestRayDensity)));
        request.options.rayDensity = value.value();
    }
    if (const auto rows = line.value("--rows")) {
        const kalmeno::Status read = readRows(*rows, grid.value(), request);
        if (!read)
            return R::failure(read.error());
    }
    return R::success(request);
}

// Draws "[#####.....]  42%" over itself while the computation runs.
class ProgressBar {
public:
    explicit ProgressBar(bool shown) : shown_(shown) {}
    void show(double percent)
    {
        if (!shown_)
            return;
        constexpr int width = 40;
        const int filled = int(width * std::clamp(percent, 0.0, 100.0) / 100.0);
        std::fprintf(stderr, "\r[%s%s] %3d%%", std::string(filled, '#').c_str(), std::string(width - filled, '.').c_str(),
                     int(percent));
        std::fflush(stderr);
    }
    void end()
    {
        if (shown_)
            std::fprintf(stderr, "\n");
    }

private:
    bool shown_;
};

// Runs the computation through the MTM library's binding, as the window does, into `path`.
kalmeno::Status computeThroughLibrary(TFcoMtm& pack, const std::string& path)
{
    const std::string library = platform::folderOfModule(reinterpret_cast<const void*>(&computeThroughLibrary)) +
                                "MTM/Feltrane.dll";
    ostrell::ComputationBinding binding;
    const kalmeno::Status bound = binding.bind(library);
    if (!bound)
        return kalmeno::Status::failure("the computation library: " + bound.error());
    GetCalculationProgress_t progress = nullptr;
    if (auto loaded = platform::DynamicLibrary::load(library)) {
        if (auto function = loaded->function<GetCalculationProgress_t>("GetCalculationProgress"))
            progress = function.value();
        loaded->keepLoaded();
    }

    const platform::InterruptWatch interrupt;
    ProgressBar bar(progress && platform::errorStreamIsTerminal());
    auto run = std::async(std::launch::async, [&] { return binding.createMtm(path, &pack); });
    bool stopping = false;
    while (run.wait_for(std::chrono::milliseconds(100)) != std::future_status::ready) {
        if (interrupt.raised() && !stopping) {
            stopping = true;
            binding.terminate();
        }
        if (progress)
            bar.show(progress());
    }
    const kalmeno::Status computed = run.get();
    bar.end();
    if (stopping)
        return kalmeno::Status::failure("stopped");
    return computed;
}

int runGenerate(const CommandLine& line, std::ostream& out, std::ostream& err)
{
    const auto start = std::chrono::steady_clock::now();
    const auto request = readRequest(line);
    if (!request)
        return reportError(err, "generate", request.error(), ExitUsage);
    if (!request->materialNote.empty())
        err << "mtm generate: note: " << request->materialNote << '\n';

    const auto triangles = readMeshTriangles(request->mesh, request->up, request->scale);
    if (!triangles)
        return reportError(err, "generate", "cannot read " + request->mesh + ": " + triangles.error(), ExitFailure);
    if (triangles->size() > std::size_t(std::numeric_limits<std::int32_t>::max()) / 3)
        return reportError(err, "generate", request->mesh + " has more triangles than a pack holds", ExitFailure);
    MeshPack mesh(triangles.value(), request->material);
    TFcoMtm& pack = mesh.pack();
    pack.countX = std::int32_t(request->cells[0]);
    pack.countY = std::int32_t(request->cells[1]);
    pack.countZ = std::int32_t(request->cells[2]);
    pack.psiStep = request->azimuthStep;
    pack.tetaStep = request->elevationStep;
    pack.coefEllipt = request->ellipticity;
    pack.orientAngle = request->orientation;
    pack.waveLength = request->wavelength;
    feltrane::writePackOptions(pack, request->options);

    // Written beside the result and renamed once complete (every output's way: bufferedoutput.h),
    // so a failed run leaves OUT as it was.
    auto output = platform::FileReplacement::begin(request->output, ".generating");
    if (!output)
        return reportError(err, "generate", "cannot write " + request->output + ": " + output.error(), ExitFailure);
    const kalmeno::Status computed = computeThroughLibrary(pack, output->temporaryPath());
    if (!computed)
        return reportError(err, "generate", request->mesh + ": " + computed.error(), ExitFailure);
    if (auto committed = output->commit(); !committed)
        return reportError(err, "generate", "cannot write " + request->output + ": " + committed.error(), ExitFailure);

    ModelSettings settings;
    settings.area.lat = settings.area.lon = settings.area.alt = 0.0;
    const Eigen::Vector3d extent = mesh.extent();
    settings.area.sizeX = extent.x(), settings.area.sizeY = extent.y(), settings.area.sizeZ = extent.z();
    settings.area.countX = request->cells[0], settings.area.countY = request->cells[1];
    settings.area.countZ = request->cells[2];
    settings.area.psiStep = request->azimuthStep, settings.area.tetaStep = request->elevationStep;
    settings.area.coefEllipt = request->ellipticity, settings.area.orientAngle = request->orientation;
    settings.area.waveLength = request->wavelength;
    settings.rows = request->rows;
    const kalmeno::Status written = writeModelSettings(request->output, settings);
    if (!written)
        return reportError(err, "generate", written.error(), ExitFailure);

    const auto info = ostrell::readMtmHeader(request->output);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    out << request->output << ": ";
    if (info)
        out << info->pointCount << " points on a " << info->countAz << " x " << info->countEl << " grid, ";
    char time[32];
    std::snprintf(time, sizeof time, "%.1f", seconds);
    out << "computed in " << time << " s\n";
    return ExitSuccess;
}

} // namespace

Command generateCommand()
{
    return {"generate",
            "MESH -o OUT.mtm --wavelength L --az-step DEG --el-step DEG [OPTIONS]",
            "compute the MTM of a mesh file (STL, OBJ, PLY) by physical optics and bouncing rays",
            "Reads the triangles of MESH (metres; faces counter-clockwise seen from outside), computes\n"
            "their MTM with the computation library next to this program (MTM/libFeltrane.so), as the\n"
            "window does, and writes OUT.mtm and its settings file OUT.ini.\n"
            "\n"
            "  -o OUT.mtm                 the model to write (replaced only when complete)\n"
            "  --wavelength L             radar wavelength, metres\n"
            "  --az-step DEG              azimuth step of the grid, degrees\n"
            "  --el-step DEG              elevation step of the grid, degrees\n"
            "  --cells NX,NY,NZ           cells of the bounding box, one point per non-empty cell\n"
            "                             (default 10,10,10)\n"
            "  --material EPS,SIGMA,MU    relative permittivity, conductivity (S/m), permeability\n"
            "  --material NAME            pec (default), metal, concrete, brick, wood, glass,\n"
            "                             very-dry-ground, dry-ground, wet-ground, sea-water\n"
            "  --polarisation COEF,ANGLE  ellipticity (0 linear, +-1 circular, + right-handed) and\n"
            "                             orientation of the major axis (radians from theta towards phi)\n"
            "  --up y|z                   the file's up axis (default y; z turns a z-up file upright)\n"
            "  --scale S                  multiply the file's coordinates by S (default 1)\n"
            "  --no-shadowing             single reflections: only the outward side of each face,\n"
            "                             no shadow rays\n"
            "  --bounces N                reflections followed per ray (default 3; 1: single\n"
            "                             reflections only)\n"
            "  --ray-density R            rays per wavelength across the beam for multiple\n"
            "                             reflections (default 4)\n"
            "  --threads N                threads (default 0: one per core)\n"
            "  --rows FIRST:LAST          compute only these azimuth rows (for 'mtm join')\n"
            "\n"
            "A progress bar runs on stderr when it is a terminal; Ctrl+C stops the computation and\n"
            "leaves OUT.mtm as it was.\n",
            {{"-o", true},
             {"--wavelength", true},
             {"--az-step", true},
             {"--el-step", true},
             {"--cells", true},
             {"--material", true},
             {"--polarisation", true},
             {"--up", true},
             {"--scale", true},
             {"--no-shadowing", false},
             {"--bounces", true},
             {"--ray-density", true},
             {"--threads", true},
             {"--rows", true}},
            1,
            runGenerate};
}

} // namespace mtm
