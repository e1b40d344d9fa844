// The main window as built: its state after construction, input validation, the library
// binding's messages without Ostrell, languages through the settings file, the view toggles on
// the reference host, and what closing leaves behind.
#include "cmainwindow.h"

#include "clistmodel.h"
#include "cquelmardata.h"
#include "hostengine.h"
#include "hostlogger.h"
#include "modalboxwatcher.h"
#include "pluginglobals.h"
#include "testapplication.h"
#include "windowworkdir.h"

#include <bridgestate.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QStatusBar>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QThread>
#include <QValidator>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <functional>
#include <memory>

namespace {

// Closes the window as the user would and lets it delete itself.
void closeWindow(CMainWindow* window)
{
    QPointer<CMainWindow> guard(window);
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(guard.isNull());
}

template <typename T>
T* child(const QObject* window, const char* name)
{
    T* found = window->findChild<T*>(name);
    EXPECT_NE(nullptr, found) << name;
    return found;
}

class MainWindowTest : public ::testing::Test {
protected:
    // Builds the window; the library boxes it raises are closed and remembered by `boxes`.
    CMainWindow* makeWindow()
    {
        auto* window = new CMainWindow();
        windows.push_back(window);
        return window;
    }

    void TearDown() override
    {
        for (const QPointer<CMainWindow>& window : windows)
            if (window)
                closeWindow(window);
        bridge::bridgeState().hostLogger.store(nullptr);
    }

