#include "windowworkdir.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSettings>

#include <cstdlib>
#include <stdexcept>

namespace {

void copyTree(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    QDirIterator files(from, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString source = files.next();
        const QString target = to + "/" + QDir(from).relativeFilePath(source);
        QDir().mkpath(QFileInfo(target).path());
        QFile::copy(source, target);
    }
}

} // namespace

WindowWorkDir::WindowWorkDir(bool withStagedData)
    : previous_(QDir::currentPath())
{
    if (!root_.isValid())
        throw std::runtime_error("no temporary directory");
    QDir(root_.path()).mkpath("bin");
    QDir(root_.path()).mkpath("Kalmeno");
    const char* stage = std::getenv("KALMENO_STAGE_DIR");
    if (withStagedData && stage) {
        for (const char* name : {"Kalmeno_ru.qm", "version.txt"})
            QFile::copy(QString(stage) + "/Kalmeno/" + name, root_.path() + "/Kalmeno/" + name);
        copyTree(QString(stage) + "/Kalmeno/translations", root_.path() + "/Kalmeno/translations");
    }
    QDir::setCurrent(root_.path() + "/bin");
}

WindowWorkDir::~WindowWorkDir()
{
    QDir::setCurrent(previous_);
}

QString WindowWorkDir::settingsPath() const
{
    return root_.path() + "/Kalmeno/Kalmeno_AppSettings.ini";
}

void WindowWorkDir::writeLanguage(const QString& language) const
{
    QSettings settings(settingsPath(), QSettings::IniFormat);
    settings.setValue("Settings/language", language);
}

QString WindowWorkDir::storedLanguage() const
{
    return QSettings(settingsPath(), QSettings::IniFormat).value("Settings/language").toString();
}

QByteArray WindowWorkDir::storedGeometry() const
{
    return QSettings(settingsPath(), QSettings::IniFormat).value("Settings/geometry").toByteArray();
}
