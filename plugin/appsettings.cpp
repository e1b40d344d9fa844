#include "appsettings.h"

#include "mainwindowconstants.h"

#include <bridgelog.h>
#include <regularfile.h>

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>

#include <cstdint>
#include <string>

namespace kalmeno {

QString& currentLanguage()
{
    static QString language;
    return language;
}

namespace {

void centreAtDefaultSize(QWidget* window)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->geometry();
        window->move((available.width() - window->width()) / 2, (available.height() - window->height()) / 2);
    }
    window->resize(defaultWindowSize);
}

// Two short keys; anything far larger is not this file, and would cost its size several times over.
constexpr std::uint64_t kMaxAppSettingsBytes = 1 << 20;

// QSettings opens the file by itself: it is left to it only when it is absent or a regular file of
// settings size, so that a FIFO or a device under its name cannot hang the window.
bool settingsFileUsable(const char* use)
{
    const auto usable = platform::regularFileWithin(appSettingsPath, kMaxAppSettingsBytes);
    if (!usable)
        bridge::LogError(std::string("Application settings ") + use + ": " + appSettingsPath + " is " + usable.error());
    return usable.ok();
}

} // namespace

void RestoreSettings(QWidget* window)
{
    if (!settingsFileUsable("not read")) {
        centreAtDefaultSize(window);
        currentLanguage() = QStringLiteral("ru");
        return;
    }
    QSettings settings(appSettingsPath, QSettings::IniFormat);
    settings.beginGroup("Settings");
    if (!window->restoreGeometry(settings.value("geometry").toByteArray()))
        centreAtDefaultSize(window);
    currentLanguage() = settings.value("language", "ru").toString();
    settings.endGroup();
}

void StoreSettings(const QWidget* window)
{
    if (!settingsFileUsable("not stored"))
        return;
    QSettings settings(appSettingsPath, QSettings::IniFormat);
    settings.beginGroup("Settings");
    settings.setValue("geometry", window->saveGeometry());
    settings.setValue("language", currentLanguage());
    settings.endGroup();
}

} // namespace kalmeno
