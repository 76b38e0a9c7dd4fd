// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/pictures.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QImageReader>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace vm {

namespace {

// The file a decoder reads, which stops giving data once the decode is no longer wanted.
class StoppableFile : public QFile
{
public:
    explicit StoppableFile(const std::function<bool()> &stop) : m_stop(stop) {}

protected:
    qint64 readData(char *data, qint64 size) override
    {
        if (m_stop && m_stop()) {
            setErrorString(QCoreApplication::translate("vm::Pictures", "Stopped."));
            return -1;
        }
        return QFile::readData(data, size);
    }

private:
    const std::function<bool()> &m_stop;
};

QString tr(const char *text)
{
    return QCoreApplication::translate("vm::Pictures", text);
}

qint64 area(QSize size)
{
    return qint64(std::max(size.width(), 0)) * std::max(size.height(), 0);
}

// How a JPEG is laid out, as far as the memory of decoding it goes, from its markers up to its
// first scan. Written in one scan (baseline), it decodes strip by strip, straight at an eighth
// of its size; written in several (progressive, or a scan per component), every coefficient of
// the full picture is kept until the last scan.
struct JpegLayout
{
    bool read = false; // its frame and first scan were found
    bool oneScan = false;
    qint64 coefficientBytes = 0;
};

JpegLayout readJpegLayout(QIODevice &device)
{
    JpegLayout layout;
    const auto next = [&device](int &value) {
        char c = 0;
        const bool read = device.getChar(&c);
        value = quint8(c);
        return read;
    };
    int value = 0;
    if (!next(value) || value != 0xFF || !next(value) || value != 0xD8)
        return layout;
    bool oneScanFrame = false;
    qint64 width = 0, height = 0;
    std::vector<std::pair<int, int>> sampling; // each component's, across and down
    for (int markers = 0; markers < 4096; ++markers) {
        int marker = 0;
        do { // 0xFF, any fill of 0xFF, then the marker's code
            if (!next(marker))
                return layout;
        } while (marker != 0xFF);
        do {
            if (!next(marker))
                return layout;
        } while (marker == 0xFF);
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) // no length follows
            continue;
        int high = 0, low = 0;
        if (marker == 0xD9 || !next(high) || !next(low) || (high << 8 | low) < 2)
            return layout;
        const int length = (high << 8 | low) - 2;
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (!frame && marker != 0xDA) {
            if (!device.seek(device.pos() + length))
                return layout;
            continue;
        }
        const QByteArray segment = device.read(length);
        const auto at = [&segment](int i) {
            return i < segment.size() ? int(quint8(segment[i])) : 0;
        };
        if (frame) {
            // Sequential frames, Huffman or arithmetic coded; the others keep whole pictures.
            oneScanFrame = marker == 0xC0 || marker == 0xC1 || marker == 0xC9;
            height = at(1) << 8 | at(2);
            width = at(3) << 8 | at(4);
            sampling.clear();
            for (int c = 0; c < at(5); ++c)
                sampling.emplace_back(std::clamp(at(7 + 3 * c) >> 4, 1, 4),
                                      std::clamp(at(7 + 3 * c) & 15, 1, 4));
            continue;
        }
        if (sampling.empty())
            return layout;
        // The first scan holds every component, or the others follow in scans of their own.
        layout.read = true;
        layout.oneScan = oneScanFrame && at(0) == int(sampling.size());
        int across = 1, down = 1;
        for (const auto &[h, v] : sampling) {
            across = std::max(across, h);
            down = std::max(down, v);
        }
        // Whole units of 8 x 8 blocks per sampling step, two bytes a coefficient.
        const qint64 columns = (width + 8 * across - 1) / (8 * across);
        const qint64 rows = (height + 8 * down - 1) / (8 * down);
        for (const auto &[h, v] : sampling)
            layout.coefficientBytes += columns * h * rows * v * 64 * 2;
        return layout;
    }
    return layout;
}

