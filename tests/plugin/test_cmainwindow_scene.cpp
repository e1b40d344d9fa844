// The window on the reference host in process: opening the demo scene end to end, and saving
// every model. Ostrell lies beside this program.
#include "windowonhost.h"

#include "clistmodel.h"
#include "ctablemodel.h"
#include "ctablemodeldor.h"
#include "ctableview.h"
#include "mergedialogdriver.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QShortcutEvent>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QUndoStack>

#include <algorithm>
#include <set>
#include <thread>

namespace {

class WindowOnHost : public WindowOnHostFixture {
protected:
    CListModel* models() const { return qobject_cast<CListModel*>(list()->model()); }
    CTableView* pointsView() const { return window->findChild<CTableView*>("tableViewPointsMTM"); }
    CTableModel* points() const { return qobject_cast<CTableModel*>(pointsView()->model()); }
    QTableView* amplitudesView() const { return window->findChild<QTableView*>("tableViewDOR"); }
    CTableModelDOR* amplitudes() const { return qobject_cast<CTableModelDOR*>(amplitudesView()->model()); }

    void showWindow()
    {
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    }

    // What Ctrl+Z or Ctrl+Y on a table does once Qt has matched the keys (the X server of the
    // tests gives no window the focus).
    static void pressTableKey(QTableView* view, QKeySequence::StandardKey key)
    {
        for (QShortcut* shortcut : view->findChildren<QShortcut*>()) {
            if (shortcut->key() == QKeySequence(key)) {
                QShortcutEvent event(shortcut->key(), shortcut->id());
                QCoreApplication::sendEvent(shortcut, &event);
                return;
            }
        }
        ADD_FAILURE() << "the table has no shortcut for " << QKeySequence(key).toString().toStdString();
    }

    // The host shows exactly the rows: their points as markers, row by row and in point order,
    // hidden where the point is; each row's box where its area is; every other box hidden.
    void expectHostShowsExactlyTheRows()
    {
        const auto markers = engine.render().markers();
        const auto boxes = engine.render().boxes();
        std::size_t marker = 0;
        std::set<std::int32_t> rowBoxes;
        for (const TModelItem& row : models()->items()) {
            EXPECT_TRUE(rowBoxes.insert(row.area.boxId).second) << row.name << ": a box of its own";
            const auto box = boxes.find(row.area.boxId);
            ASSERT_NE(box, boxes.end()) << row.name;
            EXPECT_NE(box->second.state, hostsdk::kStateHidden) << row.name;
            EXPECT_DOUBLE_EQ(box->second.geometry.placement.position.latitude, row.area.lat) << row.name;
            for (const TMtmPoint& point : row.mtm.points) {
                ASSERT_LT(marker, markers.size()) << row.name << ": fewer markers than points";
                double x = 0, y = 0, z = 0;
                engine.render().BoxToScene(row.area.boxId, point.x, point.y, point.z, &x, &y, &z);
                EXPECT_NEAR(markers[marker].point.x, x, 1e-6) << row.name << ", marker " << marker;
                EXPECT_NEAR(markers[marker].point.z, z, 1e-6) << row.name << ", marker " << marker;
                EXPECT_EQ(markers[marker].state == hostsdk::kStateHidden, point.hidden == 1.0)
                    << row.name << ", marker " << marker;
                ++marker;
            }
        }
        EXPECT_EQ(marker, markers.size()) << "markers beyond the rows' points";
        for (const auto& [id, box] : boxes) {
            if (!rowBoxes.count(id)) {
                EXPECT_EQ(box.state, hostsdk::kStateHidden) << "box " << id << " belongs to no row";
            }
        }
    }

