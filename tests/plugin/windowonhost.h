#pragma once
// The main window on the reference host in process, with the host's log as the plug-in's. Each
// test opens a private copy of the staged demo scene, so saving never touches the staged files.

#include "cmainwindow.h"

#include "pluginglobals.h"
#include "testapplication.h"
#include "windowworkdir.h"

#include <bridgestate.h>
#include <hostconverter.h>
#include <hostengine.h>
#include <hostlogger.h>
#include <hostobject.h>

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

class WindowOnHostFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        testApplication();
        logger.setEchoToStderr(false);
        auto& state = bridge::bridgeState();
        state.reset();
        state.host = &host;
        state.hostLogger = &logger;
        window = new CMainWindow();
    }
    void TearDown() override
    {
        if (window) {
            window->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        engine.stop();
        bridge::bridgeState().reset();
    }

    QListView* list() const { return window->findChild<QListView*>("listViewModels"); }
    int rows() const { return list()->model()->rowCount(); }

    // Opens the scene and waits until its models are rows.
    void openScene(const QString& path, int expectedRows)
    {
        window->openScene(path);
        ASSERT_TRUE(waitUntil([&] { return rows() == expectedRows; })) << "rows: " << rows();
    }

    bool logged(const std::string& text) const
    {
        for (const auto& line : logger.lines())
            if (line.text == text)
                return true;
        return false;
    }

    WindowWorkDir workDir;
    QTemporaryDir sceneDir;
    quelmar::HostLogger logger;
    quelmar::HostEngine engine{logger, 50.0};
    quelmar::HostConverter converter;
    quelmar::HostObject host{engine, converter, logger};
    QPointer<CMainWindow> window;
};
