#pragma once
// The main window's merge: the merge core driven with the window's MTM library and its log, for
// the requests of the merge dialog.

#include "anchorpointinfo.h"
#include "mergelog.h"
#include "ostrellentrypoints.h"
#include "tmtm.h"

#include <QList>
#include <QString>

#include <string>

class MtmMerger {
public:
    // Without entry points nothing can be merged.
    MtmMerger() = default;
    // `log` (kept, not owned) receives the host-log lines and diagnostics; null is silent.
    MtmMerger(const OstrellEntryPoints& entryPoints, mtmmerge::MergeLog* log);

    // Merges the anchored models onto the base and writes `newFileName`, with a copy of the
    // base's settings file beside it. True when the file was written.
    bool merge(const QString& newFileName, const QString& baseMtmPath, const QList<AnchorPointInfo>& anchorPoints);

    // One merge step; throws std::runtime_error with the log's message when the models cannot be
    // merged. The caller releases the grids of the result.
    TMtm mergeModel(const TMtm& base, const TMtm& model, double x, double y, double z, double R) const;
    // Copies the base's settings file beside the output, never over an existing one.
    bool copySettingsFile(const QString& baseMtmPath, const QString& outputPath) const;
    // Writes `mtm` with its own Przn; refuses points on different grids.
    bool writeMTM(const TMtm& mtm, const std::string& path) const;

private:
    mtmmerge::MergeLog& log() const;

    OstrellEntryPoints entryPoints;
    mtmmerge::MergeLog* mergeLog = nullptr;
};
