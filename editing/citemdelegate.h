#pragma once
// Cell editors of the points table: a number field for the coordinates, nothing elsewhere.

#include <QStyledItemDelegate>

class CItemDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
};
