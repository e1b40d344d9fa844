#include "editingfixtures.h"

#include <clistmodel.h>
#include <clistview.h>
#include <customitemdelegate.h>

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace editingtest;

namespace {

class ListModelTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { app(); }

    TModelItem row(const std::string& name, const std::string& path, float r, float g, float b,
                   int hidden = 0)
    {
        TModelItem item;
        item.name = name;
        item.mtmPath = path;
        item.mtm.color[0] = r;
        item.mtm.color[1] = g;
        item.mtm.color[2] = b;
        item.mtm.hidden = hidden;
        return item;
    }

    CListModel model;
};

TEST_F(ListModelTest, RolesOfARowWithAndWithoutMtm)
{
    model.appendItem(row("/data/models/tank.mtm", "/data/models/tank.mtm", 1.0f, 0.5f, 0.0f));
    model.appendItem(row("/scene/house", "", 1.0f, 1.0f, 1.0f));
    model.appendItem(row("hidden.mtm", "hidden.mtm", 0.2f, 0.2f, 0.2f, 7));
    ASSERT_EQ(model.rowCount(), 3);

    const QModelIndex withMtm = model.index(0);
    EXPECT_EQ(withMtm.data(Qt::DisplayRole).toString(), "tank.mtm");
    EXPECT_EQ(withMtm.data(Qt::EditRole).toString(), "tank.mtm");
    EXPECT_EQ(withMtm.data(Qt::ToolTipRole).toString(), "/data/models/tank.mtm");
    EXPECT_EQ(withMtm.data(Qt::BackgroundRole).value<QColor>(), QColor(255, 127, 0, 128));
    EXPECT_EQ(withMtm.data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
    EXPECT_FALSE(withMtm.data(Qt::DecorationRole).isValid());

    const QModelIndex withoutMtm = model.index(1);
    EXPECT_EQ(withoutMtm.data(Qt::DisplayRole).toString(), "house");
    EXPECT_FALSE(withoutMtm.data(Qt::BackgroundRole).isValid());
    EXPECT_FALSE(withoutMtm.data(Qt::CheckStateRole).isValid());
    EXPECT_EQ(int(model.flags(withoutMtm)), 0x31);

    // Any hidden value but 0 is unticked.
    EXPECT_EQ(model.index(2).data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));

    EXPECT_FALSE(model.data(QModelIndex(), Qt::DisplayRole).isValid());
    EXPECT_EQ(int(model.flags(QModelIndex())), 0);
}

