#include "cmainwindow.h"

#include "appsettings.h"
#include "cdialogaboutprogram.h"
#include "citemdelegate.h"
#include "clistmodel.h"
#include "cquelmardata.h"
#include "ctablemodel.h"
#include "ctablemodeldor.h"
#include "ctwolinesdelegate.h"
#include "customitemdelegate.h"
#include "dynamiclibrary.h"
#include "generationwindowlink.h"
#include "hostmergelog.h"
#include "mainwindowconstants.h"
#include "pluginglobals.h"
#include "tmodelitem.h"
#include "ui_cmainwindow.h"

#include <bridgelog.h>
#include <calculationprogress.h>
#include <cmtmfiles.h>
#include <cpointmarkers.h>
#include <hostcameraangles.h>

#include "ichannel.h"
#include "ikalmenorender.h"
#include "isceneconveyer.h"
#include "isurfaceconveyer.h"

#include <QApplication>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QRegExpValidator>
#include <QShortcut>
#include <QTextCursor>
#include <QThread>
#include <QTimer>

// The resources live in a static library: register them before the form asks for its icons.
static void initKalmenoResources()
{
    Q_INIT_RESOURCE(kalmeno);
}

namespace {

// Host option bits of the view toggles.
constexpr std::uint32_t optionLight = 2;
constexpr std::uint32_t optionShown = 4;

constexpr std::int32_t stateShown = 0;
constexpr std::int32_t stateHidden = 1;
constexpr std::int32_t stateHighlighted = 2;

void showLibraryBox(const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok);
    box.exec();
}

} // namespace

CMainWindow::CMainWindow(QWidget* parent)
    : QMainWindow(parent)
    , ui(new Ui::CMainWindow)
    , workerThread(new QThread)
    , anglesTimer(new QTimer)
    , quelmarData(new CQuelmarData)
    , anglesInterval(100)
    , listModel(new CListModel)
    , pointsModel(new CTableModel(listModel->gridShare()))
    , dorModel(new CTableModelDOR(listModel->gridShare()))
    , itemDelegate(new CItemDelegate)
    , twoLinesDelegate(new CTwoLinesDelegate)
    , hostViewSource([] { return kalmeno::HostViewObjects{}; })
{
    initKalmenoResources();
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    kalmeno::RestoreSettings(this);
    ui->tabWidget->setCurrentIndex(0);
    setUpViews();
    installValidators();
    makeConnections();
    startAnglesWorker();
    bindOstrell();
    wireBridge();
    setUpGeneration();
    LoadTranslations();
    if (kalmeno::currentLanguage() == "ru")
        ui->actionRusLang->setChecked(true);
    else if (kalmeno::currentLanguage() == "en")
        ui->actionEngLang->setChecked(true);
    merger = MtmMerger(ostrell, &hostMergeLog());
    ui->listViewModels->setItemDelegate(new CustomItemDelegate(ui->listViewModels));
}

CMainWindow::~CMainWindow()
{
    // Host threads stop reaching the window before any of it goes away.
    kalmeno::mainWindow.unregisterWindow(this);
    abandonGeneration();
    generationLink->detach();
    kalmeno::StoreSettings(this);
    stopAnglesWorker();

    // The views still show the models: detach them before the models go.
    ui->tableViewDOR->setModel(nullptr);
    ui->tableViewPointsMTM->setModel(nullptr);
    ui->listViewModels->setModel(nullptr);
    delete twoLinesDelegate;
    delete itemDelegate;
    delete dorModel;
    delete pointsModel;
    delete listModel;
    delete ui;
}

