#pragma once
// The 3-D view of one model drawn into an image, as the tool renders it.

#include "rcspattern.h"
#include "result.h"

#include <QImage>
#include <QSize>

// Needs a QApplication on a display with OpenGL (ensureDrawingApplication(true)). Fails when
// OpenGL is not available.
kalmeno::Result<QImage> renderPlot3D(RcsPattern pattern, QSize size, float rotationX, float rotationY);
