// SPDX-License-Identifier: GPL-3.0-or-later
// The lower information block: the publisher, producer and engineer lines and the misc. text,
// in small type or the title size, in the bottom line's colour or the titles', centred or not.

#include "designer/document/design_window.h"

namespace vm::design {

namespace {

constexpr float SmallTextSize = 6; // the misc. text
constexpr float SmallLineSize = 7; // publisher, producer and engineer

} // namespace

void DesignWindow::onCheck6Toggled(bool checked)
{
    Label27->setFontSize(checked ? SmallTextSize : Label10->font().size);
    for (int number : {26, 25, 24})
        label(number)->setFontSize(checked ? SmallLineSize : Label10->font().size);
}

void DesignWindow::onCheck8Toggled(bool checked)
{
    // The publisher line keeps the title colour either way.
    const ColorRef colour = checked ? Label3->foreColor() : Label10->foreColor();
    for (int number : {25, 26, 27})
        label(number)->setForeColor(colour);
}

void DesignWindow::onCheck15Toggled(bool checked)
{
    Label27->setAlignment(checked ? Qt::AlignHCenter : Qt::AlignLeft);
}

} // namespace vm::design
