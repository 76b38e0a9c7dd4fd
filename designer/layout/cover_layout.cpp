// SPDX-License-Identifier: GPL-3.0-or-later
// Front and back covers: the width of the cover area and the elements whose place depends on
// it. Texts, fonts, colours and pictures are not touched.

#include "designer/document/design_window.h"

#include "designer/layout/centring.h"
#include "toolkit/numbers.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

namespace vm::design {

namespace {

constexpr float FrontWidth = 456;
constexpr float BackWidth = 519;
constexpr float FrontRuleEnd = 432;
constexpr float BackRuleEnd = 495;
constexpr float FrontLowerBlockWidth = 360;
constexpr float BackLowerBlockWidth = 422;
constexpr float FrontSecondColumn = 250;
constexpr float BackSecondColumn = 300;
constexpr float BackLogo2Left = 400;
// Moves relative to where the elements stand, so front and back alternate exactly.
constexpr float CopyrightShift = 31;
constexpr float BottomLineShift = 63;

} // namespace

// Each handler runs only when the selection moves to its option: QRadioButton reports the
// option that is left as well (toggled false), which is not a selection.
void DesignWindow::onOption1Toggled(bool checked)
{
    if (checked)
        selectFront();
}

void DesignWindow::onOption4Toggled(bool checked)
{
    if (checked)
        selectBack();
}

void DesignWindow::selectFront()
{
    if (Option1->isChecked())
        m_shared.CoverWidth = FrontWidth;
    Label27->setWidth(FrontLowerBlockWidth);
    Label28->setLeft(Label28->left() - CopyrightShift);
    Label29->setLeft(Label29->left() - CopyrightShift);
    Image4->setLeft(Image4->left() - CopyrightShift);
    Shape1->setWidth(FrontWidth);
    if (Check13->isChecked())
        Label2->setLeft(centreAbsolute(m_shared.CoverWidth, Label2->width()));
    if (Check14->isChecked())
        Label3->setLeft(centreAbsolute(m_shared.CoverWidth, Label3->width()));
    else
        Label3->setLeft(Label3->left() - BottomLineShift);
    Text6->setText(singleText(Label2->left()));
    Text9->setText(singleText(Label3->left()));
    Shape2->setWidth(m_shared.CoverWidth - 12);
    Image1->setLeft(centreExact(m_shared.CoverWidth, Image1->width()));
    Line1->setX2(FrontRuleEnd);
    Line2->setX2(FrontRuleEnd);
    for (int number = 14; number <= 23; ++number)
        label(number)->setLeft(FrontSecondColumn);
    label(26)->setLeft(FrontSecondColumn);
    update();
}

void DesignWindow::selectBack()
{
    if (Option4->isChecked())
        m_shared.CoverWidth = BackWidth;
    Label28->setLeft(Label28->left() + CopyrightShift);
    Label29->setLeft(Label29->left() + CopyrightShift);
    Image4->setLeft(Image4->left() + CopyrightShift);
    Label27->setWidth(BackLowerBlockWidth);
    Shape1->setWidth(BackWidth);
    if (Check13->isChecked())
        Label2->setLeft(centreAbsolute(m_shared.CoverWidth, Label2->width()));
    if (Check14->isChecked())
        Label3->setLeft(centreAbsolute(m_shared.CoverWidth, Label3->width()));
    else
        Label3->setLeft(Label3->left() + BottomLineShift);
    Text6->setText(singleText(Label2->left()));
    Text9->setText(singleText(Label3->left()));
    Image3->setLeft(BackLogo2Left); // stays there when the front comes back
    Shape2->setWidth(m_shared.CoverWidth - 12);
    Line1->setX2(BackRuleEnd);
    Line2->setX2(BackRuleEnd);
    Image1->setLeft(centreExact(m_shared.CoverWidth, Image1->width()));
    for (int number = 14; number <= 23; ++number)
        label(number)->setLeft(BackSecondColumn);
    label(26)->setLeft(BackSecondColumn);
    update();
}

} // namespace vm::design
