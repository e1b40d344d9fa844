// The models' points as markers in the host scene.

#include "markersfixture.h"
#include "mtmfixtures.h"

#include <bridgestate.h>
#include <selectionstylesheet.h>

#include <QColor>
#include <QItemSelection>
#include <QStandardItemModel>

#include <gtest/gtest.h>

namespace {

using Call = RecordingRender::Call;

class PointMarkers : public MarkersFixture {
protected:
    // Rows of 10, 0 and 5 points with boxes 0, 1 and 2, published.
    void addThreeRows()
    {
        for (int row = 0; row < 3; ++row) {
            std::int32_t id = -1;
            render.host.CreateBox(&id);
            models.appendItem(rowWithPoints(row == 0 ? 10 : row == 1 ? 0 : 5, id, "m" + std::to_string(row)));
        }
        markers.refreshMarkers();
        render.calls.clear();
        window.patterns.clear();
    }

    // Cells of table rows `first` .. `last`, all six columns.
    QItemSelection cells(int first, int last)
    {
        return QItemSelection(table.index(first, 0), table.index(last, 5));
    }

    QStandardItemModel table{10, 6};
};

// Only published markers have numbers; a row's points follow the markers the rows before it
// really published.
TEST_F(PointMarkers, NumbersPublishedMarkersByRowThenPoint)
{
    std::int32_t id = -1;
    render.host.CreateBox(&id);
    models.appendItem(rowWithPoints(4, id, "unpublished"));
    EXPECT_EQ(markers.markerIndex(0, 0), -1);

    models.clearItems();
    addThreeRows();
    const struct {
        int row, point, marker;
    } cases[] = {{0, 0, 0}, {0, 9, 9}, {1, 0, -1}, {2, 0, 10}, {2, 2, 12}, {2, 5, -1}, {3, 0, -1}, {-1, 0, -1}};
    for (const auto& c : cases)
        EXPECT_EQ(markers.markerIndex(c.row, c.point), c.marker) << c.row << "/" << c.point;
}

TEST_F(PointMarkers, ARefusedAreaLeavesTheFollowingRowsTheirMarkers)
{
    TModelItem far = rowWithPoints(3, -1, "far");
    far.area.lat = 100.0;                         // typed, or read from a settings file
    models.appendItem(far);
    std::int32_t id = -1;
    render.host.CreateBox(&id);
    models.appendItem(rowWithPoints(2, id, "near"));
    markers.refreshMarkers();
    ASSERT_EQ(render.host.markers().size(), 2u);

    window.currentRow = 0;
    markers.changePointVisibility(1, false, -1);  // no marker: nothing changes
    EXPECT_TRUE(markers.changeModelVisibility(1, false));
    const auto published = render.host.markers();
    EXPECT_EQ(published[0].state, hostsdk::kStateHidden);
    EXPECT_EQ(published[1].state, hostsdk::kStateHidden);

    window.currentRow = 1;
    markers.changeModelVisibility(1, true);
    markers.changePointVisibility(1, false, -1);
    EXPECT_EQ(render.host.markers()[0].state, hostsdk::kStateShown);
    EXPECT_EQ(render.host.markers()[1].state, hostsdk::kStateHidden);
}

TEST_F(PointMarkers, RefreshPublishesEveryRowInOrderWithHiddenAndColour)
{
    addThreeRows();
    models.items()[2].mtm.points[1].hidden = 1.0;
    models.items()[2].mtm.points[1].color[0] = 0.25f;
    markers.refreshMarkers();

    EXPECT_EQ(render.calls.front().name, "ClearPoints");
    const auto published = render.host.markers();
    ASSERT_EQ(published.size(), 15u);
    EXPECT_DOUBLE_EQ(published[11].point.hidden, 1.0);
    EXPECT_FLOAT_EQ(published[11].point.color[0], 0.25f);
    double x = 0, y = 0, z = 0;
    render.host.BoxToScene(2, 1.0, 0.0, 0.0, &x, &y, &z);
    EXPECT_DOUBLE_EQ(published[11].point.x, x);
    EXPECT_DOUBLE_EQ(published[11].point.z, z);
    EXPECT_EQ(window.patterns, (std::vector<std::string>{"m0", "m2"})) << "no pattern for a model without points";
}

TEST_F(PointMarkers, AnAreaTheConverterRefusesPublishesNothing)
{
    TModelItem row = rowWithPoints(3, -1, "far");
    row.area.lat = 100.0;
    markers.publishModel(row.mtm, row.area);
    EXPECT_TRUE(render.host.markers().empty());
    EXPECT_TRUE(window.patterns.empty());

    bridge::bridgeState().engineReady = false;
    row.area.lat = 10.0;
    markers.publishModel(row.mtm, row.area);
    EXPECT_TRUE(render.host.markers().empty());
}

TEST_F(PointMarkers, SelectingAModelResetsThePreviousAndHighlightsTheNewBox)
{
    addThreeRows();
    window.boxes = true;
    EXPECT_TRUE(markers.selectModel(0, -1));
    EXPECT_EQ(render.calls, (std::vector<Call>{{"SetBoxState", 0, 2}}));
    EXPECT_EQ(bridge::bridgeState().currentRowBoxId, 0);

    render.calls.clear();
    EXPECT_TRUE(markers.selectModel(2, 0));
    const auto states = render.callsNamed("SetPointState");
    ASSERT_EQ(states.size(), 10u);
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(states[static_cast<std::size_t>(k)], (Call{"SetPointState", k, 0}));
    EXPECT_EQ(render.callsNamed("SetBoxState"), (std::vector<Call>{{"SetBoxState", 0, 0}, {"SetBoxState", 2, 2}}));
    EXPECT_EQ(bridge::bridgeState().currentRowBoxId, 2);

    render.calls.clear();
    models.items()[2].mtm.hidden = 1;
    window.boxes = false;
    EXPECT_TRUE(markers.selectModel(0, 2));
    EXPECT_TRUE(render.calls.empty()) << "a hidden model keeps its markers hidden; boxes are not shown";
}

TEST_F(PointMarkers, NothingChangesWithoutRenderer)
{
    addThreeRows();
    bridge::bridgeState().render = nullptr;
    EXPECT_FALSE(markers.selectModel(0, -1));
    EXPECT_FALSE(markers.changeModelVisibility(0, false));
    markers.changePointSize("5");
    markers.refreshMarkers();
    EXPECT_FALSE(markers.hasRenderer());
    EXPECT_TRUE(render.calls.empty());
    EXPECT_EQ(models.items()[0].mtm.hidden, 0);
}

TEST_F(PointMarkers, HidingAModelHidesEachPointAndItsMarker)
{
    addThreeRows();
    EXPECT_TRUE(markers.changeModelVisibility(2, false));
    EXPECT_EQ(models.items()[2].mtm.hidden, 1);
    EXPECT_DOUBLE_EQ(models.items()[2].mtm.points[4].hidden, 1.0);
    EXPECT_EQ(render.calls.back(), (Call{"SetPointState", 14, 1}));
    EXPECT_EQ(render.calls.size(), 5u);

    EXPECT_TRUE(markers.changeModelVisibility(2, true));
    EXPECT_EQ(models.items()[2].mtm.hidden, 0);
    EXPECT_DOUBLE_EQ(models.items()[2].mtm.points[0].hidden, 0.0);
    EXPECT_EQ(render.calls.back(), (Call{"SetPointState", 14, 0}));
    EXPECT_FALSE(markers.changeModelVisibility(-1, true));
    EXPECT_FALSE(markers.changeModelVisibility(3, true));
}

TEST_F(PointMarkers, SelectingPointsHighlightsOncePerCellAndDeselectingShows)
{
    addThreeRows();
    window.currentRow = 2;
    QItemSelection selected = cells(1, 2);
    markers.changePointSelection(selected, QItemSelection());
    const auto states = render.callsNamed("SetPointState");
    ASSERT_EQ(states.size(), 12u);
    EXPECT_EQ(std::count(states.begin(), states.end(), Call{"SetPointState", 11, 2}), 6);
    EXPECT_EQ(std::count(states.begin(), states.end(), Call{"SetPointState", 12, 2}), 6);

    render.calls.clear();
    markers.changePointSelection(QItemSelection(), cells(2, 2));
    EXPECT_EQ(render.calls, std::vector<Call>(6, Call{"SetPointState", 12, 0}));
}

TEST_F(PointMarkers, PointsOfAHiddenModelOrWithoutCurrentRowChangeNoMarker)
{
    addThreeRows();
    markers.changePointSelection(cells(0, 0), cells(1, 1));
    window.currentRow = 0;
    models.items()[0].mtm.hidden = 1;
    markers.changePointSelection(cells(0, 0), cells(1, 1));
    EXPECT_TRUE(render.calls.empty());
}

TEST_F(PointMarkers, TickingThePointOfTheCurrentTableRowShowsThenHighlights)
{
    addThreeRows();
    window.currentRow = 2;
    markers.changePointVisibility(3, true, 3);
    EXPECT_EQ(render.calls, (std::vector<Call>{{"SetPointState", 13, 0}, {"SetPointState", 13, 2}}));
    render.calls.clear();
    markers.changePointVisibility(3, true, 1);
    markers.changePointVisibility(3, false, 3);
    EXPECT_EQ(render.calls, (std::vector<Call>{{"SetPointState", 13, 0}, {"SetPointState", 13, 1}}));
    render.calls.clear();
    markers.changePointVisibility(-1, true, -1);
    window.currentRow = -1;
    markers.changePointVisibility(0, true, 0);
    EXPECT_TRUE(render.calls.empty());
}

TEST_F(PointMarkers, RecolouringStoresTheColourAndRecoloursTheMarkers)
{
    addThreeRows();
    window.currentRow = 2;
    ASSERT_TRUE(markers.recolourCurrentModel(QColor(255, 128, 0)));
    const TMtm& mtm = models.items()[2].mtm;
    EXPECT_FLOAT_EQ(mtm.color[0], 1.0f);
    EXPECT_FLOAT_EQ(mtm.color[1], 128.0f / 255.0f);
    EXPECT_FLOAT_EQ(mtm.color[2], 0.0f);
    EXPECT_FLOAT_EQ(mtm.color[3], 1.0f);
    EXPECT_FLOAT_EQ(mtm.points[4].color[1], 128.0f / 255.0f);
    const auto colours = render.callsNamed("SetPointColor");
    ASSERT_EQ(colours.size(), 5u);
    EXPECT_EQ(colours.front().id, 10);
    EXPECT_EQ(colours.back().id, 14);
    EXPECT_FALSE(markers.recolourCurrentModel(QColor())) << "a cancelled dialog changes nothing";

    window.currentRow = 1;
    EXPECT_FALSE(markers.canRecolour()) << "a model without points";
}

TEST_F(PointMarkers, PointSizeTakesPositiveDecimalsOnly)
{
    for (const char* text : {"1", "12", "", "0", "x"})
        markers.changePointSize(text);
    EXPECT_EQ(render.callsNamed("SetPointSize"),
              (std::vector<Call>{{"SetPointSize", -1, 1}, {"SetPointSize", -1, 12}}));
    EXPECT_EQ(render.host.pointSize(), 12u);
}

TEST_F(PointMarkers, MovesAPointAndFollowsTheArea)
{
    addThreeRows();
    bridge::CPointMarkers(models, window).refreshMarkers();
    window.currentRow = 2;
    render.calls.clear();
    markers.movePointInScene(1, 4.0, 5.0, 6.0);
    double x = 0, y = 0, z = 0;
    render.host.BoxToScene(2, 4.0, 5.0, 6.0, &x, &y, &z);
    EXPECT_EQ(render.calls, (std::vector<Call>{{"SetPointPosition", 11, 0}}));
    EXPECT_DOUBLE_EQ(render.host.markers()[11].point.y, y);

    render.calls.clear();
    models.items()[2].area.lat = 39.3;
    markers.followGenerationArea(2);
    EXPECT_EQ(render.calls.front(), (Call{"SetBoxGeometry", 2, 0}));
    EXPECT_EQ(render.callsNamed("SetPointPosition").size(), 5u);
    EXPECT_EQ(render.callsNamed("SetPointPosition").front().id, 10);
}

TEST(SelectionStyleSheet, FormatsTheColourTimes255WithTabs)
{
    const QString tabs(10, '\t');
    EXPECT_EQ(bridge::selectionStyleSheet(1.0, 0.5, 0.0),
              "QTableView::item:selected {" + tabs + "background: rgba(255,127.5,0, 128);" + tabs
                  + "border: 1px solid transparent;" + tabs + "selection-color: black;}");
    EXPECT_TRUE(bridge::selectionStyleSheet(1.0, 128 / 255.0, 0.0).contains("rgba(255,128,0, 128)"));
}

} // namespace
