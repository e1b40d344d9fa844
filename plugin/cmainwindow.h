#pragma once
// The plug-in's one window: the list of models, the points and RCS tables, the generation
// settings, the 3-D view, menus and tool bar; it binds Ostrell and follows the host camera.

#include "hostviewobjects.h"
#include "iwindowchannel.h"
#include "mtmmerger.h"
#include "ostrellentrypoints.h"
#include "tmtm.h"

#include <QItemSelection>
#include <QMainWindow>
#include <QString>
#include <QTranslator>

#include <atomic>
#include <functional>
#include <memory>
#include <string>

class CItemDelegate;
class CListModel;
class CQuelmarData;
class CTableModel;
class CTableModelDOR;
class CTwoLinesDelegate;
class QThread;
class QLineEdit;
class QTimer;
struct TFcoMtm;

namespace bridge {
class BridgeLog;
class CalculationProgress;
class CMtmFiles;
class CPointMarkers;
class GenerationJob;
class HostCameraAngles;
struct GenerationReport;
struct TGenerationJob;
} // namespace bridge

class GenerationWindowLink;

namespace Ui {
class CMainWindow;
}

class CMainWindow : public QMainWindow, private bridge::IWindowChannel {
    Q_OBJECT

public:
    explicit CMainWindow(QWidget* parent = nullptr);
    ~CMainWindow() override;

    // Appends a line to the log panel and keeps the newest line in view.
    void WriteToLogPanel(QString text);

    // Where the view toggles find the host's objects; until set, they find none.
    void setHostViewSource(std::function<kalmeno::HostViewObjects()> source);

    // True when all six Ostrell entry points were found.
    bool isOstrellBound() const;
    // Host id of the current row's generation-area box, -1 before a row is chosen; safe to read
    // from the camera poller's thread.
    int currentBoxId() const;

    // Opens an initial-state file, as "Open" does with the file the user chose.
    void openScene(const QString& path);
    // After scene load `load` (queued from the host's thread): its models become rows, the
    // generation controls follow what the host offers. A load other than the last one opened is
    // left alone.
    void RefreshAfterLoad(quint64 load);
    // Opens one MTM file as a new row.
    void AddMTMFile(const QString& path);
    // The thread on which the camera poller runs, and the poller (for observers).
    QThread* anglesThread() const { return workerThread; }
    CQuelmarData* anglesWatcher() const { return quelmarData; }

signals:
    void Signal_showMessageBox(QString msg);
    void Signal_MTMCreated();
    void Signal_updateModels();
    void Signal_disableMTMCalcBottons(QString reason);
    void signalUpdateStatusBar(QString message, int timeout = 0);
    void signalClearStatusBar();
    void signalWriteLog(QString message);

public slots:
    void Slot_mergeMTM();
    void Slot_disableMTMCalcBottons(QString reason);
    void Slot_openXML();
    void Slot_saveMTM();
    void Slot_saveAll();
    void Slot_currentIdSceneObject_changed(int rowId, int prevId);
    void Slot_pushButtonAddMTMModels_clicked();
    void Slot_changeVisibilityMTM(int idx, bool isVisible);
    void Slot_transformToMTM();
    void Slot_pickColorForPoint();
    void Slot_ChangePointSize();
    void Slot_pushButtonAddPoint_clicked();
    void Slot_deletePoinstMTM();
    void Slot_selectionPointsMTM_changed(const QItemSelection& selected, const QItemSelection& deselected);
    void Slot_changeVisibilityPoint(int idx, bool isVisible);
    void Slot_posBbox_changed();
    void Slot_setPosBboxToUI();
    void Slot_setSettingsMTMToUi();
    void Slot_settingsMTM_changed();
    void Slot_logVisibility_changed();
    void Slot_surfaceVisibility_changed();
    void Slot_writeInputLogMTM_changed();
    void Slot_texturesVisibility_changed();
    void Slot_lightVisibility_changed();
    void Slot_polygonalVisibility_changed();
    void Slot_actionDepthMode_changed();
    void Slot_BboxVisibility_changed();
    void Slot_showMessageBox(QString msg);
    void Slot_updateLineEditAngles();
    void Slot_updateModels();
    void Slot_showDialogAboutProgram();
    void WriteInputLogMTM(TFcoMtm* fcoPack, std::string& fileName);
    void ChangeLanguageMS(QString lang);

private:
    void setUpViews();
    void installValidators();
    void makeConnections();
    void startAnglesWorker();
    void stopAnglesWorker();
    void bindOstrell();
    void LoadTranslations();
    // Loads the library anew and looks the function up; tells the user and answers null when
    // either fails.
    static void* ResolveLibraryFunction(const std::wstring& libraryName, const char* functionName);
    // The log and panel lines of a toggle for its new state.
    void reportToggle(bool on, const char* logOn, const char* logOff, const QString& panelOn, const QString& panelOff);
    // Runs a request of the merge dialog and opens the merged file as a new row.
    void runMerge(const QString& newFileName, const QString& baseMtmPath, const QList<AnchorPointInfo>& anchorPoints);

