#include "customitemdelegate.h"

#include <QBrush>
#include <QPainter>
#include <QPen>

void CustomItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const
{
    QStyleOptionViewItem styled(option);
    initStyleOption(&styled, index);

    const QVariant background = index.data(Qt::BackgroundRole);
    if (background.isValid()) {
        styled.backgroundBrush = background.canConvert<QBrush>() ? background.value<QBrush>()
                                                                 : QBrush();
    }
    QStyledItemDelegate::paint(painter, styled, index);

    if (styled.state & QStyle::State_Selected) {
        painter->save();
        painter->setPen(QPen(QBrush(Qt::red), 2, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(styled.rect.adjusted(1, 1, -1, -1));
        painter->restore();
    }
}
