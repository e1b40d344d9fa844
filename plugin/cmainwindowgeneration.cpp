// The window's part of generating an MTM: starting and stopping the job, the button's two looks,
// and turning the job's reports into the window's signals, its status bar progress and, at the
// end, the new MTM in its row. The job itself lives in the bridge.

#include "cmainwindow.h"

#include "clistmodel.h"
#include "ctablemodeldor.h"
#include "generationwindowlink.h"
#include "ui_cmainwindow.h"

#include <bridgelog.h>
#include <bridgestate.h>
#include <calculationprogress.h>
#include <cmtmfiles.h>
#include <cpointmarkers.h>
#include <generationjob.h>
#include <inputlog.h>
#include <settingsfile.h>

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace {

constexpr int kProgressIntervalMs = 250;

QString local(const std::string& text)
{
    return QString::fromLocal8Bit(text.c_str());
}

} // namespace

void CMainWindow::setUpGeneration()
{
    generationLink = std::make_shared<GenerationWindowLink>(this);
    calculationProgress = std::make_unique<bridge::CalculationProgress>();
    progressTimer = new QTimer(this);
    progressTimer->setInterval(kProgressIntervalMs);
    connect(progressTimer, &QTimer::timeout, this, &CMainWindow::showCalculationProgress);
}

void CMainWindow::SetGenerateButtonRunning(bool running)
{
    QPushButton* button = ui->pushButtonTransformToMTM;
    button->setText(running ? tr("Stop") : tr("Generate MTM"));
    button->setStyleSheet(running ? QStringLiteral("QPushButton {   background-color: #d32f2f;   color: white;   "
                                                   "font-weight: bold;}")
                                  : QString());
    button->setMinimumHeight(60);
}