    // The bridge's models, markers and files, tied to this window's widgets.
    void wireBridge();
    void applySelectionStyle(const float color[4]);
    QList<QLineEdit*> positionEditors() const;
    QList<QLineEdit*> settingsEditors() const;

    // Generation: the button's two looks, the stop, and what the running job reports.
    friend class GenerationWindowLink;
    void setUpGeneration();
    void SetGenerateButtonRunning(bool running);
    void stopGeneration();
    // Stops the running job; false when there is none or its MTM is already in place.
    bool abandonGeneration();
    void generationEnded();
    void receiveGenerationReport(const bridge::GenerationJob& job, const bridge::GenerationReport& report);
    void completeGeneration(const bridge::TGenerationJob& job);
    void showCalculationProgress();

    // bridge::IWindowChannel
    void warning(const QString& title, const QString& text) override;
    void critical(const QString& title, const QString& text) override;
    void showMessageBox(const QString& text) override;
    void writeToLogPanel(const QString& text) override;
    void showStatus(const QString& text, int timeoutMs) override;
    int currentModelRow() const override;
    bool boxesVisible() const override;
    void modelsAdded() override;
    void storePattern(const TMtm& mtm) override;

    Ui::CMainWindow* ui = nullptr;
    QString lastMtmDir;
    QThread* workerThread = nullptr;
    QTimer* anglesTimer = nullptr;
    CQuelmarData* quelmarData = nullptr;
    int anglesInterval = 100;
    QTranslator translator;
    QTranslator qtTranslator;
    OstrellEntryPoints ostrell;
    QString scenePath;
    // The scene load that the last openScene started; 0 once it is listed.
    quint64 awaitedSceneLoad = 0;
    CListModel* listModel = nullptr;
    CTableModel* pointsModel = nullptr;
    CTableModelDOR* dorModel = nullptr;
    CItemDelegate* itemDelegate = nullptr;
    CTwoLinesDelegate* twoLinesDelegate = nullptr;
    MtmMerger merger;
    // Written on the GUI thread, read by the camera poller.
    std::function<kalmeno::HostViewObjects()> hostViewSource;
    std::unique_ptr<bridge::CPointMarkers> markers;
    std::unique_ptr<bridge::CMtmFiles> mtmFiles;
    std::unique_ptr<bridge::HostCameraAngles> cameraAngles;
    std::unique_ptr<bridge::BridgeLog> tableLog;
    // The last job started; its state, not the button's caption, decides between start and stop.
    std::shared_ptr<bridge::GenerationJob> jobThread;
    bool generationRunning = false;
    std::shared_ptr<GenerationWindowLink> generationLink;
    std::unique_ptr<bridge::CalculationProgress> calculationProgress;
    QTimer* progressTimer = nullptr;
};