void CMainWindow::setUpViews()
{
    ui->listViewModels->setModel(listModel);
    ui->tableViewPointsMTM->setModel(pointsModel);
    ui->tableViewDOR->setModel(dorModel);

    ui->tableViewPointsMTM->setSelectionBehavior(QAbstractItemView::SelectRows);
    QHeaderView* pointsHeader = ui->tableViewPointsMTM->horizontalHeader();
    pointsHeader->setSectionResizeMode(QHeaderView::Stretch);
    if (pointsHeader->count() > 5) {
        pointsHeader->setSectionResizeMode(4, QHeaderView::ResizeToContents);
        pointsHeader->setSectionResizeMode(5, QHeaderView::ResizeToContents);
    }
    if (pointsHeader->count() > 0) {
        pointsHeader->setSectionResizeMode(0, QHeaderView::Interactive);
        pointsHeader->resizeSection(0, 20);
    }
    ui->tableViewPointsMTM->resizeColumnsToContents();
    pointsHeader->setHighlightSections(false);
    ui->tableViewDOR->horizontalHeader()->setDefaultSectionSize(170);

    ui->textEditLog->setReadOnly(true);
    ui->textEditLog->hide();

    for (QPushButton* button : findChildren<QPushButton*>()) {
        if (!qobject_cast<QMessageBox*>(button->parentWidget()))
            button->setStyleSheet("padding: 20px;");
    }
    ui->tableViewDOR->setStyleSheet("gridline-color: black;");

    ui->listViewModels->setSelectionMode(QAbstractItemView::SingleSelection);
    ui->tableViewPointsMTM->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ui->tableViewDOR->setSelectionMode(QAbstractItemView::SingleSelection);

    // Cell editors that let numbers only through (the models refuse anything else as well).
    ui->tableViewPointsMTM->setItemDelegate(itemDelegate);
    ui->tableViewDOR->setItemDelegate(twoLinesDelegate);

    // Line edits get room around their text, and a selection stays visible (in grey) when its
    // table loses the focus. Group boxes keep the style's own frame: a drawn border with top
    // padding runs through their titles.
    setStyleSheet("QLineEdit { padding: 5px; }"
                  "QTableView::item:selected:!active { background: gray; border: 1px solid transparent;"
                  " selection-color: white; }");
}

void CMainWindow::installValidators()
{
    const auto install = [](const QRegExp& expression, std::initializer_list<QLineEdit*> edits) {
        for (QLineEdit* edit : edits)
            edit->setValidator(new QRegExpValidator(expression, edit));
    };
    install(kalmeno::regExpUnsigned(), {ui->lineEditPointSize, ui->lineEdit_NX, ui->lineEdit_NY, ui->lineEdit_NZ});
    install(kalmeno::regExpDecimal5(), {ui->lineEditSizeBbox_X, ui->lineEditSizeBbox_Y, ui->lineEditSizeBbox_Z});
    install(kalmeno::regExpDecimal10(),
            {ui->lineEditPosBbox_Lat, ui->lineEditPosBbox_Lon, ui->lineEditPosBbox_Alt, ui->lineEditYawBbox,
             ui->lineEditPitchBbox, ui->lineEditRollBbox, ui->lineEdit_azimuthStep, ui->lineEdit_placeStep,
             ui->lineEdit_coefEllipt, ui->lineEdit_orientationAngle, ui->lineEdit_waveLength});
}

