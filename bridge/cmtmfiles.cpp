#include "cmtmfiles.h"

#include "bridgelog.h"
#include "bridgestate.h"
#include "cpointmarkers.h"
#include "generationarea.h"
#include "iwindowchannel.h"
#include "modelpalette.h"
#include "mtmsaving.h"
#include "settingsfile.h"

#include <clistmodel.h>

#include <QCoreApplication>

namespace bridge {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("CMainWindow", text);
}

QString local(const std::string& text)
{
    return QString::fromLocal8Bit(text.c_str());
}

void setColor(TMtm& mtm, const float color[4])
{
    for (int k = 0; k < 4; ++k)
        mtm.color[k] = color[k];
    for (auto& point : mtm.points)
        for (int k = 0; k < 4; ++k)
            point.color[k] = color[k];
}

} // namespace

CMtmFiles::CMtmFiles(CListModel& models, IWindowChannel& window, CPointMarkers& markers, OstrellFunctions library)
    : models_(models), window_(window), markers_(markers), library_(library)
{
}

int CMtmFiles::rowsWithMtm() const
{
    int count = 0;
    for (const auto& row : models_.items())
        if (!row.mtmPath.empty())
            ++count;
    return count;
}

bool CMtmFiles::ReadMTM(const std::string& path, TMtm* mtm)
{
    if (!library_.getMTM) {
        LogError("Pointer of function getMTMFromFile Ostrell.dll is NULL");
        return false;
    }
    if (!mtm)
        return false;
    // A fresh record is (0, 0, 0, 1), not all zeros: that opaque black means "no colour yet" too.
    const TMtm fresh;
    float remembered[4];
    bool allZero = true;
    bool asFresh = true;
    for (int k = 0; k < 4; ++k) {
        remembered[k] = mtm->color[k];
        allZero = allZero && remembered[k] == 0.0f;
        asFresh = asFresh && remembered[k] == fresh.color[k];
    }
    const bool hadColor = !allZero && !asFresh;
    LogInfo("Start reading MTM file...");
    if (!library_.getMTM(path, mtm)) {
        LogError("Error while loading MTM. Unable to read MTM");
        LogInfo("End of reading MTM file");
        return false;
    }
    LogInfo("End reading MTM file");
    if (hadColor) {
        setColor(*mtm, remembered);
    } else {
        const auto& palette = modelPalette();
        const QColor& colour = palette[static_cast<std::size_t>(rowsWithMtm()) % palette.size()];
        const float color[4] = {colour.red() / 255.0f, colour.green() / 255.0f, colour.blue() / 255.0f, 1.0f};
        setColor(*mtm, color);
    }
    return true;
}

void CMtmFiles::createBox(TModelItem& item, bool setState)
{
    auto* render = bridgeState().render.load();
    if (!render)
        return;
    const std::int32_t boxId = createGenerationBox(*render);
    item.area.boxId = boxId;
    if (setState)
        render->SetBoxState(boxId, window_.boxesVisible() ? hostsdk::kStateShown : hostsdk::kStateHidden);
}

void CMtmFiles::readSettings(TModelItem& item)
{
    const std::string iniName = settingsFileName(item.mtmPath);
    if (ReadSettingsFile(item))
        LogInfo("File " + iniName + " is read");
    else
        LogError("Can't read " + iniName);
}

void CMtmFiles::AddMTMFile(const QString& path)
{
    if (!bridgeState().render.load())
        return;
    const std::string localPath = path.toLocal8Bit().toStdString();
    for (const auto& row : models_.items()) {
        if (row.mtm.path == localPath) {
            window_.warning(tr("Kalmeno"),
                            tr("Couldn't add a new object. An MTM with that name already exists in the list."));
            return;
        }
    }
    TModelItem item;
    item.name = localPath;
    item.label = localPath;
    item.mtmPath = localPath;
    if (!ReadMTM(item.mtmPath, &item.mtm)) {
        window_.warning(tr("File open"),
                        tr("The file %1 could not be opened. It probably has the wrong format.").arg(path));
        LogError("Can't read " + item.mtmPath);
        return;
    }
    LogInfo("File " + item.mtmPath + " is read");
    window_.writeToLogPanel(tr("The MTM %1 file has been successfully read").arg(path));
    createBox(item, true);
    readSettings(item);
    placeGenerationArea(item.area);
    item.publishedMarkers = markers_.publishModel(item.mtm, item.area);
    models_.appendItem(item);
    window_.modelsAdded();
}

void CMtmFiles::LoadSceneMTMs()
{
    if (!bridgeState().render.load())
        return;
    if (!library_.getMTM) {
        LogError("Pointer of function getMTMFromFile Ostrell.dll is NULL");
        return;
    }
    // Markers of an earlier scene would shift the numbering of the new rows' markers.
    if (models_.items().empty())
        bridgeState().render.load()->ClearPoints();
    for (TModelItem item : bridgeState().sceneModels()) {
        if (!item.mtmPath.empty()) {
            if (!ReadMTM(item.mtmPath, &item.mtm)) {
                LogError("The file " + item.mtmPath + " could not be opened. It probably has the wrong format.");
                window_.writeToLogPanel(tr("The MTM file could not be read ") + local(item.mtmPath));
                continue;
            }
            LogInfo("File " + item.mtmPath + " is read");
            window_.writeToLogPanel(tr("The MTM %1 file has been successfully read").arg(local(item.mtmPath)));
            readSettings(item);
            createBox(item, false);
            placeGenerationArea(item.area);
            item.publishedMarkers = markers_.publishModel(item.mtm, item.area);
        } else {
            createBox(item, false);
            placeGenerationArea(item.area);
        }
        models_.appendItem(item);
    }
    window_.modelsAdded();
}

void CMtmFiles::forgetRows()
{
    if (auto* render = bridgeState().render.load()) {
        render->ClearPoints();
        for (const auto& row : models_.items())
            retireGenerationBox(*render, row.area.boxId);
    }
    bridgeState().currentRowBoxId = -1;
    models_.clearItems();
}

bool CMtmFiles::saveModel(int row)
{
    auto& rows = models_.items();
    if (row < 0 || static_cast<std::size_t>(row) >= rows.size())
        return false;
    const TModelItem& item = rows[static_cast<std::size_t>(row)];
    const std::string path = item.mtm.path;
    if (path.empty())
        return false;
    const QString name = local(item.name);
    if (item.mtm.points.empty()) {
        window_.warning(tr("Saving changes"),
                        tr(" Saving the MTM of the object \"%1\" is possible if there are 1 or more points!").arg(name));
        return false;
    }
    if (!library_.saveMTM) {
        LogError("Pointer of function saveMTM Ostrell.dll is NULL");
        window_.showMessageBox(tr("The library function could not be called Ostrell.dll . Saving the MTM is not possible."));
        return false;
    }
    const auto saved = saveMtmReplacing(library_.saveMTM, item.mtm);
    if (!saved) {
        window_.critical(tr("Error!"), tr("An error occurred while saving the MTM object \"%1\"").arg(name));
        LogError("Error in function saveMTM");
        LogError(saved.error());
        window_.writeToLogPanel(tr("An error occurred while saving MTM %1").arg(name));
        return false;
    }
    LogInfo("MTM saved to " + path);
    const QString message = tr("MTM is saved in ") + local(path);
    window_.writeToLogPanel(message);
    window_.showStatus(message, 5000);
    return true;
}

} // namespace bridge
