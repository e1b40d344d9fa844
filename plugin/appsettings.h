#pragma once
// What the plug-in remembers between runs: the main window's geometry and the language.
// The file lies relative to the working directory of the host process.

#include <QString>

class QWidget;

namespace kalmeno {

inline const char* const appSettingsPath = "../Kalmeno/Kalmeno_AppSettings.ini";

// The language in use, "ru" or "en" (a stored unknown code is kept as it is); empty until the
// main window is built. Used on the GUI thread only.
QString& currentLanguage();

// Restores the stored geometry (or centres the window at its default size) and reads the
// stored language into currentLanguage().
void RestoreSettings(QWidget* window);
// Writes the window's geometry and currentLanguage().
void StoreSettings(const QWidget* window);

} // namespace kalmeno