void CMainWindow::makeConnections()
{
    connect(ui->actionOpen, &QAction::triggered, this, &CMainWindow::Slot_openXML);
    connect(ui->actionLogVisibility, &QAction::triggered, this, &CMainWindow::Slot_logVisibility_changed);
    connect(ui->actionSurfaceVisibility, &QAction::triggered, this, &CMainWindow::Slot_surfaceVisibility_changed);
    connect(ui->actionTexturesVisibility, &QAction::triggered, this, &CMainWindow::Slot_texturesVisibility_changed);
    connect(ui->actionLightVisibility, &QAction::triggered, this, &CMainWindow::Slot_lightVisibility_changed);
    connect(ui->actionPolygonalVisibility, &QAction::triggered, this, &CMainWindow::Slot_polygonalVisibility_changed);
    connect(ui->actionWriteInputLogMTM, &QAction::triggered, this, &CMainWindow::Slot_writeInputLogMTM_changed);
    connect(ui->actionSave, &QAction::triggered, this, &CMainWindow::Slot_saveMTM);
    connect(ui->actionSaveAll, &QAction::triggered, this, &CMainWindow::Slot_saveAll);
    connect(ui->actionAboutProgram, &QAction::triggered, this, &CMainWindow::Slot_showDialogAboutProgram);
    connect(ui->actionBboxVisibility, &QAction::triggered, this, &CMainWindow::Slot_BboxVisibility_changed);
    connect(ui->actionDepthMode, &QAction::triggered, this, &CMainWindow::Slot_actionDepthMode_changed);

    connect(ui->pushButtonAddMTMModels, &QPushButton::clicked, this, &CMainWindow::Slot_pushButtonAddMTMModels_clicked);
    connect(ui->pushButtonDeletePointsMTM, &QPushButton::clicked, this, &CMainWindow::Slot_deletePoinstMTM);
    connect(ui->pushButtonTransformToMTM, &QPushButton::clicked, this, &CMainWindow::Slot_transformToMTM);
    connect(ui->pushButtonAddPoint, &QPushButton::clicked, this, &CMainWindow::Slot_pushButtonAddPoint_clicked);
    connect(ui->pushButtonMergeMtm, &QPushButton::clicked, this, &CMainWindow::Slot_mergeMTM);

    // A generation ended: the controls it took over come back.
    connect(this, &CMainWindow::Signal_MTMCreated, this, [this] { generationEnded(); });

    connect(ui->colorBtn, &QPushButton::clicked, this, &CMainWindow::Slot_pickColorForPoint);
    connect(ui->lineEditPointSize, &QLineEdit::textEdited, this, &CMainWindow::Slot_ChangePointSize);
    for (QLineEdit* edit : {ui->lineEditPosBbox_Lat, ui->lineEditPosBbox_Lon, ui->lineEditPosBbox_Alt,
                            ui->lineEditSizeBbox_X, ui->lineEditSizeBbox_Y, ui->lineEditSizeBbox_Z, ui->lineEditYawBbox,
                            ui->lineEditPitchBbox, ui->lineEditRollBbox})
        connect(edit, &QLineEdit::textEdited, this, &CMainWindow::Slot_posBbox_changed);
    for (QLineEdit* edit : {ui->lineEdit_NX, ui->lineEdit_NY, ui->lineEdit_NZ, ui->lineEdit_azimuthStep,
                            ui->lineEdit_placeStep, ui->lineEdit_coefEllipt, ui->lineEdit_orientationAngle,
                            ui->lineEdit_waveLength})
        connect(edit, &QLineEdit::textEdited, this, &CMainWindow::Slot_settingsMTM_changed);

    connect(ui->listViewModels, &CListView::SignalCurrentIdChanged, this,
            &CMainWindow::Slot_currentIdSceneObject_changed);
    connect(ui->listViewModels, &CListView::SignalCurrentIdChanged, this, &CMainWindow::Slot_setPosBboxToUI);
    connect(ui->listViewModels, &CListView::SignalCurrentIdChanged, this, &CMainWindow::Slot_setSettingsMTMToUi);
    connect(ui->tableViewPointsMTM, &CTableView::SignalSelectionChanged, this,
            &CMainWindow::Slot_selectionPointsMTM_changed);
    connect(this, &CMainWindow::Signal_updateModels, this, &CMainWindow::Slot_updateModels);

    // A generation ended: the list is where the user continues.
    connect(this, &CMainWindow::Signal_MTMCreated, this, [this] {
        ui->listViewModels->setFocus(Qt::OtherFocusReason);
        emit listModel->layoutChanged();
        emit pointsModel->layoutChanged();
    });

    connect(pointsModel, &CTableModel::SignalChangeVisibleItem, this, &CMainWindow::Slot_changeVisibilityPoint);
    connect(listModel, &CListModel::SignalChangeVisibleItem, this, &CMainWindow::Slot_changeVisibilityMTM);
    connect(this, &CMainWindow::Signal_showMessageBox, this, &CMainWindow::Slot_showMessageBox);
    connect(this, &CMainWindow::Signal_disableMTMCalcBottons, this, &CMainWindow::Slot_disableMTMCalcBottons);
    connect(anglesTimer, &QTimer::timeout, quelmarData, &CQuelmarData::CheckAngles);
    connect(quelmarData, &CQuelmarData::Signal_AnglesChanged, ui->tableViewPointsMTM, &CTableView::SetFocuss);
    connect(quelmarData, &CQuelmarData::Signal_AnglesChanged, this, &CMainWindow::Slot_updateLineEditAngles);
    connect(this, &CMainWindow::signalUpdateStatusBar, ui->statusbar, &QStatusBar::showMessage);
    connect(this, &CMainWindow::signalClearStatusBar, ui->statusbar, &QStatusBar::clearMessage);
    connect(this, &CMainWindow::signalWriteLog, this, &CMainWindow::WriteToLogPanel);

    // Stops a computation under way; the job's thread is busy inside the library meanwhile.
    auto* terminateShortcut = new QShortcut(QKeySequence(tr("Shift+Ctrl+D")), this);
    terminateShortcut->setObjectName("shortcutTerminate");
    terminateShortcut->setContext(Qt::WindowShortcut);
    connect(
        terminateShortcut, &QShortcut::activated, this,
        [this] {
            if (ostrell.terminateProcces)
                ostrell.terminateProcces();
        },
        Qt::DirectConnection);

    connect(ui->actionRusLang, &QAction::triggered, this, [this] { ChangeLanguageMS("ru"); });
    connect(ui->actionEngLang, &QAction::triggered, this, [this] { ChangeLanguageMS("en"); });
}

