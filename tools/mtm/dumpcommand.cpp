#include "command.h"
#include "mtmfile.h"
#include "ownedmtm.h"
#include "textformat.h"

#include <ostream>

namespace mtm {

namespace {

void dumpPoints(const TMtm& mtm, std::ostream& out)
{
    out << "index,x,y,z\n";
    for (std::size_t p = 0; p < mtm.points.size(); ++p) {
        const TMtmPoint& point = mtm.points[p];
        out << p << ',' << formatReal(point.x) << ',' << formatReal(point.y) << ',' << formatReal(point.z)
            << '\n';
    }
}

void dumpAmplitudes(const TMtmPoint& point, std::ostream& out)
{
    out << "az_index,el_index,re,im\n";
    if (!point.rcs)
        return;
    for (std::uint32_t a = 0; a < point.countAz; ++a) {
        const TRcsValue* row = point.rcs[a];
        for (std::uint32_t e = 0; row && e < point.countEl; ++e)
            out << a << ',' << e << ',' << formatReal(row[e].real()) << ',' << formatReal(row[e].imag())
                << '\n';
    }
}

int runDump(const CommandLine& line, std::ostream& out, std::ostream& err)
{
    const std::string& path = line.operand(0);
    std::uint32_t pointIndex = 0;
    const auto pointOption = line.value("--point");
    if (pointOption) {
        const auto index = parseIndex(*pointOption);
        if (!index)
            return reportError(err, "dump", "--point: " + index.error(), ExitUsage);
        pointIndex = index.value();
    }

    auto read = ostrell::readMtmFile(path);
    if (!read)
        return reportError(err, "dump", "cannot read " + path + ": " + read.error(), ExitFailure);
    const OwnedMtm mtm(std::move(read.value()));

    if (!pointOption) {
        dumpPoints(mtm.get(), out);
        return ExitSuccess;
    }
    const auto& points = mtm.get().points;
    if (pointIndex >= points.size())
        return reportError(err, "dump",
                           "--point: there is no point " + std::to_string(pointIndex) + " in " + path + " (" +
                               std::to_string(points.size()) + " points)",
                           ExitUsage);
    dumpAmplitudes(points[pointIndex], out);
    return ExitSuccess;
}

} // namespace

Command dumpCommand()
{
    return {"dump",
            "FILE [--point K]",
            "print the points, or one point's amplitudes, as CSV",
            "Without --point: one line per point, \"index,x,y,z\".\n"
            "  --point K   the amplitudes of point K (counted from 0), one line per direction,\n"
            "              \"az_index,el_index,re,im\", azimuth outer, elevation inner\n"
            "Numbers are printed so that they read back to the same double.\n",
            {{"--point", true}},
            1,
            runDump};
}

} // namespace mtm
