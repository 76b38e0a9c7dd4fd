// SPDX-License-Identifier: GPL-3.0-or-later
#include "indexer/cut_line.h"

#include <QPainter>

namespace vm::indexer {

CutLine::CutLine(QPoint from, QPoint to, Qt::PenStyle style, ColorRef colour, QWidget *parent)
    : QWidget(parent), m_style(style), m_colour(colour)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setEnds(from, to);
}

void CutLine::setEnds(QPoint from, QPoint to)
{
    m_from = from;
    m_to = to;
    setGeometry(QRect(from, to).normalized());
    update();
}

void CutLine::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // A 1-pixel pen scaled with the painter: on paper the line is 1/96 inch wide at any
    // printer resolution, not one printer dot.
    QPen pen(toQColor(m_colour, palette()), 1.0, m_style, Qt::SquareCap);
    pen.setCosmetic(false);
    painter.setPen(pen);
    // Through the centres of the end pixels; square caps cover those pixels whole.
    const QPointF centre(0.5, 0.5);
    painter.drawLine(QPointF(m_from - pos()) + centre, QPointF(m_to - pos()) + centre);
}

} // namespace vm::indexer
