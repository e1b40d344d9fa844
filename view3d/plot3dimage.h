#pragma once
// The 3-D view of one model drawn into an image, as the tool renders it.

#include "result.h"
#include "tmtm.h"

#include <QImage>
#include <QSize>

// Needs a QApplication on a display with OpenGL (ensureDrawingApplication(true)). Fails for a
// model whose pattern cannot be computed or when OpenGL is not available.
kalmeno::Result<QImage> renderPlot3D(const TMtm& mtm, QSize size, float rotationX, float rotationY);
