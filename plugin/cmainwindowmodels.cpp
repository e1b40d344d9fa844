// The window's scene and model work: opening scenes and MTM files, choosing and showing models,
// their generation areas and markers, and saving. The logic lives in the bridge; these slots
// connect it to the widgets.

#include "cmainwindow.h"

#include "clistmodel.h"
#include "ctablemodel.h"
#include "ctablemodeldor.h"
#include "pointactions.h"
#include "ui_cmainwindow.h"

#include <bridgelog.h>
#include <bridgestate.h>
#include <calculationprogress.h>
#include <camerapoll.h>
#include <cbridgeevents.h>
#include <cmtmfiles.h>
#include <cpointmarkers.h>
#include <engineattachment.h>
#include <generationareatexts.h>
#include <hostcameraangles.h>
#include <postloadview.h>
#include <selectionstylesheet.h>

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QIcon>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

void CMainWindow::wireBridge()
{
    bridge::IWindowChannel& channel = *this;
    markers = std::make_unique<bridge::CPointMarkers>(*listModel, channel);
    const bridge::OstrellFunctions files{ostrell.getMTM, ostrell.saveMTM, ostrell.createPtrFuncDll};
    mtmFiles = std::make_unique<bridge::CMtmFiles>(*listModel, channel, *markers, files);
    cameraAngles = std::make_unique<bridge::HostCameraAngles>();
    tableLog = std::make_unique<bridge::BridgeLog>();
    pointsModel->setPointScene(markers.get());
    pointsModel->setCameraAngles(cameraAngles.get());
    pointsModel->setHostLog(tableLog.get());

    // The host's threads reach the window only through these, queued onto its thread.
    auto& events = bridge::bridgeEvents();
    connect(&events, &bridge::CBridgeEvents::Signal_refreshAfterLoad, this, &CMainWindow::RefreshAfterLoad,
            Qt::QueuedConnection);
    connect(&events, &bridge::CBridgeEvents::Signal_disableMTMCalcBottons, this,
            &CMainWindow::Slot_disableMTMCalcBottons, Qt::QueuedConnection);

    setHostViewSource([] {
        const auto& state = bridge::bridgeState();
        kalmeno::HostViewObjects objects;
        objects.channel = state.channel.load();
        objects.surfaceConveyer = state.surfaceConveyer.load();
        objects.sceneConveyer = state.sceneConveyer.load();
        objects.render = state.render.load();
        return objects;
    });
}

int CMainWindow::currentBoxId() const
{
    return bridge::bridgeState().currentRowBoxId.load();
}

// --- what the bridge asks of the window ---

void CMainWindow::warning(const QString& title, const QString& text)
{
    QMessageBox::warning(this, title, text);
}

void CMainWindow::critical(const QString& title, const QString& text)
{
    QMessageBox::critical(this, title, text);
}

void CMainWindow::showMessageBox(const QString& text)
{
    Slot_showMessageBox(text);
}

void CMainWindow::writeToLogPanel(const QString& text)
{
    WriteToLogPanel(text);
}

void CMainWindow::showStatus(const QString& text, int timeoutMs)
{
    emit signalUpdateStatusBar(text, timeoutMs);
}

int CMainWindow::currentModelRow() const
{
    const QModelIndex current = ui->listViewModels->currentIndex();
    return current.isValid() ? current.row() : -1;
}

bool CMainWindow::boxesVisible() const
{
    return ui->actionBboxVisibility->isChecked();
}

void CMainWindow::modelsAdded()
{
    emit Signal_updateModels();
}

void CMainWindow::storePattern(const TMtm& mtm)
{
    const auto stored = ui->plot3DWidget->tryStorePattern(mtm);
    if (!stored)
        bridge::LogError("No pattern for " + mtm.path + ": " + stored.error());
}

// --- scenes ---

