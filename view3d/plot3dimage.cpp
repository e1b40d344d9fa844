#include "plot3dimage.h"

#include "colorbarwidget.h"
#include "plot3dwidget.h"

#include <QPainter>

kalmeno::Result<QImage> renderPlot3D(RcsPattern pattern, QSize size, float rotationX, float rotationY)
{
    Plot3DWidget view;
    view.resize(size);
    view.storePattern(std::string(), std::move(pattern));
    view.showPattern(std::string());
    view.setRotation(rotationX, rotationY);

    QImage image = view.grabFramebuffer();
    if (!view.hasOpenGL() || image.isNull())
        return kalmeno::Result<QImage>::failure("OpenGL is not available on this display");
    // The framebuffer holds only the scene; the colour bar is a child widget on top of it.
    image = image.convertToFormat(QImage::Format_ARGB32);
    QPainter painter(&image);
    ColorBarWidget* bar = view.colorBarWidget();
    bar->render(&painter, bar->pos(), QRegion(), QWidget::DrawChildren);
    painter.end();
    return kalmeno::Result<QImage>::success(image);
}
