// The main window beside an Ostrell that lacks five of its six exports (this program's folder
// holds such a library): each missing one is named in its own box, the one present binds.
#include "cmainwindow.h"

#include "modalboxwatcher.h"
#include "testapplication.h"
#include "windowworkdir.h"

#include <QCoreApplication>
#include <QPointer>

#include <gtest/gtest.h>

namespace {

TEST(MainWindowWithPartialOstrell, NamesEachMissingFunction)
{
    testApplication();
    WindowWorkDir workDir;
    workDir.writeLanguage("ru");
    ModalBoxWatcher boxes;
    QPointer<CMainWindow> window = new CMainWindow();
    EXPECT_FALSE(window->isOstrellBound());
    std::vector<QString> texts;
    for (const ModalBoxWatcher::Box& box : boxes.boxes()) {
        EXPECT_EQ("Error loading the function", box.title);
        texts.push_back(box.text);
    }
    const std::vector<QString> expected = {
        "The function pointer could not be found createPtrFuncDll in the library Ostrell.dll",
        "The function pointer could not be found getFileSize in the library Ostrell.dll",
        "The function pointer could not be found createMTM in the library Ostrell.dll",
        "The function pointer could not be found saveMTM in the library Ostrell.dll",
        "The function pointer could not be found terminateProcces in the library Ostrell.dll",
    };
    EXPECT_EQ(expected, texts);
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
}

} // namespace