void CMainWindow::Slot_openXML()
{
    // One closing parenthesis: with a second one Qt reads the filter as literal names and lists
    // no scene file at all.
    const QString path =
        QFileDialog::getOpenFileName(this, tr("Select the initial state file"), "../Kalmeno", "XML file (*.xml)");
    openScene(path);
}

void CMainWindow::openScene(const QString& path)
{
    scenePath = path;
    if (scenePath.isEmpty())
        return;
    dorModel->setGrid(nullptr, 0, 0);
    pointsModel->setPoints(nullptr);
    mtmFiles->forgetRows();
    emit dorModel->layoutChanged();
    emit pointsModel->layoutChanged();
    emit listModel->layoutChanged();
    setWindowTitle(scenePath);
    bridge::Attach(scenePath.toLocal8Bit().toStdString());
    awaitedSceneLoad = bridge::bridgeState().sceneLoad.load();
    for (QWidget* widget : std::initializer_list<QWidget*>{ui->pushButtonTransformToMTM, ui->pushButtonMergeMtm,
                                                           ui->pushButtonAddPoint, ui->pushButtonDeletePointsMTM})
        widget->setEnabled(true);
    // Files added before the scene's own rows are listed would mix with the earlier scene's.
    ui->pushButtonAddMTMModels->setEnabled(false);
    for (QAction* action : {ui->actionSurfaceVisibility, ui->actionTexturesVisibility, ui->actionLightVisibility,
                            ui->actionPolygonalVisibility, ui->actionDepthMode, ui->actionBboxVisibility,
                            ui->actionWriteInputLogMTM, ui->actionSaveAll, ui->actionSave})
        action->setEnabled(true);
}

void CMainWindow::RefreshAfterLoad(quint64 load)
{
    if (load != awaitedSceneLoad)
        return;
    awaitedSceneLoad = 0;
    mtmFiles->LoadSceneMTMs();
    ui->pushButtonAddMTMModels->setEnabled(true);
    Slot_setPosBboxToUI();
    Slot_setSettingsMTMToUi();
    if (!bridge::bindComputationLibrary(mtmFiles->library()))
        Slot_disableMTMCalcBottons(tr("The Feltrane library was not found. MTM generation will not be available"));
    else
        calculationProgress->bind(bridge::kComputationLibrary);
    if (!bridge::setInitialHostView())
        ui->pushButtonTransformToMTM->setEnabled(false);
}

void CMainWindow::Slot_disableMTMCalcBottons(QString reason)
{
    WriteToLogPanel(reason);
    bridge::LogError(reason.toStdString());
    ui->pushButtonTransformToMTM->setEnabled(false);
    ui->actionWriteInputLogMTM->setEnabled(false);
}

void CMainWindow::Slot_updateModels()
{
    ui->listViewModels->setCurrentIndex(listModel->index(listModel->rowCount() - 1, 0));
    ui->listViewModels->setFocus(Qt::OtherFocusReason);
    emit listModel->layoutChanged();
    emit pointsModel->layoutChanged();
}

void CMainWindow::Slot_updateLineEditAngles()
{
    ui->lineEditAzimuthAngle->setText(bridge::angleText(bridge::bridgeState().azimuthAngle));
    ui->lineEditPlaceAngle->setText(bridge::angleText(bridge::bridgeState().placeAngle));
}

// --- choosing and showing models ---

void CMainWindow::applySelectionStyle(const float color[4])
{
    ui->tableViewPointsMTM->setStyleSheet(bridge::selectionStyleSheet(color[0], color[1], color[2]));
    ui->tableViewDOR->setStyleSheet(bridge::selectionStyleSheet(color[0], color[1], color[2]));
}

