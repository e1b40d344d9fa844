#include "editingfixtures.h"

#include <ctablemodel.h>
#include <ctablemodeldor.h>
#include <ctableview.h>
#include <ctwolinesdelegate.h>
#include <pointactions.h>
#include <undotableview.h>

#include <QLayout>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTest>
#include <QUndoStack>

#include <gtest/gtest.h>

using namespace editingtest;

namespace {

class AmplitudeTableTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { app(); }

    void SetUp() override { show(pointWithGrid(0, 3, 2)); }
    void TearDown() override
    {
        model.setGrid(nullptr, 0, 0);
        releaseRcsGrid(point.rcs);
    }

    void show(const TMtmPoint& shown)
    {
        model.setGrid(nullptr, 0, 0);
        releaseRcsGrid(point.rcs);
        point = shown;
        model.setGrid(point.rcs, point.countAz, point.countEl);
    }

    QString cell(int row, int column) { return model.index(row, column).data().toString(); }

    std::shared_ptr<RcsGridShare> grids = std::make_shared<RcsGridShare>();
    TMtmPoint point;
    CTableModelDOR model{grids};
};

TEST_F(AmplitudeTableTest, HeaderLabelsUseWholeDegreeSteps)
{
    struct Case {
        std::uint32_t countAz;
        std::uint32_t countEl;
        std::vector<QString> rows;      // labels of the first rows
        std::vector<QString> columns;   // labels of the first columns
    };
    const Case cases[] = {
        {361, 181, {"0", "1", "2"}, {"-90", "-89", "-88"}},
        {8, 4, {"0", "52", "104", "156", "208", "260", "312", "364"}, {"-90", "-30", "30", "90"}},
        {1, 1, {"0"}, {"-90"}},
        {37, 7, {"0", "10"}, {"-90", "-60", "-30", "0", "30", "60", "90"}},
    };
    for (const Case& c : cases) {
        show(pointWithGrid(0, c.countAz, c.countEl));
        EXPECT_EQ(model.rowCount(), int(c.countAz));
        EXPECT_EQ(model.columnCount(), int(c.countEl));
        for (std::size_t i = 0; i < c.rows.size(); ++i)
            EXPECT_EQ(model.headerData(int(i), Qt::Vertical).toString(), c.rows[i]) << c.countAz;
        for (std::size_t i = 0; i < c.columns.size(); ++i)
            EXPECT_EQ(model.headerData(int(i), Qt::Horizontal).toString(), c.columns[i])
                << c.countEl;
    }
    show(pointWithGrid(0, 361, 181));
    EXPECT_EQ(model.headerData(360, Qt::Vertical).toString(), "360");
    EXPECT_EQ(model.headerData(180, Qt::Horizontal).toString(), "90");
    EXPECT_FALSE(model.headerData(0, Qt::Vertical, Qt::ToolTipRole).isValid());
}

TEST_F(AmplitudeTableTest, CellTextIsRealAndImaginaryPart)
{
    point.rcs[1][0] = TRcsValue(0.5, -2.0e-7);
    EXPECT_EQ(cell(1, 0), "0.500000; -2e-07");
    EXPECT_EQ(model.index(1, 0).data(Qt::EditRole).toString(), "0.500000; -2e-07");
    EXPECT_EQ(cell(0, 0), "0; 0");
    EXPECT_FALSE(model.index(1, 0).data(Qt::ToolTipRole).isValid());
    EXPECT_EQ(int(model.flags(model.index(0, 0))), 0x23);
}

