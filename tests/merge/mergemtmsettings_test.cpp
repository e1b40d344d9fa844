// The merge dialog: what it lets the user choose, what it proposes, and the request it sends.

#include "mergedialogdriver.h"
#include "mergemtmsettings.h"
#include "testapplication.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QTranslator>

#include <gtest/gtest.h>

namespace {

const QList<QPair<QString, QString>> twoModels = {{"/m/plane.mtm", "plane"}, {"/m/tank.v2.mtm", "tank"}};

class MergeDialog : public ::testing::Test {
protected:
    void TearDown() override { delete dialog.data(); }

    void open(const QList<QPair<QString, QString>>& models)
    {
        dialog = new MergeMtmSettings(models);
        dialog->show();
    }
    template <typename Widget>
    Widget* child(const char* name) const
    {
        return dialog->findChild<Widget*>(name);
    }
    QTableWidget* table() const { return child<QTableWidget>("anchorTableWidget"); }
    QString output() const { return child<QLineEdit>("outpuFileLE")->text(); }
    bool outputAndAnchorsEnabled() const
    {
        return child<QLineEdit>("outpuFileLE")->isEnabled() && child<QPushButton>("outpuFilePB")->isEnabled() &&
               child<QGroupBox>("anchorPointsGroup")->isEnabled();
    }

