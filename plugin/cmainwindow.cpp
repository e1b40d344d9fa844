#include "cmainwindow.h"

#include "pluginglobals.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

CMainWindow::CMainWindow(QWidget* parent)
    : QMainWindow(parent)
{
    setObjectName("CMainWindow");
    setAttribute(Qt::WA_DeleteOnClose);
    resize(1600, 900);

    menuFile = menuBar()->addMenu(QString());
    menuFile->setObjectName("menuFile");
    actionExit = new QAction(this);
    actionExit->setObjectName("actionExit");
    actionExit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    menuFile->addAction(actionExit);
    connect(actionExit, &QAction::triggered, this, &QWidget::close);

    retranslateUi();
}

CMainWindow::~CMainWindow()
{
    kalmeno::mainWindow.unregisterWindow(this);
}

void CMainWindow::retranslateUi()
{
    setWindowTitle(tr("Kalmeno"));
    menuFile->setTitle(tr("File"));
    actionExit->setText(tr("Exit"));
}
