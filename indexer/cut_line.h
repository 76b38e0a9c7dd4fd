// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/colours.h"

#include <QPoint>
#include <QWidget>

namespace vm::indexer {

// A straight line between two points of its window, drawn one pixel wide through both end
// points. It is a widget of its own so that showing or hiding it is all it takes to put it on
// or off the printed card.
class CutLine : public QWidget
{
    Q_OBJECT

public:
    CutLine(QPoint from, QPoint to, Qt::PenStyle style, ColorRef colour, QWidget *parent);

    void setEnds(QPoint from, QPoint to);
    QPoint from() const { return m_from; }
    QPoint to() const { return m_to; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPoint m_from;
    QPoint m_to;
    Qt::PenStyle m_style;
    ColorRef m_colour;
};

} // namespace vm::indexer
