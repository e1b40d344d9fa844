#pragma once
// Drawing outside the GUI (the command-line tool) still needs a Qt application object: fonts and
// widgets refuse to work without one.

#include "result.h"

// Makes sure a QApplication exists, creating one when there is none; it lives until the process
// ends (tearing it down after OpenGL use trips over the display libraries' own clean-up). With
// `needsOpenGL` a display is required (a QOpenGLWidget cannot draw on the offscreen platform);
// without it, a missing display falls back to the offscreen platform. Fails with a reason instead
// of letting Qt abort the process.
kalmeno::Status ensureDrawingApplication(bool needsOpenGL);
