#!/bin/sh
# Rebuilds icons/Kalmeno.ico from icons/kalmeno.svg (run after editing the mark).
# Qt writes one image per .ico, so each size is written alone and the entries are packed into one file.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat > "$work/make_icon.cpp" <<'EOF'
#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QSvgRenderer>
#include <QtEndian>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) return 1;
    const QList<int> sizes{16, 24, 32, 48, 64, 128};
    QByteArray directory, images;
    for (int size : sizes) {
        QImage image(size, size, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter);
        painter.end();
        QByteArray single;
        QBuffer buffer(&single);
        buffer.open(QIODevice::WriteOnly);
        if (!QImageWriter(&buffer, "ico").write(image)) return 2;
        directory += single.mid(6, 16);
        QByteArray bitmap = single.mid(qFromLittleEndian<quint32>(single.constData() + 18),
                                       qFromLittleEndian<quint32>(single.constData() + 14));
        // Qt leaves the row padding of the transparency mask uninitialised; zero it so the file is reproducible.
        const int maskStart = 40 + size * size * 4, maskStride = (size + 31) / 32 * 4, maskUsed = (size + 7) / 8;
        if (bitmap.size() != maskStart + size * maskStride) return 5;
        for (int row = 0; row < size; ++row)
            for (int i = maskUsed; i < maskStride; ++i) bitmap[maskStart + row * maskStride + i] = 0;
        images += bitmap;
    }
    QByteArray out(6, 0);
    qToLittleEndian<quint16>(1, out.data() + 2);
    qToLittleEndian<quint16>(quint16(sizes.size()), out.data() + 4);
    quint32 offset = quint32(6 + directory.size());
    for (int i = 0; i < sizes.size(); ++i) {
        char* entry = directory.data() + 16 * i;
        const quint32 length = qFromLittleEndian<quint32>(entry + 8);
        qToLittleEndian<quint32>(offset, entry + 12);
        offset += length;
    }
    out += directory + images;
    QFile file(QString::fromLocal8Bit(argv[2]));
    if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size()) return 3;
    file.close();
    return QImageReader(file.fileName()).imageCount() == sizes.size() ? 0 : 4;
}
EOF
g++ -std=c++17 -fPIC "$work/make_icon.cpp" -o "$work/make_icon" $(pkg-config --cflags --libs Qt5Gui Qt5Svg)
QT_QPA_PLATFORM=offscreen "$work/make_icon" "$here/icons/kalmeno.svg" "$here/icons/Kalmeno.ico"
