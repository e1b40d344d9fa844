#pragma once
// The RCS pattern of a model computed band by band straight from its file: neither the model nor
// the whole pattern is held, whatever the file's size.

#include "mtmfilereader.h"
#include "patternbands.h"
#include "result.h"

namespace mtm {

kalmeno::Status computeFilePattern(ostrell::MtmFileReader& file, const PatternBandSink& takeBand);

} // namespace mtm
