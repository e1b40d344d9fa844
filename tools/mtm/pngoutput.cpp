#include "pngoutput.h"

#include "bufferedoutput.h"
#include "drawingapplication.h"

#include <QBuffer>
#include <QByteArray>
#include <QFileInfo>

namespace mtm {

kalmeno::Status writePng(const QImage& image, const std::string& path)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
        return kalmeno::Status::failure("cannot write " + path + ": the image cannot be encoded");
    return writeWholeFile(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

kalmeno::Status drawPng(const std::function<QImage()>& draw, const std::string& path)
{
    if (auto application = ensureDrawingApplication(false); !application)
        return application;
    return writePng(draw(), path);
}

QString titleFileName(const std::string& path)
{
    return QFileInfo(QString::fromLocal8Bit(path.c_str())).fileName();
}

} // namespace mtm
