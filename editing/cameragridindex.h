#pragma once
// Which sample of a point's grid faces the camera.

#include <cstdint>

// Index along one grid axis of `count` samples spanning `span` degrees (360 for azimuth, 180 for
// elevation) for an angle measured from the axis' start (azimuth, or elevation + 90). The step is
// the whole degrees of span / (count - 1); the quotient is rounded halves away from zero.
// -1 (no sample) when the axis has no samples, the angle is not finite or lies before the start;
// 0 for a single sample. An index past the last sample (a whole step that does not divide the
// span) is the last sample, which is also the sample nearest to the angle there. Axes of more
// samples than degrees (whole step 0) use the exact step.
int cameraGridIndex(double angle, std::uint32_t count, int span);
