#pragma once
// The style of the selected cells of the points and amplitude tables, in the model's colour.

#include <QString>

namespace bridge {

// Red, green and blue in 0..1; alpha is fixed at 128.
QString selectionStyleSheet(double red, double green, double blue);

} // namespace bridge
