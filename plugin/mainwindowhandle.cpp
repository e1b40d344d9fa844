#include "mainwindowhandle.h"

#include "cmainwindow.h"

#include <QApplication>
#include <QDialog>
#include <QMetaObject>
#include <QPointer>
#include <QTimer>

namespace kalmeno {

namespace {

// A modal dialog (a file dialog, a message box) runs an event loop of its own inside the window's
// slot that opened it, and would keep the interface, and the host waiting for it, alive. The open
// dialogs are dismissed, and the window closes only once none is open any more: every such slot
// returns to a live window, whatever dialog it shows next.
void closeOnceNoDialogIsOpen(const QPointer<CMainWindow>& window)
{
    if (!window)
        return;
    bool dialogOpen = false;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<QDialog*>(widget); dialog && dialog->isVisible()) {
            dialog->reject();
            dialogOpen = true;
        }
    }
    if (dialogOpen) {
        QTimer::singleShot(10, window, [window] { closeOnceNoDialogIsOpen(window); });
        return;
    }
    window->close();
}

} // namespace

bool MainWindowHandle::markStarting()
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (phase_ == Phase::Starting || phase_ == Phase::Running)
        return false;
    phase_ = Phase::Starting;
    closeRequested_ = false;
    return true;
}

void MainWindowHandle::markStartFailed()
{
    std::lock_guard<std::mutex> lock(mutex_);
    phase_ = Phase::Idle;
}

void MainWindowHandle::markEnded()
{
    std::lock_guard<std::mutex> lock(mutex_);
    window_ = nullptr;
    phase_ = Phase::Ended;
}

bool MainWindowHandle::registerWindow(CMainWindow* window)
{
    std::lock_guard<std::mutex> lock(mutex_);
    window_ = window;
    phase_ = Phase::Running;
    return closeRequested_;
}

void MainWindowHandle::unregisterWindow(CMainWindow* window)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (window_ == window)
        window_ = nullptr;
}

MainWindowHandle::CloseRequest MainWindowHandle::requestClose()
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (window_ && QCoreApplication::instance()) {
        QMetaObject::invokeMethod(
            window_, [window = QPointer<CMainWindow>(window_)] { closeOnceNoDialogIsOpen(window); },
            Qt::QueuedConnection);
        return CloseRequest::Posted;
    }
    // While the GUI thread builds the window or tears the application down, ending the process
    // would run static destructors under its feet: let it finish instead.
    if (phase_ == Phase::Starting || phase_ == Phase::Running) {
        closeRequested_ = true;
        return CloseRequest::Deferred;
    }
    return CloseRequest::NoInterface;
}

} // namespace kalmeno
