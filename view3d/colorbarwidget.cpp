#include "colorbarwidget.h"

#include <QPainter>
#include <QPen>

#include <cmath>
#include <utility>

namespace {
constexpr int barWidthPx = 30;
constexpr int rightMarginPx = 10;
constexpr int topPx = 40;
constexpr int bottomMarginPx = 20;
} // namespace

ColorBarWidget::ColorBarWidget(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setFixedSize(120, 300);
}

ColorBarWidget::~ColorBarWidget() = default;

QSize ColorBarWidget::sizeHint() const
{
    return {120, 300};
}

void ColorBarWidget::setRange(double min, double max)
{
    if (!std::isfinite(min) || !std::isfinite(max))
        return;
    minValue = min;
    maxValue = max;
    update();
}

void ColorBarWidget::setTickCount(int count)
{
    tickCount = count;
    update();
}

void ColorBarWidget::setColorFunction(ColorFunction function)
{
    colorFunction = std::move(function);
    update();
}

QString ColorBarWidget::tickLabel(int index) const
{
    // With no intervals the only tick stands for the bottom value (avoids 0 / 0).
    const double value = tickCount > 0 ? (maxValue - minValue) * index / tickCount + minValue : minValue;
    return QString::number(value, 'f', 4);
}

void ColorBarWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    const int w = width();
    const int h = height();
    const int barLeft = w - barWidthPx - rightMarginPx;
    const int barH = h - topPx - bottomMarginPx;

    if (colorFunction && barH > 0) {
        for (int i = 0; i < barH; ++i) {
            const double value = (maxValue - minValue) * (1.0 - double(i) / barH) + minValue;
            const RcsColor c = colorFunction(value, maxValue);
            QColor color;
            color.setRgbF(qBound(0.0f, c.r, 1.0f), qBound(0.0f, c.g, 1.0f), qBound(0.0f, c.b, 1.0f), 1.0);
            painter.setPen(color);
            painter.drawLine(barLeft, topPx + i, w - rightMarginPx, topPx + i);
        }
    }

    painter.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(barLeft, topPx, barWidthPx, barH);

    QFont tickFont = painter.font();
    tickFont.setPointSize(9);
    tickFont.setWeight(75);
    painter.setFont(tickFont);
    const QFontMetrics metrics(tickFont);
    for (int i = 0; i <= tickCount; ++i) {
        const int offset = tickCount > 0 ? int(double(barH) * i / tickCount) : 0;
        const int y = barH - offset + topPx;
        painter.setPen(QPen(Qt::black, 2));
        painter.drawLine(w - 48, y, barLeft, y);
        const QString label = tickLabel(i);
        painter.setPen(Qt::black);
        painter.drawText(barLeft - 8 - metrics.horizontalAdvance(label), y + 4, label);
    }

    QFont unitFont = painter.font();
    unitFont.setPointSize(10);
    unitFont.setWeight(75);
    painter.setFont(unitFont);
    painter.setPen(Qt::black);
    painter.drawText(w - 45, 25, tr("dB"));
}
