#pragma once
// Writing a model over its file without ever leaving the file half-written or gone.

#include <result.h>
#include <tmtm.h>

#include <string>

namespace bridge {

// The name the new content is written to first: the path followed by "saving" (another name of
// its own when that one is taken or too long).
std::string temporarySaveName(const std::string& path);

// Writes `mtm` (at least one point) through `save` to the temporary name, flushes it to disk and
// moves it over mtm.path in one rename (platform's FileReplacement: a symbolic link is written
// through, the file keeps its permissions, a folder or device in its place is refused). On any
// failure the old file is untouched, the temporary file is gone and the reason names the step.
kalmeno::Status saveMtmReplacing(saveMTM_t save, const TMtm& mtm);

} // namespace bridge
