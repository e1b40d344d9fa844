#include "mtmverifier.h"

#include "textformat.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace mtm {

namespace {

// Points whose coordinates, and amplitudes, are read at once.
constexpr std::size_t kPointsPerRead = 4096;
constexpr std::size_t kValuesPerRead = 65536;

std::string pointLabel(std::uint64_t point)
{
    return "point " + std::to_string(point);
}

void checkCoordinates(const double* xyz, std::uint64_t point, const std::function<void(const std::string&)>& say)
{
    static const char* const names[] = {"x", "y", "z"};
    for (int axis = 0; axis < 3; ++axis)
        if (!std::isfinite(xyz[axis]))
            say(pointLabel(point) + ": coordinate " + names[axis] + " is not finite (" + formatReal(xyz[axis]) + ")");
}

// True when every part of every value is finite. On the bits (all exponent bits set means
// infinite or NaN), so that the loop vectorises.
bool allFinite(const TRcsValue* values, std::size_t count)
{
    constexpr std::uint64_t exponent = 0x7ff0000000000000ull;
    std::uint64_t notFinite = 0;
    for (std::size_t k = 0; k < 2 * count; ++k) {
        std::uint64_t bits;
        std::memcpy(&bits, reinterpret_cast<const char*>(values) + k * sizeof bits, sizeof bits);
        notFinite |= (bits & exponent) == exponent;
    }
    return notFinite == 0;
}

// Amplitudes of one point that are not finite: how many, and the first of them.
struct BadAmplitudes {
    std::uint64_t count = 0;
    std::string first;

    void check(const TRcsValue& value, std::uint64_t index, std::uint32_t countEl)
    {
        if (std::isfinite(value.real()) && std::isfinite(value.imag()))
            return;
        if (count++ == 0)
            first = "az_index " + std::to_string(index / countEl) + ", el_index " + std::to_string(index % countEl) +
                    " (" + formatReal(value.real()) + ", " + formatReal(value.imag()) + ")";
    }

    void report(std::uint64_t point, const std::function<void(const std::string&)>& say) const
    {
        if (count == 1)
            say(pointLabel(point) + ": 1 amplitude is not finite: " + first);
        else if (count > 1)
            say(pointLabel(point) + ": " + std::to_string(count) + " amplitudes are not finite, the first at " + first);
    }
};

} // namespace

kalmeno::Result<std::size_t> verifyMtmFile(ostrell::MtmFileReader& file,
                                           const std::function<void(const std::string&)>& report)
{
    using R = kalmeno::Result<std::size_t>;
    const ostrell::MtmHeader& header = file.header();
    std::size_t problems = 0;
    auto say = [&](const std::string& problem) {
        ++problems;
        report(problem);
    };
    if (!std::isfinite(header.distance))
        say("distance is not finite (" + formatReal(header.distance) + ")");
    if (header.pointCount == 0)
        return R::success(problems);
    if (header.countAz < 2 || header.countEl < 2)
        say("the grid has " + std::to_string(header.countAz) + " x " + std::to_string(header.countEl) +
            " samples (azimuth x elevation); at least 2 x 2 are needed");

    // Two cursors: the coordinate block and the amplitude block, so problems come point by point.
    const std::uint64_t pointValues = file.pointValues();
    std::vector<double> coordinates;
    std::vector<TRcsValue> values;
    std::uint64_t valuesFirst = 0;
    for (std::uint64_t p = 0; p < header.pointCount; ++p) {
        const std::size_t inChunk = static_cast<std::size_t>(p % kPointsPerRead);
        if (inChunk == 0) {
            coordinates.resize(3 * std::min<std::uint64_t>(kPointsPerRead, header.pointCount - p));
            if (auto read = file.readCoordinates(p, coordinates.size() / 3, coordinates.data()); !read)
                return R::failure(read.error());
        }
        checkCoordinates(coordinates.data() + 3 * inChunk, p, say);

        // The point's values in the spans the read blocks cut them into; only a span holding a
        // value that is not finite is looked at value by value.
        BadAmplitudes bad;
        for (std::uint64_t v = 0; v < pointValues;) {
            const std::uint64_t index = p * pointValues + v;
            if (index >= valuesFirst + values.size()) {
                valuesFirst = index;
                values.resize(std::min<std::uint64_t>(kValuesPerRead, pointValues * header.pointCount - index));
                if (auto read = file.readAmplitudes(valuesFirst, values.size(), values.data()); !read)
                    return R::failure(read.error());
            }
            const TRcsValue* span = values.data() + (index - valuesFirst);
            const auto length =
                static_cast<std::size_t>(std::min(pointValues - v, valuesFirst + values.size() - index));
            if (!allFinite(span, length))
                for (std::size_t k = 0; k < length; ++k)
                    bad.check(span[k], v + k, header.countEl);
            v += length;
        }
        bad.report(p, say);
    }
    return R::success(problems);
}

} // namespace mtm
