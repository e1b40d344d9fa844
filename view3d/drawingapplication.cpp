#include "drawingapplication.h"

#include <QApplication>
#include <QByteArray>

#include <clocale>

namespace {

bool hasDisplay()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty())
        return !platform.startsWith("offscreen") && !platform.startsWith("minimal");
    return !qgetenv("DISPLAY").isEmpty() || !qgetenv("WAYLAND_DISPLAY").isEmpty();
}

int argc = 1;
char applicationName[] = "mtm";
char* argv[] = {applicationName, nullptr};

} // namespace

kalmeno::Status ensureDrawingApplication(bool needsOpenGL)
{
    if (QCoreApplication::instance()) {
        if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
            return kalmeno::Status::failure("the running Qt application cannot show widgets");
        if (needsOpenGL && QGuiApplication::platformName().startsWith("offscreen"))
            return kalmeno::Status::failure("OpenGL needs a display; the offscreen platform has none");
        return kalmeno::Status::success();
    }
    if (!hasDisplay()) {
        if (needsOpenGL)
            return kalmeno::Status::failure("OpenGL needs a display (run it under xvfb-run -a)");
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    new QApplication(argc, argv); // reachable through QCoreApplication::instance()
    // Qt adopts the user's locale; numbers printed afterwards must keep their '.'.
    std::setlocale(LC_NUMERIC, "C");
    return kalmeno::Status::success();
}
