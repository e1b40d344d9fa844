#pragma once
// The bridge on a recording render and the reference host's converter, with a list of models and
// their point markers; the bridge's state is set up afresh for each test and cleared after it.

#include "recordingrender.h"
#include "recordingwindow.h"

#include <bridgestate.h>
#include <cpointmarkers.h>

#include <clistmodel.h>
#include <hostconverter.h>

#include <gtest/gtest.h>

class MarkersFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto& state = bridge::bridgeState();
        state.reset();
        state.render = &render;
        state.converter = &converter;
        state.engineReady = true;
    }
    void TearDown() override { bridge::bridgeState().reset(); }

    RecordingRender render;
    quelmar::HostConverter converter;
    CListModel models;
    RecordingWindow window;
    bridge::CPointMarkers markers{models, window};
};
