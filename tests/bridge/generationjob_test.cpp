// A generation job on the reference host in process: what it reports and in which order, what it
// hands the computation, its files, and how a stop abandons it wherever it is. The computation is
// a stand-in here, so that each of its outcomes can be chosen.

#include "inprocesshost.h"

#include <generationjob.h>
#include <inputlog.h>

#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <condition_variable>
#include <fstream>
#include <functional>
#include <stdexcept>

namespace {

using bridge::GenerationJob;
using Kind = bridge::GenerationReport::Kind;

// Records the reports as the job sends them.
class RecordingGenerationWindow : public bridge::IGenerationWindow {
public:
    void report(std::shared_ptr<const GenerationJob>, bridge::GenerationReport report) override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        reports_.push_back(std::move(report));
    }
    std::vector<bridge::GenerationReport> reports() const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return reports_;
    }
    std::vector<Kind> kinds() const
    {
        std::vector<Kind> kinds;
        for (const auto& r : reports())
            kinds.push_back(r.kind);
        return kinds;
    }
    QStringList texts(Kind kind) const
    {
        QStringList texts;
        for (const auto& r : reports())
            if (r.kind == kind)
                texts.append(r.text);
        return texts;
    }

private:
    mutable std::mutex mutex_;
    std::vector<bridge::GenerationReport> reports_;
};

// The computation as the job calls it through the MTM library. Each test says what it does.
struct Computation {
    std::mutex mutex;
    std::condition_variable changed;
    std::function<bool(std::string& path, TFcoMtm* pack)> run;
    bool entered = false;
    bool aborted = false;
    std::string path;
    TFcoMtm pack{};
    std::vector<TFcoVertex> vertices;
};
Computation* computation = nullptr;

bool createMtmStandIn(std::string& path, double*, TFcoMtm* pack)
{
    {
        std::lock_guard<std::mutex> lock(computation->mutex);
        computation->entered = true;
        computation->path = path;
        computation->pack = *pack;
        computation->vertices.assign(pack->vertices, pack->vertices + pack->vertexCount);
    }
    computation->changed.notify_all();
    return computation->run(path, pack);
}

bool writeFile(const std::string& path, const std::string& content)
{
    std::ofstream(path, std::ios::binary) << content;
    return true;
}

std::string readFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

class GenerationJobTest : public InProcessHost {
protected:
    void SetUp() override
    {
        InProcessHost::SetUp();
        computation = &computed;
        computed.run = [](std::string& path, TFcoMtm*) { return writeFile(path, "computed"); };
        open(demoScene());
        // The corner reflector's area: its three triangles and nothing else.
        const quelmar::SceneObject* reflector = engine.currentScene()->findObject("CornerReflector");
        ASSERT_NE(reflector, nullptr);
        const quelmar::Placement& p = reflector->placement;
        area.boxId = createBox(p.position.latitude, p.position.longitude, p.position.altitude, p.yaw, 10.0);
        area.lat = p.position.latitude;
        area.lon = p.position.longitude;
        area.alt = p.position.altitude;
        settings.psiStep = 5.0;
        settings.waveLength = 0.05;
    }
    void TearDown() override
    {
        if (job) {
            job->stop();
            abortComputation();
            EXPECT_TRUE(job->waitFinished(std::chrono::seconds(20)));
        }
        computation = nullptr;
        InProcessHost::TearDown();
    }

    std::shared_ptr<GenerationJob> start(bool writeInputLog = false)
    {
        bridge::bridgeState().currentBoxId = area.boxId;
        bridge::TGenerationJob record;
        record.window = window;
        record.outputPath = output;
        record.area = area;
        record.settings = settings;
        record.settingsRow = 1;
        record.writeInputLog = writeInputLog;
        record.reloadRow = 1;
        auto started = GenerationJob::start(record, &createMtmStandIn);
        EXPECT_TRUE(started) << started.error();
        return started ? started.value() : nullptr;
    }

    bool finished(const std::shared_ptr<GenerationJob>& j) { return j && j->waitFinished(std::chrono::seconds(20)); }

