// The dB scale: its tick labels and where the bar, outline and ticks land at the fixed size.

#include "colorbarwidget.h"
#include "rcscolor.h"
#include "testapplication.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>

#include <limits>

namespace {

class ColorBar : public ::testing::Test {
protected:
    QApplication& application = testApplication();
    ColorBarWidget bar;
};

QStringList labels(const ColorBarWidget& bar)
{
    QStringList result;
    for (int i = 0; i <= bar.ticks(); ++i)
        result << bar.tickLabel(i);
    return result;
}

TEST_F(ColorBar, StartsAtZeroToOneWithTenIntervals)
{
    EXPECT_EQ(bar.minimum(), 0.0);
    EXPECT_EQ(bar.maximum(), 1.0);
    EXPECT_EQ(bar.size(), QSize(120, 300));
    EXPECT_EQ(bar.sizeHint(), QSize(120, 300));
    EXPECT_TRUE(bar.testAttribute(Qt::WA_TranslucentBackground));
}

TEST_F(ColorBar, LabelsTicksFromBottomToTop)
{
    const struct {
        double min;
        double max;
        QStringList expected;
    } cases[] = {
        {0.0, 23.5,
         {"0.0000", "2.3500", "4.7000", "7.0500", "9.4000", "11.7500", "14.1000", "16.4500", "18.8000",
          "21.1500", "23.5000"}},
        {0.0, 0.0,
         {"0.0000", "0.0000", "0.0000", "0.0000", "0.0000", "0.0000", "0.0000", "0.0000", "0.0000", "0.0000",
          "0.0000"}},
        {-1.0, 1.0,
         {"-1.0000", "-0.8000", "-0.6000", "-0.4000", "-0.2000", "0.0000", "0.2000", "0.4000", "0.6000",
          "0.8000", "1.0000"}},
    };
    for (const auto& c : cases) {
        bar.setRange(c.min, c.max);
        EXPECT_EQ(labels(bar), c.expected) << c.min << " … " << c.max;
    }
}

TEST_F(ColorBar, IgnoresARangeThatIsNoNumber)
{
    bar.setRange(0.0, 23.5);
    bar.setRange(0.0, std::numeric_limits<double>::quiet_NaN());
    bar.setRange(-std::numeric_limits<double>::infinity(), 1.0);
    EXPECT_EQ(bar.minimum(), 0.0);
    EXPECT_EQ(bar.maximum(), 23.5);
}

TEST_F(ColorBar, WithoutIntervalsLabelsOneTickWithTheMinimum)
{
    bar.setRange(2.0, 5.0);
    bar.setTickCount(0);
    EXPECT_EQ(labels(bar), QStringList{"2.0000"});
    EXPECT_FALSE(bar.grab().isNull()); // paints without dividing by zero
}

TEST_F(ColorBar, PaintsTheBarOutlineAndTicksAtTheFixedSize)
{
    bar.setColorFunction(rcsColor);
    bar.setRange(0.0, 23.5);
    const QImage image = bar.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(image.size(), QSize(120, 300));

    // Bar rows just inside the outline: red at the top (the maximum), blue at the bottom.
    const QColor top = image.pixelColor(95, 42);
    EXPECT_GT(top.red(), 240);
    EXPECT_LT(top.green(), 30);
    EXPECT_LT(top.blue(), 10);
    const QColor bottom = image.pixelColor(95, 277);
    EXPECT_LT(bottom.red(), 10);
    EXPECT_LT(bottom.green(), 30);
    EXPECT_GT(bottom.blue(), 240);
    const QColor middle = image.pixelColor(95, 160);
    EXPECT_GT(middle.green(), 240);

    const auto isBlack = [&](int x, int y) {
        const QColor c = image.pixelColor(x, y);
        return c.alpha() > 200 && c.red() < 60 && c.green() < 60 && c.blue() < 60;
    };
    // Outline: left and right edges at x = 80 and 110, top and bottom at y = 40 and 280.
    for (const QPoint& p : {QPoint(80, 150), QPoint(110, 150), QPoint(95, 40), QPoint(95, 280)})
        EXPECT_TRUE(isBlack(p.x(), p.y())) << p.x() << ", " << p.y();
    // Tick marks left of the bar at y = 280, 256, …, 40.
    for (int i = 0; i <= 10; ++i)
        EXPECT_TRUE(isBlack(76, 280 - 24 * i)) << "tick " << i;
    // Outside the bar the widget is see-through.
    EXPECT_EQ(image.pixelColor(115, 150).alpha(), 0);
    EXPECT_EQ(image.pixelColor(76, 268).alpha(), 0);
}

TEST_F(ColorBar, WithoutColourFunctionLeavesTheBarEmpty)
{
    const QImage image = bar.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(image.pixelColor(95, 160).alpha(), 0);
}

} // namespace
