#pragma once
// What a text sent to a table cell stands for. A text that is no number stands for nothing, so
// the cell keeps its value whichever editor sent it.

#include <tmtm.h>

#include <QString>

#include <optional>

// A coordinate: the whole text is one number (surrounding blanks aside).
std::optional<double> numberFromCellText(const QString& text);

// An amplitude: "real; imaginary", or a real part alone; an empty part stands for 0.
std::optional<TRcsValue> amplitudeFromCellText(const QString& text);
