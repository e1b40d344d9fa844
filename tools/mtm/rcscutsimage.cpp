#include "rcscutsimage.h"

#include "gridangles.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <limits>

namespace mtm {

namespace {

constexpr int kImageWidth = 1000;
constexpr int kImageHeight = 470;
constexpr int kPlotWidth = 400;
constexpr int kPlotHeight = 320;
constexpr int kPlotTop = 70;
constexpr double kRangeDb = 50.0; // shown below the top of the scale

struct Cut {
    QString title;
    std::vector<double> angles; // degrees
    std::vector<double> values; // dBsm
    double firstTick, lastTick, tickStep;
};

void drawCut(QPainter& painter, const QRect& plot, const Cut& cut, double topDb)
{
    const double bottomDb = topDb - kRangeDb;
    auto x = [&](double angle) {
        return plot.left() + (angle - cut.firstTick) / (cut.lastTick - cut.firstTick) * plot.width();
    };
    auto y = [&](double db) {
        const double clipped = std::isfinite(db) ? std::clamp(db, bottomDb, topDb) : bottomDb;
        return plot.bottom() - (clipped - bottomDb) / kRangeDb * plot.height();
    };
    painter.fillRect(plot, Qt::white);
    painter.setPen(QPen(QColor(210, 210, 210), 1));
    QFont font = painter.font();
    font.setPointSize(9);
    painter.setFont(font);
    for (double a = cut.firstTick; a <= cut.lastTick + 1e-9; a += cut.tickStep) {
        painter.setPen(QPen(QColor(210, 210, 210), 1));
        painter.drawLine(QPointF(x(a), plot.top()), QPointF(x(a), plot.bottom()));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(x(a) - 30, plot.bottom() + 4, 60, 16), Qt::AlignHCenter, QString::number(a));
    }
    for (double db = bottomDb; db <= topDb + 1e-9; db += 10.0) {
        painter.setPen(QPen(QColor(210, 210, 210), 1));
        painter.drawLine(QPointF(plot.left(), y(db)), QPointF(plot.right(), y(db)));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(plot.left() - 52, y(db) - 8, 46, 16), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(db));
    }
    QPainterPath line;
    for (std::size_t i = 0; i < cut.values.size(); ++i) {
        const QPointF point(x(cut.angles[i]), y(cut.values[i]));
        i == 0 ? line.moveTo(point) : line.lineTo(point);
    }
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(QColor(25, 90, 200), 1.5));
    painter.drawPath(line);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::black);
    painter.drawRect(plot.adjusted(0, 0, -1, -1));
    painter.drawText(QRectF(plot.left(), plot.top() - 22, plot.width(), 18), Qt::AlignHCenter, cut.title);
    painter.drawText(QRectF(plot.left(), plot.bottom() + 22, plot.width(), 18), Qt::AlignHCenter, "degrees");
    painter.save();
    painter.translate(plot.left() - 60, plot.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-60, -16, 120, 16), Qt::AlignHCenter, "dBsm");
    painter.restore();
}

} // namespace

QImage renderRcsCuts(const std::vector<std::vector<double>>& dbsm, const QString& title)
{
    // The peak: the largest finite value (the first one found on a tie).
    std::size_t peakAz = 0, peakEl = 0;
    double peak = -std::numeric_limits<double>::infinity();
    for (std::size_t a = 0; a < dbsm.size(); ++a)
        for (std::size_t e = 0; e < dbsm[a].size(); ++e)
            if (std::isfinite(dbsm[a][e]) && dbsm[a][e] > peak)
                peak = dbsm[a][e], peakAz = a, peakEl = e;
    const double topDb = std::isfinite(peak) ? 10.0 * std::ceil(peak / 10.0 + 0.05) : 0.0;

    const std::size_t countAz = dbsm.size(), countEl = countAz ? dbsm[0].size() : 0;
    Cut azimuth{QStringLiteral("Azimuth cut at elevation %1°").arg(elevationDegrees(peakEl, countEl)), {}, {}, 0, 360,
                45};
    for (std::size_t a = 0; a < countAz; ++a) {
        azimuth.angles.push_back(azimuthDegrees(a, countAz));
        azimuth.values.push_back(dbsm[a][peakEl]);
    }
    Cut elevation{QStringLiteral("Elevation cut at azimuth %1°").arg(azimuthDegrees(peakAz, countAz)), {}, {}, -90,
                  90, 30};
    for (std::size_t e = 0; e < countEl; ++e) {
        elevation.angles.push_back(elevationDegrees(e, countEl));
        elevation.values.push_back(dbsm[peakAz][e]);
    }

    QImage image(kImageWidth, kImageHeight, QImage::Format_RGB32);
    image.fill(QColor(235, 235, 235));
    QPainter painter(&image);
    QFont font = painter.font();
    font.setPointSize(11);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(0, 8, kImageWidth, 24), Qt::AlignHCenter, title);
    if (countAz && countEl) {
        drawCut(painter, QRect(90, kPlotTop, kPlotWidth, kPlotHeight), azimuth, topDb);
        drawCut(painter, QRect(90 + kPlotWidth + 100, kPlotTop, kPlotWidth, kPlotHeight), elevation, topDb);
    }
    return image;
}

} // namespace mtm
