#pragma once

#include "hostengine.h"
#include "hostlogger.h"
#include "viewport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace quelmar {

// A viewport on the test run's X display (the test is skipped without one), over an engine of
// its own that runs only when the test starts it.
class ViewportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!std::getenv("DISPLAY"))
            GTEST_SKIP() << "the viewport needs an X display";
        logger.setEchoToStderr(false);
        auto opened = Viewport::open(engine, logger, {});
        ASSERT_TRUE(opened) << opened.error();
        viewport = std::move(opened.value());
    }

    void TearDown() override
    {
        if (viewport)
            viewport->detach(); // a frame waiting to be drawn would hold the engine thread
        engine.stop();
    }

    HostLogger logger;
    HostEngine engine{logger, 200.0};
    std::unique_ptr<Viewport> viewport;
};

} // namespace quelmar
