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

DrawingApplication::DrawingApplication(bool needsOpenGL)
{
    if (QCoreApplication::instance()) {
        if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
            status_ = kalmeno::Status::failure("the running Qt application cannot show widgets");
        else if (needsOpenGL && QGuiApplication::platformName().startsWith("offscreen"))
            status_ = kalmeno::Status::failure("OpenGL needs a display; the offscreen platform has none");
        return;
    }
    if (!hasDisplay()) {
        if (needsOpenGL) {
            status_ = kalmeno::Status::failure("OpenGL needs a display (run it under xvfb-run -a)");
            return;
        }
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    owned_ = std::make_unique<QApplication>(argc, argv);
    // Qt adopts the user's locale; numbers printed afterwards must keep their '.'.
    std::setlocale(LC_NUMERIC, "C");
}

DrawingApplication::~DrawingApplication() = default;
