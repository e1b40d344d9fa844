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
    const QModelIndexList selected = selection->selectedIndexes();
    reset();
    for (const QModelIndex& index : selected)
        selection->select(index, QItemSelectionModel::Select);
}

void CTableView::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected)
{
    UndoTableView::selectionChanged(selected, deselected);
    emit SignalSelectionChanged(selected, deselected);
}
