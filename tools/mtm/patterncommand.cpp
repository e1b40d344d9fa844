#include "bufferedoutput.h"
#include "command.h"
#include "gridcsv.h"
#include "filepattern.h"
#include "patterngrid.h"
#include "patternmapimage.h"
#include "pngoutput.h"

#include <QString>

#include <optional>

namespace mtm {

namespace {

int runPattern(const CommandLine& line, std::ostream&, std::ostream& err)
{
    const auto csvPath = line.value("--csv");
    const auto pngPath = line.value("--png");
    if (!csvPath && !pngPath)
        return reportError(err, "pattern", "give --csv OUT, --png OUT or both", ExitUsage);

    const std::string& path = line.operand(0);
    auto file = ostrell::MtmFileReader::open(path);
    if (!file)
        return reportError(err, "pattern", "cannot read " + path + ": " + file.error(), ExitFailure);
    const ostrell::MtmHeader& header = file->header();

    // The CSV streams out band by band; the map needs the whole pattern, eight bytes a cell.
    std::optional<BufferedOutput> csv;
    if (csvPath) {
        auto begun = BufferedOutput::begin(*csvPath);
        if (!begun)
            return reportError(err, "pattern", begun.error(), ExitFailure);
        csv.emplace(std::move(begun.value()));
        csv->append(gridCsvHeader("rcs_db"));
    }
    PatternGrid map;
    if (pngPath && header.pointCount) {
        map.countAz = header.countAz;
        map.countEl = header.countEl;
        map.decibels.reserve(std::size_t(header.countAz) * header.countEl);
    }

    const auto computed = computeFilePattern(
        file.value(),
        [&](std::uint32_t firstRow, std::uint32_t rowCount, const double* decibels) {
            if (csv)
                csv->append(gridCsvRows(header.countAz, header.countEl, firstRow, rowCount, decibels));
            if (pngPath)
                map.decibels.insert(map.decibels.end(), decibels, decibels + std::size_t(rowCount) * header.countEl);
            return kalmeno::Status::success();
        });
    if (!computed)
        return reportError(err, "pattern", path + ": " + computed.error(), ExitFailure);

    if (csv) {
        if (auto written = csv->commit(); !written)
            return reportError(err, "pattern", written.error(), ExitFailure);
    }
    if (pngPath) {
        const QString title = titleFileName(path) + QStringLiteral(", RCS in dB");
        if (auto written = drawPng([&] { return renderPatternMap(map, title); }, *pngPath); !written)
            return reportError(err, "pattern", written.error(), ExitFailure);
    }
    return ExitSuccess;
}

} // namespace

Command patternCommand()
{
    return {"pattern",
            "FILE [--csv OUT] [--png OUT]",
            "write the model's RCS pattern in dB as CSV or as a coloured map",
            "Computes the RCS of the whole model in dB over the azimuth x elevation grid of its\n"
            "first point, as the 3-D view shows it.\n"
            "\n"
            "  --csv OUT   one line per direction: az_index,el_index,azimuth_deg,elevation_deg,rcs_db\n"
            "  --png OUT   a flat map, azimuth across and elevation up, in the view's colours,\n"
            "              with the dB scale\n",
            {{"--csv", true}, {"--png", true}},
            1,
            runPattern};
}

} // namespace mtm
