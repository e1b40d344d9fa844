#include "command.h"
#include "drawingapplication.h"
#include "filepattern.h"
#include "plot3dimage.h"
#include "pngoutput.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <cmath>

namespace mtm {

namespace {

constexpr int largestSide = 8192;

kalmeno::Result<QSize> parseSize(const std::string& text)
{
    const QStringList parts = QString::fromStdString(text).split('x');
    bool widthOk = false;
    bool heightOk = false;
    const int width = parts.size() == 2 ? parts[0].toInt(&widthOk) : 0;
    const int height = parts.size() == 2 ? parts[1].toInt(&heightOk) : 0;
    if (!widthOk || !heightOk || width < 1 || height < 1 || width > largestSide || height > largestSide)
        return kalmeno::Result<QSize>::failure("--size: expected WIDTHxHEIGHT in pixels, each 1 … " +
                                               std::to_string(largestSide) + ", not \"" + text + "\"");
    return kalmeno::Result<QSize>::success(QSize(width, height));
}

kalmeno::Result<QPointF> parseRotation(const std::string& text)
{
    const QStringList parts = QString::fromStdString(text).split(',');
    bool xOk = false;
    bool yOk = false;
    const double x = parts.size() == 2 ? parts[0].toDouble(&xOk) : 0;
    const double y = parts.size() == 2 ? parts[1].toDouble(&yOk) : 0;
    if (!xOk || !yOk || !std::isfinite(x) || !std::isfinite(y) || std::fabs(x) > 1e6 || std::fabs(y) > 1e6)
        return kalmeno::Result<QPointF>::failure("--rotate: expected X,Y in degrees, not \"" + text + "\"");
    return kalmeno::Result<QPointF>::success(QPointF(x, y));
}

int runView(const CommandLine& line, std::ostream&, std::ostream& err)
{
    const auto png = line.value("--png");
    if (!png)
        return reportError(err, "view", "--png OUT is required", ExitUsage);
    QSize size(800, 600);
    if (const auto text = line.value("--size")) {
        const auto parsed = parseSize(*text);
        if (!parsed)
            return reportError(err, "view", parsed.error(), ExitUsage);
        size = parsed.value();
    }
    QPointF rotation(25.0, -48.0);
    if (const auto text = line.value("--rotate")) {
        const auto parsed = parseRotation(*text);
        if (!parsed)
            return reportError(err, "view", parsed.error(), ExitUsage);
        rotation = parsed.value();
    }

    const std::string& path = line.operand(0);
    auto file = ostrell::MtmFileReader::open(path);
    if (!file)
        return reportError(err, "view", "cannot read " + path + ": " + file.error(), ExitFailure);
    const ostrell::MtmHeader& header = file->header();

    // Only the pattern itself is held, never the model.
    RcsPattern pattern;
    pattern.reserve(header.pointCount ? header.countAz : 0);
    const auto computed = computeFilePattern(
        file.value(),
        [&](std::uint32_t, std::uint32_t rowCount, const double* decibels) {
            for (std::uint32_t row = 0; row < rowCount; ++row, decibels += header.countEl)
                pattern.emplace_back(decibels, decibels + header.countEl);
            return kalmeno::Status::success();
        });
    if (!computed)
        return reportError(err, "view", path + ": " + computed.error(), ExitFailure);

    const kalmeno::Status application = ensureDrawingApplication(true);
    if (!application)
        return reportError(err, "view", application.error(), ExitFailure);
    const auto image = renderPlot3D(std::move(pattern), size, float(rotation.x()), float(rotation.y()));
    if (!image)
        return reportError(err, "view", path + ": " + image.error(), ExitFailure);
    if (auto written = writePng(image.value(), *png); !written)
        return reportError(err, "view", written.error(), ExitFailure);
    return ExitSuccess;
}

} // namespace

Command viewCommand()
{
    return {"view",
            "FILE --png OUT [--size WxH] [--rotate X,Y]",
            "draw the model's 3-D RCS view into an image (needs a display)",
            "Draws the 3-D view of the model's RCS pattern, with its reference circles, axes and\n"
            "dB colour bar, into a PNG image. OpenGL needs a display: run it under xvfb-run -a\n"
            "where there is none.\n"
            "\n"
            "  --png OUT       the image to write\n"
            "  --size WxH      image size in pixels (default 800x600)\n"
            "  --rotate X,Y    turn the scene X degrees about x and Y about y (default 25,-48)\n",
            {{"--png", true}, {"--size", true}, {"--rotate", true}},
            1,
            runView};
}

} // namespace mtm
