#pragma once
// The generation area as the texts of its editors, and back.

#include <tgenerationarea.h>

#include <QStringList>

namespace bridge {

// Latitude, longitude, altitude, yaw, pitch, roll, size X, Y, Z; eight decimals each.
QStringList boundBoxTexts(const TBoundBox& box);
// The same nine texts into the box; text that is not a number gives 0.
void applyBoundBoxTexts(TBoundBox& box, const QStringList& texts);

// Counts X, Y, Z as integers, then azimuth step, elevation step, ellipticity, orientation and
// wavelength with eight decimals.
QStringList settingsTexts(const TMtmSettings& settings);
// The same eight texts into the settings. A count that is not a positive number becomes 1, and
// its text in `texts` becomes "1" for the editor to show.
void applySettingsTexts(TMtmSettings& settings, QStringList& texts);

} // namespace bridge
