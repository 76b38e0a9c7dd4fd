// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/hostile_pictures.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QtEndian>

namespace vm::test {

QByteArray encodedPicture(const char *format, QSize size, bool progressive)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, (x * y) % 256));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setProgressiveScanWrite(progressive);
    if (!writer.write(image))
        qFatal("cannot write a %s picture", format);
    return bytes;
}

QByteArray withJpegSize(QByteArray jpeg, int width, int height)
{
    qsizetype frame = jpeg.indexOf("\xFF\xC0");
    if (frame < 0)
        frame = jpeg.indexOf("\xFF\xC2"); // progressive
    if (frame < 0)
        qFatal("no JPEG frame header");
    qToBigEndian<quint16>(quint16(height), jpeg.data() + frame + 5);
    qToBigEndian<quint16>(quint16(width), jpeg.data() + frame + 7);
    return jpeg;
}

namespace {

quint32 crc32(QByteArrayView bytes)
{
    quint32 crc = 0xFFFFFFFF;
    for (const char byte : bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = crc & 1 ? (crc >> 1) ^ 0xEDB88320 : crc >> 1;
    }
    return ~crc;
}

} // namespace

QByteArray withPngSize(QByteArray png, int width, int height)
{
    // The header chunk follows the 8-byte signature: length, "IHDR", width, height, ..., CRC.
    qToBigEndian<quint32>(quint32(width), png.data() + 16);
    qToBigEndian<quint32>(quint32(height), png.data() + 20);
    qToBigEndian<quint32>(crc32(QByteArrayView(png).sliced(12, 17)), png.data() + 29);
    return png;
}

QByteArray withBmpSize(QByteArray bmp, int width, int height)
{
    qToLittleEndian<qint32>(width, bmp.data() + 18);
    qToLittleEndian<qint32>(height, bmp.data() + 22);
    return bmp;
}

QByteArray framesGif(QSize screen, int frames)
{
    QByteArray bytes("GIF89a");
    auto word = [&bytes](int value) {
        bytes += char(value & 0xFF);
        bytes += char(value >> 8 & 0xFF);
    };
    word(screen.width());
    word(screen.height());
    bytes += QByteArray("\x80\x00\x00", 3);             // a two-colour table follows
    bytes += QByteArray("\x00\x00\x00\xFF\xFF\xFF", 6); // black, white
    for (int i = 0; i < frames; ++i) {
        bytes += QByteArray("\x21\xF9\x04\x00\x0A\x00\x00\x00", 8); // shown for 0.1 s
        bytes += '\x2C';
        word(i % screen.width());
        word(i / screen.width() % screen.height());
        word(1);
        word(1);
        bytes += '\x00';
        // Minimum code size 2, then clear, pixel 1 and end as three 3-bit codes.
        bytes += QByteArray("\x02\x02\x4C\x01\x00", 5);
    }
    bytes += '\x3B';
    return bytes;
}

} // namespace vm::test
