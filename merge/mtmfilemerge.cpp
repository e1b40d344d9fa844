#include "mtmfilemerge.h"

#include "mergedmtmwriter.h"
#include "mergemodel.h"
#include "mtmfile.h"
#include "settingsfilecopy.h"

#include <deque>
#include <exception>
#include <limits>

namespace mtmmerge {

namespace {

// Everything a merge reads or makes, released when the merge ends however it ends.
struct MergeRecords {
    MergeRecords() = default;
    MergeRecords(const MergeRecords&) = delete;
    MergeRecords& operator=(const MergeRecords&) = delete;
    ~MergeRecords()
    {
        for (TMtm& record : read)
            ostrell::releaseMtmGrids(record);
        ostrell::releaseMtmGrids(merged);
    }

    std::deque<TMtm> read; // the base first; a deque keeps references to earlier records valid
    TMtm merged;
};

struct PendingModel {
    AnchorOffset offset;
    const TMtm* model;
};

TMtm& readRecord(MergeRecords& records, const std::string& path, const MtmReader& read, MergeLog& log)
{
    TMtm& record = records.read.emplace_back();
    const kalmeno::Status status = read(path, &record);
    if (!status)
        log.error("Can't read " + path + ": " + status.error());
    return record;
}

} // namespace

bool mergeMtmFiles(const MergeRequest& request, const MtmReader& read, MergeLog& log)
{
    log.info("Start merging MTM, base: " + request.basePath);
    try {
        MergeRecords records;
        const TMtm& base = readRecord(records, request.basePath, read, log);
        log.info("Loaded base MTM: " + request.basePath);
        std::vector<PendingModel> pending;
        for (const AnchoredModels& anchor : request.anchors) {
            for (const std::string& path : anchor.paths) {
                const TMtm& model = readRecord(records, path, read, log);
                log.info("Loaded MTM: " + path);
                pending.push_back({anchor.offset, &model});
            }
        }

        double radius = std::numeric_limits<double>::lowest();
        for (const TMtm& record : records.read)
            if (record.distance > radius)
                radius = record.distance;

        // Each model joins what is merged so far; the base's grid, path, Przn and the radius stay.
        for (std::size_t k = 0; k < pending.size(); ++k) {
            const PendingModel& step = pending[k];
            if (k == 0)
                records.merged = mergeModel(base, *step.model, step.offset, radius);
            else
                appendMovedModel(records.merged, *step.model, step.offset);
            log.info("Successfully merged " + step.model->path);
        }

        copySettingsFile(request.basePath, request.outputPath, log);

        const TMtm& result = pending.empty() ? base : records.merged;
        const kalmeno::Status written = writeMergedMtm(result, request.outputPath);
        if (!written) {
            log.error("Can't save mtm to file " + request.outputPath);
            log.error(written.error());
            return false;
        }
        log.info("Merged mtm written to file " + request.outputPath);
        return true;
    } catch (const std::exception& failure) {
        log.error(failure.what());
        return false;
    }
}

} // namespace mtmmerge