// The most memory decoding a picture of `full` pixels at `decoded` takes: the image it returns,
// what the decoder holds of the full picture meanwhile, the image it resamples from when
// another size is asked for, and the copy that turns it upright.
qint64 decodeBytes(QImageReader &reader, const JpegLayout &jpeg, QSize full, QSize decoded)
{
    // Four bytes a pixel, eight for sixteen bits a channel. A reader that cannot tell (GIF)
    // decodes to four; one whose header failed may name no format at all, not even an invalid
    // one.
    const QImage::Format format = reader.imageFormat();
    const bool known = format > QImage::Format_Invalid && format < QImage::NImageFormats;
    const qint64 perPixel =
        known ? std::max(4, QImage::toPixelFormat(format).bitsPerPixel() / 8) : 4;
    const qint64 image = area(decoded) * perPixel;
    qint64 held = 0;
    if (reader.format() == "jpeg") {
        if (decoded != full)
            held += image; // the eighth it is resampled from
        if (!jpeg.oneScan) // unread: four full-resolution components, two bytes a sample
            held += jpeg.read ? jpeg.coefficientBytes : area(full) * 4 * 2;
    } else if (decoded != full) {
        held += area(full) * perPixel;
    }
    if (reader.transformation() != QImageIOHandler::TransformationNone)
        held += image;
    return image + held;
}

} // namespace

QSize decodeSize(QSize full, QSize detail)
{
    for (qint64 eighths = 1; eighths < 8; ++eighths) {
        const QSize size(int(full.width() * eighths / 8), int(full.height() * eighths / 8));
        if (size.width() >= std::max(detail.width(), 1) &&
            size.height() >= std::max(detail.height(), 1))
            return size;
    }
    return full;
}

PictureLoad loadPicture(const QString &path, QSize detail, QSize jpegDetail,
                        const std::function<bool()> &stop)
{
    PictureLoad result;
    if (path.isEmpty()) {
        result.error = tr("No file name was given.");
        return result;
    }

    // Open without blocking and check what was opened: opening a FIFO for reading would
    // otherwise wait for a writer, and a device could be read forever.
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        result.error = QString::fromLocal8Bit(std::strerror(errno));
        return result;
    }
    struct stat info = {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        result.error = S_ISDIR(info.st_mode) ? tr("It is a folder, not a picture file.")
                                             : tr("It is not a regular file.");
        return result;
    }
    StoppableFile file(stop);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        result.error = file.errorString();
        return result;
    }

    // A GIF's frames are drawn onto its logical screen, the picture its decoder holds; the
    // reader tells only the first frame's size.
    const QByteArray head = file.peek(10);
    const auto word = [&head](int at) { return uchar(head[at]) | uchar(head[at + 1]) << 8; };
    const QSize screen =
        head.size() == 10 && head.startsWith("GIF8") ? QSize(word(6), word(8)) : QSize();
    // A JPEG's layout decides what decoding it holds; the reader then starts from the top.
    const JpegLayout jpeg = readJpegLayout(file);
    if (!file.seek(0)) {
        result.error = file.errorString();
        return result;
    }
    QImageReader reader(&file);
    reader.setAllocationLimit(PictureMemoryBudgetMiB);
    reader.setAutoTransform(true);
    // Sizes are read as stored; a picture stored on its side is shown turned upright.
    const QSize stored = screen.isValid() ? reader.size().expandedTo(screen) : reader.size();
    if (stored.isValid() && area(stored) > PictureLargestPixels) {
        result.error = tr("The picture is too large (%1 x %2 pixels).")
                           .arg(stored.width())
                           .arg(stored.height());
        return result;
    }
    const bool turned = reader.transformation() & QImageIOHandler::TransformationRotate90;
    result.fullSize = turned ? stored.transposed() : stored;
    QSize decoded = stored;
    if (jpegDetail.isValid() && reader.format() == "jpeg")
        detail = jpegDetail;
    if (detail.isValid() && !stored.isEmpty()) {
        decoded = decodeSize(stored, turned ? detail.transposed() : detail);
        if (decoded != stored)
            reader.setScaledSize(decoded);
    }
    if (const qint64 need = stored.isValid() ? decodeBytes(reader, jpeg, stored, decoded) : 0;
        need > qint64(PictureMemoryBudgetMiB) * 1024 * 1024) {
        result.error = tr("Decoding the picture would take %1 MiB of memory.")
                           .arg((need + 1024 * 1024 - 1) / (1024 * 1024));
        return result;
    }
    QImage image = reader.read();
    if (image.isNull()) {
        result.error = reader.errorString();
        return result;
    }
    result.image = std::move(image);
    return result;
}

} // namespace vm
