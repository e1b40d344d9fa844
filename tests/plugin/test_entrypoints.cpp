// The plug-in's exports, exercised on the shipped libKalmeno.so. Scenarios that start the GUI
// thread run in a child process each: the plug-in's state is process-wide.
#include "childprocess.h"
#include "recordinghost.h"

#include "pluginloader.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QWidget>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <thread>

namespace {

using namespace std::chrono_literals;

using Plugin = quelmar::LoadedPlugin;

std::string pluginPath()
{
    const char* stage = std::getenv("KALMENO_STAGE_DIR");
    return std::string(stage ? stage : ".") + "/bin/libKalmeno.so";
}

Plugin loadPlugin()
{
    auto plugin = quelmar::loadPlugin(pluginPath());
    if (!plugin)
        throw std::runtime_error(plugin.error());
    plugin.value().library.keepLoaded(); // the GUI thread may outlive the scenario's scope
    return std::move(plugin).value();
}

// Runs `action` on the plug-in's GUI thread and waits for it. Call once the event loop runs.
void onGuiThread(const std::function<void()>& action)
{
    QMetaObject::invokeMethod(QCoreApplication::instance(), action, Qt::BlockingQueuedConnection);
}

QWidget* findMainWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == "CMainWindow")
            return widget;
    return nullptr;
}

// Closes the main window as the user would, on the GUI thread.
void closeMainWindow()
{
    onGuiThread([] {
        if (QWidget* window = findMainWindow())
            window->close();
    });
}

std::string joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const auto& line : lines)
        text += line + "\n";
    return text;
}

TEST(PluginRecords, FillsThreeRecordsByteForByteAndLeavesTheRestAlone)
{
    Plugin plugin = loadPlugin();
    constexpr std::size_t recordSize = 193;
    constexpr unsigned char filler = 0xCD;
    std::vector<unsigned char> buffer(4 * recordSize, filler);
    plugin.requestInterfaces(reinterpret_cast<hostsdk::RequestedInterface*>(buffer.data()));

    struct Expected { const char* interfaceName; const char* progId; unsigned char flag; };
    const Expected expected[] = {
        {"TypeLib.Quelmar.IEngine", "Quelmar.Engine", 1},
        {"TypeLib.Quelmar.Maintance.ICallbackProvider", "Quelmar.Engine", 0},
        {"TypeLib.Quelmar.IConverter", "Quelmar.Converter.Converter", 1},
    };
    auto checkField = [&](std::size_t offset, std::size_t size, const char* text, const std::string& where) {
        const std::size_t length = std::strlen(text);
        EXPECT_EQ(0, std::memcmp(buffer.data() + offset, text, length)) << where;
        EXPECT_EQ(0, buffer[offset + length]) << where << ": NUL";
        for (std::size_t i = offset + length + 1; i < offset + size; ++i)
            ASSERT_EQ(filler, buffer[i]) << where << ": byte " << i - offset << " after the NUL changed";
    };
    for (std::size_t k = 0; k < 3; ++k) {
        const std::size_t base = k * recordSize;
        const std::string where = "record " + std::to_string(k);
        checkField(base + 0, 128, expected[k].interfaceName, where + " interfaceName");
        checkField(base + 128, 64, expected[k].progId, where + " progId");
        EXPECT_EQ(expected[k].flag, buffer[base + 192]) << where << " flag";
    }
    for (std::size_t i = 3 * recordSize; i < buffer.size(); ++i)
        ASSERT_EQ(filler, buffer[i]) << "byte " << i << " past the third record changed";
}

TEST(PluginRecords, UnloadedObjectAndRecordsBeforeInitializeNeedNoHost)
{
    Plugin plugin = loadPlugin();
    EXPECT_EQ(3, plugin.countRequestInterfaces());
    plugin.unloadedObject(nullptr);
    std::vector<hostsdk::RequestedInterface> records(3);
    plugin.requestInterfaces(records.data()); // no logger yet: must not crash
    EXPECT_STREQ("Quelmar.Converter.Converter", records[2].progId);
}

TEST(PluginLifecycle, UserCloseNotifiesOnceAndASecondInitializeIsRefused)
{
    const ChildOutcome outcome = runInChild([] {
        Plugin plugin = loadPlugin();
        static RecordingHost host;
        static RecordingHost other;
        std::ostringstream report;
        report << "count before " << plugin.countRequestInterfaces() << "\n";
        plugin.requestInterfaces(std::vector<hostsdk::RequestedInterface>(3).data());
        plugin.initialize(&host, &host);
        if (!host.waitForLine("I QApplication exec()", 20s))
            return report.str() + "no event loop\n" + joined(host.lines());
        report << "count after " << plugin.countRequestInterfaces() << "\n";
        // A second one must start no other application and take no other host.
        plugin.initialize(&other, &other);
        closeMainWindow();
        host.waitForNotify(20s);
        std::this_thread::sleep_for(300ms); // a second notification would arrive now
        report << joined(host.lines()) << "notified " << host.notifyCount() << "\n"
               << "other host: " << other.lines().size() << " lines, notified " << other.notifyCount() << "\n";
        return report.str();
    });
    ASSERT_TRUE(outcome.exited) << outcome.report;
    EXPECT_EQ(0, outcome.status);
    EXPECT_EQ("count before 3\n"
              "count after 3\n"
              "I Kalmeno Initialize()\n"
              "I In func Start\n"
              "I Create QApplication\n"
              "I QApplication exec()\n"
              "I Kalmeno Initialize()\n"
              "E [Kalmeno] Initialize while the user interface is running: ignored\n"
              "notified 1\n"
              "other host: 0 lines, notified 0\n",
              outcome.report);
}

