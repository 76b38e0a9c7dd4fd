#include "designer/document/design_window.h"

#include "toolkit/pictures.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <limits>

namespace vm::design {

namespace {

// Pictures print at up to 600 dpi; a design pixel is 1/96 inch.
constexpr double PrintDetail = 600.0 / 96.0;

// A decoded picture remembers the file it came from, the size it has there, and the file's
// length and modification time, so that it can be decoded again with more detail when its box
// grows, and only from the very file it came from.
const QString SourceKey = QStringLiteral("vm-source");
const QString SourceWidthKey = QStringLiteral("vm-source-width");
const QString SourceHeightKey = QStringLiteral("vm-source-height");
const QString SourceBytesKey = QStringLiteral("vm-source-bytes");
const QString SourceModifiedKey = QStringLiteral("vm-source-modified");

QString modifiedStamp(const QFileInfo &file)
{
    return QString::number(file.lastModified().toMSecsSinceEpoch());
}

// The pixels a picture needs across and down to print a box of `box` design pixels at full
// detail. The picture is stretched into the box, so each direction counts on its own.
QSize printDetail(QSizeF box)
{
    // A box far beyond any paper (a damaged design file can make one) asks for no more than
    // an int holds; the loader never decodes beyond the picture's own size anyway.
    const auto pixels = [](double length) {
        const double wanted = std::ceil(std::max(1.0, length) * PrintDetail);
        return int(std::min(wanted, double(std::numeric_limits<int>::max())));
    };
    return QSize(pixels(box.width()), pixels(box.height()));
}

bool covers(QSize size, QSize detail)
{
    return size.width() >= detail.width() && size.height() >= detail.height();
}

} // namespace

vm::PictureLoad DesignWindow::loadPictureInto(vm::Element &box, const QString &path, QSizeF size)
{
    // Decode no larger than the box needs on paper: a big photo then decodes quickly and stays
    // small in memory, and the printed page still gets all the detail it can show.
    // Taken before reading: a change while the picture decodes then never passes for this one.
    const QFileInfo file(path);
    const QString bytes = QString::number(file.size()), modified = modifiedStamp(file);
    vm::PictureLoad loaded =
        vm::loadPicture(path, printDetail(size.isValid() ? size : box.rect().size()));
    if (!loaded.ok())
        return loaded;
    loaded.image.setText(SourceKey, path);
    loaded.image.setText(SourceWidthKey, QString::number(loaded.fullSize.width()));
    loaded.image.setText(SourceHeightKey, QString::number(loaded.fullSize.height()));
    loaded.image.setText(SourceBytesKey, bytes);
    loaded.image.setText(SourceModifiedKey, modified);
    box.setPicture(loaded.image);
    return loaded;
}

void DesignWindow::keepMainPictureDetail()
{
    // Only when the box has outgrown the decoded picture and the file holds more; a file that
    // is gone or changed meanwhile leaves the picture as it is.
    const QImage &picture = Image1->picture();
    const QString source = picture.text(SourceKey);
    if (picture.isNull() || source.isEmpty() ||
        covers(picture.size(), printDetail(Image1->rect().size())))
        return;
    const QSize full(picture.text(SourceWidthKey).toInt(), picture.text(SourceHeightKey).toInt());
    if (covers(picture.size(), full))
        return;
    const QFileInfo file(source);
    if (!file.exists() || QString::number(file.size()) != picture.text(SourceBytesKey) ||
        modifiedStamp(file) != picture.text(SourceModifiedKey))
        return;
    loadPictureInto(*Image1, source);
}

} // namespace vm::design
