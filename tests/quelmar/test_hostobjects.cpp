// The host objects the plug-in calls outside the engine loop: interface look-up, converter,
// render object state and box answers, the executable's options and plug-in loading.
#include "hostconverter.h"
#include "hostengine.h"
#include "hostobject.h"
#include "hostrender.h"
#include "pluginloader.h"
#include "quelmaroptions.h"

#include "hostsdk.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace quelmar;

TEST(HostObjectLookup, AnswersByTypeLibraryProgramIdAndObjectName)
{
    HostLogger logger;
    logger.setEchoToStderr(false);
    HostEngine engine(logger);
    HostConverter converter;
    HostObject host(engine, converter, logger);

    struct Case { const char* typeLib; const char* progId; const char* object; void* expected; };
    const Case cases[] = {
        {"TypeLib.Quelmar.IEngine", "Quelmar.Engine", "Engine", static_cast<hostsdk::IEngine*>(&engine)},
        {"TypeLib.Quelmar.Maintance.ICallbackProvider", "Quelmar.Engine", "Engine",
         static_cast<hostsdk::ICallbackProvider*>(&engine)},
        {"TypeLib.Quelmar.IConverter", "Quelmar.Converter.Converter", "KalmenoConverter",
         static_cast<hostsdk::IConverter*>(&converter)},
        {"TypeLib.Quelmar.IConverter", "Quelmar.Engine", "Engine", nullptr},
        {"TypeLib.Quelmar.IEngine", "Quelmar.Converter.Converter", "KalmenoConverter", nullptr},
        {"TypeLib.Quelmar.IEngine", "Quelmar.Engine", "Other", nullptr},
    };
    for (const Case& c : cases) {
        void* out = reinterpret_cast<void*>(1);
        host.GetInterface(c.typeLib, c.progId, c.object, &out);
        EXPECT_EQ(c.expected, out) << c.typeLib << " / " << c.progId << " / " << c.object;
    }
    void* out = reinterpret_cast<void*>(1);
    host.GetInterface(nullptr, "Quelmar.Engine", "Engine", &out);
    EXPECT_EQ(nullptr, out);
}

TEST(HostObjectLookup, NotifyClosedIsCountedAndWakesTheWaiter)
{
    HostLogger logger;
    logger.setEchoToStderr(false);
    HostEngine engine(logger);
    HostConverter converter;
    HostObject host(engine, converter, logger);
    EXPECT_FALSE(host.waitClosed(std::chrono::milliseconds(1)));
    host.NotifyClosed();
    EXPECT_TRUE(host.waitClosed(std::chrono::milliseconds(1)));
    EXPECT_EQ(1, host.closedCount());
}

TEST(HostConverterAnswers, KnownPointsToMillimetresAndRefusals)
{
    HostConverter converter;
    struct Case { double lat, lon, alt; bool ok; double x, y, z; };
    const Case cases[] = {
        {0, 0, 0, true, 6378137.0, 0.0, 0.0},
        {0, 90, 100, true, 0.0, 6378237.0, 0.0},
        {90, 0, 0, true, 0.0, 0.0, 6356752.314245},
        {91, 0, 0, false, 0, 0, 0},
        {NAN, 0, 0, false, 0, 0, 0},
    };
    for (const Case& c : cases) {
        double x = 0, y = 0, z = 0;
        hostsdk::VARIANT_BOOL ok = 7;
        converter.LlaToXyz(c.lat, c.lon, c.alt, &x, &y, &z, hostsdk::VARIANT_TRUE, &ok);
        EXPECT_EQ(c.ok ? -1 : 0, ok) << c.lat;
        if (c.ok) {
            EXPECT_NEAR(c.x, x, 1e-3) << c.lat << " " << c.lon;
            EXPECT_NEAR(c.y, y, 1e-3) << c.lat << " " << c.lon;
            EXPECT_NEAR(c.z, z, 1e-3) << c.lat << " " << c.lon;
        }
    }
}

