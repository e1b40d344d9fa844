#pragma once
// Links captured triangles to the XOR materials their fabric offsets name, and counts how often
// each material is used. Works on one snapshot of the material table, taken for one capture.

#include "txormaterialusage.h"

#include <fcopack.h>
#include <hostrecords.h>

#include <cstdint>
#include <vector>

namespace bridge {

class MaterialLink {
public:
    // `xorPresent`: the host has an XOR module; `materials`: the plug-in's copy of its table.
    MaterialLink(bool xorPresent, std::vector<hostsdk::TXorMaterial> materials);

    // Gives the triangle the material at `offset` (or the defaults, with an error line, when
    // there is no table or the offset lies outside it) and counts the use.
    void GIS2XORlink(TFcoTriangle& triangle, std::uint32_t offset);

    // In order of first use; equal materials (colour aside) share an entry.
    const std::vector<TXorMaterialUsage>& usage() const { return usage_; }
    std::vector<TXorMaterialUsage> takeUsage() { return std::move(usage_); }

    // The fabric offset of a feedback record as a table index: truncated toward zero, low 32
    // bits. A value that is not finite or lies outside the 64-bit range gives 4294967295, which
    // no table reaches.
    static std::uint32_t tableIndex(double fabricOffset);

private:
    bool xorPresent_;
    std::vector<hostsdk::TXorMaterial> materials_;
    std::vector<TXorMaterialUsage> usage_;
};

} // namespace bridge
