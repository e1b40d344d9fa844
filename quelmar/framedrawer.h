#pragma once
// Whoever puts the engine's frames on a screen. The engine calls it on its own thread between
// events 4 and 10, and the frame ends only when the call returns.

#include "framestate.h"

namespace quelmar {

class FrameDrawer {
public:
    virtual ~FrameDrawer() = default;
    virtual void drawFrame(const FrameState& frame) = 0;
};

} // namespace quelmar