// An empty field stands for 0; a text that is no number leaves the cell as it was and makes no
// step, whatever editor sent it.
TEST_F(AmplitudeTableTest, EditedTextsAndWhatTheyStore)
{
    struct Case {
        const char* text;
        bool taken;
        TRcsValue stored;
    };
    const Case cases[] = {
        {"1.5; -2", true, {1.5, -2.0}},
        {"1; ", true, {1.0, 0.0}},
        {"; 3e-9", true, {0.0, 3e-9}},
        {"4", true, {4.0, 0.0}},               // no separator: a real part alone
        {"; ", true, {0.0, 0.0}},
        {"abc; 2", false, {}},
        {"1; abc", false, {}},
        {"1,5; 2", false, {}},
        {"1;2", false, {}},
        {"1; 2; 3", false, {}},
        {"nan; 0", false, {}},
        {"1; inf", false, {}},
    };
    for (const Case& c : cases) {
        point.rcs[2][1] = TRcsValue(8.5, -8.5);
        const int steps = model.undoStack()->count();
        EXPECT_EQ(model.setData(model.index(2, 1), QString(c.text), Qt::EditRole), c.taken) << c.text;
        EXPECT_EQ(point.rcs[2][1], c.taken ? c.stored : TRcsValue(8.5, -8.5)) << c.text;
        EXPECT_EQ(model.undoStack()->count(), steps + (c.taken ? 1 : 0)) << c.text;
    }
    point.rcs[2][1] = TRcsValue(8.5, -8.5);
    EXPECT_FALSE(model.applyCell(model.index(2, 1), QString("abc; 2")));
    EXPECT_EQ(point.rcs[2][1], TRcsValue(8.5, -8.5));
}

TEST_F(AmplitudeTableTest, EditsOutsideTheGridOrWithoutOneAreRefused)
{
    EXPECT_FALSE(model.setData(model.index(0, 0), "0; 0", Qt::EditRole));   // unchanged
    EXPECT_FALSE(model.setData(model.index(0, 0), "1; 0", Qt::DisplayRole));
    EXPECT_EQ(model.undoStack()->count(), 0);
    EXPECT_TRUE(model.setData(model.index(0, 0), "1; 0", Qt::EditRole));
    EXPECT_EQ(model.undoStack()->count(), 1);

    // An index kept from a larger grid.
    const QModelIndex far = model.index(2, 1);
    show(pointWithGrid(0, 2, 1));
    EXPECT_FALSE(model.setData(far, "1; 0", Qt::EditRole));
    EXPECT_FALSE(model.applyCell(far, "1; 0"));
    EXPECT_FALSE(model.data(far).isValid());

    // A grid given without samples, or samples without a grid, shows nothing.
    model.setGrid(nullptr, 5, 5);
    EXPECT_EQ(model.undoStack()->count(), 0);
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(model.columnCount(), 0);
    EXPECT_FALSE(model.data(far).isValid());
    EXPECT_FALSE(model.applyCell(far, "1; 1"));
}

TEST_F(AmplitudeTableTest, TwoFieldEditorRoundTrip)
{
    CTwoLinesDelegate delegate;
    QWidget parent;
    point.rcs[1][1] = TRcsValue(0.5, -2.0e-7);
    const QModelIndex index = model.index(1, 1);
    QStyleOptionViewItem option;
    option.rect = QRect(10, 20, 170, 30);
    QWidget* editor = delegate.createEditor(&parent, option, index);
    EXPECT_EQ(editor->geometry(), option.rect);
    EXPECT_EQ(editor->styleSheet(), "background-color: white");
    auto* real = qobject_cast<QLineEdit*>(editor->layout()->itemAt(0)->widget());
    auto* imag = qobject_cast<QLineEdit*>(editor->layout()->itemAt(1)->widget());
    ASSERT_NE(real, nullptr);
    ASSERT_NE(imag, nullptr);
    EXPECT_EQ(real->validator(), imag->validator());

    delegate.setEditorData(editor, index);
    EXPECT_EQ(real->text(), "0.500000");
    EXPECT_EQ(imag->text(), "-2e-07");

    real->setText("1");
    imag->clear();
    delegate.setModelData(editor, &model, index);
    EXPECT_EQ(point.rcs[1][1], TRcsValue(1.0, 0.0));

    model.undoStack()->undo();
    EXPECT_EQ(point.rcs[1][1], TRcsValue(0.5, -2.0e-7));

    // A text without the separator leaves the right field empty.
    model.applyCell(index, "7");
    delegate.setEditorData(editor, index);
    EXPECT_EQ(real->text(), "7.000000");
    EXPECT_EQ(imag->text(), "0");
}

