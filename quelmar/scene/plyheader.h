#pragma once
// Assimp's PLY reader never returns from a header that does not end: it reads past the end of the
// file for good. A PLY file (it begins with "ply") must have its "end_header" line, a line of its
// own, within the first megabyte before it is imported; other files pass untouched.

#include "result.h"

#include <string>

namespace quelmar {

kalmeno::Status checkPlyHeader(const std::string& path);

} // namespace quelmar
