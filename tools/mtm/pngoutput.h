#pragma once
// Images the commands write: encoded in memory, then written the safe way (bufferedoutput.h), so
// the file name stays the bytes the user gave.

#include "result.h"

#include <QImage>

#include <string>

namespace mtm {

// The failure reads "cannot write PATH: reason".
kalmeno::Status writePng(const QImage& image, const std::string& path);

} // namespace mtm
