// The `mtm` program run as a process on small crafted files.

#include "mtmfilebuilder.h"
#include "toolprocess.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <sstream>

namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

class MtmTool : public ::testing::Test {
protected:
    std::string write(const std::string& name, const CraftedMtm& mtm) const
    {
        const std::string path = folder.file(name);
        writeFileBytes(path, mtm.bytes());
        return path;
    }

    TemporaryFolder folder;
};

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> result;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        result.push_back(line);
    return result;
}

TEST_F(MtmTool, InfoReportsHeaderAsTextAndJson)
{
    CraftedMtm current = CraftedMtm::regular(3, 5, 4);
    current.przn = 7;
    current.distance = 0.1;
    CraftedMtm legacy = CraftedMtm::regular(2, 3, 2);
    legacy.legacy = true;
    CraftedMtm empty = CraftedMtm::regular(0, 37, 19);
    empty.przn = -1;

    const std::string currentPath = write("current.mtm", current);
    const std::string legacyPath = write("legacy \"old\".mtm", legacy);
    const std::string emptyPath = write("empty.mtm", empty);

    const struct {
        std::vector<std::string> arguments;
        std::string out;
    } cases[] = {
        {{"info", currentPath},
         "path: " + currentPath + "\nlayout: current\nprzn: 7\npoints: 3\ncountAz: 5\ncountEl: 4\n"
         "distance: 0.10000000000000001\nbytes: " + std::to_string(24 + 3 * 24 + 3 * 5 * 4 * 16) + "\n"},
        {{"info", "--json", currentPath},
         "{\"path\": \"" + currentPath + "\", \"layout\": \"current\", \"przn\": 7, \"points\": 3, "
         "\"countAz\": 5, \"countEl\": 4, \"distance\": 0.10000000000000001, \"bytes\": 1056}\n"},
        {{"info", legacyPath, "--json"},
         "{\"path\": \"" + folder.file("legacy \\\"old\\\".mtm") + "\", \"layout\": \"legacy\", \"przn\": 0, "
         "\"points\": 2, \"countAz\": 3, \"countEl\": 2, \"distance\": 1500.25, \"bytes\": 260}\n"},
        {{"info", emptyPath, "--json"},
         "{\"path\": \"" + emptyPath + "\", \"layout\": \"current\", \"przn\": -1, \"points\": 0, "
         "\"countAz\": 0, \"countEl\": 0, \"distance\": 1500.25, \"bytes\": 24}\n"},
    };
    for (const auto& c : cases) {
        const ToolRun run = runMtm(c.arguments);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(run.err, "");
    }
}

TEST_F(MtmTool, InfoWritesNullForANonFiniteDistanceInJson)
{
    CraftedMtm mtm = CraftedMtm::regular(1, 2, 2);
    mtm.distance = nan;
    const ToolRun run = runMtm({"info", "--json", write("nan.mtm", mtm)});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("\"distance\": null"), std::string::npos) << run.out;
}

TEST_F(MtmTool, UnreadableFilesFailNamingTheFile)
{
    const std::string damaged = folder.file("damaged.mtm");
    writeFileBytes(damaged, CraftedMtm::regular(2, 3, 3).bytes() + "x");
    const std::string shortFile = folder.file("short.mtm");
    writeFileBytes(shortFile, std::string(20, '\0'));
    const std::string missing = folder.file("missing.mtm");

    const struct {
        std::string path;
        std::string reason;
    } files[] = {
        {damaged, "fits neither layout"},
        {shortFile, "24-byte header"},
        {missing, "No such file"},
        {folder.file(""), ""},
    };
    for (const auto& f : files) {
        for (const std::string command : {"info", "dump", "verify"}) {
            const ToolRun run = runMtm({command, f.path});
            EXPECT_EQ(run.status, 1) << command << ' ' << f.path;
            EXPECT_EQ(run.out, "") << command << ' ' << f.path;
            EXPECT_NE(run.err.find(f.path), std::string::npos) << run.err;
            EXPECT_NE(run.err.find(f.reason), std::string::npos) << run.err;
            EXPECT_EQ(lines(run.err).size(), 1u) << run.err;
        }
    }
}

TEST_F(MtmTool, ConvertWritesTheCurrentLayoutByteForByte)
{
    CraftedMtm model = CraftedMtm::regular(3, 4, 3);
    CraftedMtm legacy = model;
    legacy.legacy = true;
    CraftedMtm flagged = model;
    flagged.przn = 5;
    CraftedMtm empty = CraftedMtm::regular(0, 9, 7);

    const struct {
        std::string name;
        CraftedMtm input;
        CraftedMtm expected;
    } cases[] = {
        {"current", model, model},
        {"legacy", legacy, model},
        {"flagged", flagged, model}, // like saveMTM, Przn comes back as 0
        {"empty", empty, empty},     // the grid of a model without points is kept
    };
    for (const auto& c : cases) {
        const std::string in = write(c.name + ".mtm", c.input);
        const std::string out = folder.file(c.name + "-converted.mtm");
        const ToolRun run = runMtm({"convert", in, out});
        EXPECT_EQ(run.status, 0) << c.name << ": " << run.err;
        EXPECT_EQ(run.out + run.err, "") << c.name;
        EXPECT_EQ(readFileBytes(out), c.expected.bytes()) << c.name;
    }
}

