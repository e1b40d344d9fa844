// Generating an MTM from the window on the reference host in process: the demo plate end to end,
// the ways a generation ends early, and stopping a job wherever it is. Ostrell lies beside this
// program; each test puts the computation library it needs where Ostrell looks for it.
#include "windowonhost.h"

#include "clistmodel.h"
#include "modalboxwatcher.h"

#include <mtmfile.h>
#include <rcsgrid.h>
#include <settingsfile.h>
#include <plot3dwidget.h>

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <QTextEdit>

#include <memory>

namespace {

const QString kSuccess = "The MTM calculation has been completed successfully!";
const QString kStopQuestion = "Stop transforming to MTM";
constexpr int kPlateRow = 1;

class WindowGeneration : public WindowOnHostFixture {
protected:
    void SetUp() override
    {
        WindowOnHostFixture::SetUp();
        window->ChangeLanguageMS("en");
        dialogs = std::make_unique<ModalBoxWatcher>();
    }
    void TearDown() override
    {
        dialogs.reset();
        WindowOnHostFixture::TearDown();
    }

    // Opens the demo with `library` as the computation library and makes the plate's row current,
    // its area a 5 m cube around the plate.
    void openDemoWith(const char* library)
    {
        QDir().mkpath("MTM");
        ASSERT_TRUE(QFile::copy(library, "MTM/libFeltrane.so"));
        openScene(copyDemo(sceneDir), 3);
        list()->setCurrentIndex(list()->model()->index(kPlateRow, 0));
        for (const char* size : {"lineEditSizeBbox_X", "lineEditSizeBbox_Y", "lineEditSizeBbox_Z"})
            type(size, "5");
    }

    void type(const char* editor, const QString& text)
    {
        auto* edit = window->findChild<QLineEdit*>(editor);
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

    // Clicks "Generate MTM" and chooses `file` in the save dialog (an empty name cancels it).
    void generate(const QString& file)
    {
        dialogs->chooseFile(file);
        button()->click();
    }

    // Waits for the last line a job writes, the time it took.
    bool waitForTheTime(const QString& file)
    {
        return waitUntil([&] { return panel().contains("The creation of the MTM model " + file + " took "); });
    }

    // Lets the window run for a while, as long as a late report would take to arrive.
    void settle()
    {
        QTest::qWait(1500);
    }

    QPushButton* button() const { return window->findChild<QPushButton*>("pushButtonTransformToMTM"); }
    QString panel() const { return window->findChild<QTextEdit*>("textEditLog")->toPlainText(); }
    QString status() const { return window->statusBar()->currentMessage(); }
    TModelItem& row(int r) const { return static_cast<CListModel*>(list()->model())->items()[std::size_t(r)]; }
    bool idle() const
    {
        return button()->text() == "Generate MTM" && !button()->styleSheet().contains("#d32f2f")
               && window->findChild<QPushButton*>("pushButtonMergeMtm")->isEnabled()
               && window->findChild<QAction*>("actionOpen")->isEnabled();
    }
    QStringList boxTexts() const
    {
        QStringList texts;
        for (const auto& box : dialogs->boxes())
            texts.append(box.text);
        return texts;
    }
    int logCount(const std::string& text) const
    {
        int count = 0;
        const auto lines = logger.lines();
        for (const auto& line : lines)
            count += line.text == text;
        return count;
    }

    std::unique_ptr<ModalBoxWatcher> dialogs;
};

TEST_F(WindowGeneration, ThePlatesMtmIsGeneratedLoadedAndShownEndToEnd)
{
    openDemoWith(COMPUTATION_LIBRARY);
    // A name typed without extension gets the filter's.
    generate(sceneDir.filePath("plate"));
    const QString file = sceneDir.filePath("plate.mtm");

    EXPECT_EQ(button()->text(), "Stop");
    EXPECT_TRUE(button()->styleSheet().contains("background-color: #d32f2f"));
    EXPECT_FALSE(window->findChild<QAction*>("actionOpen")->isEnabled());
    EXPECT_TRUE(logged("[Kalmeno] Wait feedback"));
    ASSERT_TRUE(waitForTheTime(file)) << panel().toStdString();

    ASSERT_EQ(dialogs->boxes().size(), 1u);
    EXPECT_EQ(dialogs->boxes()[0].title, "Kalmeno");
    EXPECT_EQ(dialogs->boxes()[0].text, kSuccess);
    EXPECT_TRUE(idle());
    EXPECT_TRUE(button()->styleSheet().isEmpty());
    EXPECT_EQ(button()->minimumHeight(), 60);
    EXPECT_TRUE(status().isEmpty());
    EXPECT_TRUE(logged("[Kalmeno] FCO pack formed"));
    const QRegularExpression created("^\\[Kalmeno\\] MTM file was created: " + QRegularExpression::escape(file)
                                     + "\\. Creation time: \\d+(\\.\\d)? seconds\\.$");
    const auto lines = logger.lines();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                            [&](const auto& line) { return created.match(QString::fromStdString(line.text)).hasMatch(); }));
    EXPECT_TRUE(QRegularExpression("The creation of the MTM model " + QRegularExpression::escape(file)
                                   + " took \\d+(\\.\\d)? seconds")
                    .match(panel())
                    .hasMatch());

