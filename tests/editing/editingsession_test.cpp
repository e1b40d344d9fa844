// A whole editing session as the main window wires it, ended by destroying the models in any
// order: every grid is released once (the sanitizer build judges leaks and double frees).

#include "editingfixtures.h"

#include <clistmodel.h>
#include <clistview.h>
#include <ctablemodel.h>
#include <ctablemodeldor.h>
#include <ctableview.h>
#include <pointactions.h>

#include <QUndoStack>

#include <gtest/gtest.h>

#include <array>
#include <memory>

using namespace editingtest;

namespace {

enum class Gone { List, Points, Amplitudes };

class EditingSessionTest : public ::testing::TestWithParam<std::array<Gone, 3>> {
protected:
    static void SetUpTestSuite() { app(); }
};

TEST_P(EditingSessionTest, EndsWithEveryGridReleasedOnce)
{
    auto list = std::make_unique<CListModel>();
    auto points = std::make_unique<CTableModel>(list->gridShare());
    auto amplitudes = std::make_unique<CTableModelDOR>(list->gridShare());
    RecordingScene scene;
    CListView models;
    CTableView pointsView;
    models.setModel(list.get());
    pointsView.setModel(points.get());
    pointsView.setSelectionBehavior(QAbstractItemView::SelectRows);
    // Connections end with their receivers, as the window's do.
    QObject::connect(&models, &CListView::SignalCurrentIdChanged, points.get(), [&](int row, int) {
        points->setPoints(&list->items()[std::size_t(row)].mtm.points);
    });
    QObject::connect(&pointsView, &CTableView::SignalSelectionChanged, amplitudes.get(),
                     [&](const QItemSelection& selected, const QItemSelection&) {
                         showSelectedPointGrid(*amplitudes, points ? points->points() : nullptr,
                                               selected);
                     });

    const TModelItem opened = rowWithPoints("a.mtm", 4);
    list->appendItem(opened);
    list->appendItem(opened);                        // the same file twice shares its grids
    list->appendItem(rowWithPoints("b.mtm", 2));
    models.setCurrentIndex(list->index(0));

    pointsView.selectRow(1);
    ASSERT_EQ(amplitudes->grid(), list->items()[0].mtm.points[1].rcs);
    EXPECT_TRUE(amplitudes->setData(amplitudes->index(0, 0), "5; 5"));
    pointsView.selectionModel()->select(points->index(2, 0),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
    EXPECT_EQ(removeSelectedPoints(*points, pointsView, &scene), 2);
    points->undoStack()->undo();
    EXPECT_TRUE(createPoint(*list, 0, *points, pointsView, &scene));
    points->undoStack()->undo();
    points->undoStack()->redo();

    models.setCurrentIndex(list->index(2));
    pointsView.selectRow(0);
    points->removePoint(0);                          // shown in the amplitude table while removed

    for (Gone gone : GetParam()) {
        switch (gone) {
        case Gone::List:
            pointsView.setModel(nullptr);
            models.setModel(nullptr);
            list.reset();
            break;
        case Gone::Points:
            pointsView.setModel(nullptr);
            points.reset();
            break;
        case Gone::Amplitudes:
            amplitudes.reset();
            break;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    DestructionOrders, EditingSessionTest,
    ::testing::Values(std::array<Gone, 3>{Gone::List, Gone::Points, Gone::Amplitudes},
                      std::array<Gone, 3>{Gone::Amplitudes, Gone::Points, Gone::List},
                      std::array<Gone, 3>{Gone::Points, Gone::List, Gone::Amplitudes}));

} // namespace
