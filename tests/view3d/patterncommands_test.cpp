// `mtm pattern` and `mtm view`, run as the user runs them.

#include "mtmfile.h"
#include "numbers.h"
#include "rcspattern.h"
#include "testmodel.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using platform::pi;

struct ToolRun {
    int status;
    QString err;
};

ToolRun runMtm(const QStringList& arguments)
{
    static QCoreApplication* application = [] {
        static int argc = 1;
        static char name[] = "patterncommands_test";
        static char* argv[] = {name, nullptr};
        return new QCoreApplication(argc, argv); // lives until exit, as Qt expects
    }();
    (void)application;
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("QT_QPA_PLATFORM");
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(MTM_PROGRAM), arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return {-1, process.readAllStandardError()};
    return {process.exitCode(), process.readAllStandardError()};
}

void saveModel(const TMtm& mtm, const std::string& path)
{
    std::vector<TMtmSavePoint> points;
    for (const TMtmPoint& p : mtm.points)
        points.push_back({p.x, p.y, p.z, p.rcs});
    const auto& first = mtm.points.empty() ? TMtmPoint() : mtm.points.front();
    ASSERT_TRUE(ostrell::writeMtmFile(path, points.data(), std::uint32_t(points.size()), first.countAz,
                                      first.countEl, 10.0)
                    .ok());
}

// Strong towards azimuth 0, 0 dB at the poles.
void addLobe(TestModel& model, std::uint32_t countAz, std::uint32_t countEl)
{
    model.addPoint(countAz, countEl, [=](auto a, auto e) {
        const double phi = a * 2 * pi / (countAz - 1);
        const double theta = e * pi / (countEl - 1) - pi / 2;
        return TRcsValue(0.1 + 20 * std::pow((1 + std::cos(phi)) / 2, 2) * std::cos(theta), 0.5 * std::sin(phi));
    });
}

class MtmCommands : public ::testing::Test {
protected:
    QString file(const char* name) const { return folder.filePath(name); }
    QTemporaryDir folder;
};

TEST_F(MtmCommands, PatternCsvListsEveryDirectionWithFullPrecision)
{
    TestModel model;
    addLobe(model, 7, 4);
    model.addConstantPoint(7, 4, {0.25, -0.5});
    saveModel(model.mtm, file("model.mtm").toStdString());
    const RcsPattern expected = computePattern(model.mtm);

    const ToolRun run = runMtm({"pattern", file("model.mtm"), "--csv", file("pattern.csv")});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    QFile csv(file("pattern.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(csv.readAll()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 1 + 7 * 4);
    EXPECT_EQ(lines[0], "az_index,el_index,azimuth_deg,elevation_deg,rcs_db");
    for (int row = 1; row < lines.size(); ++row) {
        const QStringList fields = lines[row].split(',');
        ASSERT_EQ(fields.size(), 5) << lines[row].toStdString();
        const int i = fields[0].toInt();
        const int j = fields[1].toInt();
        EXPECT_EQ((row - 1) / 4, i);
        EXPECT_EQ((row - 1) % 4, j);
        EXPECT_EQ(fields[2].toDouble(), i * 60.0);
        EXPECT_EQ(fields[3].toDouble(), j * 60.0 - 90.0);
        EXPECT_EQ(std::strtod(fields[4].toUtf8().constData(), nullptr), expected[i][j]) << lines[row].toStdString();
    }
}

TEST_F(MtmCommands, PatternPngIsAColouredMapWithItsScale)
{
    TestModel model;
    addLobe(model, 37, 19);
    saveModel(model.mtm, file("lobe.mtm").toStdString());

    const ToolRun run = runMtm({"pattern", file("lobe.mtm"), "--png", file("map.png")});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QImage map(file("map.png"));
    ASSERT_FALSE(map.isNull());
    ASSERT_GE(map.width(), 800);
    // Map: azimuth 0 … 360 across 70 … 790, elevation +90 … −90 down 40 … 400.
    const QColor lobe = map.pixelColor(75, 220);   // azimuth ~0°, elevation 0°: the maximum
    const QColor pole = map.pixelColor(430, 396);  // elevation −90°: 0 dB
    EXPECT_GT(lobe.red(), 200);
    EXPECT_LT(lobe.blue(), 60);
    EXPECT_GT(pole.blue(), 200);
    EXPECT_LT(pole.red(), 60);
}

TEST_F(MtmCommands, FailuresSayWhatIsWrong)
{
    TestModel model;
    addLobe(model, 5, 3);
    saveModel(model.mtm, file("model.mtm").toStdString());
    TMtm empty;
    saveModel(empty, file("empty.mtm").toStdString());
    const QString out = file("out");

    const struct {
        QStringList arguments;
        int status;
        const char* message;
    } cases[] = {
        {{"pattern", file("model.mtm")}, 2, "--csv"},
        {{"pattern", file("missing.mtm"), "--csv", out}, 1, "cannot read"},
        {{"pattern", file("empty.mtm"), "--csv", out}, 1, "Error: Model is empty, cannot calculate RCS."},
        {{"pattern", file("model.mtm"), "--csv", file("no/such/folder.csv")}, 1, "cannot write"},
        {{"view", file("model.mtm")}, 2, "--png"},
        {{"view", file("model.mtm"), "--png", out, "--size", "0x100"}, 2, "--size"},
        {{"view", file("model.mtm"), "--png", out, "--size", "640"}, 2, "--size"},
        {{"view", file("model.mtm"), "--png", out, "--size", "99999x10"}, 2, "--size"},
        {{"view", file("model.mtm"), "--png", out, "--rotate", "ten,20"}, 2, "--rotate"},
        {{"view", file("model.mtm"), "--png", out, "--rotate", "10"}, 2, "--rotate"},
        {{"view", file("missing.mtm"), "--png", out}, 1, "cannot read"},
    };
    for (const auto& c : cases) {
        const ToolRun run = runMtm(c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(c.message)) << run.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(MtmCommands, ViewDrawsTheModelWithItsColourBar)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        GTEST_SKIP() << "needs a display with OpenGL";
    TestModel model;
    addLobe(model, 37, 19);
    saveModel(model.mtm, file("lobe.mtm").toStdString());

    const ToolRun run = runMtm({"view", file("lobe.mtm"), "--png", file("view.png"), "--size", "400x300", "--rotate",
                            "10,20"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QImage view(file("view.png"));
    ASSERT_EQ(view.size(), QSize(400, 300));
    // The colour bar sits 10 pixels from the top and right edges: red at its top, blue at its bottom.
    const QColor top = view.pixelColor(400 - 130 + 95, 10 + 42);
    const QColor bottom = view.pixelColor(400 - 130 + 95, 10 + 277);
    EXPECT_GT(top.red(), 200);
    EXPECT_LT(top.green(), 150);
    EXPECT_GT(bottom.blue(), 200);
    EXPECT_LT(bottom.red(), 150);
    int surface = 0;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 260; ++x)
            if (view.pixelColor(x, y).red() > 200 && view.pixelColor(x, y).blue() < 100)
                ++surface;
    EXPECT_GT(surface, 1000);
}

} // namespace
