// The main window's shell: identity, self-deletion and the exit shortcut.
#include "cmainwindow.h"

#include <QApplication>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QApplication& application()
{
    static int argc = 1;
    static char name[] = "test_cmainwindow";
    static char* argv[] = {name, nullptr};
    // Never destroyed: what Qt's platform plug-in keeps stays reachable to the leak checker.
    static auto* app = new QApplication(argc, argv);
    return *app;
}

TEST(CMainWindowShell, IdentityAndDeleteOnClose)
{
    application();
    auto* window = new CMainWindow();
    EXPECT_EQ("CMainWindow", window->objectName());
    EXPECT_EQ("Kalmeno", window->windowTitle());
    EXPECT_TRUE(window->testAttribute(Qt::WA_DeleteOnClose));
    EXPECT_EQ(nullptr, window->parent());
    QPointer<CMainWindow> guard(window);
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());
}

TEST(CMainWindowShell, CtrlQClosesTheWindow)
{
    application();
    auto* window = new CMainWindow();
    QPointer<CMainWindow> guard(window);
    window->show();
    QApplication::setActiveWindow(window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QTest::keyClick(window, Qt::Key_Q, Qt::ControlModifier);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull());
    delete guard.data();
}

} // namespace