    // Makes the stand-in wait until the test aborts it, as the library's abort would.
    void computeUntilAborted(bool createsTheFileAnyway)
    {
        computed.run = [this, createsTheFileAnyway](std::string& path, TFcoMtm*) {
            std::unique_lock<std::mutex> lock(computed.mutex);
            computed.changed.wait(lock, [&] { return computed.aborted; });
            return createsTheFileAnyway && writeFile(path, "late");
        };
    }
    bool computationEntered()
    {
        std::unique_lock<std::mutex> lock(computed.mutex);
        return computed.changed.wait_for(lock, std::chrono::seconds(20), [&] { return computed.entered; });
    }
    void abortComputation()
    {
        {
            std::lock_guard<std::mutex> lock(computed.mutex);
            computed.aborted = true;
        }
        computed.changed.notify_all();
    }

    QTemporaryDir dir;
    std::string output = dir.filePath("reflector.mtm").toStdString();
    TBoundBox area;
    TMtmSettings settings;
    Computation computed;
    std::shared_ptr<RecordingGenerationWindow> window = std::make_shared<RecordingGenerationWindow>();
    std::shared_ptr<GenerationJob> job;
};

TEST_F(GenerationJobTest, ASuccessfulJobPacksTheAreaPutsTheMtmInPlaceAndReportsInOrder)
{
    writeFile(output, "the earlier MTM");
    const std::size_t from = logger.lines().size();
    job = start();
    ASSERT_TRUE(finished(job));

    EXPECT_EQ(window->kinds(), (std::vector<Kind>{Kind::StatusBar, Kind::ComputingStarted, Kind::ComputingEnded,
                                                   Kind::Completed, Kind::MessageBox, Kind::ClearStatusBar,
                                                   Kind::Ended, Kind::LogPanel}));
    EXPECT_EQ(window->texts(Kind::StatusBar), QStringList{"Calculation of MTM..."});
    EXPECT_EQ(window->texts(Kind::MessageBox), QStringList{"The MTM calculation has been completed successfully!"});
    const QString path = QString::fromStdString(output);
    const QStringList panel = window->texts(Kind::LogPanel);
    ASSERT_EQ(panel.size(), 1);
    EXPECT_TRUE(panel[0].startsWith("The creation of the MTM model " + path + " took ")) << panel[0].toStdString();

    // The computation wrote beside the output; its file then took the output's place.
    EXPECT_EQ(computed.path, bridge::computedFileName(output));
    EXPECT_EQ(readFile(output), "computed");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(bridge::computedFileName(output))));

    // The pack is packed: its fields are read by value.
    EXPECT_EQ(std::int32_t(computed.pack.countX), 10);
    EXPECT_EQ(double(computed.pack.psiStep), 5.0);
    EXPECT_EQ(double(computed.pack.waveLength), 0.05);
    EXPECT_EQ(std::uint32_t(computed.pack.triangleCount), 3u);
    ASSERT_EQ(computed.vertices.size(), 9u);
    const auto capture = bridge::bridgeState().capture();
    EXPECT_EQ(computed.vertices[4].y, capture->capturedVertices[4].y);

    const auto lines = pluginLinesFrom(from);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "FCO pack formed"), lines.end());
    EXPECT_EQ(lines.back().rfind("MTM file was created: " + output + ". Creation time: ", 0), 0u) << lines.back();
    EXPECT_FALSE(bridge::bridgeState().generationGate.isTaken());
    EXPECT_EQ(job->stop(), GenerationJob::StopOutcome::TooLate);
}

TEST_F(GenerationJobTest, AFailedComputationKeepsTheEarlierFileAndStillReportsTheTime)
{
    writeFile(output, "the earlier MTM");
    computed.run = [](std::string& path, TFcoMtm*) { return writeFile(path, "partial") && false; };
    const std::size_t from = logger.lines().size();
    job = start();
    ASSERT_TRUE(finished(job));

    EXPECT_EQ(window->kinds(), (std::vector<Kind>{Kind::StatusBar, Kind::ComputingStarted, Kind::ComputingEnded,
                                                   Kind::LogPanel, Kind::MessageBox, Kind::ClearStatusBar,
                                                   Kind::Ended, Kind::LogPanel}));
    const QStringList panel = window->texts(Kind::LogPanel);
    EXPECT_EQ(panel[0], "Failed to create MTM " + QString::fromStdString(output));
    EXPECT_TRUE(panel[1].startsWith("The creation of the MTM model ")) << panel[1].toStdString();
    EXPECT_EQ(window->texts(Kind::MessageBox), QStringList{"An error occurred during execution"});
    EXPECT_EQ(readFile(output), "the earlier MTM");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(bridge::computedFileName(output))));
    const auto lines = pluginLinesFrom(from);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Can't create MTM " + output), lines.end());
    for (const auto& line : lines)
        EXPECT_EQ(line.rfind("MTM file was created", 0), std::string::npos) << line;
}

