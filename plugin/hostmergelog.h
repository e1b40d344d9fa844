#pragma once
// The merge's lines into the host log, its diagnostics into Qt's debug stream.

#include "mergelog.h"

mtmmerge::MergeLog& hostMergeLog();