void CMainWindow::startAnglesWorker()
{
    quelmarData->moveToThread(workerThread);
    // The poller is deleted on its own thread as that thread ends.
    connect(workerThread, &QThread::finished, quelmarData, &QObject::deleteLater);
    workerThread->start(QThread::InheritPriority);
    anglesTimer->start(anglesInterval);
}

void CMainWindow::stopAnglesWorker()
{
    // No poll is queued after this; a poll under way finishes before the thread ends.
    anglesTimer->stop();
    delete anglesTimer;
    anglesTimer = nullptr;
    workerThread->quit();
    workerThread->wait();
    quelmarData = nullptr; // deleted with the end of its thread
    delete workerThread;
    workerThread = nullptr;
}

void CMainWindow::bindOstrell()
{
    const std::wstring library = L"Ostrell.dll";
    ostrell.createPtrFuncDll =
        reinterpret_cast<createPtrFuncDll_t>(ResolveLibraryFunction(library, "createPtrFuncDll"));
    ostrell.getFileSize = reinterpret_cast<getFileSize_t>(ResolveLibraryFunction(library, "getFileSize"));
    ostrell.getMTM = reinterpret_cast<getMTM_t>(ResolveLibraryFunction(library, "getMTM"));
    ostrell.createMTM = reinterpret_cast<createMTM_t>(ResolveLibraryFunction(library, "createMTM"));
    ostrell.saveMTM = reinterpret_cast<saveMTM_t>(ResolveLibraryFunction(library, "saveMTM"));
    ostrell.terminateProcces =
        reinterpret_cast<terminateProcces_t>(ResolveLibraryFunction(library, "terminateProcces"));
}

bool CMainWindow::isOstrellBound() const
{
    return ostrell.createPtrFuncDll && ostrell.getFileSize && ostrell.getMTM && ostrell.createMTM && ostrell.saveMTM &&
           ostrell.terminateProcces;
}

