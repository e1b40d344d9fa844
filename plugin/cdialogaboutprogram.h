#pragma once
// The About box: icon, name, the installed version and the platform the plug-in was built for.

#include <QDialog>

class CDialogAboutProgram : public QDialog {
    Q_OBJECT

public:
    explicit CDialogAboutProgram(QWidget* parent = nullptr);

    // The first line of the version file, or an empty text when it cannot be read.
    static QString readVersion(const QString& path);
};