    // The file reads back, its settings lie beside it, and the row, the tables, the markers and the
    // 3-D view show it.
    const auto mtm = ostrell::readMtmFile(file.toStdString());
    ASSERT_TRUE(mtm) << mtm.error();
    ASSERT_FALSE(mtm->points.empty());
    for (const TMtmPoint& point : mtm->points)
        releaseRcsGrid(point.rcs);
    TGenerationArea stored;
    QFile settings(sceneDir.filePath("plate.ini"));
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    ASSERT_TRUE(bridge::readSettingsDocument(settings.readAll(), stored));
    // The area is packed: its fields are read by value.
    EXPECT_EQ(double(stored.sizeX), 5.0);
    EXPECT_NEAR(double(stored.lat), double(row(kPlateRow).area.lat), 1e-6);

    EXPECT_EQ(list()->currentIndex().row(), kPlateRow);
    EXPECT_EQ(row(kPlateRow).mtmPath, file.toStdString());
    EXPECT_EQ(row(kPlateRow).mtm.points.size(), mtm->points.size());
    EXPECT_EQ(std::size_t(window->findChild<QTableView*>("tableViewPointsMTM")->model()->rowCount()),
              mtm->points.size());
    std::size_t points = 0;
    for (int r = 0; r < rows(); ++r)
        points += row(r).mtm.points.size();
    EXPECT_EQ(engine.render().markers().size(), points);
    const auto* view = window->findChild<Plot3DWidget*>("plot3DWidget");
    ASSERT_NE(view->storedPattern(file.toStdString()), nullptr);
    EXPECT_EQ(view->shownPattern(), view->storedPattern(file.toStdString()));

    // The input log (on by default) holds the pack and the captured area's records.
    const std::string count = "[Kalmeno] Count of triangles in BoundBox: ";
    const auto line = std::find_if(lines.rbegin(), lines.rend(), [&](const auto& l) { return l.text.rfind(count, 0) == 0; });
    ASSERT_NE(line, lines.rend());
    const qint64 triangles = std::stoll(line->text.substr(count.size()));
    EXPECT_GT(triangles, 0);
    EXPECT_EQ(QFile(sceneDir.filePath("plate.packmtm")).size(), 204 + triangles * (3 * 24 + 72));
}

