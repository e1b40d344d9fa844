// The 3-D view under a real display: what it keeps, what it shows and how it reacts to the mouse.

#include "colorbarwidget.h"
#include "numbers.h"
#include "plot3dwidget.h"
#include "testapplication.h"
#include "testmodel.h"

#include <gtest/gtest.h>

#include <GL/gl.h>
#include <QImage>
#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>

#include <cmath>

namespace {

using platform::pi;

// A lobe towards azimuth 0 at the horizon (red), falling to 0 dB on the far side (blue).
void addLobedPoint(TestModel& model)
{
    model.addPoint(37, 19, [](auto a, auto e) {
        const double phi = a * 2 * pi / 36;
        const double theta = e * pi / 18 - pi / 2;
        const double lobe = std::pow((1 + std::cos(phi)) / 2, 4) * std::cos(theta);
        return TRcsValue(0.1 + 30.0 * lobe, 0);
    });
}

class Plot3D : public ::testing::Test {
protected:
    void SetUp() override
    {
        model.mtm.path = "/models/lobe.mtm";
        addLobedPoint(model);
    }

    void sendMouse(QEvent::Type type, QPoint position, Qt::MouseButton button, Qt::MouseButtons held)
    {
        QMouseEvent event(type, position, button, held, Qt::NoModifier);
        QApplication::sendEvent(&view, &event);
    }

    void sendWheel(int verticalDelta)
    {
        QWheelEvent event(QPointF(50, 50), QPointF(50, 50), QPoint(), QPoint(0, verticalDelta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&view, &event);
    }

    QApplication& application = testApplication();
    TestModel model;
    Plot3DWidget view;
};

TEST_F(Plot3D, StoresPatternsByPathWithoutShowingThem)
{
    view.storePattern(model.mtm);
    ASSERT_NE(view.storedPattern(model.mtm.path), nullptr);
    EXPECT_EQ(view.shownPattern(), nullptr);
    EXPECT_EQ(view.colorBarWidget()->maximum(), 1.0);

    view.showPattern(model.mtm.path);
    EXPECT_EQ(view.shownPattern(), view.storedPattern(model.mtm.path));
    EXPECT_DOUBLE_EQ(view.colorBarWidget()->maximum(), patternMaximum(*view.shownPattern()));
    EXPECT_EQ(view.colorBarWidget()->minimum(), 0.0);
}

TEST_F(Plot3D, StoringTheShownPathReplacesTheDataButNotTheScale)
{
    view.storePattern(model.mtm);
    view.showPattern(model.mtm.path);
    const double shownMaximum = view.colorBarWidget()->maximum();

    TestModel weaker;
    weaker.mtm.path = model.mtm.path;
    weaker.addConstantPoint(5, 3, {1, 0});
    view.storePattern(weaker.mtm);
    ASSERT_EQ(view.shownPattern()->size(), 5u);
    EXPECT_EQ(view.colorBarWidget()->maximum(), shownMaximum);
}

TEST_F(Plot3D, UnknownPathChangesNothing)
{
    view.storePattern(model.mtm);
    view.showPattern(model.mtm.path);
    const RcsPattern* shown = view.shownPattern();
    const double maximum = view.colorBarWidget()->maximum();

    view.showPattern("/models/never-opened.mtm");
    view.showPattern("");
    EXPECT_EQ(view.shownPattern(), shown);
    EXPECT_EQ(view.colorBarWidget()->maximum(), maximum);
}

TEST_F(Plot3D, ModelWithoutPointsIsNotStored)
{
    TMtm empty;
    empty.path = "/models/empty.mtm";
    EXPECT_THROW(view.storePattern(empty), std::runtime_error);
    const kalmeno::Status status = view.tryStorePattern(empty);
    ASSERT_FALSE(status.ok());
    EXPECT_EQ(status.error(), "Error: Model is empty, cannot calculate RCS.");
    EXPECT_EQ(view.storedPattern(empty.path), nullptr);
    EXPECT_TRUE(view.tryStorePattern(model.mtm).ok());
}

TEST_F(Plot3D, WheelMovesTheViewByAFifthPerNotch)
{
    const struct {
        int delta;
        float expected;
    } steps[] = {{120, -4.8f}, {120, -4.6f}, {-360, -5.2f}, {0, -5.2f}};
    for (const auto& step : steps) {
        sendWheel(step.delta);
        EXPECT_NEAR(view.distance(), step.expected, 1e-5) << "after " << step.delta;
    }
}

TEST_F(Plot3D, LeftDragTurnsATenthOfADegreePerPixel)
{
    const struct {
        Qt::MouseButton button;
        QPoint to;
        float rotX;
        float rotY;
    } drags[] = {
        {Qt::LeftButton, {110, 100}, 25.0f, -47.0f},
        {Qt::LeftButton, {100, 80}, 23.0f, -48.0f},
        {Qt::LeftButton, {85, 105}, 25.5f, -49.5f},
        {Qt::RightButton, {150, 150}, 25.0f, -48.0f},
    };
    for (const auto& drag : drags) {
        Plot3DWidget fresh;
        QMouseEvent press(QEvent::MouseButtonPress, {100, 100}, drag.button, drag.button, Qt::NoModifier);
        QApplication::sendEvent(&fresh, &press);
        QMouseEvent move(QEvent::MouseMove, drag.to, Qt::NoButton, drag.button, Qt::NoModifier);
        QApplication::sendEvent(&fresh, &move);
        EXPECT_NEAR(fresh.rotationX(), drag.rotX, 1e-4) << drag.to.x() << ", " << drag.to.y();
        EXPECT_NEAR(fresh.rotationY(), drag.rotY, 1e-4) << drag.to.x() << ", " << drag.to.y();
    }
}

TEST_F(Plot3D, MovesMeasureFromTheLastPosition)
{
    sendMouse(QEvent::MouseButtonPress, {0, 0}, Qt::RightButton, Qt::RightButton);
    sendMouse(QEvent::MouseMove, {40, 40}, Qt::NoButton, Qt::RightButton);
    sendMouse(QEvent::MouseMove, {50, 40}, Qt::NoButton, Qt::LeftButton);
    EXPECT_NEAR(view.rotationY(), -47.0f, 1e-4);
    EXPECT_NEAR(view.rotationX(), 25.0f, 1e-4);
}

TEST_F(Plot3D, KeepsTheColourBarInTheTopRightCorner)
{
    view.resize(800, 600);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    EXPECT_EQ(view.colorBarWidget()->pos(), QPoint(800 - 120 - 10, 10));
    view.resize(500, 400);
    QTest::qWait(50);
    (void)view.grabFramebuffer();
    EXPECT_EQ(view.colorBarWidget()->pos(), QPoint(500 - 120 - 10, 10));
}

TEST_F(Plot3D, ProjectsWithAFortyFiveDegreeFieldOfView)
{
    view.resize(800, 600);
    (void)view.grabFramebuffer();
    view.makeCurrent();
    GLdouble projection[16];
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    view.doneCurrent();
    const double top = std::tan(pi / 8) * 0.1;
    const double right = top * 800 / 600;
    EXPECT_NEAR(projection[0], 0.1 / right, 1e-6);
    EXPECT_NEAR(projection[5], 0.1 / top, 1e-6);
    EXPECT_NEAR(projection[10], -(1000 + 0.1) / (1000 - 0.1), 1e-6);
    EXPECT_NEAR(projection[14], -2 * 1000 * 0.1 / (1000 - 0.1), 1e-6);
    EXPECT_NEAR(projection[11], -1.0, 1e-12);
}

struct PixelCount {
    int background = 0;
    int reddish = 0;
    int yellowish = 0;
};

PixelCount countPixels(const QImage& image)
{
    PixelCount count;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - 230) <= 2 && std::abs(c.green() - 230) <= 2 && std::abs(c.blue() - 230) <= 2)
                ++count.background;
            else if (c.red() > 150 && c.green() < 90 && c.blue() < 90)
                ++count.reddish;
            else if (c.red() > 150 && c.green() > 150 && c.blue() < 90)
                ++count.yellowish;
        }
    }
    return count;
}

