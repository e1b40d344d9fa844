#include "editingfixtures.h"

#include <citemdelegate.h>
#include <clistmodel.h>
#include <clistview.h>
#include <ctablemodel.h>
#include <ctablemodeldor.h>
#include <ctableview.h>
#include <ihostlog.h>
#include <pointactions.h>

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QUndoStack>

#include <gtest/gtest.h>

#include <algorithm>

using namespace editingtest;

namespace {

struct RecordingLog : IHostLog {
    std::vector<std::string> lines;
    void logInfo(const std::string& text) override { lines.push_back(text); }
};

class PointsTableTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { app(); }

    void SetUp() override
    {
        list.appendItem(rowWithPoints("a.mtm", 3));
        table.setPoints(&points());
        table.setCameraAngles(&camera);
        table.setPointScene(&scene);
        table.setHostLog(&log);
    }

    std::vector<TMtmPoint>& points(int row = 0)
    {
        return list.items()[std::size_t(row)].mtm.points;
    }
    QString text(int row, int column) { return table.index(row, column).data().toString(); }
    std::vector<double> xs()
    {
        std::vector<double> values;
        for (const TMtmPoint& p : points())
            values.push_back(p.x);
        return values;
    }

    std::shared_ptr<RcsGridShare> grids = std::make_shared<RcsGridShare>();
    CListModel list{grids};
    CTableModel table{grids};
    FixedCamera camera;
    RecordingScene scene;
    RecordingLog log;
};

TEST_F(PointsTableTest, CellTexts)
{
    struct Case {
        double value;
        const char* coordinate;   // as x
        const char* amplitude;    // as the real part of the amplitude
    };
    const Case cases[] = {
        {1.5, "1.500000", "1.500000"},
        {0.1234567, "0.123457", "0.123457"},
        {3.2e-8, "0.000000", "3.2e-08"},
        {0.25, "0.250000", "0.250000"},
        {0.0, "0.000000", "0"},
        {-2e-7, "-0.000000", "-2e-07"},
        {-12345.5, "-12345.500000", "-12345.500000"},
    };
    for (const Case& c : cases) {
        points()[0].x = c.value;
        points()[0].rcs[0][0] = TRcsValue(c.value, c.value);
        EXPECT_EQ(text(0, 1), c.coordinate) << c.value;
        EXPECT_EQ(table.index(0, 1).data(Qt::ToolTipRole).toString(), c.coordinate);
        EXPECT_EQ(text(0, 4), c.amplitude) << c.value;
        EXPECT_EQ(text(0, 5), c.amplitude) << c.value;
    }
    EXPECT_EQ(text(0, 0), "");
    EXPECT_FALSE(table.index(0, 1).data(Qt::CheckStateRole).isValid());
    EXPECT_FALSE(table.index(0, 1).data(Qt::DecorationRole).isValid());
}

TEST_F(PointsTableTest, AmplitudeColumnsFollowTheCamera)
{
    points().push_back(pointWithGrid(3, 361, 181));
    points().push_back(pointWithGrid(4, 50, 50));
    TMtmPoint noGrid;
    points().push_back(noGrid);
    TMtmPoint countsWithoutGrid;
    countsWithoutGrid.countAz = 10;
    countsWithoutGrid.countEl = 10;
    points().push_back(countsWithoutGrid);
    for (std::size_t i = 3; i < points().size(); ++i)
        grids->adopt(points()[i].rcs);
    table.setPoints(&points());

    camera.direction = CameraDirection{90.4, 10.0};
    EXPECT_EQ(text(3, 4), "90.100000");            // cell (90, 100)
    EXPECT_EQ(text(3, 5), "-90.000000");
    camera.direction = CameraDirection{359.9, 89.9};
    EXPECT_EQ(text(3, 4), "360.180000");           // the last cell (360, 180)
    EXPECT_EQ(text(4, 4), "49.049000");            // past the 50-sample grid: its last cell
    EXPECT_EQ(text(0, 4), "2.001000");             // 3 x 2 grid: its last cell
    EXPECT_EQ(table.index(5, 4).data(), QVariant(0));   // no samples at all
    EXPECT_EQ(table.index(6, 5).data(), QVariant(0));   // counts but no grid

    camera.direction.reset();                      // no camera: the first cell
    EXPECT_EQ(text(3, 4), "0");
    EXPECT_EQ(text(3, 5), "0");
    EXPECT_EQ(table.index(5, 4).data(), QVariant(0));
}

