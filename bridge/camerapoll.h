#pragma once
// Following the host camera: where it looks at the current row's box from.

#include <QString>

namespace bridge {

// One poll of the camera, stored in the bridge state's azimuthAngle and placeAngle. True when the
// direction changed, so the window should show it. Does nothing without camera or render object.
bool CheckAngles();

// An angle as the window's angle fields show it: six decimals.
QString angleText(double degrees);

// A negative azimuth turned into 0 <= value < 360; other values stay as they are.
double wrapAzimuth(double degrees);

} // namespace bridge