    QApplication& app = testApplication(); // before the driver's timer
    MergeDialogDriver driver;
    QPointer<MergeMtmSettings> dialog;
};

TEST_F(MergeDialog, WithoutModelsNothingCanBeMerged)
{
    open({});
    QSignalSpy requests(dialog.data(), &MergeMtmSettings::readyMergeMTM);
    const auto* base = child<QComboBox>("baseModelCB");
    ASSERT_EQ(base->count(), 1);
    EXPECT_EQ(base->itemText(0), "-- Select base MTM --");
    EXPECT_FALSE(outputAndAnchorsEnabled());
    EXPECT_FALSE(child<QPushButton>("removePB")->isEnabled());

    QMetaObject::invokeMethod(dialog, "onAddModel");
    MergeDialogDriver::accept(*dialog);
    ASSERT_EQ(driver.boxes().size(), 2u);
    EXPECT_EQ(driver.boxes()[0].title, "Add MTM");
    EXPECT_EQ(driver.boxes()[0].text, "No MTM models available to add");
    EXPECT_EQ(driver.boxes()[1].text, "Select a base MTM model");
    EXPECT_EQ(requests.count(), 0);
}

TEST_F(MergeDialog, ChoosingABaseProposesTheMergeNameOnce)
{
    open(twoModels);
    MergeDialogDriver::chooseBase(*dialog, 1);
    EXPECT_EQ(output(), "/m/plane_merge.mtm");
    EXPECT_TRUE(outputAndAnchorsEnabled());

    MergeDialogDriver::chooseBase(*dialog, 2);
    EXPECT_EQ(output(), "/m/plane_merge.mtm") << "a name already there stays";

    MergeDialogDriver::chooseBase(*dialog, 0);
    EXPECT_FALSE(outputAndAnchorsEnabled());
    EXPECT_EQ(output(), "/m/plane_merge.mtm");

    delete dialog.data();
    open(twoModels);
    MergeDialogDriver::chooseBase(*dialog, 2);
    EXPECT_EQ(output(), "/m/tank.v2_merge.mtm") << "only the last suffix goes";
}

TEST_F(MergeDialog, EachAddedModelIsARowWithItsOwnOffsets)
{
    open(twoModels);
    MergeDialogDriver::chooseBase(*dialog, 1);
    driver.addModel(*dialog, 1);
    driver.addModel(*dialog, 1);
    driver.addModel(*dialog, -1);
    ASSERT_EQ(table()->rowCount(), 2) << "the same model twice, a cancelled choice not at all";
    for (int row = 0; row < 2; ++row) {
        EXPECT_EQ(table()->item(row, 0)->text(), "tank.v2.mtm");
        EXPECT_EQ(table()->item(row, 0)->data(Qt::UserRole).toString(), "/m/tank.v2.mtm");
        EXPECT_FALSE(table()->item(row, 0)->flags() & Qt::ItemIsEditable);
        for (int column = 1; column <= 3; ++column)
            EXPECT_EQ(MergeDialogDriver::offsetField(*dialog, row, column)->text(), "0");
    }
    EXPECT_NE(MergeDialogDriver::offsetField(*dialog, 0, 1), MergeDialogDriver::offsetField(*dialog, 1, 1));
    EXPECT_EQ(table()->currentRow(), 1);
    EXPECT_TRUE(child<QPushButton>("removePB")->isEnabled());

    QLineEdit* x = MergeDialogDriver::offsetField(*dialog, 0, 1);
    x->clear();
    QTest::keyClicks(x, "-1x2.1234567");
    EXPECT_EQ(x->text(), "-12.12345") << "a number with at most five decimals";

    child<QPushButton>("removePB")->click();
    ASSERT_EQ(table()->rowCount(), 1);
    EXPECT_EQ(MergeDialogDriver::offsetField(*dialog, 0, 1), x);
}

TEST_F(MergeDialog, OkSendsOneAnchorPerRowThenTheDialogGoes)
{
    open(twoModels);
    QSignalSpy requests(dialog.data(), &MergeMtmSettings::readyMergeMTM);
    MergeDialogDriver::chooseBase(*dialog, 1);
    driver.addModel(*dialog, 0);
    driver.addModel(*dialog, 1);
    // Texts that are no number yet count as 0.
    const char* texts[2][3] = {{"0", "-", "2.5"}, {"1e", "-3", ".5"}};
    for (int row = 0; row < 2; ++row)
        for (int column = 1; column <= 3; ++column)
            MergeDialogDriver::offsetField(*dialog, row, column)->setText(texts[row][column - 1]);

    MergeDialogDriver::accept(*dialog);
    ASSERT_EQ(requests.count(), 1);
    const QList<QVariant> request = requests.at(0);
    EXPECT_EQ(request.at(0).toString(), "/m/plane_merge.mtm");
    EXPECT_EQ(request.at(1).toString(), "/m/plane.mtm");
    const auto anchors = request.at(2).value<QList<AnchorPointInfo>>();
    ASSERT_EQ(anchors.size(), 2);
    const double expected[2][3] = {{0, 0, 2.5}, {0, -3, 0.5}};
    for (int row = 0; row < 2; ++row) {
        EXPECT_EQ(anchors[row].x, expected[row][0]);
        EXPECT_EQ(anchors[row].y, expected[row][1]);
        EXPECT_EQ(anchors[row].z, expected[row][2]);
        ASSERT_EQ(anchors[row].models.size(), 1);
        EXPECT_EQ(anchors[row].models[0].first, twoModels[row].first);
    }
    EXPECT_EQ(anchors[1].models[0].second, "tank.v2.mtm");
    EXPECT_FALSE(dialog->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dialog.isNull()) << "nothing uses it again";
    EXPECT_TRUE(driver.boxes().empty());
}

TEST_F(MergeDialog, OkWithSomethingMissingWarnsAndSendsNothing)
{
    const struct {
        int base;
        bool clearOutput;
        int rows;
        QString warning;
    } cases[] = {
        {0, false, 0, "Select a base MTM model"},
        {1, true, 1, "Specify the output file name"},
        {1, false, 0, "Add at least one MTM model"},
    };
    for (const auto& c : cases) {
        delete dialog.data();
        open(twoModels);
        QSignalSpy requests(dialog.data(), &MergeMtmSettings::readyMergeMTM);
        MergeDialogDriver::chooseBase(*dialog, c.base);
        if (c.clearOutput)
            child<QLineEdit>("outpuFileLE")->setText("  ");
        for (int row = 0; row < c.rows; ++row)
            driver.addModel(*dialog, 0);
        const std::size_t before = driver.boxes().size();
        MergeDialogDriver::accept(*dialog);
        ASSERT_EQ(driver.boxes().size(), before + 1) << c.warning.toStdString();
        EXPECT_EQ(driver.boxes().back().title, "Merge MTM");
        EXPECT_EQ(driver.boxes().back().text, c.warning);
        EXPECT_EQ(requests.count(), 0);
        EXPECT_TRUE(dialog->isVisible());
    }
}

TEST_F(MergeDialog, SpeaksRussianWithTheTranslation)
{
    QTranslator russian;
    ASSERT_TRUE(russian.load(qEnvironmentVariable("KALMENO_STAGE_DIR") + "/Kalmeno/Kalmeno_ru"));
    QCoreApplication::installTranslator(&russian);
    open(twoModels);
    QCoreApplication::removeTranslator(&russian);

    EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("Параметры объединения МТМ"));
    EXPECT_EQ(child<QComboBox>("baseModelCB")->itemText(0), QString::fromUtf8("-- Выберите базовую МТМ --"));
    EXPECT_EQ(table()->horizontalHeaderItem(0)->text(), QString::fromUtf8("Модель МТМ"));
    EXPECT_EQ(child<QPushButton>("addModelPB")->text(), QString::fromUtf8("Добавить МТМ"));
}

} // namespace
