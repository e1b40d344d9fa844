#pragma once
// What the window's refresh after a scene load asks of the host.

#include "ostrellfunctions.h"

namespace bridge {

// Binds the computation library through the MTM library; false when it is missing.
bool bindComputationLibrary(const OstrellFunctions& library);

// Puts the host's view in the initial state of the window's view toggles. False (and nothing
// set) when a conveyer, the channel or the render object is missing: generation cannot work then.
bool setInitialHostView();

} // namespace bridge