TEST_F(PointsTableTest, FlagsHeadersAndCheckStates)
{
    const int expectedFlags[] = {0x31, 0x23, 0x23, 0x23, 0x21, 0x21};
    const char* headers[] = {" ", "x", "y", "z", "RCS val.", "RCS img."};
    for (int column = 0; column < 6; ++column) {
        EXPECT_EQ(int(table.flags(table.index(0, column))), expectedFlags[column]);
        EXPECT_EQ(table.headerData(column, Qt::Horizontal).toString(), headers[column]);
    }
    EXPECT_EQ(table.headerData(0, Qt::Vertical).toInt(), 1);
    EXPECT_EQ(table.headerData(2, Qt::Vertical).toInt(), 3);
    EXPECT_FALSE(table.headerData(1, Qt::Horizontal, Qt::ToolTipRole).isValid());
    EXPECT_EQ(table.columnCount(), 6);

    const std::pair<double, int> states[] = {
        {0.0, Qt::Checked}, {1.0, Qt::Unchecked}, {2.0, Qt::Checked}, {0.5, Qt::Checked}};
    for (const auto& [hidden, state] : states) {
        points()[1].hidden = hidden;
        EXPECT_EQ(table.index(1, 0).data(Qt::CheckStateRole).toInt(), state) << hidden;
    }

    table.setPoints(nullptr);
    EXPECT_EQ(table.rowCount(), 0);
    EXPECT_FALSE(table.index(0, 1).isValid());
    EXPECT_FALSE(table.removePoint(0));
}

TEST_F(PointsTableTest, TickingAHiddenPointIsOneUndoStep)
{
    points()[1].hidden = 1.0;
    QSignalSpy visible(&table, &CTableModel::SignalChangeVisibleItem);
    const QModelIndex box = table.index(1, 0);

    EXPECT_TRUE(table.setData(box, int(Qt::Checked), Qt::CheckStateRole));
    EXPECT_EQ(points()[1].hidden, 0.0);
    ASSERT_EQ(visible.count(), 1);
    EXPECT_EQ(visible.at(0), (QList<QVariant>{1, true}));

    table.undoStack()->undo();
    EXPECT_EQ(points()[1].hidden, 1.0);
    ASSERT_EQ(visible.count(), 2);
    EXPECT_EQ(visible.at(1), (QList<QVariant>{1, false}));

    // Unchanged values and cells that are not edited make no step.
    EXPECT_FALSE(table.setData(box, int(Qt::Unchecked), Qt::CheckStateRole));
    EXPECT_FALSE(table.setData(table.index(0, 1), "0.000000", Qt::EditRole));
    EXPECT_FALSE(table.setData(table.index(0, 4), "1", Qt::EditRole));
    EXPECT_FALSE(table.setData(table.index(0, 1), int(Qt::Checked), Qt::CheckStateRole));
    EXPECT_EQ(table.undoStack()->count(), 1);
}

// Whatever editor sent it, a text that is no number leaves the cell as it was and makes no step.
TEST_F(PointsTableTest, CoordinatesTakeNumbersOnly)
{
    struct Case {
        const char* text;
        bool taken;
        double stored;
    };
    const Case cases[] = {
        {"abc", false, 0}, {"1,5", false, 0}, {"1;2", false, 0},  {"", false, 0},
        {" ", false, 0},   {"1.5x", false, 0}, {"nan", false, 0}, {"inf", false, 0},
        {"1e999", false, 0}, {"2", true, 2.0}, {"-.5", true, -0.5}, {"7.", true, 7.0},
        {"1e-3", true, 0.001},
    };
    points()[1].y = 4.25;
    for (const Case& c : cases) {
        const double before = points()[1].y;
        const int steps = table.undoStack()->count();
        const std::size_t moves = scene.moves.size();
        EXPECT_EQ(table.setData(table.index(1, 2), QString(c.text), Qt::EditRole), c.taken) << c.text;
        EXPECT_EQ(points()[1].y, c.taken ? c.stored : before) << c.text;
        EXPECT_EQ(table.undoStack()->count(), steps + (c.taken ? 1 : 0)) << c.text;
        EXPECT_EQ(scene.moves.size(), moves + (c.taken ? 1 : 0)) << c.text;
    }
    // An undo step that carries such a text changes nothing either.
    const double before = points()[1].y;
    EXPECT_FALSE(table.applyCell(table.index(1, 2), QString("abc")));
    EXPECT_EQ(points()[1].y, before);
}

