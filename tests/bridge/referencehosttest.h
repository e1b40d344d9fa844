#pragma once
// The reference host in this process, with the bridge state pointing at its object and its log as
// Initialize leaves them: the base of the bridge's and the window's tests on the host.

#include <bridgestate.h>

#include <hostconverter.h>
#include <hostengine.h>
#include <hostlogger.h>
#include <hostobject.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

class ReferenceHostTest : public ::testing::Test {
protected:
    explicit ReferenceHostTest(double frameRate) : engine{logger, frameRate} {}

    void SetUp() override
    {
        logger.setEchoToStderr(false);
        auto& state = bridge::bridgeState();
        state.reset();
        state.host = &host;
        state.hostLogger = &logger;
    }
    void TearDown() override
    {
        engine.stop();
        bridge::bridgeState().reset();
    }

    // Whether the host's log holds the line `text`; the second, as an error or not.
    bool logged(const std::string& text) const
    {
        const auto lines = logger.lines();
        return std::any_of(lines.begin(), lines.end(), [&](const auto& line) { return line.text == text; });
    }
    bool logged(bool error, const std::string& text) const
    {
        const auto lines = logger.lines();
        return std::any_of(lines.begin(), lines.end(),
                           [&](const auto& line) { return line.error == error && line.text == text; });
    }

    quelmar::HostLogger logger;
    quelmar::HostEngine engine;
    quelmar::HostConverter converter;
    quelmar::HostObject host{engine, converter, logger};
};