void* CMainWindow::ResolveLibraryFunction(const std::wstring& libraryName, const char* functionName)
{
    const QString shownName = QString::fromStdWString(libraryName);
    // Any address inside this code: a bare name is looked for next to the plug-in first.
    const void* caller = reinterpret_cast<const void*>(&CMainWindow::ResolveLibraryFunction);
    auto library = platform::DynamicLibrary::load(shownName.toLocal8Bit().toStdString(), caller);
    if (!library) {
        showLibraryBox(QCoreApplication::translate("createPtrFuncDll", "Library loading error"),
                       QCoreApplication::translate("createPtrFuncDll", "The library could not be loaded ") + shownName);
        return nullptr;
    }
    auto address = library.value().symbol(functionName);
    if (address) {
        library.value().keepLoaded();
        return address.value();
    }
    library.value().release();
    showLibraryBox(QCoreApplication::translate("createPtrFuncDll", "Error loading the function"),
                   QCoreApplication::translate("createPtrFuncDll", "The function pointer could not be found ") +
                       QString::fromLatin1(functionName) +
                       QCoreApplication::translate("createPtrFuncDll", " in the library ") + shownName);
    return nullptr;
}

void CMainWindow::LoadTranslations()
{
    (void)translator.load("../Kalmeno/Kalmeno_ru");
    if (kalmeno::currentLanguage() == "ru")
        QCoreApplication::installTranslator(&translator);
    if (qtTranslator.load("qt_" + kalmeno::currentLanguage(), "../Kalmeno/translations"))
        QCoreApplication::installTranslator(&qtTranslator);
    ui->retranslateUi(this);
}

void CMainWindow::ChangeLanguageMS(QString lang)
{
    kalmeno::currentLanguage() = lang;
    // Reinstalling keeps one copy of each translator in the application's list.
    QCoreApplication::removeTranslator(&qtTranslator);
    if (qtTranslator.load("qt_" + lang, "../Kalmeno/translations"))
        QCoreApplication::installTranslator(&qtTranslator);
    if (lang == "ru") {
        ui->actionRusLang->setChecked(true);
        ui->actionEngLang->setChecked(false);
        QCoreApplication::removeTranslator(&translator);
        QCoreApplication::installTranslator(&translator);
    } else if (lang == "en") {
        ui->actionRusLang->setChecked(false);
        ui->actionEngLang->setChecked(true);
        QCoreApplication::removeTranslator(&translator);
    } else {
        return;
    }
    ui->retranslateUi(this);
    // The form's caption of the button is the idle one.
    if (generationRunning)
        SetGenerateButtonRunning(true);
}

void CMainWindow::setHostViewSource(std::function<kalmeno::HostViewObjects()> source)
{
    hostViewSource = source ? std::move(source) : [] { return kalmeno::HostViewObjects{}; };
}

void CMainWindow::WriteToLogPanel(QString text)
{
    ui->textEditLog->append(text);
    QTextCursor cursor = ui->textEditLog->textCursor();
    cursor.movePosition(QTextCursor::End);
    ui->textEditLog->setTextCursor(cursor);
}

void CMainWindow::reportToggle(bool on, const char* logOn, const char* logOff, const QString& panelOn,
                               const QString& panelOff)
{
    bridge::LogInfo(on ? logOn : logOff);
    WriteToLogPanel(on ? panelOn : panelOff);
}

void CMainWindow::Slot_logVisibility_changed()
{
    if (ui->textEditLog->isHidden()) {
        ui->textEditLog->show();
        bridge::LogInfo("Log visibility turned on");
    } else {
        ui->textEditLog->hide();
        bridge::LogInfo("Log visibility turned off");
    }
}

void CMainWindow::Slot_surfaceVisibility_changed()
{
    const kalmeno::HostViewObjects host = hostViewSource();
    if (!host.surfaceConveyer)
        return;
    const bool on = ui->actionSurfaceVisibility->isChecked();
    reportToggle(on, "Surface visibility turned on", "Surface visibility turned off",
                 tr("The visibility of the surface is enabled"), tr("The visibility of the surface is disabled"));
    host.surfaceConveyer->SetOption(optionShown, hostsdk::toVariantBool(on));
}

