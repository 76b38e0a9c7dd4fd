#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace vm {

// The outcome of loading a picture: the image, or why there is none.
struct PictureLoad
{
    QImage image;
    QString error; // empty on success

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
// waited on; so is a picture larger than PictureLargestPixels. When `fitWithin` is valid the
// picture is decoded no larger than that size, keeping its proportions, which keeps big photos
// quick to decode and small in memory.
PictureLoad loadPicture(const QString &path, QSize fitWithin = QSize());

} // namespace vm
