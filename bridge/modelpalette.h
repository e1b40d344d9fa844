#pragma once
// The colours given to models in the order they are opened.

#include <QColor>

#include <array>

namespace bridge {

// cyan, yellow, magenta, green, red, dark yellow, blue, dark magenta, dark red, dark green
inline const std::array<QColor, 10>& modelPalette()
{
    static const std::array<QColor, 10> palette = {
        QColor(Qt::cyan),     QColor(Qt::yellow),      QColor(Qt::magenta), QColor(Qt::green),
        QColor(Qt::red),      QColor(Qt::darkYellow),  QColor(Qt::blue),    QColor(Qt::darkMagenta),
        QColor(Qt::darkRed),  QColor(Qt::darkGreen)};
    return palette;
}

} // namespace bridge
