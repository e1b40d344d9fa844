#include "mtmverifier.h"

#include "textformat.h"

#include <cmath>
#include <cstddef>

namespace mtm {

namespace {

std::string gridText(const TMtmPoint& point)
{
    return std::to_string(point.countAz) + " x " + std::to_string(point.countEl);
}

void checkCoordinates(const TMtmPoint& point, const std::string& label, std::vector<std::string>& problems)
{
    const struct {
        const char* name;
        double value;
    } coordinates[] = {{"x", point.x}, {"y", point.y}, {"z", point.z}};
    for (const auto& c : coordinates) {
        if (!std::isfinite(c.value))
            problems.push_back(label + ": coordinate " + c.name + " is not finite (" + formatReal(c.value) + ")");
    }
}

void checkAmplitudes(const TMtmPoint& point, const std::string& label, std::vector<std::string>& problems)
{
    if (!point.rcs) {
        if (point.countAz && point.countEl)
            problems.push_back(label + ": has no amplitudes for its " + gridText(point) + " grid");
        return;
    }
    std::size_t bad = 0;
    std::string first;
    for (std::uint32_t a = 0; a < point.countAz; ++a) {
        const TRcsValue* row = point.rcs[a];
        if (!row) {
            if (point.countEl)
                problems.push_back(label + ": row " + std::to_string(a) + " is missing");
            continue;
        }
        for (std::uint32_t e = 0; e < point.countEl; ++e) {
            if (std::isfinite(row[e].real()) && std::isfinite(row[e].imag()))
                continue;
            if (bad++ == 0)
                first = "az_index " + std::to_string(a) + ", el_index " + std::to_string(e) + " (" +
                        formatReal(row[e].real()) + ", " + formatReal(row[e].imag()) + ")";
        }
    }
    if (bad == 1)
        problems.push_back(label + ": 1 amplitude is not finite: " + first);
    else if (bad > 1)
        problems.push_back(label + ": " + std::to_string(bad) + " amplitudes are not finite, the first at " + first);
}

} // namespace

std::vector<std::string> findMtmProblems(const TMtm& mtm)
{
    std::vector<std::string> problems;
    if (!std::isfinite(mtm.distance))
        problems.push_back("distance is not finite (" + formatReal(mtm.distance) + ")");
    if (mtm.points.empty())
        return problems;

    const TMtmPoint& reference = mtm.points.front();
    if (reference.countAz < 2 || reference.countEl < 2)
        problems.push_back("the grid has " + gridText(reference) +
                           " samples (azimuth x elevation); at least 2 x 2 are needed");

    for (std::size_t p = 0; p < mtm.points.size(); ++p) {
        const TMtmPoint& point = mtm.points[p];
        const std::string label = "point " + std::to_string(p);
        if (point.countAz != reference.countAz || point.countEl != reference.countEl)
            problems.push_back(label + ": grid of " + gridText(point) + " samples differs from point 0's " +
                               gridText(reference));
        checkCoordinates(point, label, problems);
        checkAmplitudes(point, label, problems);
    }
    return problems;
}

} // namespace mtm
