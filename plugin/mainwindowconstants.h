#pragma once
// Constants shared by the main window and the code that fills it. None is built while the library
// loads: that runs on the host's thread, and the plug-in's Qt belongs to its GUI thread.

#include <QRegExp>
#include <QSize>

namespace kalmeno {

// The window's size when no stored geometry can be restored.
constexpr QSize defaultWindowSize(1600, 900);

// Input patterns of the line edits: decimals with up to ten or five fraction digits (optional
// sign and exponent), and unsigned integers.
const QRegExp& regExpDecimal10();
const QRegExp& regExpUnsigned();
const QRegExp& regExpDecimal5();

} // namespace kalmeno
