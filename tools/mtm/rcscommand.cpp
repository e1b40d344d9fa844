#include "coherentrcs.h"
#include "command.h"
#include "directiongrid.h"
#include "gridcsv.h"
#include "modelsettings.h"
#include "mtmfile.h"
#include "ownedmtm.h"
#include "pngoutput.h"
#include "rcscutsimage.h"

#include <cmath>

namespace mtm {

namespace {

// The wavelength given on the command line, else the one of the settings file beside the model.
kalmeno::Result<double> wavelengthFor(const CommandLine& line, const std::string& path)
{
    using R = kalmeno::Result<double>;
    if (const auto text = line.value("--wavelength")) {
        const auto value = parseReal(*text);
        if (!value || !(value.value() > 0.0))
            return R::failure("--wavelength: \"" + *text + "\" is not a length above 0");
        return value;
    }
    const auto settings = readModelSettings(path);
    if (!settings)
        return R::failure("no wavelength: give --wavelength L (" + settings.error() + ")");
    if (!(settings->area.waveLength > 0.0) || !std::isfinite(settings->area.waveLength))
        return R::failure("no wavelength: give --wavelength L (the settings file has none above 0)");
    return R::success(settings->area.waveLength);
}

int runRcs(const CommandLine& line, std::ostream&, std::ostream& err)
{
    const auto csv = line.value("--csv");
    const auto png = line.value("--png");
    if (!csv && !png)
        return reportError(err, "rcs", "give --csv OUT, --png OUT or both", ExitUsage);
    const std::string& path = line.operand(0);
    const auto wavelength = wavelengthFor(line, path);
    if (!wavelength)
        return reportError(err, "rcs", wavelength.error(), ExitUsage);

    auto read = ostrell::readMtmFile(path);
    if (!read)
        return reportError(err, "rcs", "cannot read " + path + ": " + read.error(), ExitFailure);
    const OwnedMtm mtm(std::move(read.value()));
    const std::vector<TMtmPoint>& points = mtm.get().points;
    if (points.empty())
        return reportError(err, "rcs", path + " has no points", ExitFailure);
    const auto grid = feltrane::DirectionGrid::fromCounts(points[0].countAz, points[0].countEl);
    if (!grid)
        return reportError(err, "rcs", path + ": " + grid.error(), ExitFailure);

    std::vector<std::vector<double>> dbsm(grid->countAz(), std::vector<double>(grid->countEl()));
    for (std::uint32_t a = 0; a < grid->countAz(); ++a)
        for (std::uint32_t e = 0; e < grid->countEl(); ++e)
            dbsm[a][e] = feltrane::toDecibels(
                feltrane::crossSection(points, a, e, grid->direction(a, e).towardsRadar, wavelength.value()));

    if (csv) {
        const kalmeno::Status written = writeGridCsv(*csv, dbsm, "rcs_dbsm");
        if (!written)
            return reportError(err, "rcs", written.error(), ExitFailure);
    }
    if (png) {
        const QString title =
            titleFileName(path) + QStringLiteral(", radar cross-section at %1 m").arg(wavelength.value());
        if (auto written = drawPng([&] { return renderRcsCuts(dbsm, title); }, *png); !written)
            return reportError(err, "rcs", written.error(), ExitFailure);
    }
    return ExitSuccess;
}

} // namespace

Command rcsCommand()
{
    return {"rcs",
            "FILE [--csv OUT] [--png OUT] [--wavelength L]",
            "write the model's coherent radar cross-section in dBsm, as CSV or as plots",
            "Sums the amplitudes of all points coherently, with the two-way phase of each point's\n"
            "position, and writes 10*log10(4*pi*|sum|^2) in dBsm for every direction of the file's\n"
            "grid (no floor: a zero sum is -inf). The wavelength is --wavelength L, else the one in\n"
            "the settings file beside FILE (FILE with .ini in place of its extension).\n"
            "\n"
            "  --csv OUT         one line per direction: az_index,el_index,azimuth_deg,elevation_deg,\n"
            "                    rcs_dbsm\n"
            "  --png OUT         the azimuth and the elevation cut through the peak, as line plots\n"
            "  --wavelength L    metres\n",
            {{"--csv", true}, {"--png", true}, {"--wavelength", true}},
            1,
            runRcs};
}

} // namespace mtm
