#pragma once
// Paints a row of the list of models in its MTM's colour and frames the selected row in red.

#include <QStyledItemDelegate>

class CustomItemDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};
