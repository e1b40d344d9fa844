// The quelmar executable hosting the real plug-in, started as the user would, from stage/bin:
// headless as tests and batch runs use it, and with its viewport on the test run's X display.
#include "pngfile.h"
#include "scenefiles.h"
#include "threadstacks.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

struct QuelmarRunResult {
    bool exited = false;
    int status = -1;
    std::string output;        // stdout and stderr together
    std::vector<std::string> log; // text of each log-file line (time and level cut off)
};

std::string stageBin()
{
    const char* stage = std::getenv("KALMENO_STAGE_DIR");
    return std::string(stage ? stage : ".") + "/bin";
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Starts quelmar in stage/bin; `signalAfter` > 0 sends SIGTERM after that long.
QuelmarRunResult runQuelmar(const SceneFiles& files, std::vector<std::string> args, std::chrono::milliseconds signalAfter = 0ms)
{
    const std::string logPath = files.dir() + "/quelmar.log";
    const std::string outPath = files.dir() + "/output.txt";
    std::remove(logPath.c_str());
    args.insert(args.begin(), {"./quelmar", "--log", logPath});

    const pid_t pid = fork();
    if (pid == 0) {
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(out, 1);
        dup2(out, 2);
        if (chdir(stageBin().c_str()) != 0)
            _exit(126);
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    QuelmarRunResult run;
    int status = 0;
    const auto started = std::chrono::steady_clock::now();
    bool signalled = false;
    std::string stacks;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        const auto elapsed = std::chrono::steady_clock::now() - started;
        if (signalAfter > 0ms && !signalled && elapsed >= signalAfter) {
            kill(pid, SIGTERM);
            signalled = true;
        }
        // Well past any sound shutdown, before the host's own limit ends it: where it hangs.
        if (signalled && stacks.empty() && elapsed >= signalAfter + 15s)
            stacks = "\n--- quelmar still runs 15 s after SIGTERM; its threads:\n" + testsupport::threadStacks(pid);
        if (elapsed > 60s) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            run.output = "<killed after 60 s>";
            return run;
        }
        std::this_thread::sleep_for(20ms);
    }
    run.exited = WIFEXITED(status);
    run.status = run.exited ? WEXITSTATUS(status) : -1;
    run.output = readFile(outPath) + stacks;
    std::istringstream log(readFile(logPath));
    for (std::string line; std::getline(log, line);)
        run.log.push_back(line.size() > 19 ? line.substr(19) : line); // "hh:mm:ss.mmm LEVEL "
    return run;
}

// The position of each of `lines` in `log`, in this order; a failure names the first one missing.
::testing::AssertionResult appearInOrder(const std::vector<std::string>& log, const std::vector<std::string>& lines)
{
    std::size_t from = 0;
    for (const std::string& wanted : lines) {
        std::size_t i = from;
        while (i < log.size() && log[i] != wanted)
            ++i;
        if (i == log.size()) {
            std::string all;
            for (const auto& l : log)
                all += "\n  " + l;
            return ::testing::AssertionFailure() << "\"" << wanted << "\" missing after line " << from << ":" << all;
        }
        from = i + 1;
    }
    return ::testing::AssertionSuccess();
}

const std::vector<std::string> kStartLines = {
    "[quelmar] The plug-in requests TypeLib.Quelmar.IEngine of Quelmar.Engine (required)",
    "Kalmeno Initialize()",
    "In func Start",
    "Create QApplication",
    "QApplication exec()",
};

TEST(QuelmarRun, ReleaseAfterClosesThePluginAndEndsWithStatusZero)
{
    SceneFiles files;
    const QuelmarRunResult run = runQuelmar(files, {"--headless", "--release-after", "2"});
    ASSERT_TRUE(run.exited) << run.output;
    EXPECT_EQ(0, run.status) << run.output;
    std::vector<std::string> expected = kStartLines;
    expected.push_back("Release()");
    expected.push_back("[quelmar] quelmar ends");
    EXPECT_TRUE(appearInOrder(run.log, expected));
}

TEST(QuelmarRun, SigtermAsksThePluginToShutDownWithAndWithoutTheViewport)
{
    for (const bool headless : {true, false}) {
        SceneFiles files;
        const std::string scene = files.writeScene("run.xml", 1, 1, true);
        std::vector<std::string> args = {"--scene", scene, "--frame-rate", "30"};
        if (headless)
            args.push_back("--headless");
        const QuelmarRunResult run = runQuelmar(files, args, 3s);
        ASSERT_TRUE(run.exited) << run.output;
        EXPECT_EQ(0, run.status) << run.output;
        EXPECT_TRUE(appearInOrder(run.log, {"[quelmar] Loading the initial state " + scene, "QApplication exec()",
                                            "[quelmar] Asking the plug-in to shut down (SIGTERM)", "Release()",
                                            "[quelmar] quelmar ends"}))
            << (headless ? "headless" : "with the viewport");
    }
}

