#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace vm {

// The outcome of loading a picture: the image, or why there is none.
struct PictureLoad
{
    QImage image;
    QString error;  // empty on success
    QSize fullSize; // the picture's own size, when the file says it

    bool ok() const { return error.isEmpty(); }
};

// Decoding never allocates more than this, so an enormous or hostile picture is refused
// instead of exhausting memory.
inline constexpr int PictureAllocationLimitMiB = 256;
// Nor is a picture decoded whose full size would not fit that limit at four bytes a pixel
// (8192 x 8192), whatever size it is asked for at.
inline constexpr qint64 PictureLargestPixels = qint64(PictureAllocationLimitMiB) * 1024 * 1024 / 4;

// Loads a picture through Qt's image readers (JPEG, GIF, BMP and every other format Qt
// reads). Only regular files are read: a folder, a device or a FIFO is refused at once, never
// waited on; so is a picture larger than PictureLargestPixels. When `detail` is valid the
// picture is decoded only as large as it must be to have at least that many pixels across and
// down (never larger than it is), keeping its proportions: big photos then decode quickly and
// stay small in memory.
PictureLoad loadPicture(const QString &path, QSize detail = QSize());

// The size a picture of `full` pixels decodes at to give `detail`: the smallest eighth of its
// size (1/8, 2/8, ... 8/8) that is at least `detail` both ways. JPEG decodes eighths directly,
// so such a size needs no second resampling pass.
QSize decodeSize(QSize full, QSize detail);

} // namespace vm
