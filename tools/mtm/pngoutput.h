#pragma once
// Images the commands write: encoded in memory, then written the safe way (bufferedoutput.h), so
// the file name stays the bytes the user gave.

#include "result.h"

#include <QImage>
#include <QString>

#include <functional>
#include <string>

namespace mtm {

// The failure reads "cannot write PATH: reason".
kalmeno::Status writePng(const QImage& image, const std::string& path);

// Draws a flat picture (without a display, offscreen) once the drawing application is up, and
// writes it as above; the failure says why.
kalmeno::Status drawPng(const std::function<QImage()>& draw, const std::string& path);

// The last part of a model's path, for the title of its picture.
QString titleFileName(const std::string& path);

} // namespace mtm
