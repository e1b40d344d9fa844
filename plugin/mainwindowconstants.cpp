#include "mainwindowconstants.h"

namespace kalmeno {

const QRegExp& regExpDecimal10()
{
    static const QRegExp expression(R"(^-?(?:(?:\d+(?:[.]\d{0,10})?)|(?:[.]\d{1,10}))(?:[eE][+-]?\d+)?$)");
    return expression;
}

const QRegExp& regExpUnsigned()
{
    static const QRegExp expression(R"(^\d{1,}$)");
    return expression;
}

const QRegExp& regExpDecimal5()
{
    static const QRegExp expression(R"(^-?(?:(?:\d+(?:[.]\d{0,5})?)|(?:[.]\d{1,5}))(?:[eE][+-]?\d+)?$)");
    return expression;
}

} // namespace kalmeno
