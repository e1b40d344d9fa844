#pragma once
// Mesh importers walk a file's structure recursively: a glTF node hierarchy 50,000 nodes deep, a
// Collada (or any XML) element tree, or JSON arrays inside arrays run them out of stack. This looks
// at a file before it is imported, without recursion of its own, and refuses nesting deeper than
// any real model has. Files of other kinds (OBJ, STL, PLY...) pass untouched.

#include "result.h"

#include <cstddef>
#include <string>

namespace quelmar {

// Deepest nesting accepted: of a glTF node hierarchy, of XML elements, of JSON values.
constexpr std::size_t kMaxMeshNesting = 1000;

kalmeno::Status checkMeshNesting(const std::string& path);

} // namespace quelmar
