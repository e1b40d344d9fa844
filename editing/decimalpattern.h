#pragma once
// What a number typed into a table cell may look like: an optional minus sign, digits with up to
// ten decimals or a point with one to ten decimals, and an optional exponent.

#include <QRegExp>

inline QRegExp decimalCellPattern()
{
    return QRegExp(QStringLiteral("^-?(?:(?:\\d+(?:[.]\\d{0,10})?)|(?:[.]\\d{1,10}))"
                                  "(?:[eE][+-]?\\d+)?$"),
                   Qt::CaseSensitive);
}
