#pragma once
// The settings file kept next to an MTM: the row's generation area as a small JSON document.

#include <tmodelitem.h>

#include <QByteArray>

#include <string>

namespace bridge {

// The MTM path with the extension of its file name replaced by ".ini" (C:/m/plane.mtm ->
// C:/m/plane.ini). A file name without "." gets ".ini" appended (C:/a.b/model ->
// C:/a.b/model.ini): a dot in a folder name never moves the file out of the model's folder.
std::string settingsFileName(const std::string& mtmPath);
// The same for any extension (".packmtm" gives the input log of a generation).
std::string replaceExtension(const std::string& path, const std::string& extension);

// The indented JSON text of an area; doubles rounded to six decimals, the box id left out.
QByteArray settingsDocument(const TGenerationArea& area);

// A double as the file stores it: rounded to six decimals, halves away from zero.
double roundToSixDecimals(double value);

// Writes the area to the settings file of `mtmPath`, replacing it in one step; logs the outcome.
void WriteSettingsFile(const TGenerationArea& area, const std::string& mtmPath);

// Reads the settings file of the item's mtmPath into its area. False when the file cannot be
// opened or is not a JSON object; then nothing changes. Members of a wrong type leave their
// fields as they were; members missing from a present key's object give 0.
bool ReadSettingsFile(TModelItem& item);
// The same over a document already in memory.
bool readSettingsDocument(const QByteArray& json, TGenerationArea& area);

} // namespace bridge
