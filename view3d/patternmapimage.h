#pragma once
// A flat picture of a pattern for people who would rather look than read: azimuth across,
// elevation up, each cell in the colour of its dB value, with the view's dB colour bar.

#include "patterngrid.h"

#include <QImage>
#include <QString>

// Needs a QApplication (ensureDrawingApplication). `title` is written above the map.
QImage renderPatternMap(const PatternGrid& pattern, const QString& title);
