#include "selectionstylesheet.h"

namespace bridge {

QString selectionStyleSheet(double red, double green, double blue)
{
    const QString tabs(10, QLatin1Char('\t'));
    return QStringLiteral("QTableView::item:selected {") + tabs
        + QStringLiteral("background: rgba(%1,%2,%3, 128);").arg(red * 255).arg(green * 255).arg(blue * 255) + tabs
        + QStringLiteral("border: 1px solid transparent;") + tabs + QStringLiteral("selection-color: black;}");
}

} // namespace bridge