TEST_F(GenerationJobTest, AnAreaWithoutTrianglesComputesNothing)
{
    area.boxId = createBox(area.lat, area.lon, area.alt + 500.0, 0.0, 10.0);
    job = start(true);
    ASSERT_TRUE(finished(job));

    const QString nothing =
        "There are no vertices to calculate in the MTM generation area. MTM generation will not be performed";
    EXPECT_EQ(window->kinds(), (std::vector<Kind>{Kind::StatusBar, Kind::LogPanel, Kind::MessageBox, Kind::Ended,
                                                   Kind::ClearStatusBar}));
    EXPECT_EQ(window->texts(Kind::MessageBox), QStringList{nothing});
    EXPECT_FALSE(computed.entered);
    EXPECT_TRUE(logged(true, "[Kalmeno] Count of triangles = 0. calculating stopped"));
    EXPECT_FALSE(QFile::exists(QString::fromStdString(bridge::inputLogFileName(output))));
    EXPECT_FALSE(bridge::bridgeState().generationGate.isTaken());
}

TEST_F(GenerationJobTest, TheInputLogHoldsThePackAndItsRecords)
{
    job = start(true);
    ASSERT_TRUE(finished(job));

    const std::string bytes = readFile(dir.filePath("reflector.packmtm").toStdString());
    ASSERT_EQ(bytes.size(), 636u) << "204 + 9 x 24 + 3 x 72";
    EXPECT_EQ(bytes.compare(0, 204, std::string(reinterpret_cast<const char*>(&computed.pack), 204)), 0);
    EXPECT_EQ(bytes.compare(204, 216, std::string(reinterpret_cast<const char*>(computed.vertices.data()), 216)), 0);
    const auto capture = bridge::bridgeState().capture();
    EXPECT_EQ(bytes.compare(420, 216, std::string(reinterpret_cast<const char*>(capture->capturedTriangles.data()), 216)),
              0);
}

TEST_F(GenerationJobTest, AnInputLogThatCannotBeWrittenIsLoggedAndTheJobGoesOn)
{
    output = dir.filePath("missing-folder/reflector.mtm").toStdString();
    job = start(true);
    ASSERT_TRUE(finished(job));
    EXPECT_TRUE(logged(true, "[Kalmeno] Can't open and write input log MTM to " + bridge::inputLogFileName(output)));
    EXPECT_TRUE(computed.entered);
}

TEST_F(GenerationJobTest, AStopWhileWaitingForTheCaptureEndsTheJobSilentlyAndWithdrawsItsRequest)
{
    // Frames stop capturing, as when the feedback could not be set up.
    bridge::bridgeState().engineReady = false;
    job = start();
    ASSERT_TRUE(waitFor([] { return bridge::bridgeState().feedbackRequested.load() != 0; }));
    const std::size_t from = logger.lines().size();

    EXPECT_EQ(job->stop(), GenerationJob::StopOutcome::Stopped);
    ASSERT_TRUE(finished(job));
    EXPECT_TRUE(window->reports().empty());
    EXPECT_TRUE(pluginLinesFrom(from).empty());
    EXPECT_EQ(bridge::bridgeState().feedbackRequested.load(), 0u) << "the next job's request would be refused";
    EXPECT_FALSE(bridge::bridgeState().generationGate.isTaken());

    bridge::bridgeState().engineReady = true;
    window = std::make_shared<RecordingGenerationWindow>();
    job = start();
    ASSERT_TRUE(finished(job));
    EXPECT_EQ(window->texts(Kind::MessageBox), QStringList{"The MTM calculation has been completed successfully!"});
}

