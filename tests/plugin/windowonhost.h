#pragma once
// The main window on the reference host in process, with the host's log as the plug-in's. Each
// test opens a private copy of the staged demo scene, so saving never touches the staged files.

#include "cmainwindow.h"

#include "pluginglobals.h"
#include "referencehosttest.h"
#include "testapplication.h"
#include "windowworkdir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QListView>
#include <QPointer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>

inline bool waitUntil(const std::function<bool()>& condition)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

inline QString copyDemo(const QTemporaryDir& dir)
{
    const QDir demo(qEnvironmentVariable("KALMENO_STAGE_DIR") + "/Kalmeno/demo");
    for (const QString& name : demo.entryList(QDir::Files))
        QFile::copy(demo.filePath(name), dir.filePath(name));
    return dir.filePath("demo.xml");
}

class WindowOnHostFixture : public ReferenceHostTest {
protected:
    WindowOnHostFixture() : ReferenceHostTest(50.0) {}

    void SetUp() override
    {
        testApplication();
        ReferenceHostTest::SetUp();
        window = new CMainWindow();
    }
    void TearDown() override
    {
        if (window) {
            window->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        ReferenceHostTest::TearDown();
    }

    QListView* list() const { return window->findChild<QListView*>("listViewModels"); }
    int rows() const { return list()->model()->rowCount(); }

    // Opens the scene and waits until its models are rows.
    void openScene(const QString& path, int expectedRows)
    {
        window->openScene(path);
        ASSERT_TRUE(waitUntil([&] { return rows() == expectedRows; })) << "rows: " << rows();
    }

    WindowWorkDir workDir;
    QTemporaryDir sceneDir;
    QPointer<CMainWindow> window;
};
