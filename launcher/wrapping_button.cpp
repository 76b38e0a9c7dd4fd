// SPDX-License-Identifier: GPL-3.0-or-later
#include "launcher/wrapping_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace vm::launcher {

WrappingButton::WrappingButton(const QString &text, QWidget *parent) : QPushButton(text, parent) {}

void WrappingButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    // The style draws the frame, focus and pressed state; the caption is drawn here, wrapped.
    const QString caption = option.text;
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);

    QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    area.adjust(2, 2, -2, -2);
    if (isDown() || isChecked())
        area.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                       style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
    style()->drawItemText(&painter, area, Qt::AlignCenter | Qt::TextWordWrap, palette(),
                          isEnabled(), caption, QPalette::ButtonText);
}

} // namespace vm::launcher