TEST_F(MtmTool, ConvertInPlaceAndFailuresKeepExistingFiles)
{
    CraftedMtm legacy = CraftedMtm::regular(2, 2, 2);
    legacy.legacy = true;
    const std::string path = write("inplace.mtm", legacy);
    ASSERT_EQ(runMtm({"convert", path, path}).status, 0);
    CraftedMtm current = legacy;
    current.legacy = false;
    EXPECT_EQ(readFileBytes(path), current.bytes());

    // A read failure leaves the output alone.
    const std::string existing = folder.file("existing.mtm");
    writeFileBytes(existing, "precious");
    const std::string damaged = folder.file("damaged.mtm");
    writeFileBytes(damaged, "not an mtm file at all");
    ToolRun run = runMtm({"convert", damaged, existing});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(damaged), std::string::npos) << run.err;
    EXPECT_EQ(readFileBytes(existing), "precious");

    // A write failure names the output.
    const std::string unwritable = folder.file("no-such-folder/out.mtm");
    run = runMtm({"convert", path, unwritable});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("cannot write " + unwritable), std::string::npos) << run.err;

    // Replacing a folder fails without touching it or leaving a partial file beside it.
    const std::string directory = folder.file("a-folder");
    std::filesystem::create_directory(directory);
    run = runMtm({"convert", path, directory});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("cannot write " + directory), std::string::npos) << run.err;
    EXPECT_TRUE(std::filesystem::is_directory(directory));
    for (const auto& entry : std::filesystem::directory_iterator(folder.file(".")))
        EXPECT_EQ(entry.path().filename().string().rfind("a-folder.", 0), std::string::npos) << entry.path();
}

TEST_F(MtmTool, DumpPrintsPointsAndAmplitudesThatReadBack)
{
    CraftedMtm mtm = CraftedMtm::regular(2, 2, 3);
    mtm.points[1].values[5] = nan;
    const std::string path = write("dump.mtm", mtm);

    ToolRun run = runMtm({"dump", path});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "index,x,y,z\n"
              "0,0.10000000000000001,-0,0.33333333333333331\n"
              "1,1.1000000000000001,-2,1.3333333333333333\n");
    for (const std::string& line : lines(run.out)) {
        if (line.rfind("index", 0) == 0)
            continue;
        const std::size_t p = std::stoul(line);
        const std::string z = line.substr(line.rfind(',') + 1);
        EXPECT_EQ(std::strtod(z.c_str(), nullptr), mtm.points[p].z) << "round trip of " << z;
    }

    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"dump", path, "--point", "1"}, {"dump", "--point=1", path}}) {
        run = runMtm(arguments);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out,
                  "az_index,el_index,re,im\n"
                  "0,0,100.5,-0\n"
                  "0,1,101.5,-0.10000000000000001\n"
                  "0,2,102.5,nan\n"
                  "1,0,103.5,-0.30000000000000004\n"
                  "1,1,104.5,-0.40000000000000002\n"
                  "1,2,105.5,-0.5\n");
    }
}

TEST_F(MtmTool, VerifyReportsOneLinePerProblem)
{
    CraftedMtm sound = CraftedMtm::regular(2, 3, 2);
    CraftedMtm nanValue = sound;
    nanValue.points[1].values[3] = nan;
    CraftedMtm manyBad = sound;
    manyBad.distance = inf;
    manyBad.points[0].y = -inf;
    manyBad.points[1].values[0] = nan;
    manyBad.points[1].values[11] = inf;
    CraftedMtm thinGrid = CraftedMtm::regular(2, 1, 19);
    CraftedMtm noPoints = CraftedMtm::regular(0, 1, 1);

    const struct {
        std::string name;
        CraftedMtm mtm;
        int status;
        std::vector<std::string> problems; // text each stderr line holds, in order
    } cases[] = {
        {"sound", sound, 0, {}},
        {"no-points", noPoints, 0, {}},
        {"nan-value", nanValue, 1, {"point 1: 1 amplitude is not finite: az_index 0, el_index 1 (101.5, nan)"}},
        {"many-bad", manyBad, 1,
         {"distance is not finite (inf)", "point 0: coordinate y is not finite (-inf)",
          "point 1: 2 amplitudes are not finite, the first at az_index 0, el_index 0 (nan, -0)"}},
        {"thin-grid", thinGrid, 1, {"the grid has 1 x 19 samples"}},
    };
    for (const auto& c : cases) {
        const std::string path = write(c.name + ".mtm", c.mtm);
        const ToolRun run = runMtm({"verify", path});
        EXPECT_EQ(run.status, c.status) << c.name << ": " << run.err;
        const auto errLines = lines(run.err);
        ASSERT_EQ(errLines.size(), c.problems.size()) << c.name << ": " << run.err;
        for (std::size_t i = 0; i < errLines.size(); ++i) {
            EXPECT_EQ(errLines[i].rfind(path + ": ", 0), 0u) << errLines[i];
            EXPECT_NE(errLines[i].find(c.problems[i]), std::string::npos) << errLines[i];
        }
        if (c.status == 0)
            EXPECT_EQ(run.out.rfind(path + ": ok", 0), 0u) << run.out;
        else
            EXPECT_EQ(run.out, "");
    }
}