// Whichever thread touches Qt first becomes Qt's main thread, and only that thread gets the
// window's input. Loading the library and the calls a host makes before and after Initialize on
// its own thread must leave that role to the plug-in's GUI thread.
TEST(PluginLifecycle, TheInterfaceThreadBecomesQtsMainThread)
{
    const ChildOutcome outcome = runInChild([] {
        static std::mutex mutex;
        static std::string warnings;
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& message) {
            if (message.contains("main() thread")) {
                std::lock_guard<std::mutex> lock(mutex);
                warnings += message.toStdString() + "\n";
            }
        });
        Plugin plugin = loadPlugin();
        static RecordingHost host;
        plugin.countRequestInterfaces();
        plugin.requestInterfaces(std::vector<hostsdk::RequestedInterface>(3).data());
        plugin.unloadedObject(nullptr);
        plugin.initialize(&host, &host);
        QThread::currentThread(); // a host thread that meets Qt once Initialize has returned
        plugin.countRequestInterfaces();
        if (!host.waitForLine("I QApplication exec()", 20s))
            return "no event loop\n" + joined(host.lines());
        closeMainWindow();
        host.waitForNotify(20s);
        std::lock_guard<std::mutex> lock(mutex);
        return warnings;
    });
    ASSERT_TRUE(outcome.exited) << outcome.report;
    EXPECT_EQ(0, outcome.status);
    EXPECT_EQ("", outcome.report);
}

TEST(PluginLifecycle, ReleaseClosesTheWindowWithoutNotifying)
{
    const ChildOutcome outcome = runInChild([] {
        Plugin plugin = loadPlugin();
        static RecordingHost host;
        static std::atomic<bool> destroyed{false};
        plugin.initialize(&host, &host);
        if (!host.waitForLine("I QApplication exec()", 20s))
            return "no event loop\n" + joined(host.lines());
        onGuiThread([] {
            if (QWidget* window = findMainWindow())
                QObject::connect(window, &QObject::destroyed, [] { destroyed = true; });
        });
        plugin.release();
        const std::string afterRelease = destroyed ? "closed synchronously\n" : "returned first\n";
        for (int i = 0; i < 200 && !destroyed; ++i)
            std::this_thread::sleep_for(50ms);
        std::this_thread::sleep_for(500ms); // the GUI thread ends and would notify now
        return afterRelease + (destroyed ? "window destroyed\n" : "window alive\n") +
               "last line " + host.lines().back() + "\nnotified " + std::to_string(host.notifyCount()) + "\n";
    });
    ASSERT_TRUE(outcome.exited) << outcome.report;
    EXPECT_EQ(0, outcome.status);
    EXPECT_EQ("returned first\nwindow destroyed\nlast line I Release()\nnotified 0\n", outcome.report);
}

TEST(PluginLifecycle, ReleaseDismissesOpenDialogsAndEndsTheInterface)
{
    const ChildOutcome outcome = runInChild([] {
        Plugin plugin = loadPlugin();
        static RecordingHost host;
        static std::atomic<bool> ended{false};
        plugin.initialize(&host, &host);
        if (!host.waitForLine("I QApplication exec()", 20s))
            return "no event loop\n" + joined(host.lines());
        onGuiThread([] {
            QObject::connect(QCoreApplication::instance(), &QObject::destroyed, [] { ended = true; });
        });
        // What a user may have left open: a file dialog with a message box over it.
        const auto visibleDialogs = [] {
            int count = 0;
            onGuiThread([&] {
                for (QWidget* widget : QApplication::topLevelWidgets())
                    count += qobject_cast<QDialog*>(widget) && widget->isVisible();
            });
            return count;
        };
        const auto openModal = [&](std::function<void()> show) {
            const int before = visibleDialogs();
            QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(show), Qt::QueuedConnection);
            for (int i = 0; i < 200; ++i) {
                if (visibleDialogs() > before)
                    return true;
                std::this_thread::sleep_for(20ms);
            }
            return false;
        };
        if (!openModal([] { QFileDialog::getOpenFileName(findMainWindow(), "Open"); }) ||
            !openModal([] { QMessageBox::information(findMainWindow(), "Kalmeno", "Still here"); }))
            return std::string("no dialog\n");
        plugin.release();
        for (int i = 0; i < 200 && !ended; ++i)
            std::this_thread::sleep_for(50ms);
        return std::string(ended ? "interface ended\n" : "interface still running\n") + "notified " +
               std::to_string(host.notifyCount()) + "\n";
    });
    ASSERT_TRUE(outcome.exited) << outcome.report;
    EXPECT_EQ(0, outcome.status);
    EXPECT_EQ("interface ended\nnotified 0\n", outcome.report);
}

