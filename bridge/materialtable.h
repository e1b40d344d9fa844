#pragma once
// The plug-in's copy of the host's XOR material table.

#include <hostsdk.h>

#include <string>

namespace bridge {

// Copies the XOR module's table into the bridge state and logs it; an empty table disables
// generation.
void LoadMaterials();

// One material as a log text.
std::string MaterialText(const hostsdk::TXorMaterial& material);

} // namespace bridge