    // Types `text` into the cell's editor and presses Return, as the user does.
    void typeIntoPointCell(const QModelIndex& index, const QString& text)
    {
        pointsView()->setCurrentIndex(index);
        pointsView()->edit(index);
        auto* editor = qobject_cast<QLineEdit*>(pointsView()->indexWidget(index));
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
        if (pointsView()->indexWidget(index))
            QTest::keyClick(pointsView()->indexWidget(index), Qt::Key_Escape);
        pointsView()->setFocus();
    }
};

TEST_F(WindowOnHost, OpeningTheDemoSceneShowsItsModelsPointsAndMarkers)
{
    const QString scene = copyDemo(sceneDir);
    openScene(scene, 3);

    EXPECT_EQ(window->windowTitle(), scene);
    EXPECT_EQ(list()->currentIndex().row(), 2) << "the last row becomes current";
    const auto* points = window->findChild<QTableView*>("tableViewPointsMTM");
    const std::size_t markers = engine.render().markers().size();
    EXPECT_GT(markers, 0u);
    EXPECT_EQ(static_cast<std::size_t>(points->model()->rowCount()), markers)
        << "the reflector's points are in the table and in the host";
    EXPECT_TRUE(logged("[Kalmeno] MTM found [CornerReflector]. Path: [" + sceneDir.filePath("reflector.mtm").toStdString() + "]."));
    EXPECT_EQ(window->findChild<QLineEdit*>("lineEditPosBbox_Lat")->text(), "39.25039000");
    EXPECT_EQ(window->findChild<QLineEdit*>("lineEditYawBbox")->text(), "45.00000000");
    // The demo ships the reflector's generation settings beside its MTM.
    EXPECT_EQ(window->findChild<QLineEdit*>("lineEditSizeBbox_X")->text(), "10.00000000");
    EXPECT_EQ(window->findChild<QLineEdit*>("lineEdit_azimuthStep")->text(), "5.00000000");
    EXPECT_EQ(engine.render().boxes().size(), 3u);
    EXPECT_EQ(bridge::bridgeState().currentRowBoxId, list()->currentIndex().row() == 2 ? 2 : -1);

    list()->setCurrentIndex(list()->model()->index(0, 0));
    EXPECT_EQ(points->model()->rowCount(), 0) << "the lorry has no MTM";
}

TEST_F(WindowOnHost, ACancelledChoiceClearsNothingAndAttachesNothing)
{
    openScene(copyDemo(sceneDir), 3);
    const QString title = window->windowTitle();
    const auto loads = engine.loadCount();
    window->openScene(QString());
    QCoreApplication::processEvents();
    EXPECT_EQ(rows(), 3);
    EXPECT_EQ(window->windowTitle(), title);
    EXPECT_EQ(engine.loadCount(), loads);
}

// The scene dialog must list the scene files: a filter Qt cannot parse hides every file.
TEST_F(WindowOnHost, TheSceneDialogListsXmlFiles)
{
    QStringList shownPatterns;
    bool sawDialog = false;
    QTimer answer;
    answer.setInterval(20);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        sawDialog = true;
        if (auto* files = dialog->findChild<QFileSystemModel*>())
            shownPatterns = files->nameFilters();
        dialog->reject();
    });
    answer.start();
    QMetaObject::invokeMethod(window, "Slot_openXML");
    answer.stop();
    ASSERT_TRUE(sawDialog);
    EXPECT_EQ(shownPatterns, QStringList{"*.xml"});
    EXPECT_EQ(engine.loadCount(), 0) << "a cancelled choice attaches nothing";
}

TEST_F(WindowOnHost, OpeningASceneAgainStartsTheMarkersAfresh)
{
    const QString scene = copyDemo(sceneDir);
    openScene(scene, 3);
    const std::size_t markers = engine.render().markers().size();
    const auto loads = engine.loadCount();
    window->openScene(scene);
    ASSERT_TRUE(waitUntil([&] { return engine.loadCount() > loads && rows() == 3; }));
    EXPECT_EQ(engine.render().markers().size(), markers) << "the earlier scene's markers would shift the numbering";
}

