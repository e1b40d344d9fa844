#pragma once
// The two principal cuts of a radar cross-section table as line plots: against azimuth at the
// elevation of the peak, and against elevation at the azimuth of the peak.

#include <QImage>
#include <QString>

#include <vector>

namespace mtm {

// `dbsm[a][e]` on an azimuth × elevation grid (both ends included). Needs a QApplication
// (ensureDrawingApplication). `title` is written above the plots.
QImage renderRcsCuts(const std::vector<std::vector<double>>& dbsm, const QString& title);

} // namespace mtm