TEST_F(ListModelTest, CheckBoxEmitsVisibilityThenDataChanged)
{
    model.appendItem(row("a.mtm", "a.mtm", 0, 0, 0));
    const QModelIndex index = model.index(0);
    std::vector<std::string> order;
    QObject::connect(&model, &CListModel::SignalChangeVisibleItem, [&](int r, bool visible) {
        order.push_back("visible " + std::to_string(r) + (visible ? " true" : " false"));
    });
    QObject::connect(&model, &QAbstractItemModel::dataChanged,
                     [&](const QModelIndex&, const QModelIndex&, const QVector<int>& roles) {
                         order.push_back(roles.isEmpty() ? "dataChanged" : "dataChanged roles");
                     });

    EXPECT_TRUE(model.setData(index, int(Qt::Unchecked), Qt::CheckStateRole));
    EXPECT_EQ(model.items()[0].mtm.hidden, 1);
    EXPECT_EQ(index.data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
    EXPECT_TRUE(model.setData(index, int(Qt::Checked), Qt::CheckStateRole));
    EXPECT_EQ(model.items()[0].mtm.hidden, 0);
    // The same state again is announced again.
    EXPECT_TRUE(model.setData(index, int(Qt::Checked), Qt::CheckStateRole));
    EXPECT_EQ(order, (std::vector<std::string>{"visible 0 false", "dataChanged", "visible 0 true",
                                               "dataChanged", "visible 0 true", "dataChanged"}));

    order.clear();
    EXPECT_FALSE(model.setData(index, "x", Qt::EditRole));
    EXPECT_FALSE(model.setData(QModelIndex(), int(Qt::Checked), Qt::CheckStateRole));
    EXPECT_TRUE(order.empty());
}

TEST_F(ListModelTest, ClearingAnnouncesRemovalOnlyWhenThereAreRows)
{
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    int layouts = 0;
    QObject::connect(&model, &QAbstractItemModel::layoutChanged, [&] { ++layouts; });
    model.clearItems();
    EXPECT_EQ(removed.count(), 0);
    EXPECT_EQ(layouts, 0);

    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    model.appendItem(row("a.mtm", "a.mtm", 0, 0, 0));
    model.appendItem(row("b.mtm", "b.mtm", 0, 0, 0));
    ASSERT_EQ(inserted.count(), 2);
    EXPECT_EQ(inserted.at(1).at(1).toInt(), 1);
    model.clearItems();
    ASSERT_EQ(removed.count(), 1);
    EXPECT_EQ(removed.at(0).at(1).toInt(), 0);
    EXPECT_EQ(removed.at(0).at(2).toInt(), 1);
    EXPECT_EQ(layouts, 1);
    EXPECT_EQ(model.rowCount(), 0);
}

// Rows that share grids (the same item appended twice, a replaced MTM) release each grid once;
// the sanitizer build is the judge of leaks and double frees.
TEST_F(ListModelTest, SharedGridsLiveAsLongAsAnyRow)
{
    const TModelItem item = rowWithPoints("a.mtm", 2);
    model.appendItem(item);
    model.appendItem(item);
    TRcsValue** grid = item.mtm.points[0].rcs;
    EXPECT_EQ(model.gridShare()->holders(grid), 2);

    const TModelItem other = rowWithPoints("b.mtm", 1);
    model.replaceMtm(0, other.mtm);
    EXPECT_EQ(model.gridShare()->holders(grid), 1);
    EXPECT_EQ(model.items()[1].mtm.points[0].rcs[2][1], TRcsValue(2.001, -2.0));

    model.clearItems();
    EXPECT_EQ(model.gridShare()->size(), 0u);
}

class ListViewTest : public ListModelTest {
protected:
    void SetUp() override
    {
        view.setModel(&model);
        view.setItemDelegate(new CustomItemDelegate(&view));
    }
    CListView view;
};

TEST_F(ListViewTest, CurrentRowChangesCarryThePreviousRow)
{
    QSignalSpy changed(&view, &CListView::SignalCurrentIdChanged);
    model.appendItem(row("a.mtm", "a.mtm", 0, 0, 0));
    model.appendItem(row("/scene/house", "", 0, 0, 0));
    view.setCurrentIndex(model.index(0));
    view.setCurrentIndex(model.index(1));   // a row without MTM can be current too
    ASSERT_EQ(changed.count(), 2);
    EXPECT_EQ(changed.at(0), (QList<QVariant>{0, -1}));
    EXPECT_EQ(changed.at(1), (QList<QVariant>{1, 0}));

    model.clearItems();
    EXPECT_EQ(changed.count(), 2);
}

TEST_F(ListViewTest, SelectedRowIsFramedInRedOverItsColour)
{
    model.appendItem(row("a.mtm", "a.mtm", 0.0f, 0.0f, 1.0f));
    QImage image(200, 40, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QStyleOptionViewItem option;
    option.initFrom(&view);
    option.rect = QRect(0, 0, 200, 40);
    option.state |= QStyle::State_Selected;
    {
        QPainter painter(&image);
        view.itemDelegate()->paint(&painter, option, model.index(0));
    }
    // The 2-pixel pen is centred on the inset rectangle: pixels 0..1 of the inset edge.
    EXPECT_EQ(image.pixelColor(100, 1), QColor(Qt::red));
    EXPECT_EQ(image.pixelColor(1, 20), QColor(Qt::red));
    EXPECT_NE(image.pixelColor(100, 20), QColor(Qt::red));

    option.state &= ~QStyle::State_Selected;
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        view.itemDelegate()->paint(&painter, option, model.index(0));
    }
    EXPECT_NE(image.pixelColor(100, 1), QColor(Qt::red));
    // Half-transparent blue over white.
    const QColor background = image.pixelColor(100, 20);
    EXPECT_EQ(background.blue(), 255);
    EXPECT_NEAR(background.red(), 127, 2);
    EXPECT_NEAR(background.green(), 127, 2);
}

} // namespace