TEST_F(WindowOnHost, BothTablesEditThroughTheirEditorsAndOnlyWithNumbers)
{
    openScene(copyDemo(sceneDir), 3);
    showWindow();
    ASSERT_GT(points()->rowCount(), 0) << "the reflector is current";
    const QModelIndex x = points()->index(0, 1);
    const QString shown = x.data().toString();
    const auto marker = engine.render().markers().at(0).point;

    // The coordinate editor lets no letter through, so nothing reaches the cell.
    typeIntoPointCell(x, "abc");
    EXPECT_EQ(x.data().toString(), shown);
    EXPECT_EQ(points()->undoStack()->count(), 0);
    // And the model refuses what is no number, whichever editor sent it.
    for (const char* text : {"abc", "1,5", "1;2"}) {
        EXPECT_FALSE(points()->setData(x, QString(text))) << text;
        EXPECT_EQ(x.data().toString(), shown) << text;
    }
    EXPECT_EQ(points()->undoStack()->count(), 0);
    EXPECT_DOUBLE_EQ(engine.render().markers().at(0).point.x, marker.x) << "the marker stays";

    typeIntoPointCell(x, "2.5");
    EXPECT_EQ(x.data().toString(), "2.500000");
    EXPECT_EQ(points()->undoStack()->count(), 1);
    pressTableKey(pointsView(), QKeySequence::Undo);
    EXPECT_EQ(x.data().toString(), shown);

    // The amplitude table's editor (the first point is selected): two number fields, real part
    // and imaginary part.
    ASSERT_GT(amplitudes()->rowCount(), 0);
    const QModelIndex cell = amplitudes()->index(0, 0);
    const QString cellText = cell.data().toString();
    amplitudesView()->setCurrentIndex(cell);
    amplitudesView()->edit(cell);
    ASSERT_NE(amplitudesView()->indexWidget(cell), nullptr);
    const auto fields = amplitudesView()->indexWidget(cell)->findChildren<QLineEdit*>();
    ASSERT_EQ(fields.size(), 2);
    const QString real = fields[0]->text();
    fields[0]->setFocus();
    fields[0]->selectAll();
    QTest::keyClicks(fields[0], "abc");
    EXPECT_EQ(fields[0]->text(), real) << "letters do not get in";
    fields[1]->selectAll();
    QTest::keyClicks(fields[1], "2");
    QTest::keyClick(fields[1], Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(cell.data().toString(), real + "; 2.000000");
    EXPECT_EQ(amplitudes()->undoStack()->count(), 1);
    for (const char* text : {"abc; 2", "1,5; 2", "1;2"})
        EXPECT_FALSE(amplitudes()->setData(cell, QString(text))) << text;
    EXPECT_EQ(amplitudes()->undoStack()->count(), 1);
    amplitudesView()->setFocus();
    pressTableKey(amplitudesView(), QKeySequence::Undo);
    EXPECT_EQ(cell.data().toString(), cellText);
}

TEST_F(WindowOnHost, MarkersFollowUndoneAndRedoneAdditionsAndRemovals)
{
    openScene(copyDemo(sceneDir), 3);
    QFile::copy(sceneDir.filePath("reflector.mtm"), sceneDir.filePath("copy.mtm"));
    window->AddMTMFile(sceneDir.filePath("copy.mtm"));
    ASSERT_EQ(rows(), 4);
    showWindow();
    list()->setCurrentIndex(list()->model()->index(2, 0));
    auto* create = window->findChild<QPushButton*>("pushButtonAddPoint");
    auto* remove = window->findChild<QPushButton*>("pushButtonDeletePointsMTM");
    const QModelIndex lastRow = list()->model()->index(3, 0);
    // Hides and shows the row after the edited one: its markers must be the ones that change.
    const auto toggleLastRow = [&] {
        list()->model()->setData(lastRow, Qt::Unchecked, Qt::CheckStateRole);
        expectHostShowsExactlyTheRows();
        list()->model()->setData(lastRow, Qt::Checked, Qt::CheckStateRole);
        expectHostShowsExactlyTheRows();
    };
    const auto undo = [&] { pressTableKey(pointsView(), QKeySequence::Undo); };
    const auto redo = [&] { pressTableKey(pointsView(), QKeySequence::Redo); };
    const int count = points()->rowCount();

    create->click();
    ASSERT_EQ(points()->rowCount(), count + 1);
    expectHostShowsExactlyTheRows();
    pointsView()->setFocus();
    undo();
    ASSERT_EQ(points()->rowCount(), count);
    toggleLastRow();
    redo();
    ASSERT_EQ(points()->rowCount(), count + 1);
    toggleLastRow();

    pointsView()->selectRow(0);
    remove->click();
    ASSERT_EQ(points()->rowCount(), count);
    expectHostShowsExactlyTheRows();
    pointsView()->setFocus();
    undo();
    ASSERT_EQ(points()->rowCount(), count + 1);
    toggleLastRow();
    redo();
    ASSERT_EQ(points()->rowCount(), count);
    toggleLastRow();
}

// A second scene beside the demo: one object with an MTM of its own, one without.
QString writeSecondScene(const QTemporaryDir& dir)
{
    QFile::copy(dir.filePath("reflector.mtm"), dir.filePath("mast.mtm"));
    QFile scene(dir.filePath("second.xml"));
    if (!scene.open(QIODevice::WriteOnly))
        return QString();
    scene.write("<?xml version=\"1.0\"?>\n<scene>\n"
                "  <origin lat=\"39.25\" lon=\"-119.95\" alt=\"2980\"/>\n"
                "  <materials><material xor=\"10\" gis=\"120\" epsilon=\"4\" sigma=\"0.01\" mu=\"1\"/></materials>\n"
                "  <object name=\"Mast\">\n    <position lat=\"39.2502\" lon=\"-119.9501\" alt=\"2990\"/>\n"
                "    <mesh path=\"plate.ply\" material=\"0\"/>\n    <mtm path=\"mast.mtm\"/>\n  </object>\n"
                "  <object name=\"Shed\">\n    <position lat=\"39.2503\" lon=\"-119.9502\" alt=\"2980\"/>\n"
                "    <mesh path=\"plate.ply\" material=\"0\"/>\n  </object>\n</scene>\n");
    return scene.fileName();
}

TEST_F(WindowOnHost, OpeningAgainShowsExactlyTheLastScene)
{
    const QString demo = copyDemo(sceneDir);
    const QString second = writeSecondScene(sceneDir);
    QFile::copy(sceneDir.filePath("reflector.mtm"), sceneDir.filePath("copy.mtm"));
    auto* addMtm = window->findChild<QPushButton*>("pushButtonAddMTMModels");
    const auto names = [&] {
        std::vector<std::string> out;
        for (const TModelItem& row : models()->items())
            out.push_back(row.name);
        return out;
    };
    const std::vector<std::string> demoRows{"Lorry", "Plate", "CornerReflector"};

    openScene(demo, 3);
    window->AddMTMFile(sceneDir.filePath("copy.mtm"));
    ASSERT_EQ(rows(), 4);
    openScene(demo, 3);
    EXPECT_EQ(names(), demoRows);
    expectHostShowsExactlyTheRows();
    EXPECT_EQ(engine.render().boxes().size(), 4u) << "boxes of an earlier scene are used again";

    window->AddMTMFile(sceneDir.filePath("copy.mtm"));
    ASSERT_EQ(rows(), 4);
    openScene(second, 2);
    EXPECT_EQ(names(), (std::vector<std::string>{"Mast", "Shed"}));
    expectHostShowsExactlyTheRows();

    // Opening again while the last load's refresh still waits: only the newest load counts, and
    // files can be added only once it is listed.
    const auto loads = engine.loadCount();
    window->openScene(demo);
    EXPECT_FALSE(addMtm->isEnabled());
    // Until the demo is loaded and a frame has followed; its refresh stays queued meanwhile.
    for (int i = 0; i < 4000 && engine.loadCount() == loads; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    const auto frames = engine.frameCount();
    for (int i = 0; i < 4000 && engine.frameCount() == frames; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    window->openScene(second);
    EXPECT_FALSE(addMtm->isEnabled());
    ASSERT_TRUE(waitUntil([&] { return engine.loadCount() == loads + 2 && addMtm->isEnabled(); }));
    const auto settled = engine.frameCount() + 5;
    ASSERT_TRUE(waitUntil([&] { return engine.frameCount() > settled; }));
    EXPECT_EQ(names(), (std::vector<std::string>{"Mast", "Shed"}));
    expectHostShowsExactlyTheRows();
}

// The host's Release arrives while a slot of the window waits in a dialog of its own. The slot
// must come back to a live window, however many dialogs it still shows, and the window closes
// once the slot is done.
TEST_F(WindowOnHost, ReleaseDuringASlotsDialogClosesTheWindowOnceTheSlotIsDone)
{
    const QString scene = copyDemo(sceneDir);
    for (const char* name : {"bad1.mtm", "bad2.mtm"}) {
        QFile bad(sceneDir.filePath(name));
        ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
        bad.write("not an MTM");
    }
    // Answers the file dialog of "Add MTM" with two files that cannot be read: two warnings follow.
    const auto chooseTwoUnreadableFiles = [&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (!dialog)
            return false;
        dialog->setDirectory(sceneDir.path());
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText("\"bad1.mtm\" \"bad2.mtm\"");
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        return true;
    };
    const struct {
        const char* slot;
        const char* releaseAt; // class of the dialog during which the host releases
        std::function<bool(QWidget*)> answer;
    } cases[] = {
        {"Slot_openXML", "QFileDialog", nullptr},
        {"Slot_pickColorForPoint", "QColorDialog", nullptr},
        {"Slot_saveAll", "QMessageBox", nullptr},
        {"Slot_pushButtonAddMTMModels_clicked", "QMessageBox", chooseTwoUnreadableFiles},
    };
    bool inSlot = false;
    bool destroyedInSlot = false;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.slot);
        if (!window)
            window = new CMainWindow();
        openScene(scene, 3);
        kalmeno::mainWindow.registerWindow(window);
        QObject::connect(window, &QObject::destroyed, [&] { destroyedInSlot = inSlot; });
        QTimer host;
        host.setInterval(20);
        bool released = false;
        QObject::connect(&host, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || released || (c.answer && c.answer(modal)))
                return;
            if (modal->inherits(c.releaseAt)) {
                released = true;
                kalmeno::mainWindow.requestClose();
            }
        });
        host.start();
        // As on the plug-in's GUI thread: the slot runs from an event of the application's loop.
        QEventLoop applicationLoop;
        QObject::connect(window, &QObject::destroyed, &applicationLoop, &QEventLoop::quit);
        QTimer::singleShot(20000, &applicationLoop, &QEventLoop::quit);
        QMetaObject::invokeMethod(
            window,
            [&] {
                inSlot = true;
                QMetaObject::invokeMethod(window, c.slot); // returns when the slot is done
                inSlot = false;
            },
            Qt::QueuedConnection);
        applicationLoop.exec();
        host.stop();
        EXPECT_TRUE(released);
        EXPECT_FALSE(destroyedInSlot) << "the slot went on with a deleted window";
        EXPECT_TRUE(window.isNull()) << "the window closes after the slot";
    }
    kalmeno::mainWindow.markEnded();
}

