#include "guithread.h"

#include "cmainwindow.h"
#include "pluginglobals.h"

#include <bridgelog.h>
#include <bridgestate.h>
#include <dynamiclibrary.h>

#include <QApplication>
#include <QMetaObject>
#include <QThread>

#include <memory>

namespace kalmeno {

void Start(const std::function<void()>& ownsQt)
{
    QThread::currentThread(); // the first thread to ask Qt who it is becomes its main thread
    ownsQt();
    bridge::logRawInfo("In func Start");
    {
        int argumentCount = 0; // QApplication keeps a reference: it must outlive the application
        auto application = std::make_unique<QApplication>(argumentCount, nullptr);
        QApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
        bridge::logRawInfo("Create QApplication");

        auto* window = new CMainWindow(); // deletes itself when closed
        const bool closeAtOnce = mainWindow.registerWindow(window);
        window->show();
        if (closeAtOnce)
            QMetaObject::invokeMethod(window, "close", Qt::QueuedConnection);

#if defined(__SANITIZE_ADDRESS__)
        platform::pinLoadedLibraries(); // the window has brought up OpenGL: Mesa's driver is in
#endif
        bridge::logRawInfo("QApplication exec()");
        application->exec();
        // Until the application is gone, a Release must leave the ending to this thread: ending
        // the process now would run Qt's static destructors under the application's feet.
        application.reset();
        mainWindow.markEnded();
    }
    if (!released.load()) {
        if (hostsdk::IHost* host = bridge::bridgeState().host.load())
            host->NotifyClosed();
    }
}

} // namespace kalmeno