TEST_F(WindowGeneration, EndingsBeforeTheComputation)
{
    openDemoWith(COMPUTATION_LIBRARY);

    // A cancelled save dialog starts nothing.
    generate(QString());
    EXPECT_EQ(dialogs->fileDialogs(), 1);
    EXPECT_TRUE(idle());
    EXPECT_FALSE(logged("[Kalmeno] Wait feedback"));
    EXPECT_EQ(bridge::bridgeState().feedbackRequested.load(), 0u);

    // An area without triangles says so and computes nothing.
    type("lineEditPosBbox_Alt", "4000");
    const QString file = sceneDir.filePath("nothing.mtm");
    generate(file);
    const QString nothing =
        "There are no vertices to calculate in the MTM generation area. MTM generation will not be performed";
    ASSERT_TRUE(waitUntil([&] { return idle() && boxTexts().contains(nothing); })) << panel().toStdString();
    EXPECT_TRUE(panel().contains(nothing));
    EXPECT_TRUE(logged("[Kalmeno] Count of triangles = 0. calculating stopped"));
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_TRUE(row(kPlateRow).mtmPath.empty());
}

TEST_F(WindowGeneration, CountsAndStepsOfZeroAreRefusedBeforeAnythingStarts)
{
    openDemoWith(COMPUTATION_LIBRARY);
    const struct {
        const char* language;
        const char* refusal;
    } languages[] = {
        {"en", "The number of elements per axis and the angle steps must be greater than zero. MTM generation will "
               "not be performed"},
        {"ru", "Число элементов по осям и шаги по углам должны быть больше нуля. Генерация МТМ выполнена не будет"},
    };
    for (const auto& l : languages) {
        window->ChangeLanguageMS(l.language);
        // A step typed as 0, and a count of 0 as a settings file may give one.
        type("lineEdit_azimuthStep", "0");
        generate(sceneDir.filePath("refused.mtm"));
        type("lineEdit_azimuthStep", "10");
        row(kPlateRow).area.countY = 0;
        generate(sceneDir.filePath("refused.mtm"));
        row(kPlateRow).area.countY = 10;

        EXPECT_EQ(boxTexts(), QStringList({QString::fromUtf8(l.refusal), QString::fromUtf8(l.refusal)})) << l.language;
        dialogs->clear();
    }
    EXPECT_EQ(dialogs->fileDialogs(), 0);
    EXPECT_FALSE(logged("[Kalmeno] Wait feedback"));
}

TEST_F(WindowGeneration, AFailedComputationShowsTheTimeButNoCreatedFile)
{
    openDemoWith(COMPUTATION_LIBRARY);
    type("lineEdit_waveLength", "0"); // the computation refuses a wavelength of 0
    window->findChild<QAction*>("actionWriteInputLogMTM")->trigger();
    const QString file = sceneDir.filePath("plate.mtm");
    generate(file);
    ASSERT_TRUE(waitForTheTime(file)) << panel().toStdString();

    EXPECT_EQ(boxTexts(), QStringList{"An error occurred during execution"});
    EXPECT_TRUE(panel().contains("Failed to create MTM " + file));
    EXPECT_TRUE(logged("[Kalmeno] Can't create MTM " + file.toStdString()));
    const auto lines = logger.lines();
    for (const auto& line : lines)
        EXPECT_EQ(line.text.find("MTM file was created"), std::string::npos);
    EXPECT_TRUE(idle());
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_FALSE(QFile::exists(sceneDir.filePath("plate.packmtm"))) << "the input log was switched off";
}