TEST_F(AmplitudeTableTest, UndoAndRedoKeysOnTheView)
{
    UndoTableView view;
    view.setModel(&model);
    view.setItemDelegate(new CTwoLinesDelegate(&view));
    view.resize(500, 300);
    view.show();
    QApplication::setActiveWindow(&view);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));

    point.rcs[2][0] = TRcsValue(0.123456789, 4.0);
    const QModelIndex index = model.index(2, 0);
    view.setCurrentIndex(index);
    view.edit(index);
    auto fields = view.indexWidget(index)->findChildren<QLineEdit*>();
    ASSERT_EQ(fields.size(), 2);
    fields[0]->setFocus();
    fields[0]->selectAll();
    QTest::keyClicks(fields[0], "1");
    fields[1]->selectAll();
    QTest::keyClicks(fields[1], "-5");
    QTest::keyClick(fields[1], Qt::Key_Return);
    QApplication::processEvents();                  // the view commits a returned editor queued
    EXPECT_EQ(point.rcs[2][0], TRcsValue(1.0, -5.0));

    view.setFocus();
    QTest::keyClick(&view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(point.rcs[2][0], TRcsValue(0.123457, 4.0));   // the shown text comes back
    QTest::keyClick(&view, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(point.rcs[2][0], TRcsValue(1.0, -5.0));

    // The camera refresh re-selects the shown point: the same grid keeps its history.
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    model.setGrid(point.rcs, point.countAz, point.countEl);
    EXPECT_EQ(reset.count(), 0);
    QTest::keyClick(&view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(point.rcs[2][0], TRcsValue(0.123457, 4.0));

    // A new grid takes the history with it.
    show(pointWithGrid(0, 2, 2));
    QTest::keyClick(&view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(model.undoStack()->count(), 0);
}

TEST(UndoTableViewKeys, ViewportFocusAndForeignModels)
{
    app();
    QWidget window;
    auto* other = new QLineEdit(&window);
    auto* view = new UndoTableView(&window);
    QStandardItemModel foreign(2, 2);
    view->setModel(&foreign);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    other->setFocus();
    QFocusEvent focusIn(QEvent::FocusIn, Qt::MouseFocusReason);
    QApplication::sendEvent(view->viewport(), &focusIn);
    EXPECT_TRUE(view->hasFocus());

    // A model without an undo stack: the keys do nothing.
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(view, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(foreign.rowCount(), 2);
}

// The point whose grid is shown follows the points table's selection.
TEST(PointToShow, FollowsTheLastNewlySelectedRow)
{
    app();
    auto grids = std::make_shared<RcsGridShare>();
    std::vector<TMtmPoint> points;
    for (int i = 0; i < 3; ++i) {
        points.push_back(pointWithGrid(i, 2 + i, 2));
        grids->adopt(points.back().rcs);
    }
    {
        CTableModel table(grids);
        table.setPoints(&points);
        CTableModelDOR amplitudes(grids);
        CTableView view;
        view.setModel(&table);
        view.setSelectionBehavior(QAbstractItemView::SelectRows);
        view.setSelectionMode(QAbstractItemView::ExtendedSelection);
        const std::vector<TMtmPoint>* current = &points;
        QObject::connect(&view, &CTableView::SignalSelectionChanged,
                         [&](const QItemSelection& selected, const QItemSelection&) {
                             showSelectedPointGrid(amplitudes, current, selected);
                         });
        auto select = [&](int row, QItemSelectionModel::SelectionFlags how) {
            view.selectionModel()->select(table.index(row, 0), how | QItemSelectionModel::Rows);
        };

        select(0, QItemSelectionModel::ClearAndSelect);
        EXPECT_EQ(amplitudes.grid(), points[0].rcs);
        EXPECT_EQ(amplitudes.rowCount(), 2);
        select(2, QItemSelectionModel::Select);          // Ctrl-click another point
        EXPECT_EQ(amplitudes.grid(), points[2].rcs);
        EXPECT_EQ(amplitudes.rowCount(), 4);
        select(2, QItemSelectionModel::Deselect);        // Ctrl-click it away again
        EXPECT_EQ(amplitudes.grid(), nullptr);
        EXPECT_EQ(amplitudes.rowCount(), 0);

        current = nullptr;                               // no current row: nothing changes
        select(1, QItemSelectionModel::ClearAndSelect);
        EXPECT_EQ(amplitudes.grid(), nullptr);
    }
    for (const TMtmPoint& point : points)
        grids->release(point.rcs);
    EXPECT_EQ(grids->size(), 0u);
}

} // namespace