TEST_F(WindowOnHost, SaveAllMakesEachRowCurrentAndRestoresTheCurrentOne)
{
    openScene(copyDemo(sceneDir), 3);
    list()->setCurrentIndex(list()->model()->index(1, 0));
    QSignalSpy currentRows(list(), SIGNAL(SignalCurrentIdChanged(int, int)));
    const auto before = QFile(sceneDir.filePath("reflector.mtm")).size();

    // Answers the question with its default button, "Ok"; any other box is remembered and closed.
    QStringList otherBoxes;
    QTimer answer;
    answer.setInterval(20);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        if (box->objectName() == "questionSaveAll" && box->defaultButton()) {
            box->defaultButton()->click();
        } else {
            otherBoxes.append(box->text());
            box->done(0);
        }
    });
    answer.start();
    QMetaObject::invokeMethod(window, "Slot_saveAll");
    answer.stop();
    EXPECT_TRUE(otherBoxes.isEmpty()) << otherBoxes.join("; ").toStdString();

    QList<int> order;
    for (const QList<QVariant>& call : currentRows)
        order.append(call.at(0).toInt());
    EXPECT_EQ(order, (QList<int>{0, 1, 2, 1}));
    EXPECT_EQ(list()->currentIndex().row(), 1);
    EXPECT_TRUE(logged("[Kalmeno] All MTM models are saved"));
    EXPECT_TRUE(logged("[Kalmeno] MTM saved to " + sceneDir.filePath("reflector.mtm").toStdString()));
    EXPECT_EQ(QFile(sceneDir.filePath("reflector.mtm")).size(), before);
    EXPECT_FALSE(QFile::exists(sceneDir.filePath("reflector.mtmsaving")));
}