void CMainWindow::Slot_writeInputLogMTM_changed()
{
    // The generation job reads the action when it runs.
    const bool on = ui->actionWriteInputLogMTM->isChecked();
    reportToggle(on, "Write input log MTM turned on", "Write input log MTM turned off",
                 tr("The MTM calculation data recording mode is enabled"),
                 tr("The MTM calculation data recording mode is disabled"));
}

void CMainWindow::Slot_texturesVisibility_changed()
{
    const kalmeno::HostViewObjects host = hostViewSource();
    if (!host.channel)
        return;
    const bool on = ui->actionTexturesVisibility->isChecked();
    reportToggle(on, "Textures visibility turned on", "Textures visibility turned off",
                 tr("The visibility of the scene textures is enabled"),
                 tr("The visibility of the scene textures is disabled"));
    host.channel->SetOption(optionShown, hostsdk::toVariantBool(on));
}

void CMainWindow::Slot_lightVisibility_changed()
{
    const kalmeno::HostViewObjects host = hostViewSource();
    if (!host.channel || !host.surfaceConveyer || !host.sceneConveyer)
        return;
    const bool on = ui->actionLightVisibility->isChecked();
    reportToggle(on, "Light visibility turned on", "Light visibility turned off",
                 tr("The visibility of the scene light is enabled"), tr("The visibility of the scene light is disabled"));
    host.surfaceConveyer->SetOption(optionLight, hostsdk::toVariantBool(on));
    host.sceneConveyer->SetOption(optionLight, hostsdk::toVariantBool(on));
}

void CMainWindow::Slot_polygonalVisibility_changed()
{
    const kalmeno::HostViewObjects host = hostViewSource();
    if (!host.sceneConveyer)
        return;
    const bool on = ui->actionPolygonalVisibility->isChecked();
    reportToggle(on, "Polygonal visibility turned on", "Polygonal visibility turned off",
                 tr("The visibility of the polygonal models are enabled"),
                 tr("The visibility of the polygonal models are disabled"));
    host.sceneConveyer->SetOption(optionShown, hostsdk::toVariantBool(on));
}

void CMainWindow::Slot_actionDepthMode_changed()
{
    const kalmeno::HostViewObjects host = hostViewSource();
    if (!host.render)
        return;
    const bool on = ui->actionDepthMode->isChecked();
    reportToggle(on, "Depth mode turned on", "Depth mode turned off",
                 tr("The visibility of the hidden points are enabled"),
                 tr("The visibility of the hidden points are disabled"));
    host.render->SetDepthMode(hostsdk::toVariantBool(on));
}

void CMainWindow::Slot_BboxVisibility_changed()
{
    const kalmeno::HostViewObjects host = hostViewSource();
    if (!host.render)
        return;
    const bool on = ui->actionBboxVisibility->isChecked();
    for (const TModelItem& item : listModel->items()) {
        const std::int32_t boxId = item.area.boxId;
        host.render->SetBoxState(boxId, on ? stateShown : stateHidden);
    }
    const QModelIndex current = ui->listViewModels->currentIndex();
    if (on && current.isValid() && current.row() < static_cast<int>(listModel->items().size())) {
        const std::int32_t boxId = listModel->items()[static_cast<std::size_t>(current.row())].area.boxId;
        host.render->SetBoxState(boxId, stateHighlighted);
    }
    reportToggle(on, "Bound box visibility turned on", "Bound box visibility turned off",
                 tr("The visibility of the MTM generation area is enabled"),
                 tr("The visibility of the MTM generation area is disabled"));
}

void CMainWindow::Slot_showMessageBox(QString msg)
{
    QMessageBox::information(this, tr("Kalmeno"), msg, QMessageBox::Ok);
}

void CMainWindow::Slot_showDialogAboutProgram()
{
    CDialogAboutProgram dialog;
    dialog.exec();
}

// Filled by the scene, file, settings, marker and generation work.






















