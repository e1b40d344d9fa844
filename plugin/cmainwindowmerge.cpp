// The window's part of merging: the merge dialog over the rows that have an MTM file, and the
// merge itself when the dialog asks for it.

#include "cmainwindow.h"

#include "clistmodel.h"
#include "mergemtmsettings.h"

#include <bridgelog.h>

#include <QApplication>
#include <QCursor>

#include <exception>

namespace {

// The merge holds the GUI thread; the cursor says so until it ends.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace

void CMainWindow::Slot_mergeMTM()
{
    try {
        QList<QPair<QString, QString>> models;
        for (const TModelItem& row : listModel->items())
            if (!row.mtmPath.empty())
                models.append({QString::fromLocal8Bit(row.mtmPath.c_str()), QString::fromLocal8Bit(row.name.c_str())});
        auto* dialog = new MergeMtmSettings(models, this);
        dialog->show();
        connect(dialog, &MergeMtmSettings::readyMergeMTM, this,
                [this](QString newFileName, QString baseMtmPath, QList<AnchorPointInfo> anchorPoints) {
                    runMerge(newFileName, baseMtmPath, anchorPoints);
                });
    } catch (const std::exception& error) {
        bridge::LogError(std::string("Can't merge MTM: ") + error.what());
    }
}

void CMainWindow::runMerge(const QString& newFileName, const QString& baseMtmPath,
                           const QList<AnchorPointInfo>& anchorPoints)
{
    bool merged = false;
    {
        const BusyCursor busy;
        merged = merger.merge(newFileName, baseMtmPath, anchorPoints);
    }
    if (merged) {
        bridge::LogInfo("MTMs were merged in " + newFileName.toLocal8Bit().toStdString());
        AddMTMFile(newFileName);
        WriteToLogPanel(tr("MTMs were merged in ") + newFileName);
    } else {
        WriteToLogPanel(tr("Can't merge MTM"));
        bridge::LogError("Can't merge MTM");
    }
}
