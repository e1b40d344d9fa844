#include "ctableview.h"

#include <QItemSelectionModel>

CTableView::CTableView(QWidget* parent)
    : UndoTableView(parent)
{
}

void CTableView::SetFocuss()
{
    if (state() == QAbstractItemView::EditingState)
        return;
    QItemSelectionModel* selection = selectionModel();
    if (!selection)
        return;
    // One change for the whole selection: each change resets the amplitude table and its history.
    const QItemSelection kept = selection->selection();
    reset();
    selection->select(kept, QItemSelectionModel::Select);
}

void CTableView::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    UndoTableView::selectionChanged(selected, deselected);
    emit SignalSelectionChanged(selected, deselected);
}