TEST_F(WindowOnHost, EditingTheAreaMovesTheBoxAndTheMarkersWithIt)
{
    openScene(copyDemo(sceneDir), 3);
    const auto before = engine.render().markers();
    ASSERT_FALSE(before.empty());
    auto* altitude = window->findChild<QLineEdit*>("lineEditPosBbox_Alt");
    altitude->selectAll();
    QTest::keyClicks(altitude, "3000");

    const auto after = engine.render().markers();
    ASSERT_EQ(after.size(), before.size());
    EXPECT_NEAR(after[0].point.z - before[0].point.z, 20.0, 1e-3) << "20 m higher, the scene frame's up is z";
    const auto boxes = engine.render().boxes();
    EXPECT_DOUBLE_EQ(boxes.at(bridge::bridgeState().currentRowBoxId).geometry.placement.position.altitude, 3000.0);
}

TEST_F(WindowOnHost, RecolouringAModelKeepsItsRowCurrent)
{
    openScene(copyDemo(sceneDir), 3);
    // A second model after the reflector, so the reflector is not the last row.
    QFile::copy(sceneDir.filePath("reflector.mtm"), sceneDir.filePath("copy.mtm"));
    window->AddMTMFile(sceneDir.filePath("copy.mtm"));
    ASSERT_EQ(rows(), 4);
    list()->setCurrentIndex(list()->model()->index(2, 0));

    QTimer pick;
    pick.setInterval(20);
    QObject::connect(&pick, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget())) {
            dialog->setCurrentColor(QColor(255, 128, 0));
            dialog->accept();
        }
    });
    pick.start();
    QMetaObject::invokeMethod(window, "Slot_pickColorForPoint");
    pick.stop();

    EXPECT_EQ(list()->currentIndex().row(), 2);
    const auto markers = engine.render().markers();
    ASSERT_FALSE(markers.empty());
    EXPECT_FLOAT_EQ(markers[0].point.color[1], 128.0f / 255.0f) << "the reflector's markers took the colour";
    EXPECT_TRUE(window->findChild<QTableView*>("tableViewPointsMTM")->styleSheet().contains("rgba(255,128,0, 128)"));
}

