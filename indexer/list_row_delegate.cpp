// SPDX-License-Identifier: GPL-3.0-or-later
#include "indexer/list_row_delegate.h"

#include <QPainter>
#include <QPainterPath>

namespace vm::indexer {

namespace {

// A small folder, 11 by 8 pixels, its top-left at `at`; an open one shows its front flap
// tilted back.
void drawFolderSign(QPainter &painter, QPointF at, bool open, const QColor &ink)
{
    const QColor paper(0xF2, 0xD0, 0x6B);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(ink, 1.0);
    pen.setCosmetic(false);
    painter.setPen(pen);
    painter.setBrush(paper);
    const qreal x = at.x() + 0.5;
    const qreal y = at.y() + 0.5;
    QPainterPath back;
    back.moveTo(x, y + 1);
    back.lineTo(x + 4, y + 1);
    back.lineTo(x + 5, y + 2);
    back.lineTo(x + 10, y + 2);
    back.lineTo(x + 10, y + 8);
    back.lineTo(x, y + 8);
    back.closeSubpath();
    painter.drawPath(back);
    if (open) {
        QPainterPath flap;
        flap.moveTo(x + 2, y + 4);
        flap.lineTo(x + 12, y + 4);
        flap.lineTo(x + 10, y + 8);
        flap.lineTo(x, y + 8);
        flap.closeSubpath();
        painter.setBrush(paper.lighter(115));
        painter.drawPath(flap);
    }
    painter.restore();
}

} // namespace

void ListRowDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                            const QModelIndex &index) const
{
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette::ColorGroup group =
        option.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
    QRect text = option.rect;
    const QVariant depth = index.data(FolderDepthRole);
    if (depth.isValid()) {
        const int left = option.rect.left() + 2 + depth.toInt() * Indent;
        const int top = option.rect.top() + (option.rect.height() - 9) / 2;
        drawFolderSign(*painter, QPointF(left, top), index.data(FolderOpenRole).toBool(),
                       option.palette.color(group, QPalette::Text));
        text.setLeft(left + SignWidth);
    } else {
        text.setLeft(text.left() + 2);
    }
    const QString shown = option.fontMetrics.elidedText(index.data(Qt::DisplayRole).toString(),
                                                        Qt::ElideRight, text.width());
    painter->save();
    if (selected) {
        // Only the text is marked, as the classic lists do, so a wide column stays calm.
        const QRect textBox =
            option.fontMetrics.boundingRect(text, Qt::AlignLeft | Qt::AlignVCenter, shown);
        QRect mark = textBox.adjusted(-1, 0, 1, 0).intersected(option.rect);
        mark.setTop(option.rect.top());
        mark.setBottom(option.rect.bottom());
        painter->fillRect(mark, option.palette.brush(group, QPalette::Highlight));
        painter->setPen(option.palette.color(group, QPalette::HighlightedText));
    } else {
        painter->setPen(option.palette.color(group, QPalette::Text));
    }
    // The list's painter mostly has the font already; setting it anyway is recorded twice
    // per row (set, restored) in the printed card's picture.
    if (painter->font() != option.font)
        painter->setFont(option.font);
    // One line on its baseline, centred as a laid-out box would centre it: drawing at a point
    // skips the text-box layout, which a printed card pays twice (recorded, then replayed).
    const QFontMetricsF metrics(option.font);
    painter->drawText(QPointF(text.left(), text.top() + (text.height() - metrics.height()) / 2 +
                                               metrics.ascent()),
                      shown);
    if (option.state & QStyle::State_HasFocus) {
        QPen dots(
            option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
        dots.setStyle(Qt::DotLine);
        painter->setPen(dots);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
    }
    painter->restore();
}

QSize ListRowDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    // One line of the list's font and a pixel of air; the folder sign fits in it. The width
    // does not matter: rows are as wide as the list.
    return QSize(1, std::max(option.fontMetrics.height() + 1, 11));
}

} // namespace vm::indexer
