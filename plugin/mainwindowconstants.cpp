#include "mainwindowconstants.h"

namespace kalmeno {

const QSize defaultWindowSize(1600, 900);

const QRegExp regExpDecimal10(R"(^-?(?:(?:\d+(?:[.]\d{0,10})?)|(?:[.]\d{1,10}))(?:[eE][+-]?\d+)?$)");
const QRegExp regExpUnsigned(R"(^\d{1,}$)");
const QRegExp regExpDecimal5(R"(^-?(?:(?:\d+(?:[.]\d{0,5})?)|(?:[.]\d{1,5}))(?:[eE][+-]?\d+)?$)");

const std::array<QColor, modelPaletteSize> modelPalette = {
    QColor(Qt::cyan),     QColor(Qt::yellow),   QColor(Qt::magenta),     QColor(Qt::green),   QColor(Qt::red),
    QColor(Qt::darkYellow), QColor(Qt::blue), QColor(Qt::darkMagenta), QColor(Qt::darkRed), QColor(Qt::darkGreen),
};

} // namespace kalmeno
