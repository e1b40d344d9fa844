#pragma once
// A material of the XOR table as log text.

#include <hostrecords.h>

#include <string>

namespace bridge {

std::string MaterialText(const hostsdk::TXorMaterial& material);

} // namespace bridge
