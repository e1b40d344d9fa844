#pragma once
// Models in memory and on disk for the merge's tests, and a log that keeps what it was told.

#include "mergelog.h"
#include "mtmfilemerge.h"
#include "temporaryfolder.h"
#include "tmtm.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace mergetest {

using Amplitude = std::function<TRcsValue(std::uint32_t point, std::uint32_t az, std::uint32_t el)>;

// A model of `points` points on a countAz x countEl grid; point p lies at (p, 2p, 3p).
TMtm makeModel(std::uint32_t points, std::uint32_t countAz, std::uint32_t countEl, const Amplitude& amplitude,
               double distance = 100.0, std::int32_t przn = 0);

// Releases a model's grids when it goes out of scope.
class ModelGuard {
public:
    explicit ModelGuard(TMtm& mtm) : mtm_(mtm) {}
    ~ModelGuard();
    ModelGuard(const ModelGuard&) = delete;
    ModelGuard& operator=(const ModelGuard&) = delete;

private:
    TMtm& mtm_;
};

// Writes `mtm` as a .mtm file with its own Przn (the library's writer).
void writeModel(const std::string& path, const TMtm& mtm);
// Reads a .mtm file; the test fails when it cannot. The caller releases the grids.
TMtm readModel(const std::string& path);
// Reads with the library's reader, as the tool does.
mtmmerge::MtmReader fileReader();

void writeText(const std::string& path, const std::string& text);
std::string readText(const std::string& path);

class RecordingLog : public mtmmerge::MergeLog {
public:
    void info(const std::string& line) override { lines.push_back(line); }
    void error(const std::string& line) override { lines.push_back("error: " + line); }
    void debug(const std::string& line) override { debugLines.push_back(line); }

    std::vector<std::string> lines; // in order, error lines marked
    std::vector<std::string> debugLines;
};

} // namespace mergetest