TEST(QuelmarRun, WithADisplayTheViewportWritesItsPictureAndGoesOn)
{
    if (!std::getenv("DISPLAY"))
        GTEST_SKIP() << "the viewport needs an X display";
    SceneFiles files;
    const std::string scene = files.writeScene("view.xml", 1, 4, true); // the default orbit around 100 m of ground
    const std::string picture = files.dir() + "/view.png";
    const QuelmarRunResult run =
        runQuelmar(files, {"--scene", scene, "--screenshot", picture, "--after", "1", "--release-after", "3"});
    ASSERT_TRUE(run.exited) << run.output;
    EXPECT_EQ(0, run.status) << run.output;
    EXPECT_TRUE(appearInOrder(run.log, {"[quelmar] Loading the initial state " + scene,
                                        "[quelmar] Viewport written to " + picture, "Release()",
                                        "[quelmar] quelmar ends"}));
    const auto image = quelmar::readPng(picture);
    ASSERT_TRUE(image) << image.error();
    // Looking down at the ground from 50 m up: ground (#8B6F47, shaded) in the middle, sky on top.
    const std::uint8_t* middle = image->pixel(image->width / 2, image->height / 2);
    EXPECT_TRUE(middle[0] > middle[1] && middle[1] > middle[2]) << int(middle[0]) << " " << int(middle[1]) << " "
                                                                << int(middle[2]);
    const std::uint8_t* top = image->pixel(image->width / 2, 0);
    EXPECT_TRUE(top[2] > top[0]) << "sky";
}

TEST(QuelmarRun, TheShutdownLimitHoldsWhateverThePluginDoes)
{
    const struct {
        const char* plugin;
        std::vector<std::string> args;
        std::chrono::milliseconds signalAfter;
        const char* why;
    } cases[] = {
        {STUCK_GUI_PLUGIN, {"--release-after", "0.2"}, 0ms, "--release-after"},
        {STUCK_GUI_PLUGIN, {}, 300ms, "SIGTERM"},
        {STUCK_RELEASE_PLUGIN, {"--release-after", "0.2"}, 0ms, "--release-after"},
    };
    for (const auto& c : cases) {
        SceneFiles files;
        std::vector<std::string> args{"--plugin", c.plugin, "--shutdown-limit", "1.5"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const auto started = std::chrono::steady_clock::now();
        const QuelmarRunResult run = runQuelmar(files, args, c.signalAfter);
        ASSERT_TRUE(run.exited) << c.plugin << ": " << run.output;
        EXPECT_EQ(1, run.status) << run.output;
        EXPECT_LT(std::chrono::steady_clock::now() - started, 20s) << "the limit is 1.5 s";
        EXPECT_TRUE(appearInOrder(run.log, {std::string("[quelmar] Asking the plug-in to shut down (") + c.why + ")",
                                            "[quelmar] The plug-in's threads did not end within 1.5 s"}));
    }
}

TEST(QuelmarRun, UnusablePluginOrOptionsEndWithStatusOneAndSayWhy)
{
    struct Case { std::vector<std::string> args; std::string said; };
    const Case cases[] = {
        {{"--plugin", "/nonexistent/libKalmeno.so"}, "/nonexistent/libKalmeno.so"},
        {{"--plugin", "libm.so.6"}, "lacks the export(s) get_CountRequestInterfaces"},
        {{"--frame-rate", "-3"}, "--frame-rate needs a positive number"},
        {{"--after", "-1"}, "--after needs a non-negative number"},
        {{"--headless", "--screenshot", "x.png"}, "--screenshot needs the viewport"},
        {{"--unknown"}, "unknown option"},
    };
    for (const Case& c : cases) {
        SceneFiles files;
        std::vector<std::string> args = c.args;
        args.push_back("--headless");
        const QuelmarRunResult run = runQuelmar(files, args);
        ASSERT_TRUE(run.exited) << c.args[0];
        EXPECT_EQ(1, run.status) << c.args[0] << ": " << run.output;
        EXPECT_NE(std::string::npos, run.output.find(c.said)) << run.output;
    }
}

TEST(QuelmarRun, HelpNamesEveryOption)
{
    SceneFiles files;
    const QuelmarRunResult run = runQuelmar(files, {"--help"});
    EXPECT_EQ(0, run.status);
    for (const char* option : {"--plugin", "--log", "--scene", "--release-after", "--frame-rate", "--headless",
                               "--screenshot", "--after", "--shutdown-limit", "--help"})
        EXPECT_NE(std::string::npos, run.output.find(option)) << option;
}

} // namespace
