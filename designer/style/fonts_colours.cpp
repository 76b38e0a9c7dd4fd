// SPDX-License-Identifier: GPL-3.0-or-later
// "Top Font", "Bottom Font", "Titles Font" and the three colour buttons. Each seeds the shared
// dialog from a reference element, shows it and writes the answer back. Fields a command does
// not seed keep what the last use left: the style flags of the font dialog travel from one
// headline to the other.

#include "designer/document/design_window.h"

#include "designer/layout/centring.h"
#include "toolkit/numbers.h"

#include <QCheckBox>
#include <QLineEdit>

namespace vm::design {

namespace {

// Option words: the font dialog lists screen and printer fonts and offers the effects
// (underline, strike-through, colour); the colour dialog starts on the seeded colour.
constexpr int FontOptions = CommonDialog::FontScreenAndPrinter | CommonDialog::FontEffects;
constexpr int ColourOptions = 1;

} // namespace

void DesignWindow::chooseLineFont(vm::Element &line, bool centred, float (*centre)(float, float),
                                  QLineEdit &leftField)
{
    CommonDialog1.fontName = line.font().name;
    CommonDialog1.fontSize = line.font().size;
    CommonDialog1.color = line.foreColor();
    CommonDialog1.flags = FontOptions;
    if (!CommonDialog1.showFont(this))
        return;

    line.setFontName(CommonDialog1.fontName);
    line.setFontSize(CommonDialog1.fontSize);
    line.setForeColor(CommonDialog1.color);
    // Centred on the width of the new face and size in the old style: the style follows.
    // The position field follows the line, so a saved design opens where the line stands.
    if (centred) {
        line.setLeft(centre(m_shared.CoverWidth, line.width()));
        leftField.setText(singleText(line.left()));
    }
    line.setFontBold(CommonDialog1.fontBold);
    line.setFontItalic(CommonDialog1.fontItalic);
    line.setFontStrikethru(CommonDialog1.fontStrikethru);
    line.setFontUnderline(CommonDialog1.fontUnderline);
}

void DesignWindow::onCommand5Clicked()
{
    chooseLineFont(*Label2, !m_shared.TopLineManual, centreAbsolute, *Text6);
}

void DesignWindow::onCommand10Clicked()
{
    chooseLineFont(*Label3, !m_shared.BottomLineManual, centreTruncated, *Text9);
}

void DesignWindow::onCommand15Clicked()
{
    CommonDialog1.fontName = Label10->font().name;
    CommonDialog1.fontSize = Label10->font().size;
    CommonDialog1.color = Label10->foreColor();
    CommonDialog1.flags = FontOptions;
    if (!CommonDialog1.showFont(this))
        return;

    // Face, size and colour only: the titles never take the style flags.
    Label10->setFontName(CommonDialog1.fontName);
    Label10->setFontSize(CommonDialog1.fontSize);
    Label10->setForeColor(CommonDialog1.color);
    // Label10 stands for every title; the publisher, producer and engineer lines follow it
    // too, until "Lower Small" or "Lower Black" is clicked again.
    auto follow = [this](int number) {
        Element &title = *label(number);
        title.setFontName(Label10->font().name);
        title.setFontSize(Label10->font().size);
        title.setForeColor(Label10->foreColor());
    };
    for (int number = 11; number <= 26; ++number)
        follow(number);
    for (int number = 4; number <= 9; ++number)
        follow(number);
    if (!Check11->isChecked()) {
        Label28->setForeColor(Label10->foreColor());
        Label29->setForeColor(Label10->foreColor());
    }
}

void DesignWindow::onCommand3Clicked()
{
    CommonDialog1.flags = ColourOptions;
    CommonDialog1.color = Shape1->backColor();
    if (CommonDialog1.showColor(this))
        Shape1->setBackColor(CommonDialog1.color);
}

void DesignWindow::onCommand6Clicked()
{
    // Both rules share one colour; the top rule's is the one offered.
    CommonDialog1.flags = ColourOptions;
    CommonDialog1.color = Line1->borderColor();
    if (!CommonDialog1.showColor(this))
        return;
    Line1->setBorderColor(CommonDialog1.color);
    Line2->setBorderColor(CommonDialog1.color);
}

void DesignWindow::onCommand13Clicked()
{
    CommonDialog1.flags = ColourOptions;
    CommonDialog1.color = Shape2->borderColor();
    if (CommonDialog1.showColor(this))
        Shape2->setBorderColor(CommonDialog1.color);
}

} // namespace vm::design
