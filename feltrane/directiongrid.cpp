#include "directiongrid.h"

#include "computationbinding.h"
#include "physicalconstants.h"

#include <cmath>
#include <string>

namespace feltrane {

namespace {

kalmeno::Result<std::uint32_t> samples(double step, double span, const char* axis)
{
    using R = kalmeno::Result<std::uint32_t>;
    const auto count = ostrell::gridSamples(step, span);
    if (!count)
        return R::failure(std::string(axis) + ": " + count.error());
    if (count.value() < 2)
        return R::failure(std::string(axis) + ": a step of " + std::to_string(step) +
                          " degrees gives fewer than two samples");
    return R::success(std::uint32_t(count.value()));
}

} // namespace

kalmeno::Result<DirectionGrid> DirectionGrid::fromSteps(double psiStepDegrees, double tetaStepDegrees)
{
    using R = kalmeno::Result<DirectionGrid>;
    const auto countAz = samples(psiStepDegrees, 360.0, "azimuth");
    if (!countAz)
        return R::failure(countAz.error());
    const auto countEl = samples(tetaStepDegrees, 180.0, "elevation");
    if (!countEl)
        return R::failure(countEl.error());
    return R::success(DirectionGrid(countAz.value(), countEl.value()));
}

kalmeno::Result<DirectionGrid> DirectionGrid::fromCounts(std::uint32_t countAz, std::uint32_t countEl)
{
    if (countAz < 2 || countEl < 2)
        return kalmeno::Result<DirectionGrid>::failure("a grid of " + std::to_string(countAz) + " x " +
                                                       std::to_string(countEl) + " samples; at least 2 x 2 are needed");
    return kalmeno::Result<DirectionGrid>::success(DirectionGrid(countAz, countEl));
}

double DirectionGrid::azimuth(std::uint32_t a) const
{
    return a * 2.0 * kPi / double(countAz_ - 1);
}

double DirectionGrid::elevation(std::uint32_t e) const
{
    return e * kPi / double(countEl_ - 1) - kPi / 2.0;
}

namespace {

// cos(π/2) is 6e-17 in doubles: the residue is cleared, so that directions along the axes are
// exactly along them (the ray tracer mishandles rays with such tiny non-zero components).
double cleared(double value)
{
    return std::fabs(value) < 1e-15 ? 0.0 : value;
}

} // namespace

Direction DirectionGrid::direction(std::uint32_t a, std::uint32_t e) const
{
    const double phi = azimuth(a);
    const double theta = elevation(e);
    const double cp = cleared(std::cos(phi)), sp = cleared(std::sin(phi));
    const double ct = cleared(std::cos(theta)), st = cleared(std::sin(theta));
    return {{ct * cp, st, -ct * sp}, {-st * cp, ct, st * sp}, {-sp, 0.0, -cp}};
}

bool DirectionGrid::isCanonical(std::uint32_t a, std::uint32_t e) const
{
    return canonicalRow(a, e) == a;
}

std::uint32_t DirectionGrid::canonicalRow(std::uint32_t a, std::uint32_t e) const
{
    const bool pole = e == 0 || e == countEl_ - 1;
    return pole || a == countAz_ - 1 ? 0 : a;
}

} // namespace feltrane
