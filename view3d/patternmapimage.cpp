#include "patternmapimage.h"

#include "colorbarwidget.h"
#include "rcscolor.h"
#include "rcspattern.h"

#include <QPainter>

#include <algorithm>

namespace {

constexpr int mapLeft = 70;
constexpr int mapTop = 40;
constexpr int mapWidth = 720; // 2 px per degree of azimuth
constexpr int mapHeight = 360; // 2 px per degree of elevation
constexpr int barGap = 10;
constexpr int imageWidth = mapLeft + mapWidth + barGap + 120 + 10;
constexpr int imageHeight = mapTop + mapHeight + 60;

QColor toQColor(const RcsColor& c)
{
    QColor color;
    color.setRgbF(std::clamp(c.r, 0.0f, 1.0f), std::clamp(c.g, 0.0f, 1.0f), std::clamp(c.b, 0.0f, 1.0f));
    return color;
}

// One pixel per sample, azimuth to the right and elevation upwards.
QImage cellImage(const PatternGrid& pattern, double maximum)
{
    const int nAz = int(pattern.countAz);
    const int nEl = int(pattern.countEl);
    if (nAz == 0 || nEl == 0)
        return {};
    QImage cells(nAz, nEl, QImage::Format_RGB32);
    for (int i = 0; i < nAz; ++i)
        for (int j = 0; j < nEl; ++j)
            cells.setPixelColor(i, nEl - 1 - j, toQColor(rcsColor(pattern.at(i, j), maximum)));
    return cells;
}

} // namespace

QImage renderPatternMap(const PatternGrid& pattern, const QString& title)
{
    QImage image(imageWidth, imageHeight, QImage::Format_RGB32);
    image.fill(QColor(230, 230, 230));
    const double maximum = patternMaximum(pattern.decibels.data(), pattern.decibels.size());
    const QRect map(mapLeft, mapTop, mapWidth, mapHeight);

    QPainter painter(&image);
    const QImage cells = cellImage(pattern, maximum);
    if (!cells.isNull())
        painter.drawImage(map, cells); // no smoothing: every sample stays one flat block
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(map.adjusted(0, 0, -1, -1));

    QFont font = painter.font();
    font.setPointSize(9);
    painter.setFont(font);
    const QFontMetrics metrics(font);
    for (int degrees = 0; degrees <= 360; degrees += 45) {
        const int x = mapLeft + degrees * mapWidth / 360;
        painter.drawLine(x, mapTop + mapHeight, x, mapTop + mapHeight + 5);
        const QString label = QString::number(degrees) + QChar(0x00B0);
        painter.drawText(x - metrics.horizontalAdvance(label) / 2, mapTop + mapHeight + 18, label);
    }
    for (int degrees = -90; degrees <= 90; degrees += 30) {
        const int y = mapTop + (90 - degrees) * mapHeight / 180;
        painter.drawLine(mapLeft - 5, y, mapLeft, y);
        const QString label = QString::number(degrees) + QChar(0x00B0);
        painter.drawText(mapLeft - 8 - metrics.horizontalAdvance(label), y + 4, label);
    }
    painter.drawText(QRect(mapLeft, mapTop + mapHeight + 24, mapWidth, 20), Qt::AlignCenter,
                     QStringLiteral("azimuth, degrees"));
    painter.save();
    painter.translate(14, mapTop + mapHeight / 2);
    painter.rotate(-90);
    painter.drawText(QRect(-mapHeight / 2, -10, mapHeight, 20), Qt::AlignCenter, QStringLiteral("elevation, degrees"));
    painter.restore();
    painter.drawText(QRect(mapLeft, 8, mapWidth, 24), Qt::AlignCenter, title);

    ColorBarWidget bar;
    bar.setColorFunction(rcsColor);
    bar.setRange(0.0, maximum);
    bar.render(&painter, QPoint(mapLeft + mapWidth + barGap, mapTop - 30), QRegion(), QWidget::DrawChildren);
    return image;
}
