#pragma once
// Assimp's OFF reader writes and reads out of bounds on malformed files (a face line without a
// valid corner count, a comment, a line of 4096 characters or more). A file it would read as OFF
// must be plain, well-formed OFF before it is imported; other files pass untouched.

#include "result.h"

#include <string>

namespace quelmar {

kalmeno::Status checkOffFile(const std::string& path);

} // namespace quelmar
