// SPDX-License-Identifier: GPL-3.0-or-later
// The copyright notice near the bottom edge: the mark "Copyright (c)", the optional phonorecord
// mark and the line with the year and holder, side by side just inside the outer box, whose
// thickness field lives here too because the notice's height follows it.

#include "designer/document/design_window.h"

#include "designer/layout/centring.h"
#include "toolkit/numbers.h"

#include <QCheckBox>
#include <QLineEdit>

#include <optional>

namespace vm::design {

namespace {

constexpr float NoticeTop = 439;
// The box border covers the notice by the part of it beyond this.
constexpr double CoveredBorder = 2;
// The phonorecord mark starts this far right of the copyright mark's left edge, and the
// copyright line this much before the phonorecord mark's right edge.
constexpr float MarkGap = 29;
constexpr float LineOverlap = 2;
constexpr float MarkShownWidth = 6;
constexpr float MarkHiddenWidth = 1;

QString copyrightMark()
{
    return QStringLiteral("Copyright ") + QChar(0x00A9);
}

} // namespace

void DesignWindow::resetNoticeGroup()
{
    Label29->setTop(NoticeTop);
    Label28->setTop(NoticeTop);
    Image4->setTop(NoticeTop);
}

void DesignWindow::placeNoticeHeight()
{
    resetNoticeGroup();
    if (!Check5->isChecked())
        return;
    // The thickness field holds a sound value: its handler puts "1" in place of any other.
    const double lifted = NoticeTop - (leadingNumber(Text10->text()) - CoveredBorder);
    const float top = fitsSingle(lifted) ? static_cast<float>(lifted) : NoticeTop;
    Image4->setTop(top);
    Label28->setTop(top);
    Label29->setTop(top);
}

void DesignWindow::centreNoticeGroup()
{
    const float left =
        centreExact(m_shared.CoverWidth, Image4->width() + Label28->width() + Label29->width());
    Label28->setLeft(left);
    Image4->setLeft(left + MarkGap);
    Label29->setLeft(left + MarkGap + Image4->width() - LineOverlap);
}

void DesignWindow::onCheck9Toggled(bool checked)
{
    if (!checked) {
        Check11->hide();
        Text11->hide();
        Text12->hide();
        Label28->hide();
        Image4->hide();
        Check10->hide();
        Label29->hide();
        return;
    }
    Check11->show();
    Text11->show();
    Text12->show();
    Label28->show();
    Label28->setCaption(copyrightMark());
    // The year alone until the year or holder field is edited.
    Label29->setCaption(Text11->text() + QStringLiteral("  All Rights Reserved."));
    Check10->show();
    const bool withMark = Check10->isChecked();
    Image4->setVisible(withMark);
    Image4->setWidth(withMark ? MarkShownWidth : MarkHiddenWidth);
    placeNoticeHeight();
    Label29->show();
    centreNoticeGroup();
}

void DesignWindow::onCheck10Toggled(bool checked)
{
    // The copyright mark stays; only the line moves beside the phonorecord mark. The mark shows
    // only with the notice, also when a design sets this box before "Post Copyright".
    Image4->setVisible(checked && Check9->isChecked());
    Image4->setWidth(checked ? MarkShownWidth : MarkHiddenWidth);
    Label29->setLeft(checked ? Label28->left() + MarkGap + MarkShownWidth - LineOverlap
                             : Label28->left() + MarkGap + MarkHiddenWidth);
}

void DesignWindow::onCheck11Toggled(bool checked)
{
    const ColorRef colour = checked ? m_shared.DefaultInk : Label10->foreColor();
    Label28->setForeColor(colour);
    Label29->setForeColor(colour);
}

void DesignWindow::onText11Changed()
{
    // Rebuilt whether or not the notice is shown.
    Label29->setCaption(Text11->text() + u' ' + Text12->text() +
                        QStringLiteral(" All Rights Reserved."));
    centreNoticeGroup();
}

void DesignWindow::onText12Changed()
{
    onText11Changed();
}

void DesignWindow::onLabel29Changed()
{
    // The line centres itself on every new text; the handlers that wrote it place the whole
    // group afterwards.
    Label29->setLeft(centreExact(m_shared.CoverWidth, Label29->width()));
}

void DesignWindow::onText10Changed()
{
    const std::optional<std::int16_t> thickness = roundToInt16(leadingNumber(Text10->text()));
    if (!thickness || *thickness < 1 || *thickness > LargestLineWidth) {
        // Writing "1" runs this handler again, which sets the box to 1.
        Text10->setText(QStringLiteral("1"));
        return;
    }
    Shape2->setBorderWidth(*thickness);
    placeNoticeHeight();
}

} // namespace vm::design