TEST_F(PointsTableTest, StaleCommandIndexesChangeNothing)
{
    EXPECT_TRUE(table.setData(table.index(2, 1), "7", Qt::EditRole));
    table.removePointAt(2);
    table.undoStack()->undo();                     // row 2 is gone: nothing to restore
    table.undoStack()->redo();
    EXPECT_EQ(xs(), (std::vector<double>{0.0, 1.0}));
}

TEST_F(PointsTableTest, ChangingTheCurrentRowClearsTheUndoHistory)
{
    table.setPoints(nullptr);                      // rows move when rows are added
    list.appendItem(rowWithPoints("b.mtm", 2));
    CListView models;
    models.setModel(&list);
    QObject::connect(&models, &CListView::SignalCurrentIdChanged,
                     [&](int row, int) { table.setPoints(&points(row)); });
    models.setCurrentIndex(list.index(0));

    EXPECT_TRUE(table.setData(table.index(0, 1), "5", Qt::EditRole));
    models.setCurrentIndex(list.index(1));
    EXPECT_EQ(table.undoStack()->count(), 0);
    EXPECT_EQ(table.rowCount(), 2);
    table.undoStack()->undo();
    EXPECT_EQ(points(0)[0].x, 5.0);
}

TEST_F(PointsTableTest, LogLinesOfAddingAndRemoving)
{
    EXPECT_TRUE(table.removePoint(1));
    EXPECT_FALSE(table.removePoint(5));
    EXPECT_FALSE(table.removePoint(-1));
    table.addPoint(TMtmPoint{});
    EXPECT_EQ(log.lines, (std::vector<std::string>{"Point in row 1 is removed",
                                                   "Point in row 5 is removed",
                                                   "Point in row -1 is removed",
                                                   "New point is added"}));
    EXPECT_EQ(table.undoStack()->count(), 2);
}

// Grids of removed and re-inserted points, of commands and of the amplitude table are each
// released once: the sanitizer build checks this test and the destruction that follows it.
TEST_F(PointsTableTest, GridsOutliveTheirPointWhileTheAmplitudeTableShowsThem)
{
    CTableModelDOR amplitudes(grids);
    TRcsValue** shown = points()[1].rcs;
    amplitudes.setGrid(shown, points()[1].countAz, points()[1].countEl);

    EXPECT_TRUE(table.removePoint(1));
    EXPECT_EQ(grids->holders(shown), 1);
    EXPECT_EQ(amplitudes.index(2, 1).data().toString(), "2.001000; -2.000000");
    table.undoStack()->undo();                     // a copy comes back, the shown grid stays
    EXPECT_EQ(points()[1].rcs[2][1], TRcsValue(2.001, -2.0));
    EXPECT_NE(points()[1].rcs, shown);
    table.undoStack()->redo();
    table.undoStack()->undo();

    table.addPoint(pointWithGrid(9, 2, 2));
    table.undoStack()->undo();
    table.undoStack()->redo();
    EXPECT_EQ(xs(), (std::vector<double>{0.0, 1.0, 2.0, 9.0}));

    amplitudes.setGrid(nullptr, 0, 0);
    EXPECT_EQ(grids->holders(shown), 0);
    list.clearItems();
    table.setPoints(nullptr);
    EXPECT_EQ(grids->size(), 0u);
}

// The real view: keys reach the model's undo stack through the view's shortcuts.
class PointsViewTest : public PointsTableTest {
protected:
    void SetUp() override
    {
        PointsTableTest::SetUp();
        view.setModel(&table);
        view.setItemDelegate(new CItemDelegate(&view));
        view.setSelectionBehavior(QAbstractItemView::SelectRows);
        view.setSelectionMode(QAbstractItemView::ExtendedSelection);
        view.resize(600, 300);
        view.show();
        QApplication::setActiveWindow(&view);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
        view.setFocus();
    }

    void typeInto(int row, int column, const QString& value)
    {
        const QModelIndex index = table.index(row, column);
        view.setCurrentIndex(index);
        view.edit(index);
        auto* editor = qobject_cast<QLineEdit*>(view.indexWidget(index));
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, value);
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();              // the view commits a returned editor queued
        view.setFocus();
    }

    void undoKey() { QTest::keyClick(&view, Qt::Key_Z, Qt::ControlModifier); }
    void redoKey() { QTest::keyClick(&view, Qt::Key_Y, Qt::ControlModifier); }

    CTableView view;
};

