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

namespace vm {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("vm::Pictures", text);
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

PictureLoad loadPicture(const QString &path, QSize detail)
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
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        result.error = file.errorString();
        return result;
    }

    QImageReader reader(&file);
    reader.setAllocationLimit(PictureAllocationLimitMiB);
    reader.setAutoTransform(true);
    // Sizes are read as stored; a picture stored on its side is shown turned upright.
    const QSize stored = reader.size();
    // A decoder works at the picture's full size even when asked for a smaller image (a
    // progressive JPEG keeps every coefficient of it), so the limit holds for the full size too.
    if (stored.isValid() && qint64(stored.width()) * stored.height() > PictureLargestPixels) {
        result.error = tr("The picture is too large (%1 x %2 pixels).")
                           .arg(stored.width())
                           .arg(stored.height());
        return result;
    }
    const bool turned = reader.transformation() & QImageIOHandler::TransformationRotate90;
    result.fullSize = turned ? stored.transposed() : stored;
    if (detail.isValid() && !stored.isEmpty()) {
        const QSize size = decodeSize(stored, turned ? detail.transposed() : detail);
        if (size != stored)
            reader.setScaledSize(size);
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