void CMainWindow::Slot_transformToMTM()
{
    const auto& state = bridge::bridgeState();
    if (!state.render.load() || !state.converter.load())
        return;
    if (generationRunning) {
        stopGeneration();
        return;
    }
    if (!ostrell.createMTM) {
        bridge::LogError("Pointer of function Ostrell.dll is NULL");
        Slot_showMessageBox(tr("The library function could not be called Ostrell.dll . Creating an MTM is not possible."));
        return;
    }
    const int row = currentModelRow();
    if (row < 0 || row >= listModel->rowCount())
        return;
    const TModelItem& item = listModel->items()[std::size_t(row)];
    if (item.label.empty()) {
        bridge::LogError("There is no path to model of object " + item.name);
        Slot_showMessageBox(tr("The object is empty. Conversion to MTM is not possible"));
        return;
    }
    // Settings files may hold counts or steps that give no grid; refuse them before anything starts.
    if (!bridge::hasUsableGrid(item.area)) {
        bridge::LogError("Generation refused: the element counts and angle steps must be greater than zero");
        Slot_showMessageBox(tr("The number of elements per axis and the angle steps must be greater than zero. "
                               "MTM generation will not be performed"));
        return;
    }
    const auto dot = item.label.rfind('.');
    const QString proposal = local(dot == std::string::npos ? item.label : item.label.substr(0, dot));
    QFileDialog dialog(this, tr("Saving MTM"), proposal, tr("MTM files (*.mtm)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // A name typed without extension still makes an .mtm file, as the filter suggests.
    dialog.setDefaultSuffix("mtm");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const std::string outputPath = dialog.selectedFiles().first().toLocal8Bit().toStdString();
    if (outputPath.empty())
        return;

    bridge::LogInfo("Wait feedback");
    emit signalUpdateStatusBar(tr("Getting triangles..."), 0);
    SetGenerateButtonRunning(true);
    ui->pushButtonMergeMtm->setEnabled(false);
    ui->actionOpen->setEnabled(false);
    generationRunning = true;

    // The dialog ran an event loop: read the row again.
    const int reloadRow = currentModelRow();
    const TModelItem& current = listModel->items()[std::size_t(row)];
    bridge::bridgeState().currentBoxId = current.area.boxId;
    bridge::TGenerationJob job;
    job.window = generationLink;
    job.outputPath = outputPath;
    job.area = current.area;
    job.settings = current.area;
    job.settingsRow = row;
    job.writeInputLog = ui->actionWriteInputLogMTM->isChecked();
    job.reloadRow = reloadRow;
    auto started = bridge::GenerationJob::start(std::move(job), ostrell.createMTM);
    if (!started) {
        bridge::LogError("Exception in MTM thread: " + started.error());
        WriteToLogPanel(tr("MTM generation stopped after an error: %1").arg(local(started.error())));
        emit signalClearStatusBar();
        emit Signal_MTMCreated();
        return;
    }
    jobThread = std::move(started.value());
}

void CMainWindow::stopGeneration()
{
    QMessageBox question(QMessageBox::Warning, tr("Stop transforming to MTM"),
                         tr("Are you sure you want to stop the generation of MTM? This can lead to unforeseen "
                            "consequences."),
                         QMessageBox::Ok | QMessageBox::Cancel, this);
    question.setObjectName("questionStopGeneration");
    question.setDefaultButton(QMessageBox::Cancel);
    // The job goes on while the question is open and may end meanwhile.
    if (question.exec() != QMessageBox::Ok || !generationRunning)
        return;
    if (!abandonGeneration())
        return;
    emit Signal_MTMCreated();
    emit signalClearStatusBar();
    bridge::LogInfo("Generation stopped");
    WriteToLogPanel(tr("Generation stopped"));
}

bool CMainWindow::abandonGeneration()
{
    if (!jobThread || !generationRunning)
        return false;
    const auto outcome = jobThread->stop();
    if (outcome == bridge::GenerationJob::StopOutcome::TooLate)
        return false;
    if (outcome == bridge::GenerationJob::StopOutcome::StoppedComputing && ostrell.terminateProcces)
        ostrell.terminateProcces();
    return true;
}

void CMainWindow::generationEnded()
{
    generationRunning = false;
    progressTimer->stop();
    SetGenerateButtonRunning(false);
    ui->pushButtonMergeMtm->setEnabled(true);
    ui->actionOpen->setEnabled(true);
}

void CMainWindow::receiveGenerationReport(const bridge::GenerationJob& job, const bridge::GenerationReport& report)
{
    using Kind = bridge::GenerationReport::Kind;
    switch (report.kind) {
    case Kind::StatusBar:
        emit signalUpdateStatusBar(report.text, 0);
        break;
    case Kind::ClearStatusBar:
        emit signalClearStatusBar();
        break;
    case Kind::LogPanel:
        emit signalWriteLog(report.text);
        break;
    case Kind::MessageBox:
        emit Signal_showMessageBox(report.text);
        break;
    case Kind::ComputingStarted:
        if (calculationProgress->isBound())
            progressTimer->start();
        break;
    case Kind::ComputingEnded:
        progressTimer->stop();
        break;
    case Kind::Completed:
        completeGeneration(job.record());
        break;
    case Kind::Ended:
        emit Signal_MTMCreated();
        break;
    }
}

void CMainWindow::completeGeneration(const bridge::TGenerationJob& job)
{
    // The settings the MTM was computed with, not what the row was edited to meanwhile.
    TGenerationArea area;
    static_cast<TBoundBox&>(area) = job.area;
    static_cast<TMtmSettings&>(area) = job.settings;
    bridge::WriteSettingsFile(area, job.outputPath);

    const int row = job.reloadRow;
    if (row < 0 || row >= listModel->rowCount())
        return;
    TModelItem& item = listModel->items()[std::size_t(row)];
    // Read afresh, keeping the row's colour.
    TMtm fresh;
    std::copy(std::begin(item.mtm.color), std::end(item.mtm.color), std::begin(fresh.color));
    mtmFiles->ReadMTM(job.outputPath, &fresh);
    dorModel->setGrid(nullptr, 0, 0);
    listModel->replaceMtm(row, fresh);
    item.mtmPath = job.outputPath;
    markers->refreshMarkers();
    // The tables and the 3-D view follow the row; when another row became current meanwhile,
    // the new MTM's row becomes current again so that the list, the tables and the markers agree.
    if (currentModelRow() == row)
        emit ui->listViewModels->SignalCurrentIdChanged(row, row);
    else
        ui->listViewModels->setCurrentIndex(listModel->index(row, 0));
    dorModel->setGrid(nullptr, 0, 0);
}

void CMainWindow::showCalculationProgress()
{
    if (const auto percent = calculationProgress->percent())
        emit signalUpdateStatusBar(tr("Calculation of MTM... %1%").arg(*percent, 0, 'f', 0), 0);
}

void CMainWindow::WriteInputLogMTM(TFcoMtm* fcoPack, std::string& fileName)
{
    if (fcoPack)
        bridge::WriteInputLogMTM(*fcoPack, fileName);
}
