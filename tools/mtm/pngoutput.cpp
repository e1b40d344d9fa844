#include "pngoutput.h"

#include "bufferedoutput.h"

#include <QBuffer>
#include <QByteArray>

namespace mtm {

kalmeno::Status writePng(const QImage& image, const std::string& path)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
        return kalmeno::Status::failure("cannot write " + path + ": the image cannot be encoded");
    return writeWholeFile(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

} // namespace mtm
