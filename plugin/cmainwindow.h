#pragma once
// The plug-in's main window.

#include <QMainWindow>

class QAction;

class CMainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit CMainWindow(QWidget* parent = nullptr);
    ~CMainWindow() override;

private:
    void retranslateUi();

    QMenu* menuFile = nullptr;
    QAction* actionExit = nullptr;
};
