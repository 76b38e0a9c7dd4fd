// SPDX-License-Identifier: GPL-3.0-or-later
#include "designer/style/phonorecord_mark.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace vm::design {

const QImage &phonorecordMark()
{
    static const QImage mark = [] {
        constexpr int Size = 100;
        const QColor ink(0x40, 0x40, 0x40);
        QImage image(Size, Size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);

        // A ring thick enough to survive being shrunk to a few pixels.
        constexpr qreal Ring = 10;
        painter.setPen(QPen(ink, Ring));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(QRectF(Ring / 2, Ring / 2, Size - Ring, Size - Ring));

        // The letter as an outline, centred on its own bounds rather than on font metrics, so
        // that whichever bold face is installed it sits in the middle of the ring.
        QFont font(QStringLiteral("Arial"));
        font.setBold(true);
        font.setPixelSize(64);
        QPainterPath letter;
        letter.addText(0, 0, font, QStringLiteral("P"));
        const QRectF bounds = letter.boundingRect();
        letter.translate(QPointF(Size, Size) / 2 - bounds.center());
        painter.setPen(Qt::NoPen);
        painter.setBrush(ink);
        painter.drawPath(letter);
        return image;
    }();
    return mark;
}

} // namespace vm::design
