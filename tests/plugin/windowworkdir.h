#pragma once
// A private copy of the runtime layout the window expects around the working directory: the
// process works in <temp>/bin, the staged translations lie in <temp>/Kalmeno.

#include <QString>
#include <QTemporaryDir>

class WindowWorkDir {
public:
    // Copies the staged Kalmeno folder (translations, version file) unless told not to.
    explicit WindowWorkDir(bool withStagedData = true);
    ~WindowWorkDir();

    QString settingsPath() const;
    // Writes the settings file with only a language.
    void writeLanguage(const QString& language) const;
    QString storedLanguage() const;
    QByteArray storedGeometry() const;

private:
    QTemporaryDir root_;
    QString previous_;
};
