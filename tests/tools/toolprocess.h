#pragma once
// Runs the built `mtm` program as a separate process and collects what it said; the tests keep
// its files in a TemporaryFolder.

#include "temporaryfolder.h"

#include <string>
#include <vector>

struct ToolRun {
    int status = -1; // exit status, or -1 when the program did not exit normally
    std::string out;
    std::string err;
    long peakKiB = 0; // the program's peak resident memory
};

ToolRun runMtm(const std::vector<std::string>& arguments);
