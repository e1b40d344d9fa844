#pragma once
// The settings file beside an MTM, as the window reads and writes it, plus the azimuth rows of a
// slab computed on its own (key "rows", which the window passes over).

#include "result.h"
#include "tgenerationarea.h"

#include <cstdint>
#include <optional>
#include <string>

namespace mtm {

struct RowSlab {
    std::uint32_t first;
    std::uint32_t last; // included
};

struct ModelSettings {
    TGenerationArea area;
    std::optional<RowSlab> rows; // none: every row
};

// Fails when the settings file of `mtmPath` cannot be read or is not a settings document.
kalmeno::Result<ModelSettings> readModelSettings(const std::string& mtmPath);

// Writes the settings file of `mtmPath`, replacing it in one step.
kalmeno::Status writeModelSettings(const std::string& mtmPath, const ModelSettings& settings);

} // namespace mtm
