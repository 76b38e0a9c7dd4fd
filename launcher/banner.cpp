// SPDX-License-Identifier: GPL-3.0-or-later
#include "launcher/banner.h"

#include <QConicalGradient>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace vm::launcher {

namespace {

constexpr int Width = 342;
constexpr int Height = 65;

void drawDisc(QPainter &p, QPointF centre, qreal radius)
{
    // A pressed disc catches the light in bands of colour around its centre.
    QConicalGradient sheen(centre, 30);
    sheen.setColorAt(0.00, QColor(0xEC, 0xEC, 0xF2));
    sheen.setColorAt(0.12, QColor(0xC8, 0xD8, 0xF4));
    sheen.setColorAt(0.25, QColor(0xF6, 0xF6, 0xF6));
    sheen.setColorAt(0.38, QColor(0xF4, 0xD6, 0xC4));
    sheen.setColorAt(0.50, QColor(0xE2, 0xE2, 0xEA));
    sheen.setColorAt(0.62, QColor(0xCF, 0xE9, 0xD2));
    sheen.setColorAt(0.75, QColor(0xF6, 0xF6, 0xF6));
    sheen.setColorAt(0.88, QColor(0xE6, 0xD2, 0xF0));
    sheen.setColorAt(1.00, QColor(0xEC, 0xEC, 0xF2));
    p.setPen(QPen(QColor(0x80, 0x80, 0x90), 1.0));
    p.setBrush(sheen);
    p.drawEllipse(centre, radius, radius);

    p.setPen(QPen(QColor(0xA8, 0xA8, 0xB4), 0.8));
    p.setBrush(QColor(255, 255, 255, 170));
    p.drawEllipse(centre, radius * 0.36, radius * 0.36);
    p.setBrush(QColor(0xFF, 0xEE, 0xDD));
    p.drawEllipse(centre, radius * 0.15, radius * 0.15);
}

void drawJewelCase(QPainter &p, const QRectF &box)
{
    // The case with the front insert behind its lid: a picture, a headline and two rules.
    p.setPen(QPen(QColor(0x5A, 0x5A, 0x6A), 1.2));
    p.setBrush(QColor(0xFA, 0xFA, 0xFC));
    p.drawRoundedRect(box, 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x5A, 0x5A, 0x6A));
    p.drawRect(QRectF(box.left(), box.top(), 5, box.height()));

    const QRectF insert = box.adjusted(8, 4, -4, -4);
    p.setBrush(Qt::white);
    p.setPen(QPen(QColor(0xB0, 0xB0, 0xBC), 0.8));
    p.drawRect(insert);

    const QRectF picture(insert.left() + 4, insert.top() + 9, insert.width() - 8,
                         insert.height() * 0.48);
    QLinearGradient sky(picture.topLeft(), picture.bottomLeft());
    sky.setColorAt(0, QColor(0x6F, 0xA8, 0xE0));
    sky.setColorAt(1, QColor(0xD8, 0xEC, 0xFA));
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawRect(picture);
    p.setBrush(QColor(0xFF, 0xC8, 0x30));
    p.drawEllipse(QPointF(picture.right() - 7, picture.top() + 6), 3.2, 3.2);
    QPainterPath hill;
    hill.moveTo(picture.bottomLeft());
    hill.cubicTo(QPointF(picture.left() + picture.width() * 0.3, picture.top() + 8),
                 QPointF(picture.left() + picture.width() * 0.6, picture.bottom() - 2),
                 picture.bottomRight());
    hill.closeSubpath();
    p.setBrush(QColor(0x5E, 0xA8, 0x52));
    p.drawPath(hill);

    p.setPen(QPen(QColor(0xC0, 0x1C, 0x1C), 2.0));
    p.drawLine(QPointF(insert.left() + 8, insert.top() + 4.5),
               QPointF(insert.right() - 8, insert.top() + 4.5));
    p.setPen(QPen(QColor(0x33, 0x33, 0x33), 1.2));
    const qreal y = picture.bottom() + 5;
    p.drawLine(QPointF(insert.left() + 4, y), QPointF(insert.right() - 4, y));
    p.setPen(QPen(QColor(0x90, 0x90, 0x9A), 0.8));
    p.drawLine(QPointF(insert.left() + 6, y + 4), QPointF(insert.center().x() - 2, y + 4));
    p.drawLine(QPointF(insert.center().x() + 2, y + 4), QPointF(insert.right() - 6, y + 4));
}

} // namespace

QPixmap drawBanner(qreal devicePixelRatio)
{
    QPixmap pixmap(QSize(Width, Height) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);

    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);

    const QRectF band(0.75, 0.75, Width - 1.5, Height - 1.5);
    QLinearGradient warm(band.topLeft(), band.bottomLeft());
    warm.setColorAt(0, QColor(0xFF, 0xFA, 0xF3));
    warm.setColorAt(1, QColor(0xFF, 0xCF, 0x9E));
    p.setPen(QPen(QColor(0xB8, 0x4A, 0x3A), 1.5));
    p.setBrush(warm);
    p.drawRoundedRect(band, 10, 10);

    drawDisc(p, QPointF(36, Height / 2.0), 26);
    drawJewelCase(p, QRectF(282, 7, 52, 51));
    return pixmap;
}

} // namespace vm::launcher
