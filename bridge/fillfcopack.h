#pragma once
// The FCO pack of one computation, filled from a capture and a row's generation settings.

#include "tcapture.h"

#include <fcopack.h>
#include <tgenerationarea.h>

namespace bridge {

// Writes every field of the pack but the last 16 bytes, which stay as they were: distance 0, the
// settings, the capture's counts and pointers, the reserved fields 0. The pack points into
// `capture`, so it is valid while the capture lives.
void FillFcoPack(TFcoMtm& pack, const TCapture& capture, const TMtmSettings& settings);

} // namespace bridge
