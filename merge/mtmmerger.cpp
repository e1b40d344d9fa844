#include "mtmmerger.h"

#include "mergedmtmwriter.h"
#include "mergemodel.h"
#include "mtmfilemerge.h"
#include "settingsfilecopy.h"

namespace {

class SilentLog : public mtmmerge::MergeLog {
public:
    void info(const std::string&) override {}
    void error(const std::string&) override {}
    void debug(const std::string&) override {}
};

std::string local8Bit(const QString& text)
{
    return text.toLocal8Bit().toStdString();
}

} // namespace

MtmMerger::MtmMerger(const OstrellEntryPoints& entryPoints, mtmmerge::MergeLog* log)
    : entryPoints(entryPoints), mergeLog(log)
{
}

mtmmerge::MergeLog& MtmMerger::log() const
{
    static SilentLog silent;
    return mergeLog ? *mergeLog : silent;
}

bool MtmMerger::merge(const QString& newFileName, const QString& baseMtmPath,
                      const QList<AnchorPointInfo>& anchorPoints)
{
    const getMTM_t getMTM = entryPoints.getMTM;
    if (!getMTM) {
        log().error("Pointer of function getMTMFromFile Ostrell.dll is NULL");
        return false;
    }
    mtmmerge::MergeRequest request;
    request.outputPath = local8Bit(newFileName);
    request.basePath = local8Bit(baseMtmPath);
    for (const AnchorPointInfo& anchor : anchorPoints) {
        mtmmerge::AnchoredModels models;
        models.offset = {anchor.x, anchor.y, anchor.z};
        for (const auto& model : anchor.models)
            models.paths.push_back(local8Bit(model.first));
        request.anchors.push_back(std::move(models));
    }
    const auto read = [getMTM](const std::string& path, TMtm* out) {
        return getMTM(path, out) ? kalmeno::Status::success()
                                 : kalmeno::Status::failure("the MTM library could not read it");
    };
    return mtmmerge::mergeMtmFiles(request, read, log());
}

TMtm MtmMerger::mergeModel(const TMtm& base, const TMtm& model, double x, double y, double z, double R) const
{
    return mtmmerge::mergeModel(base, model, {x, y, z}, R);
}

bool MtmMerger::copySettingsFile(const QString& baseMtmPath, const QString& outputPath) const
{
    return mtmmerge::copySettingsFile(local8Bit(baseMtmPath), local8Bit(outputPath), log());
}

bool MtmMerger::writeMTM(const TMtm& mtm, const std::string& path) const
{
    const kalmeno::Status written = mtmmerge::writeMergedMtm(mtm, path);
    if (!written)
        log().debug("Cannot write " + path + ": " + written.error());
    return written.ok();
}