TEST(PluginLifecycle, ReleaseWhileTheApplicationIsDestroyedLetsItFinish)
{
    const ChildOutcome outcome = runInChild([] {
        static Plugin plugin = loadPlugin();
        static RecordingHost host;
        plugin.initialize(&host, &host);
        if (!host.waitForLine("I QApplication exec()", 20s))
            return std::string("no event loop\n");
        // Qt runs its post routines while the application object is being destroyed.
        onGuiThread([] { qAddPostRoutine([] { plugin.release(); }); });
        closeMainWindow();
        for (int i = 0; i < 400 && QCoreApplication::instance(); ++i)
            std::this_thread::sleep_for(50ms);
        std::this_thread::sleep_for(300ms); // the GUI thread would notify now
        return std::string(QCoreApplication::instance() ? "application alive\n" : "application gone\n") +
               "last line " + host.lines().back() + "\nnotified " + std::to_string(host.notifyCount()) + "\n";
    });
    ASSERT_TRUE(outcome.exited) << outcome.report;
    EXPECT_EQ(0, outcome.status);
    EXPECT_EQ("application gone\nlast line I Release()\nnotified 0\n", outcome.report);
}

TEST(PluginLifecycle, NullLoggerStillRunsTheInterface)
{
    const ChildOutcome outcome = runInChild([] {
        Plugin plugin = loadPlugin();
        static RecordingHost host; // its logger half is never handed over
        plugin.initialize(&host, nullptr);
        std::vector<hostsdk::RequestedInterface> records(3);
        plugin.requestInterfaces(records.data());
        for (int i = 0; i < 400 && !QCoreApplication::instance(); ++i)
            std::this_thread::sleep_for(50ms);
        if (!QCoreApplication::instance())
            return std::string("no application\n");
        closeMainWindow();
        host.waitForNotify(20s);
        return "lines " + std::to_string(host.lines().size()) + "\nnotified " +
               std::to_string(host.notifyCount()) + "\n";
    });
    ASSERT_TRUE(outcome.exited) << outcome.report;
    EXPECT_EQ("lines 0\nnotified 1\n", outcome.report);
}

TEST(PluginLifecycle, ReleaseWithoutInterfaceEndsTheProcessWithStatusZero)
{
    const ChildOutcome outcome = runInChild([] {
        Plugin plugin = loadPlugin();
        plugin.release();
        _exit(42); // Release must not return here
        return std::string();
    });
    ASSERT_TRUE(outcome.exited) << outcome.report;
    EXPECT_EQ(0, outcome.status);
    EXPECT_EQ("", outcome.report);
}

TEST(PluginLifecycle, ReleaseAfterTheUserClosedTheWindowEndsTheProcessWithStatusZero)
{
    const ChildOutcome outcome = runInChild([] {
        Plugin plugin = loadPlugin();
        static RecordingHost host;
        plugin.initialize(&host, &host);
        if (!host.waitForLine("I QApplication exec()", 20s))
            return std::string("no event loop\n");
        closeMainWindow();
        host.waitForNotify(20s);
        for (int i = 0; i < 200 && QCoreApplication::instance(); ++i)
            std::this_thread::sleep_for(50ms);
        std::this_thread::sleep_for(100ms); // the GUI thread returns right after notifying
        plugin.release();
        return std::string("Release returned\n");
    });
    ASSERT_TRUE(outcome.exited) << outcome.report;
    EXPECT_EQ(0, outcome.status);
    EXPECT_EQ("", outcome.report);
}

TEST(PluginLifecycle, ReleaseWhileTheWindowIsBuiltClosesItOnceBuilt)
{
    const ChildOutcome outcome = runInChild([] {
        Plugin plugin = loadPlugin();
        static RecordingHost host;
        plugin.initialize(&host, &host);
        plugin.release(); // the GUI thread has barely started
        host.waitForLine("I QApplication exec()", 20s);
        for (int i = 0; i < 200 && QCoreApplication::instance(); ++i)
            std::this_thread::sleep_for(50ms);
        std::this_thread::sleep_for(300ms);
        return std::string(QCoreApplication::instance() ? "application alive\n" : "application gone\n") +
               "notified " + std::to_string(host.notifyCount()) + "\n";
    });
    ASSERT_TRUE(outcome.exited) << outcome.report;
    EXPECT_EQ(0, outcome.status);
    EXPECT_EQ("application gone\nnotified 0\n", outcome.report);
}

} // namespace