TEST_F(MtmTool, UsageErrorsExitWithTwo)
{
    const std::string path = write("model.mtm", CraftedMtm::regular(2, 2, 2));
    const std::vector<std::string> cases[] = {
        {},
        {"frobnicate"},
        {"info"},
        {"info", path, path},
        {"info", path, "--yaml"},
        {"info", path, "--json=yes"},
        {"convert", path},
        {"dump", path, "--point"},
        {"dump", path, "--point", "-1"},
        {"dump", path, "--point", "1x"},
        {"dump", path, "--point", "99999999999"},
        {"dump", path, "--point", "2"}, // the file has points 0 and 1
        {"verify"},
        {"help", "frobnicate"},
        {"merge", "--add", path + "@1,2,3", "-o", "out.mtm"},
        {"merge", "--base", path, "--add", path + "@1,2,3"},
        {"merge", "--base", path, "-o", "out.mtm"},
        {"merge", "--base", path, "--add", path + "@1,2", "-o", "out.mtm"},
        {"merge", "--base", path, "--add", path + "@1,2,3,", "-o", "out.mtm"},
        {"merge", "--base", path, "--add", path + "@1,2,inf", "-o", "out.mtm"},
        {"merge", "--base", path, "--add", "@1,2,3", "-o", "out.mtm"},
    };
    for (const auto& arguments : cases) {
        const ToolRun run = runMtm(arguments);
        std::string call;
        for (const std::string& a : arguments)
            call += a + ' ';
        EXPECT_EQ(run.status, 2) << call;
        EXPECT_EQ(run.out, "") << call;
        EXPECT_NE(run.err, "") << call;
    }
}

TEST_F(MtmTool, MergeLogsEachStepAndFailsWithOne)
{
    const std::string base = write("base.mtm", CraftedMtm::regular(2, 5, 3));
    CraftedMtm flaggedModel = CraftedMtm::regular(1, 3, 2);
    flaggedModel.przn = 1;
    const std::string model = write("model@home.mtm", CraftedMtm::regular(1, 3, 2));
    const std::string flagged = write("flagged.mtm", flaggedModel);
    const std::string output = folder.file("merged.mtm");

    const ToolRun merged = runMtm({"merge", "--base", base, "--add", model + "@1,-2,0.5", "--add=" + model + "@0,0,0",
                                   "-o", output});
    EXPECT_EQ(merged.status, 0) << merged.err;
    EXPECT_EQ(merged.out, "");
    EXPECT_EQ(lines(merged.err), (std::vector<std::string>{
                                     "Start merging MTM, base: " + base,
                                     "Loaded base MTM: " + base,
                                     "Loaded MTM: " + model,
                                     "Loaded MTM: " + model,
                                     "Successfully merged " + model,
                                     "Successfully merged " + model,
                                     "No settings file to copy: " + folder.file("base.ini"),
                                     "Merged mtm written to file " + output,
                                 }));
    const ToolRun info = runMtm({"info", output});
    EXPECT_NE(info.out.find("points: 4\ncountAz: 5\ncountEl: 3\n"), std::string::npos) << info.out;
    const ToolRun points = runMtm({"dump", output});
    EXPECT_EQ(lines(points.out).at(3), "2,1.1000000000000001,-2,0.83333333333333326") << "moved by the first offset";

    const ToolRun refused = runMtm({"merge", "--base", base, "--add", flagged + "@0,0,0", "-o", folder.file("no.mtm")});
    EXPECT_EQ(refused.status, 1);
    const auto said = lines(refused.err);
    ASSERT_GE(said.size(), 2u);
    EXPECT_EQ(said[said.size() - 2], "Error: Przn field must be 0 for both models " + base + " and " + flagged);
    EXPECT_EQ(said.back(), "mtm merge: Can't merge MTM");
    EXPECT_FALSE(std::filesystem::exists(folder.file("no.mtm")));
}

TEST_F(MtmTool, HelpOnEveryCommand)
{
    const ToolRun overview = runMtm({"--help"});
    EXPECT_EQ(overview.status, 0);
    for (const std::string command : {"info", "convert", "dump", "verify"}) {
        EXPECT_NE(overview.out.find("  " + command + " "), std::string::npos) << command;
        for (const std::vector<std::string>& arguments :
             {std::vector<std::string>{command, "--help"}, {command, "-h"}, {"help", command},
              {command, "missing.mtm", "--help"}}) {
            const ToolRun run = runMtm(arguments);
            EXPECT_EQ(run.status, 0) << command;
            EXPECT_EQ(run.out.rfind("usage: mtm " + command + " ", 0), 0u) << run.out;
            EXPECT_EQ(run.err, "");
        }
    }
}

} // namespace
