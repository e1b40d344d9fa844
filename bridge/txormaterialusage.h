#pragma once
// How many kept triangles of the last capture use one material.

#include <hostrecords.h>

#include <cstddef>
#include <cstdint>

struct TXorMaterialUsage {
    hostsdk::TXorMaterial material;  // the material that made the entry, colour included
    std::uint32_t count;
};

static_assert(sizeof(TXorMaterialUsage) == 36, "a material and its count, 36 bytes");
static_assert(offsetof(TXorMaterialUsage, count) == 32, "the count follows the material");
