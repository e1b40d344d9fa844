#include "appsettings.h"

#include "mainwindowconstants.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>

namespace kalmeno {

QString& currentLanguage()
{
    static QString language;
    return language;
}

void RestoreSettings(QWidget* window)
{
    QSettings settings(appSettingsPath, QSettings::IniFormat);
    settings.beginGroup("Settings");
    if (!window->restoreGeometry(settings.value("geometry").toByteArray())) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect available = screen->geometry();
            window->move((available.width() - window->width()) / 2, (available.height() - window->height()) / 2);
        }
        window->resize(defaultWindowSize);
    }
    currentLanguage() = settings.value("language", "ru").toString();
    settings.endGroup();
}

void StoreSettings(const QWidget* window)
{
    QSettings settings(appSettingsPath, QSettings::IniFormat);
    settings.beginGroup("Settings");
    settings.setValue("geometry", window->saveGeometry());
    settings.setValue("language", currentLanguage());
    settings.endGroup();
}

} // namespace kalmeno
