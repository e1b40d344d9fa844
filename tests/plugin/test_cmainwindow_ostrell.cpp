// The main window with Ostrell beside it (this program's folder holds a copy): every entry
// point binds and nobody is bothered with a message.
#include "cmainwindow.h"

#include "modalboxwatcher.h"
#include "testapplication.h"
#include "windowworkdir.h"

#include <QCoreApplication>
#include <QPointer>

#include <gtest/gtest.h>

namespace {

TEST(MainWindowWithOstrell, BindsAllSixWithoutABox)
{
    testApplication();
    WindowWorkDir workDir;
    ModalBoxWatcher boxes;
    QPointer<CMainWindow> window = new CMainWindow();
    EXPECT_TRUE(window->isOstrellBound());
    EXPECT_TRUE(boxes.boxes().empty());
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
}

} // namespace
