#pragma once
// The plug-in's copy of the host's XOR material table.

#include "materialtext.h"

namespace bridge {

// Copies the XOR module's table into the bridge state and logs it; an empty table disables
// generation.
void LoadMaterials();

} // namespace bridge