TEST_F(PointsViewTest, EditUndoRedoWithTheKeys)
{
    points()[0].x = 1.5;
    typeInto(0, 1, "2");
    EXPECT_EQ(points()[0].x, 2.0);
    EXPECT_EQ(text(0, 1), "2.000000");
    ASSERT_EQ(scene.moves.size(), 1u);
    EXPECT_EQ(scene.moves[0], std::make_tuple(0, 2.0, 0.0, 0.0));

    undoKey();
    EXPECT_EQ(points()[0].x, 1.5);
    redoKey();
    EXPECT_EQ(points()[0].x, 2.0);
    undoKey();

    // Undo restores the shown text, not the exact former value.
    points()[1].y = 0.1234567;
    typeInto(1, 2, "-3.5e2");
    EXPECT_EQ(points()[1].y, -350.0);
    undoKey();
    EXPECT_EQ(points()[1].y, 0.123457);
    EXPECT_EQ(scene.refreshes, 0) << "moving a point keeps the numbering";
}

TEST_F(PointsViewTest, CheckBoxThroughTheViewIsUndone)
{
    points()[1].hidden = 1.0;
    QSignalSpy visible(&table, &CTableModel::SignalChangeVisibleItem);
    view.setCurrentIndex(table.index(1, 0));
    QTest::keyClick(&view, Qt::Key_Space);          // the delegate toggles the box
    EXPECT_EQ(points()[1].hidden, 0.0);
    undoKey();
    EXPECT_EQ(points()[1].hidden, 1.0);
    redoKey();
    EXPECT_EQ(points()[1].hidden, 0.0);
    ASSERT_EQ(visible.count(), 3);
    EXPECT_EQ(visible.at(0), (QList<QVariant>{1, true}));
    EXPECT_EQ(visible.at(1), (QList<QVariant>{1, false}));
    EXPECT_EQ(visible.at(2), (QList<QVariant>{1, true}));
}

TEST_F(PointsViewTest, EditorsOnlyForCoordinatesAndOnlyNumbers)
{
    QStyleOptionViewItem option;
    CItemDelegate* delegate = static_cast<CItemDelegate*>(view.itemDelegate());
    for (int column : {0, 4, 5})
        EXPECT_EQ(delegate->createEditor(&view, option, table.index(0, column)), nullptr);

    QWidget* editor = delegate->createEditor(&view, option, table.index(0, 3));
    auto* line = qobject_cast<QLineEdit*>(editor);
    ASSERT_NE(line, nullptr);
    struct Case {
        const char* text;
        bool acceptable;
    };
    const Case cases[] = {{"-12.5", true}, {".5", true}, {"1.0123456789", true},
                          {"1e-3", true},  {"7.", true}, {"1.01234567891", false},
                          {"abc", false},  {"--1", false}, {"1,5", false}};
    for (const Case& c : cases) {
        QString value = c.text;
        int position = 0;
        EXPECT_EQ(line->validator()->validate(value, position) == QValidator::Acceptable,
                  c.acceptable)
            << c.text;
    }
    delete editor;
}

TEST_F(PointsViewTest, ThreeRemovedPointsComeBackWithThreeUndos)
{
    for (int x = 3; x < 6; ++x) {
        points().push_back(pointWithGrid(x, 3, 2));
        grids->adopt(points().back().rcs);
    }
    table.setPoints(&points());
    for (int row : {1, 3, 4})
        view.selectionModel()->select(table.index(row, 0),
                                      QItemSelectionModel::Select | QItemSelectionModel::Rows);

    EXPECT_EQ(removeSelectedPoints(table, view, &scene), 3);
    EXPECT_EQ(xs(), (std::vector<double>{0.0, 2.0, 5.0}));
    EXPECT_EQ(table.undoStack()->count(), 3);
    EXPECT_EQ(scene.refreshes, 1);

    undoKey();
    undoKey();
    undoKey();
    EXPECT_EQ(xs(), (std::vector<double>{0.0, 1.0, 2.0, 3.0, 4.0, 5.0}));
    EXPECT_EQ(points()[4].rcs[2][1], TRcsValue(2.001, -2.0));
    redoKey();
    EXPECT_EQ(xs(), (std::vector<double>{0.0, 2.0, 3.0, 4.0, 5.0}));
    EXPECT_EQ(scene.refreshes, 5) << "every undone or redone removal renumbers the markers";
}