void CMainWindow::Slot_currentIdSceneObject_changed(int rowId, int prevId)
{
    if (!markers->selectModel(rowId, prevId))
        return;
    if (rowId < 0 || rowId >= listModel->rowCount())
        return;
    TModelItem& row = listModel->items()[static_cast<std::size_t>(rowId)];
    pointsModel->setPoints(&row.mtm.points);
    emit pointsModel->layoutChanged();
    ui->tableViewPointsMTM->resizeColumnsToContents();
    applySelectionStyle(row.mtm.color);
    ui->tableViewPointsMTM->setCurrentIndex(QModelIndex());
    ui->plot3DWidget->showPattern(std::string(row.mtm.path));
    ui->tableViewDOR->setCurrentIndex(QModelIndex());
}

void CMainWindow::Slot_changeVisibilityMTM(int idx, bool isVisible)
{
    if (markers->changeModelVisibility(idx, isVisible))
        ui->tableViewPointsMTM->setCurrentIndex(QModelIndex());
}

// --- MTM files ---

void CMainWindow::AddMTMFile(const QString& path)
{
    mtmFiles->AddMTMFile(path);
}

void CMainWindow::Slot_pushButtonAddMTMModels_clicked()
{
    if (!bridge::bridgeState().render.load())
        return;
    if (!ostrell.getMTM) {
        bridge::LogError("Pointer of function getMTMFromFile Ostrell.dll is NULL");
        return;
    }
    const QStringList files = QFileDialog::getOpenFileNames(this, tr("Select MTM files"), lastMtmDir, tr("MTM files (*.mtm)"));
    if (!files.isEmpty()) {
        lastMtmDir = QFileInfo(files.last()).absolutePath();
        for (const QString& file : files)
            mtmFiles->AddMTMFile(file);
    }
    ui->actionSaveAll->setEnabled(true);
    ui->actionSave->setEnabled(true);
}

void CMainWindow::Slot_saveMTM()
{
    mtmFiles->saveModel(currentModelRow());
}

void CMainWindow::Slot_saveAll()
{
    if (listModel->rowCount() == 0)
        return;
    QMessageBox question(QMessageBox::Question, tr("Save everything"), tr("Changes in all models will be saved."));
    question.setObjectName("questionSaveAll");
    question.setWindowIcon(QIcon(":/menu/icons/Kalmeno.ico"));
    QPushButton* ok = question.addButton(tr("Ok"), QMessageBox::ActionRole);
    question.addButton(tr("Cancel"), QMessageBox::ActionRole);
    question.setDefaultButton(ok);
    question.exec();
    if (question.clickedButton() != ok)
        return;
    const QModelIndex remembered = ui->listViewModels->currentIndex();
    for (int row = 0; row < listModel->rowCount(); ++row) {
        ui->listViewModels->setCurrentIndex(listModel->index(row, 0));
        Slot_saveMTM();
    }
    ui->listViewModels->setCurrentIndex(remembered);
    bridge::LogInfo("All MTM models are saved");
    emit signalUpdateStatusBar(tr("All MTMS are saved"), 5000);
}

// --- generation area ---

void CMainWindow::Slot_setPosBboxToUI()
{
    const int row = currentModelRow();
    if (row < 0 || row >= listModel->rowCount())
        return;
    const QStringList texts = bridge::boundBoxTexts(listModel->items()[static_cast<std::size_t>(row)].area);
    const QList<QLineEdit*> edits = positionEditors();
    for (int i = 0; i < edits.size(); ++i)
        edits[i]->setText(texts[i]);
}

void CMainWindow::Slot_setSettingsMTMToUi()
{
    const int row = currentModelRow();
    if (row < 0 || row >= listModel->rowCount())
        return;
    const QStringList texts = bridge::settingsTexts(listModel->items()[static_cast<std::size_t>(row)].area);
    const QList<QLineEdit*> edits = settingsEditors();
    for (int i = 0; i < edits.size(); ++i)
        edits[i]->setText(texts[i]);
}

