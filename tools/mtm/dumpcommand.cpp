#include "command.h"
#include "mtmfilereader.h"
#include "textformat.h"

#include <algorithm>
#include <ostream>
#include <vector>

namespace mtm {

namespace {

// Points, and amplitudes, read at once.
constexpr std::size_t kPointsPerRead = 4096;
constexpr std::size_t kValuesPerRead = 65536;

kalmeno::Status dumpPoints(ostrell::MtmFileReader& file, std::ostream& out)
{
    out << "index,x,y,z\n";
    const std::uint64_t count = file.header().pointCount;
    std::vector<double> xyz;
    for (std::uint64_t first = 0; first < count; first += kPointsPerRead) {
        xyz.resize(3 * std::min<std::uint64_t>(kPointsPerRead, count - first));
        if (auto read = file.readCoordinates(first, xyz.size() / 3, xyz.data()); !read)
            return read;
        for (std::size_t k = 0; k < xyz.size() / 3; ++k)
            out << first + k << ',' << formatReal(xyz[3 * k]) << ',' << formatReal(xyz[3 * k + 1]) << ','
                << formatReal(xyz[3 * k + 2]) << '\n';
    }
    return kalmeno::Status::success();
}

kalmeno::Status dumpAmplitudes(ostrell::MtmFileReader& file, std::uint32_t point, std::ostream& out)
{
    out << "az_index,el_index,re,im\n";
    const std::uint64_t count = file.pointValues();
    const std::uint32_t countEl = file.header().countEl;
    std::vector<TRcsValue> values;
    for (std::uint64_t first = 0; first < count; first += kValuesPerRead) {
        values.resize(std::min<std::uint64_t>(kValuesPerRead, count - first));
        if (auto read = file.readAmplitudes(point * count + first, values.size(), values.data()); !read)
            return read;
        for (std::size_t k = 0; k < values.size(); ++k)
            out << (first + k) / countEl << ',' << (first + k) % countEl << ',' << formatReal(values[k].real())
                << ',' << formatReal(values[k].imag()) << '\n';
    }
    return kalmeno::Status::success();
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

    auto file = ostrell::MtmFileReader::open(path);
    if (!file)
        return reportError(err, "dump", "cannot read " + path + ": " + file.error(), ExitFailure);
    const std::uint32_t count = file->header().pointCount;
    if (pointOption && pointIndex >= count)
        return reportError(err, "dump",
                           "--point: there is no point " + std::to_string(pointIndex) + " in " + path + " (" +
                               std::to_string(count) + " points)",
                           ExitUsage);

    const auto dumped = pointOption ? dumpAmplitudes(file.value(), pointIndex, out) : dumpPoints(file.value(), out);
    if (!dumped)
        return reportError(err, "dump", "cannot read " + path + ": " + dumped.error(), ExitFailure);
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