TEST(HostRenderState, MarkersAreNumberedSinceTheLastClearAndKeepTheirState)
{
    HostRender render;
    const hostsdk::TRenderPoint shown{1, 2, 3, 0.0, {1, 0, 0, 1}};
    const hostsdk::TRenderPoint hidden{4, 5, 6, 1.0, {0, 1, 0, 1}};
    std::int32_t index = -5;
    render.AddPoint(&shown, &index);
    EXPECT_EQ(0, index);
    render.AddPoint(&hidden, &index);
    EXPECT_EQ(1, index);
    EXPECT_EQ(hostsdk::kStateHidden, render.markers()[1].state);

    const double moved[3] = {7, 8, 9};
    const float blue[4] = {0, 0, 1, 1};
    render.SetPointPosition(0, moved);
    render.SetPointState(0, hostsdk::kStateHighlighted);
    render.SetPointColor(0, blue);
    EXPECT_NE(platform::S_OK, render.SetPointState(2, hostsdk::kStateShown)) << "no marker 2";
    EXPECT_NE(platform::S_OK, render.SetPointState(0, 3)) << "no state 3";
    EXPECT_NE(platform::S_OK, render.SetPointPosition(-1, moved));

    auto markers = render.markers();
    ASSERT_EQ(2u, markers.size());
    EXPECT_EQ(9.0, markers[0].point.z);
    EXPECT_EQ(hostsdk::kStateHighlighted, markers[0].state);
    EXPECT_EQ(1.0f, markers[0].point.color[2]);

    render.ClearPoints();
    render.AddPoint(&shown, &index);
    EXPECT_EQ(0, index);
    render.SetPointSize(12);
    render.SetDepthMode(hostsdk::VARIANT_TRUE);
    EXPECT_EQ(12u, render.pointSize());
    EXPECT_TRUE(render.depthMode());
}

TEST(HostRenderState, BoxesKeepGeometryColourStateAndAnswerInTheirFrame)
{
    HostRender render;
    render.setSceneFrame(EnuFrame(Geodetic{39.25, -119.95, 2980}));
    std::int32_t first = -1, second = -1;
    render.CreateBox(&first);
    render.CreateBox(&second);
    EXPECT_EQ(0, first);
    EXPECT_EQ(1, second);

    const double position[3] = {39.2501, -119.9502, 2985};
    const double angles[3] = {30, 5, -10};
    const double size[3] = {20, 10, 6};
    const float colour[4] = {1.0f, 0.784f, 0.49f, 0.2f};
    render.SetBoxGeometry(second, position, angles, size);
    render.SetBoxColor(second, colour);
    render.SetBoxState(second, hostsdk::kStateHighlighted);
    EXPECT_NE(platform::S_OK, render.SetBoxState(7, hostsdk::kStateShown)) << "no box 7";

    const auto boxes = render.boxes();
    ASSERT_EQ(2u, boxes.size());
    const HostRender::Box& box = boxes.at(second);
    EXPECT_EQ(30.0, box.geometry.placement.yaw);
    EXPECT_EQ(20.0, box.geometry.sizeX);
    EXPECT_EQ(0.2f, box.color[3]);
    EXPECT_EQ(hostsdk::kStateHighlighted, box.state);

    // Box -> scene -> box is the identity, and the box centre lies in the box.
    double sx, sy, sz, bx, by, bz;
    render.BoxToScene(second, 3, -2, 1, &sx, &sy, &sz);
    render.SceneToBox(second, sx, sy, sz, &bx, &by, &bz);
    EXPECT_NEAR(3, bx, 1e-9);
    EXPECT_NEAR(-2, by, 1e-9);
    EXPECT_NEAR(1, bz, 1e-9);
    double cx, cy, cz;
    render.BoxToScene(second, 0, 0, 0, &cx, &cy, &cz);
    const double a[3] = {cx + 1, cy, cz}, b[3] = {cx, cy + 1, cz}, c[3] = {cx, cy, cz + 1};
    const double far[3] = {cx + 100, cy, cz};
    hostsdk::VARIANT_BOOL inside = 0;
    render.IsTriangleInBox(second, a, b, c, &inside);
    EXPECT_EQ(hostsdk::VARIANT_TRUE, inside);
    render.IsTriangleInBox(second, far, far, far, &inside);
    EXPECT_EQ(hostsdk::VARIANT_FALSE, inside);
}

