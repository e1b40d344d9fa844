#include "command.h"
#include "drawingapplication.h"
#include "gridcsv.h"
#include "mtmfile.h"
#include "ownedmtm.h"
#include "patternmapimage.h"
#include "rcspattern.h"

#include <QFileInfo>
#include <QString>

#include <cstdio>
#include <exception>

namespace mtm {

namespace {

kalmeno::Status writePng(const RcsPattern& pattern, const std::string& modelPath, const std::string& path)
{
    const kalmeno::Status application = ensureDrawingApplication(false);
    if (!application)
        return application;
    const QString title = QFileInfo(QString::fromLocal8Bit(modelPath.c_str())).fileName() + QStringLiteral(", RCS in dB");
    if (!renderPatternMap(pattern, title).save(QString::fromLocal8Bit(path.c_str()), "PNG")) {
        std::remove(path.c_str());
        return kalmeno::Status::failure("cannot write " + path);
    }
    return kalmeno::Status::success();
}

int runPattern(const CommandLine& line, std::ostream&, std::ostream& err)
{
    const auto csv = line.value("--csv");
    const auto png = line.value("--png");
    if (!csv && !png)
        return reportError(err, "pattern", "give --csv OUT, --png OUT or both", ExitUsage);

    const std::string& path = line.operand(0);
    auto read = ostrell::readMtmFile(path);
    if (!read)
        return reportError(err, "pattern", "cannot read " + path + ": " + read.error(), ExitFailure);
    const OwnedMtm mtm(std::move(read.value()));

    RcsPattern pattern;
    try {
        pattern = computePattern(mtm.get());
    } catch (const std::exception& error) {
        return reportError(err, "pattern", path + ": " + error.what(), ExitFailure);
    }

    if (csv) {
        const kalmeno::Status written = writeGridCsv(*csv, pattern, "rcs_db");
        if (!written)
            return reportError(err, "pattern", written.error(), ExitFailure);
    }
    if (png) {
        const kalmeno::Status written = writePng(pattern, path, *png);
        if (!written)
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