TEST_F(WindowOnHost, TheViewTogglesActOnTheHostAfterALoad)
{
    openScene(copyDemo(sceneDir), 3);
    const auto& surface = engine.surface().conveyer().options();
    const auto& objects = engine.sceneConveyer().options();
    const struct {
        const char* action;
        std::function<bool()> hostShows;
    } toggles[] = {
        {"actionSurfaceVisibility", [&] { return surface.isOn(4); }},
        {"actionPolygonalVisibility", [&] { return objects.isOn(4); }},
        {"actionLightVisibility", [&] { return surface.isOn(2) && objects.isOn(2); }},
    };
    for (const auto& t : toggles) {
        QAction* action = window->findChild<QAction*>(t.action);
        ASSERT_TRUE(action && action->isEnabled()) << t.action;
        EXPECT_TRUE(t.hostShows()) << t.action << ": the load set the host's view up";
        action->trigger();
        EXPECT_FALSE(t.hostShows()) << t.action;
        action->trigger();
        EXPECT_TRUE(t.hostShows()) << t.action;
    }
}

TEST_F(WindowOnHost, MergingTheReflectorWithTheCubeOpensTheResultWithTheReflectorsSettings)
{
    openScene(copyDemo(sceneDir), 3);
    const QString cube = sceneDir.filePath("cube.mtm");
    ASSERT_TRUE(QFile::copy(qEnvironmentVariable("KALMENO_SOURCE_DIR") + "/data/samples/cube.mtm", cube));
    window->AddMTMFile(cube);
    ASSERT_EQ(rows(), 4);

    window->findChild<QPushButton*>("pushButtonMergeMtm")->click();
    auto* dialog = window->findChild<QDialog*>("MergeMtmSettings");
    ASSERT_TRUE(dialog);
    MergeDialogDriver driver;
    MergeDialogDriver::chooseBase(*dialog, 1); // the reflector, the first row with an MTM
    driver.addModel(*dialog, 1);               // the cube
    MergeDialogDriver::offsetField(*dialog, 0, 1)->setText("10");
    MergeDialogDriver::accept(*dialog);

    const QString merged = sceneDir.filePath("reflector_merge.mtm");
    EXPECT_TRUE(logged("[Kalmeno] MTMs were merged in " + merged.toStdString()));
    ASSERT_EQ(rows(), 5);
    EXPECT_EQ(list()->currentIndex().row(), 4);
    // The reflector's three plates and the cube's eight points.
    EXPECT_EQ(window->findChild<QTableView*>("tableViewPointsMTM")->model()->rowCount(), 3 + 8);
    // The reflector's generation settings came along in the copied settings file.
    EXPECT_TRUE(QFile::exists(sceneDir.filePath("reflector_merge.ini")));
    EXPECT_EQ(window->findChild<QLineEdit*>("lineEditSizeBbox_X")->text(), "10.00000000");
    EXPECT_EQ(window->findChild<QLineEdit*>("lineEdit_azimuthStep")->text(), "5.00000000");
    EXPECT_TRUE(driver.boxes().empty());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the busy cursor is gone";
}

} // namespace
