// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Picture files made to be hostile: real pictures whose headers claim another size, and GIFs
// with any number of frames. Shared by the toolkit's and the designer's hostile-input tests.

#include <QByteArray>
#include <QSize>

namespace vm::test {

// A real picture of the given format, with some detail in it.
QByteArray encodedPicture(const char *format, QSize size = {200, 100}, bool progressive = false);

// The same bytes with the size in the header changed (and, for PNG, its checksum fixed), so
// a decoder believes the picture has that size whatever its data holds.
QByteArray withJpegSize(QByteArray jpeg, int width, int height);
QByteArray withPngSize(QByteArray png, int width, int height);
QByteArray withBmpSize(QByteArray bmp, int width, int height);

// A GIF of `frames` one-pixel frames on a screen of the given size.
QByteArray framesGif(QSize screen, int frames);

} // namespace vm::test
