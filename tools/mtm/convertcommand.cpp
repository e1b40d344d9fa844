#include "bufferedoutput.h"
#include "command.h"
#include "mtmfilereader.h"

#include <algorithm>
#include <cstring>
#include <ostream>
#include <string_view>
#include <vector>

namespace mtm {

namespace {

constexpr std::size_t kValuesPerRead = 65536;

std::string_view bytesOf(const void* data, std::size_t count)
{
    return {static_cast<const char*>(data), count};
}

// Like saveMTM: the current layout with Przn 0, and the file's own grid (kept even without
// points). The blocks after the header are the same bytes in both layouts, so they stream over.
kalmeno::Status convert(ostrell::MtmFileReader& file, BufferedOutput& output)
{
    const ostrell::MtmHeader& h = file.header();
    unsigned char head[ostrell::kMtmHeaderBytes] = {};
    std::memcpy(head + 4, &h.pointCount, 4);
    std::memcpy(head + 8, &h.countAz, 4);
    std::memcpy(head + 12, &h.countEl, 4);
    std::memcpy(head + 16, &h.distance, 8);
    output.append(bytesOf(head, sizeof head));

    std::vector<TRcsValue> block(kValuesPerRead);
    auto* coordinates = reinterpret_cast<double*>(block.data());
    const std::size_t pointsPerRead = kValuesPerRead * sizeof(TRcsValue) / (3 * sizeof(double));
    for (std::uint64_t first = 0; first < h.pointCount; first += pointsPerRead) {
        const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(pointsPerRead, h.pointCount - first));
        if (auto read = file.readCoordinates(first, count, coordinates); !read)
            return read;
        output.append(bytesOf(coordinates, count * 3 * sizeof(double)));
    }
    const std::uint64_t values = file.pointValues() * h.pointCount;
    for (std::uint64_t first = 0; first < values; first += kValuesPerRead) {
        const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(kValuesPerRead, values - first));
        if (auto read = file.readAmplitudes(first, count, block.data()); !read)
            return read;
        output.append(bytesOf(block.data(), count * sizeof(TRcsValue)));
    }
    return kalmeno::Status::success();
}

int runConvert(const CommandLine& line, std::ostream&, std::ostream& err)
{
    const std::string& input = line.operand(0);
    const std::string& outputPath = line.operand(1);
    auto file = ostrell::MtmFileReader::open(input);
    if (!file)
        return reportError(err, "convert", "cannot read " + input + ": " + file.error(), ExitFailure);
    // The output is written under a temporary name and renamed, so a failure never destroys an
    // existing OUT (which may be IN itself).
    auto output = BufferedOutput::begin(outputPath);
    if (!output)
        return reportError(err, "convert", output.error(), ExitFailure);
    if (auto converted = convert(file.value(), output.value()); !converted)
        return reportError(err, "convert", "cannot read " + input + ": " + converted.error(), ExitFailure);
    if (auto committed = output->commit(); !committed)
        return reportError(err, "convert", committed.error(), ExitFailure);
    return ExitSuccess;
}

} // namespace

Command convertCommand()
{
    return {"convert",
            "IN OUT",
            "rewrite an .mtm file (current or legacy) in the current layout",
            "Reads IN as the library's read does and writes OUT as the library's save does: the\n"
            "current layout with Przn 0, the same points, amplitudes and distance. OUT is replaced\n"
            "only once it is completely written; OUT may be IN. A symbolic link OUT is written\n"
            "through, OUT keeps its permissions, and a folder, device or FIFO named OUT is refused.\n",
            {},
            2,
            runConvert};
}

} // namespace mtm