TEST_F(GenerationJobTest, AStopDuringTheComputationDiscardsItsResultAndFreesTheCaptureAtOnce)
{
    writeFile(output, "the earlier MTM");
    computeUntilAborted(true);
    job = start(true);
    ASSERT_TRUE(computationEntered());
    const std::size_t from = logger.lines().size();
    const std::size_t reports = window->reports().size();

    EXPECT_EQ(job->stop(), GenerationJob::StopOutcome::StoppedComputing);
    EXPECT_FALSE(bridge::bridgeState().generationGate.isTaken()) << "the next job need not wait for this one";
    abortComputation();
    ASSERT_TRUE(finished(job));

    EXPECT_EQ(window->reports().size(), reports);
    EXPECT_TRUE(pluginLinesFrom(from).empty());
    EXPECT_EQ(readFile(output), "the earlier MTM");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(bridge::computedFileName(output))));
    EXPECT_TRUE(QFile::exists(QString::fromStdString(bridge::inputLogFileName(output))))
        << "written before the stop, it stays";
}

TEST_F(GenerationJobTest, AJobThatCannotPlaceItsRequestOrMeetsAnExceptionEndsAndSaysWhy)
{
    const struct {
        const char* name;
        std::function<void()> arrange;
        QString panel;
        std::string logLine;
    } cases[] = {
        // Another request that no frame serves meanwhile.
        {"request pending",
         [] {
             bridge::bridgeState().engineReady = false;
             bridge::RequestFeedback();
         },
         "The host is still busy with an earlier request for triangles. MTM generation will not be performed",
         "[Kalmeno] Tried to get feedback, while Quelmar already recieving feedback"},
        {"exception",
         [this] { computed.run = [](std::string&, TFcoMtm*) -> bool { throw std::runtime_error("no memory left"); }; },
         "MTM generation stopped after an error: no memory left", "[Kalmeno] Exception in MTM thread: no memory left"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        window = std::make_shared<RecordingGenerationWindow>();
        c.arrange();
        job = start();
        ASSERT_TRUE(finished(job));
        const auto kinds = window->kinds();
        ASSERT_GE(kinds.size(), 3u);
        EXPECT_EQ(std::vector<Kind>(kinds.end() - 3, kinds.end()),
                  (std::vector<Kind>{Kind::LogPanel, Kind::ClearStatusBar, Kind::Ended}));
        EXPECT_EQ(window->texts(Kind::LogPanel).last(), c.panel);
        EXPECT_TRUE(logged(true, c.logLine));
        EXPECT_FALSE(bridge::bridgeState().generationGate.isTaken());
        bridge::CancelFeedbackRequest();
        bridge::bridgeState().engineReady = true;
    }
}

TEST(GenerationJobValues, TheTimeIsRoundedToOneDecimal)
{
    const struct {
        std::int64_t nanoseconds;
        QString shown;
    } cases[] = {
        {12'340'000'000, "12.3"}, {12'350'000'001, "12.4"}, {2'950'000'000, "3"}, {40'000'000, "0"}, {0, "0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(QString("%1").arg(bridge::generationSeconds(c.nanoseconds)), c.shown) << c.nanoseconds;
}

TEST(GenerationJobValues, CountsAndStepsMustBeAboveZero)
{
    const struct {
        const char* name;
        std::function<void(TMtmSettings&)> change;
        bool usable;
    } cases[] = {
        {"defaults", [](TMtmSettings&) {}, true},
        {"no elements along y", [](TMtmSettings& s) { s.countY = 0; }, false},
        {"a count that is negative as the pack carries it", [](TMtmSettings& s) { s.countZ = 0x80000000u; }, false},
        {"azimuth step 0", [](TMtmSettings& s) { s.psiStep = 0.0; }, false},
        {"negative elevation step", [](TMtmSettings& s) { s.tetaStep = -5.0; }, false},
        {"elevation step not a number", [](TMtmSettings& s) { s.tetaStep = std::nan(""); }, false},
    };
    for (const auto& c : cases) {
        TMtmSettings settings;
        c.change(settings);
        EXPECT_EQ(bridge::hasUsableGrid(settings), c.usable) << c.name;
    }
}

} // namespace
