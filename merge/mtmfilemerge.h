#pragma once
// A whole merge of .mtm files: the base and every anchored model are read, the models are merged
// one after the other onto the base, the base's settings file is copied beside the output and the
// result is written. Shared by the main window's merge and `mtm merge`.

#include "mergelog.h"
#include "resamplingplan.h"
#include "result.h"
#include "tmtm.h"

#include <functional>
#include <string>
#include <vector>

namespace mtmmerge {

// Models placed at one anchor point.
struct AnchoredModels {
    AnchorOffset offset;
    std::vector<std::string> paths;
};

struct MergeRequest {
    std::string outputPath;
    std::string basePath;
    std::vector<AnchoredModels> anchors;
};

// Reads one file into a fresh record; on failure the record stays as it was.
using MtmReader = std::function<kalmeno::Status(const std::string& path, TMtm* out)>;

// Runs the merge and says each step in `log`. True when the merged file was written. A file that
// cannot be read stays an empty model: an empty base stops the merge, an empty model adds nothing.
// Every grid read or made is released before it returns.
bool mergeMtmFiles(const MergeRequest& request, const MtmReader& read, MergeLog& log);

} // namespace mtmmerge