TEST_F(Plot3D, RendersThePatternAsAColouredSurface)
{
    view.resize(400, 300);
    const QImage empty = view.grabFramebuffer();
    ASSERT_EQ(empty.size(), QSize(400, 300));
    const PixelCount before = countPixels(empty);

    view.storePattern(model.mtm);
    view.showPattern(model.mtm.path);
    const QImage drawn = view.grabFramebuffer();
    const PixelCount after = countPixels(drawn);

    const int pixels = 400 * 300;
    // Without a pattern only thin circles and axes cover the light grey background.
    EXPECT_GT(before.background, pixels * 8 / 10);
    EXPECT_LT(after.background, before.background - pixels / 20);
    // The lit surface runs through the colour scale up to red at the lobe's tip; circles and
    // axes alone have no yellow.
    EXPECT_GT(after.reddish, before.reddish + 200);
    EXPECT_EQ(before.yellowish, 0);
    EXPECT_GT(after.yellowish, 50);
}

TEST_F(Plot3D, PatternOfZerosCollapsesAndLabelsEveryTickZero)
{
    TestModel weak;
    weak.mtm.path = "/models/weak.mtm";
    weak.addConstantPoint(9, 5, {0.1, 0});
    view.resize(200, 150);
    const QImage before = view.grabFramebuffer();
    view.storePattern(weak.mtm);
    view.showPattern(weak.mtm.path);
    for (int i = 0; i <= 10; ++i)
        EXPECT_EQ(view.colorBarWidget()->tickLabel(i), "0.0000");
    // Every radius is 0: no surface covers the picture (only the thin axes may change shade).
    const QImage after = view.grabFramebuffer();
    int changed = 0;
    for (int y = 0; y < after.height(); ++y)
        for (int x = 0; x < after.width(); ++x)
            changed += after.pixel(x, y) != before.pixel(x, y);
    EXPECT_LT(changed, after.width() * after.height() / 20);
}

TEST_F(Plot3D, PatternWithOneRowDrawsNothing)
{
    TestModel line;
    line.mtm.path = "/models/line.mtm";
    line.addConstantPoint(1, 9, {5, 0});
    view.resize(200, 150);
    const QImage before = view.grabFramebuffer();
    view.storePattern(line.mtm);
    view.showPattern(line.mtm.path);
    EXPECT_EQ(view.grabFramebuffer(), before);
}

} // namespace
