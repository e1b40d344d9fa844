#include "pointactions.h"

#include "clistmodel.h"
#include "ctablemodel.h"
#include "ctablemodeldor.h"
#include "ipointscene.h"

#include <rcsgrid.h>

#include <QItemSelectionModel>
#include <QTableView>

#include <algorithm>

bool createPoint(CListModel& models, int currentRow, CTableModel& points, QTableView& view,
                 IPointScene* scene)
{
    auto& items = models.items();
    if (currentRow < 0 || currentRow >= int(items.size()))
        return false;
    TModelItem& item = items[std::size_t(currentRow)];
    if (item.mtmPath.empty() || points.points() != &item.mtm.points)
        return false;

    TMtmPoint point;
    point.hidden = 2.0;
    if (!item.mtm.points.empty()) {
        const TMtmPoint& first = item.mtm.points.front();
        point.countAz = first.countAz;
        point.countEl = first.countEl;
        point.rcs = allocateRcsGrid(first.countAz, first.countEl);
        std::copy(std::begin(first.color), std::end(first.color), std::begin(point.color));
    } else {
        std::copy(std::begin(item.mtm.color), std::end(item.mtm.color), std::begin(point.color));
    }
    points.addPoint(point);

    const int last = points.rowCount() - 1;
    view.viewport()->update();
    view.selectRow(last);
    if (scene && scene->hasRenderer()) {
        scene->refreshMarkers();
        scene->highlightPoint(last);
    }
    return true;
}

int removeSelectedPoints(CTableModel& points, QTableView& view, IPointScene* scene)
{
    QItemSelectionModel* selection = view.selectionModel();
    if (!scene || !scene->hasRenderer() || !selection)
        return 0;
    int removed = 0;
    // Each removal renumbers the rows below it, so the selection is read again every time.
    for (QModelIndexList rows = selection->selectedRows(0); !rows.isEmpty();
         rows = selection->selectedRows(0)) {
        if (!points.removePoint(rows.first().row()))
            break;
        ++removed;
    }
    if (removed > 0)
        scene->refreshMarkers();
    return removed;
}

void showSelectedPointGrid(CTableModelDOR& amplitudes, const std::vector<TMtmPoint>* currentPoints,
                           const QItemSelection& selected)
{
    if (!currentPoints)
        return;
    const QModelIndexList indexes = selected.indexes();
    if (indexes.isEmpty()) {
        amplitudes.setGrid(nullptr, 0, 0);
        return;
    }
    const int row = indexes.last().row();
    if (row < 0 || row >= int(currentPoints->size())) {
        amplitudes.setGrid(nullptr, 0, 0);
        return;
    }
    const TMtmPoint& point = (*currentPoints)[std::size_t(row)];
    amplitudes.setGrid(point.rcs, point.countAz, point.countEl);
}
