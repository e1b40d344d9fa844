#include "clistview.h"

CListView::CListView(QWidget* parent)
    : QListView(parent)
{
}

void CListView::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    // The dependants reload from the row; the base handling is not wanted here.
    if (current.isValid())
        emit SignalCurrentIdChanged(current.row(), previous.row());
}
