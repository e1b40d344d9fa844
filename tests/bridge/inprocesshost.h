#pragma once
// The reference host in this process, with the bridge attached to its object and log, and a
// generation job's capture steps as the job runs them.

#include "referencehosttest.h"

#include <bridgestate.h>
#include <cbridgeevents.h>
#include <engineattachment.h>
#include <feedbackcapture.h>

#include <QObject>
#include <QStringList>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

inline bool waitFor(const std::function<bool()>& condition)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

inline std::string demoScene()
{
    const char* stage = std::getenv("KALMENO_STAGE_DIR");
    return std::string(stage ? stage : ".") + "/Kalmeno/demo/demo.xml";
}

class InProcessHost : public ReferenceHostTest {
protected:
    InProcessHost() : ReferenceHostTest(100.0) {}

    void SetUp() override
    {
        ReferenceHostTest::SetUp();
        auto& events = bridge::bridgeEvents();
        QObject::connect(&events, &bridge::CBridgeEvents::Signal_refreshAfterLoad, &receiver,
                         [this](quint64 load) {
                             std::lock_guard<std::mutex> lock(mutex);
                             refreshedLoads.push_back(load);
                             refreshes.fetch_add(1);
                         },
                         Qt::DirectConnection);
        QObject::connect(&events, &bridge::CBridgeEvents::Signal_disableMTMCalcBottons, &receiver,
                         [this](const QString& reason) {
                             std::lock_guard<std::mutex> lock(mutex);
                             disabled.append(reason);
                         },
                         Qt::DirectConnection);
    }

    // Opens a scene and waits until its first frame ran, so both load handlers are done.
    void open(const std::string& scene)
    {
        ASSERT_TRUE(bridge::Attach(scene));
        ASSERT_TRUE(waitFor([this] { return engine.frameCount() > 0; })) << "the scene did not load";
    }

    QStringList disabledReasons()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return disabled;
    }

    // A box placed in the host as the window places a row's generation area.
    std::int32_t createBox(double lat, double lon, double alt, double yaw, double size)
    {
        std::int32_t id = -1;
        engine.render().CreateBox(&id);
        const double lla[3] = {lat, lon, alt};
        const double ypr[3] = {yaw, 0.0, 0.0};
        const double sizes[3] = {size, size, size};
        engine.render().SetBoxGeometry(id, lla, ypr, sizes);
        return id;
    }

    // A generation job's wait for one capture of the area `boxId`: take the gate, request, wait
    // at the gate for the frame, keep the capture, let the gate go. Null when no capture came
    // within 20 s (the job is then stopped as the window would stop it).
    std::shared_ptr<const TCapture> captureArea(std::int32_t boxId)
    {
        auto& state = bridge::bridgeState();
        state.currentBoxId = boxId;
        std::atomic<bool> stop{false};
        std::mutex doneMutex;
        std::condition_variable doneChanged;
        bool done = false;
        std::thread watchdog([&] {
            std::unique_lock<std::mutex> lock(doneMutex);
            if (!doneChanged.wait_for(lock, std::chrono::seconds(20), [&] { return done; })) {
                stop = true;
                state.generationGate.wakeWaiters();
            }
        });
        std::shared_ptr<const TCapture> capture;
        if (state.generationGate.take(stop)) {
            const bool requested = bridge::RequestFeedback();
            if (requested && state.generationGate.take(stop))
                capture = state.capture();
            else if (!requested || bridge::CancelFeedbackRequest())
                state.generationGate.release();
            if (capture)
                state.generationGate.release();
        }
        {
            std::lock_guard<std::mutex> lock(doneMutex);
            done = true;
        }
        doneChanged.notify_all();
        watchdog.join();
        return capture;
    }

    // The texts of the plug-in's lines from line `from` on, without their prefix.
    std::vector<std::string> pluginLinesFrom(std::size_t from) const
    {
        std::vector<std::string> texts;
        const auto lines = logger.lines();
        const std::string prefix = "[Kalmeno] ";
        for (std::size_t i = from; i < lines.size(); ++i)
            if (lines[i].text.rfind(prefix, 0) == 0)
                texts.push_back(lines[i].text.substr(prefix.size()));
        return texts;
    }

    QObject receiver;
    std::atomic<int> refreshes{0};
    // The load each refresh named, in order.
    std::vector<quint64> refreshedLoads;
    std::mutex mutex;
    QStringList disabled;
};