void CMainWindow::Slot_posBbox_changed()
{
    const int row = currentModelRow();
    if (!bridge::bridgeState().render.load() || row < 0 || row >= listModel->rowCount())
        return;
    QStringList texts;
    for (QLineEdit* edit : positionEditors())
        texts.append(edit->text());
    TModelItem& item = listModel->items()[static_cast<std::size_t>(row)];
    TBoundBox box = item.area;
    bridge::applyBoundBoxTexts(box, texts);
    static_cast<TBoundBox&>(item.area) = box;
    markers->followGenerationArea(row);
}

void CMainWindow::Slot_settingsMTM_changed()
{
    const int row = currentModelRow();
    if (row < 0 || row >= listModel->rowCount())
        return;
    const QList<QLineEdit*> edits = settingsEditors();
    QStringList texts;
    for (QLineEdit* edit : edits)
        texts.append(edit->text());
    TModelItem& item = listModel->items()[static_cast<std::size_t>(row)];
    TMtmSettings settings = item.area;
    bridge::applySettingsTexts(settings, texts);
    static_cast<TMtmSettings&>(item.area) = settings;
    for (int i = 0; i < 3; ++i)
        if (edits[i]->text() != texts[i])
            edits[i]->setText(texts[i]);
}

QList<QLineEdit*> CMainWindow::positionEditors() const
{
    return {ui->lineEditPosBbox_Lat, ui->lineEditPosBbox_Lon, ui->lineEditPosBbox_Alt,
            ui->lineEditYawBbox,     ui->lineEditPitchBbox,   ui->lineEditRollBbox,
            ui->lineEditSizeBbox_X,  ui->lineEditSizeBbox_Y,  ui->lineEditSizeBbox_Z};
}

QList<QLineEdit*> CMainWindow::settingsEditors() const
{
    return {ui->lineEdit_NX,          ui->lineEdit_NY,          ui->lineEdit_NZ,
            ui->lineEdit_azimuthStep, ui->lineEdit_placeStep,   ui->lineEdit_coefEllipt,
            ui->lineEdit_orientationAngle, ui->lineEdit_waveLength};
}

// --- points ---

void CMainWindow::Slot_changeVisibilityPoint(int idx, bool isVisible)
{
    markers->changePointVisibility(idx, isVisible, ui->tableViewPointsMTM->currentIndex().row());
}

void CMainWindow::Slot_selectionPointsMTM_changed(const QItemSelection& selected, const QItemSelection& deselected)
{
    const int row = currentModelRow();
    if (row < 0 || row >= listModel->rowCount())
        return;
    showSelectedPointGrid(*dorModel, &listModel->items()[static_cast<std::size_t>(row)].mtm.points, selected);
    markers->changePointSelection(selected, deselected);
}

void CMainWindow::Slot_pickColorForPoint()
{
    if (!markers->canRecolour())
        return;
    const int row = currentModelRow();
    const TMtm& mtm = listModel->items()[static_cast<std::size_t>(row)].mtm;
    const QColor chosen = QColorDialog::getColor(
        QColor::fromRgbF(mtm.color[0], mtm.color[1], mtm.color[2], mtm.color[3]), nullptr);
    if (!markers->recolourCurrentModel(chosen))
        return;
    applySelectionStyle(listModel->items()[static_cast<std::size_t>(row)].mtm.color);
    // The row keeps being current: only its background is drawn anew.
    const QModelIndex index = listModel->index(row, 0);
    emit listModel->dataChanged(index, index);
    ui->listViewModels->setFocus(Qt::OtherFocusReason);
}

void CMainWindow::Slot_pushButtonAddPoint_clicked()
{
    createPoint(*listModel, currentModelRow(), *pointsModel, *ui->tableViewPointsMTM, markers.get());
}

void CMainWindow::Slot_deletePoinstMTM()
{
    removeSelectedPoints(*pointsModel, *ui->tableViewPointsMTM, markers.get());
}

void CMainWindow::Slot_ChangePointSize()
{
    markers->changePointSize(ui->lineEditPointSize->text());
}
