#pragma once
// Constants shared by the main window and the code that fills it.

#include <QColor>
#include <QRegExp>
#include <QSize>

#include <array>

namespace kalmeno {

// The window's size when no stored geometry can be restored.
extern const QSize defaultWindowSize;

// Input patterns of the line edits: decimals with up to ten or five fraction digits (optional
// sign and exponent), and unsigned integers.
extern const QRegExp regExpDecimal10;
extern const QRegExp regExpUnsigned;
extern const QRegExp regExpDecimal5;

// Colours given to newly opened MTMs, in turn.
constexpr int modelPaletteSize = 10;
extern const std::array<QColor, modelPaletteSize> modelPalette;

} // namespace kalmeno
