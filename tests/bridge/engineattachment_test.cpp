// Attaching to the reference host's engine, in process, and listing the scene's models.

#include "inprocesshost.h"
#include "mtmfixtures.h"
#include "recordingwindow.h"

#include <cmtmfiles.h>
#include <cpointmarkers.h>
#include <postloadview.h>

#include <clistmodel.h>

#include <QTemporaryDir>

#include <fstream>

namespace {

TEST_F(InProcessHost, TheDemoSceneListsItsObjectsWithLabelsAndMtmPaths)
{
    open(demoScene());
    EXPECT_EQ(refreshes.load(), 1);
    auto& state = bridge::bridgeState();
    EXPECT_TRUE(state.engineReady);
    EXPECT_NE(state.render.load(), nullptr);
    EXPECT_NE(state.camera.load(), nullptr);
    EXPECT_NE(state.converter.load(), nullptr);

    const auto models = state.sceneModels();
    ASSERT_EQ(models.size(), 3u);
    const std::string folder = demoScene().substr(0, demoScene().rfind('/') + 1);
    const struct {
        const char* name;
        const char* label;
        const char* mtm;
        double yaw;
    } expected[] = {
        {"Lorry", "vehicle_body.obj", "", 30.0},
        {"Plate", "plate.ply", "", 90.0},
        {"CornerReflector", "reflector.stl", "reflector.mtm", 45.0},
    };
    for (std::size_t i = 0; i < 3; ++i) {
        const auto& e = expected[i];
        EXPECT_EQ(models[i].name, e.name);
        EXPECT_EQ(models[i].label.substr(models[i].label.rfind('/') + 1), e.label) << e.name;
        EXPECT_EQ(models[i].mtmPath, *e.mtm ? folder + e.mtm : "") << e.name;
        EXPECT_DOUBLE_EQ(models[i].area.yaw, e.yaw) << e.name;
        EXPECT_EQ(models[i].area.boxId, -1) << e.name;
        EXPECT_DOUBLE_EQ(models[i].area.sizeX, 1000.0) << e.name;
    }
    EXPECT_DOUBLE_EQ(models[2].area.lat, 39.250390);
    EXPECT_DOUBLE_EQ(models[2].area.lon, -119.955516);
    EXPECT_TRUE(logged(false, "[Kalmeno] MTM found [CornerReflector]. Path: [" + folder + "reflector.mtm]."));
    EXPECT_TRUE(disabledReasons().isEmpty());
    EXPECT_EQ(state.materialCount(), 5);
    bool tableLogged = false;
    for (const auto& line : logger.lines())
        tableLogged = tableLogged
            || line.text.rfind("[Kalmeno] \nRow #0. Xor material: XOR: 10; GIS: 120; Epsilon: 4.000000;", 0) == 0;
    EXPECT_TRUE(tableLogged) << "the table is logged as one entry";
}

// The window lists the models of the scene it opened last; each refresh says which load read
// them, so one queued by an earlier load can be told apart.
TEST_F(InProcessHost, EachRefreshNamesItsLoad)
{
    open(demoScene());
    const quint64 first = bridge::bridgeState().sceneLoad.load();
    ASSERT_TRUE(bridge::Attach(demoScene()));
    EXPECT_EQ(bridge::bridgeState().sceneLoad.load(), first + 1);
    ASSERT_TRUE(waitFor([this] { return refreshes.load() == 2; }));
    std::lock_guard<std::mutex> lock(mutex);
    EXPECT_EQ(refreshedLoads, (std::vector<quint64>{first, first + 1}));
}

TEST(ReadSceneModels, WithoutAReadyEngineListsNothing)
{
    auto& state = bridge::bridgeState();
    state.reset();
    TModelItem earlier;
    earlier.name = "of an earlier scene";
    state.setSceneModels({earlier});
    bridge::ReadSceneModels();
    EXPECT_TRUE(state.sceneModels().empty());
    state.reset();
}

TEST_F(InProcessHost, TheSceneModelsBecomeRowsWithBoxesAndMarkers)
{
    open(demoScene());
    CListModel list;
    RecordingWindow window;
    bridge::CPointMarkers markers(list, window);
    bridge::CMtmFiles files(list, window, markers, stagedOstrell());
    files.LoadSceneMTMs();

    ASSERT_EQ(list.rowCount(), 3);
    EXPECT_EQ(window.modelsAddedCount, 1);
    const TModelItem& reflector = list.items()[2];
    EXPECT_FALSE(reflector.mtm.points.empty());
    EXPECT_FLOAT_EQ(reflector.mtm.color[0], 0.0f) << "the first MTM is cyan";
    EXPECT_FLOAT_EQ(reflector.mtm.color[1], 1.0f);
    EXPECT_TRUE(list.items()[0].mtm.points.empty());
    const auto boxes = engine.render().boxes();
    EXPECT_EQ(boxes.size(), 3u);
    for (const auto& row : list.items())
        EXPECT_EQ(boxes.count(row.area.boxId), 1u) << row.name;
    EXPECT_EQ(engine.render().markers().size(), reflector.mtm.points.size());
    EXPECT_EQ(window.patterns, std::vector<std::string>{reflector.mtmPath});
}

TEST_F(InProcessHost, AModelWithTwoMtmPathsKeepsTheLastAndLogsBoth)
{
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString() + "/";
    std::ofstream(folder + "tri.obj") << "v 0 0 0\nv 1 0 0\nv 0 0 1\nf 1 2 3\n";
    std::ofstream(folder + "two.xml")
        << "<?xml version=\"1.0\"?>\n<scene>\n  <origin lat=\"39.25\" lon=\"-119.95\" alt=\"2980\"/>\n"
        << "  <object name=\"Twice\">\n    <mesh path=\"tri.obj\"/>\n    <mtm path=\"first.mtm\"/>\n"
        << "    <mtm path=\"second.mtm\"/>\n  </object>\n"
        << "  <object name=\"Bare\">\n    <mesh path=\"tri.obj\"/>\n  </object>\n</scene>\n";
    open(folder + "two.xml");

    const auto models = bridge::bridgeState().sceneModels();
    ASSERT_EQ(models.size(), 2u);
    EXPECT_EQ(models[0].mtmPath, folder + "second.mtm");
    EXPECT_EQ(models[0].label, folder + "tri.obj");
    EXPECT_TRUE(logged(false, "[Kalmeno] MTM found [Twice]. Path: [" + folder + "first.mtm]."));
    EXPECT_TRUE(logged(false, "[Kalmeno] MTM found [Twice]. Path: [" + folder + "second.mtm]."));
    EXPECT_TRUE(models[1].mtmPath.empty());
    EXPECT_TRUE(disabledReasons().contains("The XOR module is missing or could not load. MTM generation will not be available."))
        << "this scene has no material table";
    EXPECT_TRUE(logged(true, "[Kalmeno] XOR is null"));
    EXPECT_TRUE(bridge::bridgeState().engineReady) << "a missing XOR module only disables generation";
}

TEST_F(InProcessHost, AnEmptyMaterialTableDisablesGeneration)
{
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString() + "/";
    std::ofstream(folder + "empty.xml") << "<?xml version=\"1.0\"?>\n<scene>\n"
                                        << "  <origin lat=\"39.25\" lon=\"-119.95\" alt=\"2980\"/>\n"
                                        << "  <materials/>\n</scene>\n";
    open(folder + "empty.xml");
    ASSERT_TRUE(waitFor([this] { return !disabledReasons().isEmpty(); }));
    EXPECT_EQ(disabledReasons(),
              QStringList{"There are no XOR material settings. MTM generation will not be available."});
    EXPECT_TRUE(bridge::bridgeState().sceneModels().empty());
}

TEST_F(InProcessHost, TheInitialViewNeedsEveryViewObject)
{
    open(demoScene());
    auto& state = bridge::bridgeState();
    EXPECT_EQ(state.surfaceConveyer.load(), &engine.surface().conveyer()) << "fetched by the capture set-up";
    EXPECT_EQ(state.sceneConveyer.load(), &engine.sceneConveyer());
    state.sceneConveyer = nullptr;
    EXPECT_FALSE(bridge::setInitialHostView());

    state.sceneConveyer = &engine.sceneConveyer();
    engine.surface().conveyer().SetOption(4 | 2, hostsdk::VARIANT_FALSE);
    engine.sceneConveyer().SetOption(4 | 2, hostsdk::VARIANT_FALSE);
    engine.render().SetDepthMode(hostsdk::VARIANT_TRUE);
    ASSERT_TRUE(bridge::setInitialHostView());
    EXPECT_TRUE(engine.surface().conveyer().options().isOn(4 | 2));
    EXPECT_TRUE(engine.sceneConveyer().options().isOn(4 | 2));
    EXPECT_TRUE(engine.channel().options().isOn(4));
    EXPECT_FALSE(engine.render().depthMode());
}

bool bindsNothing()
{
    return false;
}

TEST(ComputationLibrary, ABindingThatFailsOrIsMissingCountsAsAbsent)
{
    EXPECT_FALSE(bridge::bindComputationLibrary({}));
    EXPECT_FALSE(bridge::bindComputationLibrary({nullptr, nullptr, &bindsNothing}));
}

class EmptyHost : public hostsdk::IHost {
public:
    hostsdk::HRESULT GetInterface(const char*, const char*, const char*, void** out) override
    {
        *out = nullptr;
        return 0;
    }
    hostsdk::HRESULT NotifyClosed() override { return 0; }
};

TEST(Attach, AHostWithoutEngineLeavesThePlugInDetached)
{
    bridge::bridgeState().reset();
    EmptyHost host;
    bridge::bridgeState().host = &host;
    const auto loads = bridge::bridgeState().sceneLoad.load();
    EXPECT_FALSE(bridge::Attach("/nowhere/scene.xml"));
    EXPECT_EQ(bridge::bridgeState().engine.load(), nullptr);
    EXPECT_EQ(bridge::bridgeState().sceneLoad.load(), loads + 1) << "an earlier load's refresh is stale now";
    bridge::bridgeState().reset();
    EXPECT_FALSE(bridge::Attach("/nowhere/scene.xml")) << "no host at all";
}

TEST(PathExtension, IsTheTextFromTheLastDot)
{
    const struct {
        const char* path;
        const char* extension;
    } cases[] = {{"a/b.mtm", ".mtm"}, {"a/b.MTM", ".MTM"}, {"a.b/model", ".b/model"}, {"model", ""}, {"", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(bridge::pathExtension(c.path), c.extension) << c.path;
}

} // namespace
