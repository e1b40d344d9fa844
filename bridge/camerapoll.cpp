#include "camerapoll.h"

#include "bridgestate.h"

#include <cmath>

namespace bridge {

double wrapAzimuth(double degrees)
{
    // One step instead of adding 360 in a loop, which never ends for huge or infinite values.
    if (!(degrees < 0.0) || !std::isfinite(degrees))
        return degrees;
    double wrapped = std::fmod(degrees, 360.0) + 360.0;
    if (wrapped >= 360.0)
        wrapped -= 360.0;
    return wrapped;
}

bool CheckAngles()
{
    auto& state = bridgeState();
    auto* camera = state.camera.load();
    auto* render = state.render.load();
    if (!camera || !render)
        return false;
    double position[3] = {0.0, 0.0, 0.0};
    camera->GetPosition(&position[0], &position[1], &position[2]);
    double azimuth = 0.0, elevation = 0.0;
    render->GetViewAngles(state.currentRowBoxId.load(), position, &azimuth, &elevation);
    // The raw azimuth is compared, so a negative one counts as a change at every poll.
    if (azimuth == state.azimuthAngle.load() && elevation == state.placeAngle.load())
        return false;
    state.azimuthAngle = wrapAzimuth(azimuth);
    state.placeAngle = elevation;
    return true;
}

QString angleText(double degrees)
{
    return QString::number(degrees, 'f', 6);
}

} // namespace bridge
