// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <functional>

namespace vm {

// The outcome of loading a picture: the image, or why there is none.
struct PictureLoad
{
    QImage image;
    QString error;  // empty on success
    QSize fullSize; // the picture's own size, when the file says it

    bool ok() const { return error.isEmpty(); }
};

// A picture is decoded only when its decoding needs no more memory than this: what the
// decoder holds of the full picture (a baseline JPEG nothing but a strip, a progressive JPEG
// every coefficient, other formats every pixel) plus the image it returns and the copy that is
// resampled to the size asked. Real photos of 100 megapixels and more fit.
inline constexpr int PictureMemoryBudgetMiB = 1024;
// Nor is a picture of more than 2^29 pixels (some 537 megapixels, 32768 x 16384), whatever
// memory it needs: the decoder works through every block of the full picture however small
// it decodes it (an empty 50000 x 50000 JPEG, decoded at an eighth, took 1.6 s and 149 MiB).
inline constexpr qint64 PictureLargestPixels = qint64(1) << 29;

// Loads a picture through Qt's image readers (JPEG, GIF, BMP and every other format Qt
// reads). Only regular files are read: a folder, a device or a FIFO is refused at once, never
// waited on; so is a picture beyond either limit above, as its header tells. When `detail` is
// valid the picture is decoded only as large as it must be to have at least that many pixels
// across and down (never larger than it is), keeping its proportions: big photos then decode
// quickly and stay small in memory. A JPEG is decoded with `jpegDetail` instead when that is
// valid: it decodes at an eighth of its size for a fraction of the work, so the caller can show
// it at once and decode `detail` later; other formats decode whole either way and get `detail`.
// `stop`, when given, is asked as the file is read (from any thread): once it says true the
// decode ends early and fails, so a decode nobody wants no longer holds a thread.
PictureLoad loadPicture(const QString &path, QSize detail = QSize(), QSize jpegDetail = QSize(),
                        const std::function<bool()> &stop = {});

// The size a picture of `full` pixels decodes at to give `detail`: the smallest eighth of its
// size (1/8, 2/8, ... 8/8) that is at least `detail` both ways. JPEG decodes eighths directly,
// so such a size needs no second resampling pass.
QSize decodeSize(QSize full, QSize detail);

} // namespace vm