TEST(HostRenderState, AnUnknownBoxIsLevelAtTheSceneOrigin)
{
    HostRender render;
    render.setSceneFrame(EnuFrame(Geodetic{10, 20, 30}));
    double x, y, z;
    render.SceneToBox(-1, 1, 2, 3, &x, &y, &z); // east 1, north 2, up 3
    EXPECT_NEAR(2, x, 1e-12) << "forward is north";
    EXPECT_NEAR(3, y, 1e-12) << "y is up";
    EXPECT_NEAR(1, z, 1e-12) << "z is east";

    struct Case { const char* where; double camera[3]; double azimuth; double elevation; };
    const Case cases[] = {
        {"straight ahead", {0, 100, 0}, 0, 0},
        {"to the east, the right", {100, 0, 0}, -90, 0},
        {"to the west, the left", {-100, 0, 0}, 90, 0},
        {"above", {0, 0, 100}, 0, 90},
    };
    for (const Case& c : cases) {
        double azimuth = 1e9, elevation = 1e9;
        render.GetViewAngles(-1, c.camera, &azimuth, &elevation);
        EXPECT_NEAR(c.elevation, elevation, 1e-9) << c.where;
        if (std::abs(c.elevation) < 90) {
            EXPECT_NEAR(c.azimuth, azimuth, 1e-9) << c.where;
        }
    }
}

TEST(QuelmarCommandLine, OptionsAndTheirErrors)
{
    struct Case { std::vector<std::string> args; bool ok; std::string errorPart; };
    const Case cases[] = {
        {{}, true, ""},
        {{"--plugin", "/p/libX.so", "--log", "l.log", "--release-after", "2.5", "--frame-rate", "30",
          "--scene", "s.xml"}, true, ""},
        {{"--help"}, true, ""},
        {{"--release-after"}, false, "needs a value"},
        {{"--release-after", "0"}, false, "positive number"},
        {{"--frame-rate", "fast"}, false, "positive number"},
        {{"--bogus"}, false, "unknown option"},
    };
    for (const Case& c : cases) {
        auto options = parseQuelmarOptions(c.args, "/stage/bin");
        ASSERT_EQ(c.ok, options.ok()) << (c.args.empty() ? "" : c.args[0]);
        if (!c.ok) {
            EXPECT_NE(std::string::npos, options.error().find(c.errorPart)) << options.error();
        }
    }
    auto defaults = parseQuelmarOptions({}, "/stage/bin");
    EXPECT_EQ("/stage/bin/libKalmeno.so", defaults->pluginPath);
    EXPECT_EQ("quelmar.log", defaults->logPath);
    EXPECT_FALSE(defaults->releaseAfterSeconds.has_value());

    auto full = parseQuelmarOptions(cases[1].args, "/stage/bin");
    EXPECT_EQ("/p/libX.so", full->pluginPath);
    EXPECT_EQ(2.5, full->releaseAfterSeconds.value());
    EXPECT_EQ(30.0, full->frameRate);
    EXPECT_EQ("s.xml", full->scenePath);
}

TEST(QuelmarPluginLoading, MissingLibraryOrExportsAreNamed)
{
    auto missing = loadPlugin("/nonexistent/libKalmeno.so");
    ASSERT_FALSE(missing.ok());
    EXPECT_NE(std::string::npos, missing.error().find("/nonexistent/libKalmeno.so"));

    auto noExports = loadPlugin("libm.so.6");
    ASSERT_FALSE(noExports.ok());
    EXPECT_NE(std::string::npos, noExports.error().find("Initialize"));
    EXPECT_NE(std::string::npos, noExports.error().find("get_CountRequestInterfaces"));
}

} // namespace
