#pragma once
// Where a body (a scene object or a box) stands on the Earth and how it is turned.
//
// Body frame: x forward, y up, z = x × y (to the right). With no rotation, forward is north and up
// is the local vertical at the body's own position. Yaw (course) turns forward clockwise seen
// from above (towards east), pitch raises the nose, roll lowers the right side; applied in the
// order yaw, pitch, roll. Angles in degrees.

#include "wgs84.h"

namespace quelmar {

struct Placement {
    Geodetic position;
    double yaw = 0.0;
    double pitch = 0.0;
    double roll = 0.0;
};

} // namespace quelmar