    QApplication& application = testApplication(); // before anything that needs it
    WindowWorkDir workDir;
    ModalBoxWatcher boxes;
    std::vector<QPointer<CMainWindow>> windows;
};

TEST_F(MainWindowTest, IdentityAndDeleteOnClose)
{
    workDir.writeLanguage("en");
    CMainWindow* window = makeWindow();
    EXPECT_EQ("CMainWindow", window->objectName());
    EXPECT_EQ("Kalmeno", window->windowTitle());
    EXPECT_TRUE(window->testAttribute(Qt::WA_DeleteOnClose));
    EXPECT_EQ(nullptr, window->parent());
    closeWindow(window);
}

TEST_F(MainWindowTest, CtrlQClosesTheWindow)
{
    CMainWindow* window = makeWindow();
    QPointer<CMainWindow> guard(window);
    window->show();
    QApplication::setActiveWindow(window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QTest::keyClick(window, Qt::Key_Q, Qt::ControlModifier);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());
}

TEST_F(MainWindowTest, ConstructionState)
{
    CMainWindow* window = makeWindow();
    EXPECT_EQ(0, child<QTabWidget>(window, "tabWidget")->currentIndex());
    EXPECT_TRUE(child<QTextEdit>(window, "textEditLog")->isHidden());
    EXPECT_TRUE(child<QTextEdit>(window, "textEditLog")->isReadOnly());
    EXPECT_EQ(QSize(1600, 900), window->size());

    struct ActionState {
        const char* name;
        bool enabled;
        bool checked;
    };
    const ActionState actions[] = {
        {"actionOpen", true, false},
        {"actionSave", false, false},
        {"actionSaveAll", false, false},
        {"actionExit", true, false},
        {"actionLogVisibility", true, false},
        {"actionSurfaceVisibility", false, true},
        {"actionTexturesVisibility", false, true},
        {"actionLightVisibility", false, true},
        {"actionPolygonalVisibility", false, true},
        {"actionDepthMode", false, false},
        {"actionBboxVisibility", false, true},
        {"actionWriteInputLogMTM", false, true},
        {"actionAboutProgram", true, false},
        {"actionRusLang", true, true}, // no settings file: Russian
        {"actionEngLang", true, false},
    };
    for (const ActionState& expected : actions) {
        const QAction* action = child<QAction>(window, expected.name);
        ASSERT_NE(nullptr, action);
        EXPECT_EQ(expected.enabled, action->isEnabled()) << expected.name;
        EXPECT_EQ(expected.checked, action->isChecked()) << expected.name;
    }

    struct ButtonState {
        const char* name;
        bool enabled;
    };
    const ButtonState buttons[] = {
        {"pushButtonAddMTMModels", false}, {"pushButtonMergeMtm", false}, {"pushButtonTransformToMTM", false},
        {"pushButtonDeletePointsMTM", false}, {"pushButtonAddPoint", false}, {"colorBtn", true},
    };
    for (const ButtonState& expected : buttons) {
        const QPushButton* button = child<QPushButton>(window, expected.name);
        ASSERT_NE(nullptr, button);
        EXPECT_EQ(expected.enabled, button->isEnabled()) << expected.name;
        EXPECT_EQ("padding: 20px;", button->styleSheet()) << expected.name;
    }
    EXPECT_TRUE(child<QAction>(window, "actionSave")->icon().availableSizes().size() > 0 ||
                !child<QAction>(window, "actionSave")->icon().isNull());
    EXPECT_FALSE(window->windowIcon().isNull());
}

TEST_F(MainWindowTest, ValidatorsAcceptWhatTheirFieldsMayHold)
{
    CMainWindow* window = makeWindow();
    const auto acceptable = QValidator::Acceptable;
    const auto typing = QValidator::Intermediate;
    const auto refused = QValidator::Invalid;
    struct Case {
        const char* edit;
        const char* text;
        QValidator::State state;
    };
    const Case cases[] = {
        // unsigned integers
        {"lineEditPointSize", "5", acceptable},
        {"lineEditPointSize", "0123", acceptable},
        {"lineEditPointSize", "-5", refused},
        {"lineEditPointSize", "2.5", refused},
        {"lineEditPointSize", "1e3", refused},
        {"lineEdit_NX", "10", acceptable},
        {"lineEdit_NY", "x", refused},
        {"lineEdit_NZ", "", typing},
        // decimals with at most five fraction digits
        {"lineEditSizeBbox_X", "1000", acceptable},
        {"lineEditSizeBbox_X", "0.12345", acceptable},
        {"lineEditSizeBbox_X", "0.123456", refused},
        {"lineEditSizeBbox_Y", ".5", acceptable},
        {"lineEditSizeBbox_Y", "-2.5e-3", acceptable},
        {"lineEditSizeBbox_Z", "-", typing},
        {"lineEditSizeBbox_Z", "12e", typing},
        {"lineEditSizeBbox_Z", "1,5", refused},
        {"lineEditSizeBbox_Z", "1.2.3", refused},
        // decimals with at most ten fraction digits
        {"lineEditPosBbox_Lat", "39.250498", acceptable},
        {"lineEditPosBbox_Lat", "0.1234567891", acceptable},
        {"lineEditPosBbox_Lat", "0.12345678912", refused},
        {"lineEditPosBbox_Lon", "-119.955377", acceptable},
        {"lineEditPosBbox_Alt", "3E+2", acceptable},
        {"lineEditYawBbox", "+1", refused},
        {"lineEditPitchBbox", "abc", refused},
        {"lineEditRollBbox", "1.", acceptable},
        {"lineEdit_azimuthStep", "10", acceptable},
        {"lineEdit_placeStep", "--1", refused},
        {"lineEdit_coefEllipt", "0", acceptable},
        {"lineEdit_orientationAngle", "-.5", acceptable},
        {"lineEdit_waveLength", "0.03", acceptable},
        {"lineEdit_waveLength", " 0.03", refused},
    };
    for (const Case& c : cases) {
        const QLineEdit* edit = child<QLineEdit>(window, c.edit);
        ASSERT_NE(nullptr, edit);
        ASSERT_NE(nullptr, edit->validator()) << c.edit;
        QString text = c.text;
        int position = text.size();
        EXPECT_EQ(c.state, edit->validator()->validate(text, position)) << c.edit << " '" << c.text << "'";
    }
    // The angle fields are outputs only.
    EXPECT_TRUE(child<QLineEdit>(window, "lineEditAzimuthAngle")->isReadOnly());
    EXPECT_TRUE(child<QLineEdit>(window, "lineEditPlaceAngle")->isReadOnly());
}

TEST_F(MainWindowTest, MissingOstrellGivesSixEnglishBoxesWhateverTheLanguage)
{
    workDir.writeLanguage("ru");
    CMainWindow* window = makeWindow();
    ASSERT_EQ(6u, boxes.boxes().size());
    for (const ModalBoxWatcher::Box& box : boxes.boxes()) {
        EXPECT_EQ("Library loading error", box.title);
        EXPECT_EQ("The library could not be loaded Ostrell.dll", box.text);
    }
    EXPECT_FALSE(window->isOstrellBound());
    // The window itself speaks Russian.
    EXPECT_EQ(QString::fromUtf8("Список моделей"), child<QLabel>(window, "labelModels")->text());
}

TEST_F(MainWindowTest, ShiftCtrlDWithoutTheLibraryDoesNothing)
{
    CMainWindow* window = makeWindow();
    window->show();
    QApplication::setActiveWindow(window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    // The keys reach the window-wide shortcut, whose handler finds no library to call.
    QShortcut* shortcut = nullptr;
    for (QShortcut* candidate : window->findChildren<QShortcut*>())
        if (candidate->key() == QKeySequence("Shift+Ctrl+D"))
            shortcut = candidate;
    ASSERT_NE(shortcut, nullptr);
    EXPECT_EQ(shortcut->context(), Qt::WindowShortcut);
    QSignalSpy activated(shortcut, &QShortcut::activated);
    QTest::keyClick(window->findChild<QWidget*>("listViewModels"), Qt::Key_D,
                    Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(activated.count(), 1);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(MainWindowTest, LanguageRoundTripThroughTheSettingsFile)
{
    {
        CMainWindow* window = makeWindow();
        EXPECT_EQ(QString::fromUtf8("Файл"), child<QMenu>(window, "menu")->title());
        child<QAction>(window, "actionEngLang")->trigger();
        EXPECT_EQ("File", child<QMenu>(window, "menu")->title());
        EXPECT_EQ("List of models", child<QLabel>(window, "labelModels")->text());
        EXPECT_FALSE(child<QAction>(window, "actionRusLang")->isChecked());
        EXPECT_TRUE(child<QAction>(window, "actionEngLang")->isChecked());
        closeWindow(window);
    }
    EXPECT_EQ("en", workDir.storedLanguage());
    {
        CMainWindow* window = makeWindow();
        EXPECT_EQ("List of models", child<QLabel>(window, "labelModels")->text());
        EXPECT_TRUE(child<QAction>(window, "actionEngLang")->isChecked());
        EXPECT_FALSE(child<QAction>(window, "actionRusLang")->isChecked());

        // Choosing the language already in use keeps its entry checked.
        child<QAction>(window, "actionEngLang")->trigger();
        EXPECT_TRUE(child<QAction>(window, "actionEngLang")->isChecked());

        // Re-captioning replaces a scene path in the title; a typed number stays.
        window->setWindowTitle("/scenes/demo.xml");
        child<QLineEdit>(window, "lineEditPosBbox_Alt")->setText("1234");
        child<QAction>(window, "actionRusLang")->trigger();
        EXPECT_EQ("Kalmeno", window->windowTitle());
        EXPECT_EQ("1234", child<QLineEdit>(window, "lineEditPosBbox_Alt")->text());
        EXPECT_EQ(QString::fromUtf8("Список моделей"), child<QLabel>(window, "labelModels")->text());
        EXPECT_TRUE(child<QAction>(window, "actionRusLang")->isChecked());
        EXPECT_FALSE(child<QAction>(window, "actionEngLang")->isChecked());
        closeWindow(window);
    }
    EXPECT_EQ("ru", workDir.storedLanguage());
}

TEST_F(MainWindowTest, UnknownStoredLanguageChecksNeitherAndIsKept)
{
    workDir.writeLanguage("de");
    CMainWindow* window = makeWindow();
    EXPECT_FALSE(child<QAction>(window, "actionRusLang")->isChecked());
    EXPECT_FALSE(child<QAction>(window, "actionEngLang")->isChecked());
    EXPECT_EQ("List of models", child<QLabel>(window, "labelModels")->text());
    closeWindow(window);
    EXPECT_EQ("de", workDir.storedLanguage());
}

TEST_F(MainWindowTest, ASettingsFileThatIsNoSettingsFileIsNeitherReadNorReplaced)
{
    // A FIFO would hang the window at its start; a huge file would cost its size several times over.
    const QString path = workDir.settingsPath();
    const QByteArray huge = "[Settings]\nlanguage=en\n" + QByteArray(2 << 20, '\n');
    const struct {
        const char* name;
        std::function<void()> make;
    } cases[] = {
        {"a FIFO", [&] { ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0644), 0); }},
        {"a huge file",
         [&] {
             QFile file(path);
             ASSERT_TRUE(file.open(QIODevice::WriteOnly));
             file.write(huge);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(path);
        c.make();
        CMainWindow* window = makeWindow();
        EXPECT_TRUE(child<QAction>(window, "actionRusLang")->isChecked()) << "the default language";
        EXPECT_EQ(QSize(1600, 900), window->size());
        child<QAction>(window, "actionEngLang")->trigger();
        closeWindow(window);
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), huge) << "the file is left as it was";
    struct stat status {};
    QFile::remove(path);
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
    closeWindow(makeWindow());
    EXPECT_TRUE(::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISFIFO(status.st_mode));
}

TEST_F(MainWindowTest, ClosingStoresGeometryAndLanguageAndStopsTheWorker)
{
    workDir.writeLanguage("en");
    CMainWindow* window = makeWindow();
    window->resize(1700, 950);
    QThread* worker = window->anglesThread();
    ASSERT_NE(nullptr, worker);
    ASSERT_TRUE(worker->isRunning());
    ASSERT_EQ(worker, window->anglesWatcher()->thread());
    QSignalSpy finished(worker, &QThread::finished);
    QSignalSpy workerGone(worker, &QObject::destroyed);
    QSignalSpy watcherGone(window->anglesWatcher(), &QObject::destroyed);
    const QByteArray geometry = window->saveGeometry();

    closeWindow(window);

    EXPECT_EQ(1, finished.count());
    EXPECT_EQ(1, workerGone.count());
    EXPECT_EQ(1, watcherGone.count());
    EXPECT_EQ(geometry, workDir.storedGeometry());
    EXPECT_EQ("en", workDir.storedLanguage());

    // The next window comes back where this one was.
    CMainWindow* next = makeWindow();
    EXPECT_EQ(QSize(1700, 950), next->size());
}

TEST_F(MainWindowTest, LogPanelShowsLinesWrittenWhileHidden)
{
    quelmar::HostLogger log;
    log.setEchoToStderr(false);
    bridge::bridgeState().hostLogger.store(&log);
    workDir.writeLanguage("en");
    CMainWindow* window = makeWindow();
    auto* panel = child<QTextEdit>(window, "textEditLog");
    emit window->signalWriteLog("first line");
    window->WriteToLogPanel("second line");
    EXPECT_EQ("first line\nsecond line", panel->toPlainText());
    EXPECT_TRUE(panel->textCursor().atEnd());

    QAction* toggle = child<QAction>(window, "actionLogVisibility");
    toggle->trigger();
    EXPECT_FALSE(panel->isHidden());
    toggle->trigger();
    EXPECT_TRUE(panel->isHidden());
    std::vector<std::string> lines;
    for (const auto& line : log.lines())
        lines.push_back(line.text);
    EXPECT_EQ((std::vector<std::string>{"[Kalmeno] Log visibility turned on", "[Kalmeno] Log visibility turned off"}),
              lines);
    EXPECT_EQ("first line\nsecond line", panel->toPlainText());
}

TEST_F(MainWindowTest, StatusBarFollowsTheWindowSignals)
{
    CMainWindow* window = makeWindow();
    QStatusBar* bar = window->statusBar();
    emit window->signalUpdateStatusBar("Generating");
    EXPECT_EQ("Generating", bar->currentMessage());
    emit window->signalClearStatusBar();
    EXPECT_TRUE(bar->currentMessage().isEmpty());
}

TEST_F(MainWindowTest, GenerationEndRestoresItsControls)
{
    workDir.writeLanguage("en");
    CMainWindow* window = makeWindow();
    auto* generate = child<QPushButton>(window, "pushButtonTransformToMTM");
    generate->setText("Stop");
    generate->setStyleSheet("color: red;");
    child<QAction>(window, "actionOpen")->setEnabled(false);
    emit window->Signal_MTMCreated();
    EXPECT_EQ("Generate MTM", generate->text());
    EXPECT_TRUE(generate->styleSheet().isEmpty());
    EXPECT_EQ(60, generate->minimumHeight());
    EXPECT_TRUE(child<QPushButton>(window, "pushButtonMergeMtm")->isEnabled());
    EXPECT_TRUE(child<QAction>(window, "actionOpen")->isEnabled());
}

TEST_F(MainWindowTest, MessageBoxSignalShowsTheText)
{
    CMainWindow* window = makeWindow();
    boxes.clear();
    emit window->Signal_showMessageBox("MTM saved");
    ASSERT_EQ(1u, boxes.boxes().size());
    EXPECT_EQ("Kalmeno", boxes.boxes()[0].title);
    EXPECT_EQ("MTM saved", boxes.boxes()[0].text);
}

// The view toggles against the reference host's own objects.
class ViewToggleTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        log.setEchoToStderr(false);
        bridge::bridgeState().hostLogger.store(&log);
        workDir.writeLanguage("en");
        window = makeWindow();
    }

    void attachHost()
    {
        window->setHostViewSource([this] {
            return kalmeno::HostViewObjects{&engine.channel(), &engine.surface().conveyer(), &engine.sceneConveyer(),
                                            &engine.render()};
        });
    }

    // Triggers an action as the user would (the scene has enabled it).
    void trigger(const char* name)
    {
        QAction* action = child<QAction>(window, name);
        action->setEnabled(true);
        action->trigger();
    }

    std::vector<std::string> logLines() const
    {
        std::vector<std::string> lines;
        for (const auto& line : log.lines())
            lines.push_back(line.text);
        return lines;
    }
    QString panel() const { return child<QTextEdit>(window, "textEditLog")->toPlainText(); }

    quelmar::HostLogger log;
    quelmar::HostEngine engine{log};
    CMainWindow* window = nullptr;
};

TEST_F(ViewToggleTest, EachToggleLogsAndTellsTheHost)
{
    attachHost();
    struct Toggle {
        const char* action;
        const char* logOff;
        const char* logOn;
        const char* panelOff;
        const char* panelOn;
        std::function<bool(quelmar::HostEngine&)> hostState; // null: the host holds nothing
    };
    const Toggle toggles[] = {
        {"actionSurfaceVisibility", "Surface visibility turned off", "Surface visibility turned on",
         "The visibility of the surface is disabled", "The visibility of the surface is enabled",
         [](quelmar::HostEngine& e) { return e.surface().conveyer().options().isOn(4); }},
        {"actionTexturesVisibility", "Textures visibility turned off", "Textures visibility turned on",
         "The visibility of the scene textures is disabled", "The visibility of the scene textures is enabled",
         [](quelmar::HostEngine& e) { return e.channel().options().isOn(4); }},
        {"actionLightVisibility", "Light visibility turned off", "Light visibility turned on",
         "The visibility of the scene light is disabled", "The visibility of the scene light is enabled",
         [](quelmar::HostEngine& e) {
             const bool surface = e.surface().conveyer().options().isOn(2);
             EXPECT_EQ(surface, e.sceneConveyer().options().isOn(2));
             return surface;
         }},
        {"actionPolygonalVisibility", "Polygonal visibility turned off", "Polygonal visibility turned on",
         "The visibility of the polygonal models are disabled", "The visibility of the polygonal models are enabled",
         [](quelmar::HostEngine& e) { return e.sceneConveyer().options().isOn(4); }},
        {"actionWriteInputLogMTM", "Write input log MTM turned off", "Write input log MTM turned on",
         "The MTM calculation data recording mode is disabled", "The MTM calculation data recording mode is enabled",
         nullptr},
    };
    for (const Toggle& t : toggles) {
        SCOPED_TRACE(t.action);
        // Every one of these starts checked: the first trigger turns it off.
        trigger(t.action);
        if (t.hostState) {
            EXPECT_FALSE(t.hostState(engine));
        }
        trigger(t.action);
        if (t.hostState) {
            EXPECT_TRUE(t.hostState(engine));
        }
        const auto lines = logLines();
        ASSERT_GE(lines.size(), 2u);
        EXPECT_EQ(std::string("[Kalmeno] ") + t.logOff, lines[lines.size() - 2]);
        EXPECT_EQ(std::string("[Kalmeno] ") + t.logOn, lines[lines.size() - 1]);
        EXPECT_TRUE(panel().endsWith(QString(t.panelOff) + "\n" + t.panelOn)) << panel().toStdString();
    }
}

TEST_F(ViewToggleTest, DepthModeStartsOff)
{
    attachHost();
    trigger("actionDepthMode");
    EXPECT_TRUE(engine.render().depthMode());
    trigger("actionDepthMode");
    EXPECT_FALSE(engine.render().depthMode());
    EXPECT_EQ((std::vector<std::string>{"[Kalmeno] Depth mode turned on", "[Kalmeno] Depth mode turned off"}),
              logLines());
    EXPECT_EQ("The visibility of the hidden points are enabled\nThe visibility of the hidden points are disabled",
              panel());
}

TEST_F(ViewToggleTest, GenerationAreasHideAllAndShowWithTheCurrentHighlighted)
{
    attachHost();
    auto* list = child<QListView>(window, "listViewModels");
    auto* rows = qobject_cast<CListModel*>(list->model());
    ASSERT_NE(nullptr, rows);
    std::vector<std::int32_t> ids;
    for (const char* name : {"body", "plate", "reflector"}) {
        TModelItem item;
        item.name = name;
        std::int32_t id = -1;
        engine.render().CreateBox(&id);
        item.area.boxId = id;
        ids.push_back(id);
        rows->appendItem(item);
    }
    list->setCurrentIndex(rows->index(1, 0));

    trigger("actionBboxVisibility");
    for (const std::int32_t id : ids)
        EXPECT_EQ(1, engine.render().boxes().at(id).state) << id;

    trigger("actionBboxVisibility");
    EXPECT_EQ(0, engine.render().boxes().at(ids[0]).state);
    EXPECT_EQ(2, engine.render().boxes().at(ids[1]).state);
    EXPECT_EQ(0, engine.render().boxes().at(ids[2]).state);
    EXPECT_EQ((std::vector<std::string>{"[Kalmeno] Bound box visibility turned off",
                                        "[Kalmeno] Bound box visibility turned on"}),
              logLines());
    EXPECT_EQ("The visibility of the MTM generation area is disabled\n"
              "The visibility of the MTM generation area is enabled",
              panel());
}

TEST_F(ViewToggleTest, WithoutHostObjectsTheTogglesStaySilent)
{
    for (const char* action : {"actionSurfaceVisibility", "actionTexturesVisibility", "actionLightVisibility",
                               "actionPolygonalVisibility", "actionDepthMode", "actionBboxVisibility"}) {
        trigger(action);
        EXPECT_TRUE(logLines().empty()) << action;
        EXPECT_TRUE(panel().isEmpty()) << action;
    }
    // The host was never touched.
    EXPECT_TRUE(engine.surface().conveyer().options().isOn(4));
    EXPECT_TRUE(engine.channel().options().isOn(4));
    EXPECT_TRUE(engine.sceneConveyer().options().isOn(4));
    EXPECT_FALSE(engine.render().depthMode());
}

TEST_F(ViewToggleTest, LightNeedsAllThreeObjects)
{
    window->setHostViewSource([this] {
        return kalmeno::HostViewObjects{nullptr, &engine.surface().conveyer(), &engine.sceneConveyer(), nullptr};
    });
    trigger("actionLightVisibility");
    EXPECT_TRUE(logLines().empty());
    EXPECT_TRUE(engine.surface().conveyer().options().isOn(2));
    EXPECT_TRUE(engine.sceneConveyer().options().isOn(2));
}

} // namespace
