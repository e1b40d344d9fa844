#pragma once
// Drawing outside the GUI (the command-line tool) still needs a Qt application object: fonts and
// widgets refuse to work without one.

#include "result.h"

#include <memory>

class QApplication;

// Makes sure a QApplication exists for as long as this object lives, creating one when there is
// none. With `needsOpenGL` a display is required (a QOpenGLWidget cannot draw on the offscreen
// platform); without it, a missing display falls back to the offscreen platform. Failures are
// reported by status() instead of letting Qt abort the process.
class DrawingApplication {
public:
    explicit DrawingApplication(bool needsOpenGL);
    ~DrawingApplication();
    DrawingApplication(const DrawingApplication&) = delete;
    DrawingApplication& operator=(const DrawingApplication&) = delete;

    const kalmeno::Status& status() const { return status_; }

private:
    std::unique_ptr<QApplication> owned_;
    kalmeno::Status status_ = kalmeno::Status::success();
};
