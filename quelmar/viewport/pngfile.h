#pragma once
// PNG files of viewport pictures, through libpng.

#include "result.h"
#include "rgbaimage.h"

#include <string>

namespace quelmar {

kalmeno::Status writePng(const std::string& path, const RgbaImage& image);
kalmeno::Result<RgbaImage> readPng(const std::string& path);

} // namespace quelmar