TEST_F(WindowGeneration, AStopWhileWaitingForTheCaptureIsIdleAtOnceAndLeavesNothingBehind)
{
    openDemoWith(COMPUTATION_LIBRARY);
    // No frame captures, as when the host's feedback could not be set up.
    bridge::bridgeState().engineReady = false;
    const QString file = sceneDir.filePath("stopped.mtm");
    generate(file);
    ASSERT_TRUE(waitUntil([] { return bridge::bridgeState().feedbackRequested.load() != 0; }));
    EXPECT_EQ(status(), "Getting triangles...");

    button()->click();
    ASSERT_EQ(dialogs->boxes().size(), 1u);
    EXPECT_EQ(dialogs->boxes()[0].title, kStopQuestion);
    EXPECT_TRUE(idle());
    EXPECT_TRUE(status().isEmpty());
    EXPECT_TRUE(logged("[Kalmeno] Generation stopped"));
    EXPECT_TRUE(panel().endsWith("Generation stopped"));

    const QString panelAfterStop = panel();
    const auto linesAfterStop = logger.lines().size();
    settle();
    EXPECT_EQ(dialogs->boxes().size(), 1u);
    EXPECT_EQ(panel(), panelAfterStop);
    EXPECT_EQ(logger.lines().size(), linesAfterStop);
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_EQ(bridge::bridgeState().feedbackRequested.load(), 0u) << "the next job's request would be refused";

    bridge::bridgeState().engineReady = true;
    const QString next = sceneDir.filePath("next.mtm");
    generate(next);
    ASSERT_TRUE(waitForTheTime(next)) << panel().toStdString();
    EXPECT_EQ(boxTexts().last(), kSuccess);
    EXPECT_TRUE(QFile::exists(next));
}

TEST_F(WindowGeneration, AStopDuringALongComputationAbandonsItAndTheNextGenerationWorks)
{
    openDemoWith(WAITING_LIBRARY);
    type("lineEdit_waveLength", "0.125"); // the stand-in computes until it is aborted
    const QString file = sceneDir.filePath("long.mtm");
    generate(file);
    ASSERT_TRUE(waitUntil([&] { return status() == "Calculation of MTM... 42%"; })) << status().toStdString();

    // Cancel leaves it running.
    dialogs->answerWith(QMessageBox::Cancel);
    button()->click();
    EXPECT_EQ(button()->text(), "Stop");
    dialogs->answerWith(QMessageBox::Ok);
    button()->click();
    EXPECT_EQ(dialogs->boxes().size(), 2u);
    EXPECT_TRUE(idle());
    EXPECT_TRUE(logged("[Kalmeno] Generation stopped"));

    const QString panelAfterStop = panel();
    settle();
    EXPECT_EQ(dialogs->boxes().size(), 2u) << "no late message box";
    EXPECT_EQ(panel(), panelAfterStop);
    EXPECT_TRUE(status().isEmpty()) << "the progress is not shown any more";
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_FALSE(QFile::exists(file + "generating"));
    EXPECT_TRUE(row(kPlateRow).mtmPath.empty());

    type("lineEdit_waveLength", "0.03");
    const QString next = sceneDir.filePath("next.mtm");
    generate(next);
    ASSERT_TRUE(waitForTheTime(next)) << panel().toStdString();
    EXPECT_EQ(boxTexts().last(), kSuccess);
    EXPECT_EQ(row(kPlateRow).mtmPath, next.toStdString());
}

TEST_F(WindowGeneration, ALanguageSwitchDuringAJobKeepsTheStopAndAClickNeverStartsASecondJob)
{
    openDemoWith(WAITING_LIBRARY);
    type("lineEdit_waveLength", "0.125");
    generate(sceneDir.filePath("long.mtm"));
    ASSERT_TRUE(waitUntil([&] { return status().startsWith("Calculation of MTM..."); }));

    window->findChild<QAction*>("actionRusLang")->trigger();
    EXPECT_EQ(button()->text(), QString::fromUtf8("Остановить"));
    EXPECT_FALSE(button()->styleSheet().isEmpty());

    button()->click();
    ASSERT_EQ(dialogs->boxes().size(), 1u);
    EXPECT_EQ(dialogs->boxes()[0].title, QString::fromUtf8("Остановка генерации МТМ"));
    EXPECT_EQ(dialogs->fileDialogs(), 1) << "no second job was started";
    EXPECT_EQ(logCount("[Kalmeno] Wait feedback"), 1);
    EXPECT_EQ(button()->text(), QString::fromUtf8("Сгенерировать МТМ"));
    EXPECT_TRUE(panel().endsWith(QString::fromUtf8("Генерация остановлена")));
}

} // namespace