TEST_F(PointsViewTest, NothingIsRemovedWithoutARenderer)
{
    scene.renderer = false;
    view.selectRow(0);
    EXPECT_EQ(removeSelectedPoints(table, view, &scene), 0);
    EXPECT_EQ(removeSelectedPoints(table, view, nullptr), 0);
    EXPECT_EQ(table.rowCount(), 3);
    EXPECT_EQ(scene.refreshes, 0);
}

TEST_F(PointsViewTest, CreatePointsAppendsAZeroPointLikeTheFirst)
{
    points()[0].color[0] = 0.25f;
    EXPECT_TRUE(createPoint(list, 0, table, view, &scene));
    ASSERT_EQ(table.rowCount(), 4);
    const TMtmPoint& made = points()[3];
    EXPECT_EQ(made.x, 0.0);
    EXPECT_EQ(made.hidden, 2.0);
    EXPECT_EQ(made.color[0], 0.25f);
    ASSERT_EQ(made.countAz, 3u);
    ASSERT_EQ(made.countEl, 2u);
    EXPECT_EQ(made.rcs[2][1], TRcsValue(0.0, 0.0));
    EXPECT_EQ(view.selectionModel()->selectedRows(0).value(0).row(), 3);
    EXPECT_EQ(scene.refreshes, 1);
    EXPECT_EQ(scene.highlights, std::vector<int>{3});

    undoKey();
    EXPECT_EQ(table.rowCount(), 3);
    redoKey();
    EXPECT_EQ(table.rowCount(), 4);
    EXPECT_EQ(scene.refreshes, 3) << "an undone or redone point renumbers the markers";
}

TEST_F(PointsViewTest, CreatePointsIgnoresRowsWithoutMtm)
{
    table.setPoints(nullptr);                      // rows move when rows are added
    TModelItem sceneModel;
    sceneModel.name = "/scene/house";
    list.appendItem(sceneModel);
    TModelItem empty;
    empty.name = empty.mtmPath = "empty.mtm";
    empty.mtm.color[2] = 0.75f;
    list.appendItem(empty);

    table.setPoints(&points(1));
    EXPECT_FALSE(createPoint(list, 1, table, view, &scene));
    EXPECT_FALSE(createPoint(list, -1, table, view, &scene));
    EXPECT_FALSE(createPoint(list, 7, table, view, &scene));
    EXPECT_EQ(table.undoStack()->count(), 0);

    table.setPoints(&points(2));
    EXPECT_TRUE(createPoint(list, 2, table, view, nullptr));
    ASSERT_EQ(points(2).size(), 1u);
    EXPECT_EQ(points(2)[0].rcs, nullptr);
    EXPECT_EQ(points(2)[0].countAz, 0u);
    EXPECT_EQ(points(2)[0].color[2], 0.75f);
    EXPECT_EQ(table.index(0, 4).data(), QVariant(0));
}

TEST_F(PointsViewTest, CameraRefreshKeepsTheSelectionInOneChangeButNotWhileEditing)
{
    view.selectRow(0);
    view.selectionModel()->select(table.index(2, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    // Each selection change resets the amplitude table: one per refresh, not one per cell.
    qRegisterMetaType<QItemSelection>();
    QSignalSpy changes(&view, &CTableView::SignalSelectionChanged);
    view.SetFocuss();
    QList<int> rows;
    for (const QModelIndex& index : view.selectionModel()->selectedRows(0))
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    EXPECT_EQ(rows, (QList<int>{0, 2}));
    EXPECT_EQ(view.selectionModel()->selectedIndexes().size(), 12);
    ASSERT_EQ(changes.count(), 1);
    const auto reselected = changes.at(0).at(0).value<QItemSelection>();
    EXPECT_EQ(reselected.indexes().last().row(), 2) << "the amplitude table keeps the point it showed";

    view.edit(table.index(2, 1));
    QWidget* editor = view.indexWidget(table.index(2, 1));
    ASSERT_NE(editor, nullptr);
    view.SetFocuss();
    EXPECT_EQ(view.indexWidget(table.index(2, 1)), editor);
}

} // namespace
