#include "command.h"
#include "mtmfile.h"
#include "textformat.h"

#include <ostream>

namespace mtm {

namespace {

int runInfo(const CommandLine& line, std::ostream& out, std::ostream& err)
{
    const std::string& path = line.operand(0);
    // The size check is the whole validation of a read, so the header tells everything asked here.
    const auto header = ostrell::readMtmHeader(path);
    if (!header)
        return reportError(err, "info", "cannot read " + path + ": " + header.error(), ExitFailure);

    const ostrell::MtmHeader& h = header.value();
    const char* layout = h.layout == ostrell::MtmLayout::Current ? "current" : "legacy";
    // Without points the grid is not kept by a read.
    const std::uint32_t countAz = h.pointCount ? h.countAz : 0;
    const std::uint32_t countEl = h.pointCount ? h.countEl : 0;

    if (line.has("--json")) {
        out << "{\"path\": " << jsonString(path) << ", \"layout\": \"" << layout << "\", \"przn\": " << h.przn
            << ", \"points\": " << h.pointCount << ", \"countAz\": " << countAz << ", \"countEl\": " << countEl
            << ", \"distance\": " << jsonReal(h.distance) << ", \"bytes\": " << h.fileSize << "}\n";
    } else {
        out << "path: " << path << '\n'
            << "layout: " << layout << '\n'
            << "przn: " << h.przn << '\n'
            << "points: " << h.pointCount << '\n'
            << "countAz: " << countAz << '\n'
            << "countEl: " << countEl << '\n'
            << "distance: " << formatReal(h.distance) << '\n'
            << "bytes: " << h.fileSize << '\n';
    }
    return ExitSuccess;
}

} // namespace

Command infoCommand()
{
    return {"info",
            "FILE [--json]",
            "show the layout, header fields and size of an .mtm file",
            "Checks FILE as the library's read does (its size must fit the current or the legacy\n"
            "layout) and prints its layout, Przn, number of points, countAz and countEl (of the\n"
            "first point; 0 without points), distance and size in bytes.\n"
            "\n"
            "  --json   print one JSON object with the keys \"path\", \"layout\", \"przn\",\n"
            "           \"points\", \"countAz\", \"countEl\", \"distance\" and \"bytes\"\n",
            {{"--json", false}},
            1,
            runInfo};
}

} // namespace mtm
