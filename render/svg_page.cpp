// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/svg_page.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>

namespace vm::render {

PrintResult writeSvgPage(const QString &path, const QSizeF &size, const QString &title,
                         const PagePaint &paint)
{
    // Made in memory first: the generator does not report a failed write.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setResolution(96);
    svg.setSize(size.toSize());
    svg.setViewBox(QRectF(QPointF(), size));
    svg.setTitle(title);
    svg.setDescription(QCoreApplication::applicationName());
    QPainter painter;
    if (!painter.begin(&svg))
        return {QStringLiteral("The SVG drawing could not be started.")};
    drawPage(painter, 96, QRectF(QPointF(), size), paint);
    painter.end();

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {file.errorString()};
    if (file.write(buffer.data()) != buffer.data().size() || !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return {reason};
    }
    if (!file.commit())
        return {file.errorString()};
    return {};
}

} // namespace vm::render
