#pragma once
// What the main window's point buttons and the points table's selection do to the tables.

#include <tmtm.h>

#include <vector>

class CListModel;
class CTableModel;
class CTableModelDOR;
class IPointScene;
class QItemSelection;
class QTableView;

// "Create points": appends a point at the origin to the current row's MTM as one undo step,
// selects it and highlights its marker. The new point copies the first point's grid size (zeros)
// and colour; in an MTM without points it has no grid and takes the MTM's colour. Nothing
// happens for a row without an MTM or when the points table does not show the current row.
// True when a point was added.
bool createPoint(CListModel& models, int currentRow, CTableModel& points, QTableView& view,
                 IPointScene* scene);

// "Remove from list": removes the selected points one undo step each, then republishes the
// markers. Nothing is removed without a renderer. Returns the number of points removed.
int removeSelectedPoints(CTableModel& points, QTableView& view, IPointScene* scene);

// Shows the grid of the last newly selected point in the amplitude table, or nothing when the
// selection change selected nothing. `currentPoints` is null when no row is current.
void showSelectedPointGrid(CTableModelDOR& amplitudes, const std::vector<TMtmPoint>* currentPoints,
                           const QItemSelection& selected);
