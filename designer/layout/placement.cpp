// SPDX-License-Identifier: GPL-3.0-or-later
// Placement and visibility: the entry fields and check boxes that move, size, show and hide
// the two text lines, the main picture, the rules and the outer box. Each acts at once.

#include "designer/document/design_window.h"

#include "designer/layout/centring.h"
#include "toolkit/numbers.h"

#include <QCheckBox>
#include <QLineEdit>

#include <cmath>
#include <optional>

namespace vm::design {

namespace {

// The value of a position or size field, or nothing when it is beyond single precision:
// such a value is refused and the element keeps its last sound one.
std::optional<float> fieldValue(const QLineEdit *field)
{
    const double value = leadingNumber(field->text());
    if (!fitsSingle(value))
        return std::nullopt;
    return static_cast<float>(value);
}

// A picture box cannot have a negative size; zero is allowed and makes the picture vanish.
std::optional<float> pictureSize(const QLineEdit *field)
{
    const std::optional<float> value = fieldValue(field);
    if (!value || *value < 0)
        return std::nullopt;
    return value;
}

} // namespace

void DesignWindow::onText1Changed()
{
    Label2->hide();
    Label2->setCaption(Text1->text());
    m_canvas->bringToFront(*Label2);
    if (!m_shared.TopLineManual)
        Label2->setLeft(centreAbsolute(m_shared.CoverWidth, Label2->width()));
    Text6->setText(singleText(Label2->left()));
    Label2->show();
}

void DesignWindow::onText2Changed()
{
    Label3->hide();
    Label3->setCaption(Text2->text());
    if (!m_shared.BottomLineManual)
        Label3->setLeft(centreTruncated(m_shared.CoverWidth, Label3->width()));
    Text9->setText(singleText(Label3->left()));
    Label3->show();
}

void DesignWindow::onText5Changed()
{
    if (const auto top = fieldValue(Text5))
        Label2->setTop(*top);
}

void DesignWindow::onText6Changed()
{
    if (const auto left = fieldValue(Text6))
        Label2->setLeft(*left);
}

void DesignWindow::onText4Changed()
{
    if (const auto top = fieldValue(Text4))
        Label3->setTop(*top);
}

void DesignWindow::onText9Changed()
{
    if (const auto left = fieldValue(Text9))
        Label3->setLeft(*left);
}

void DesignWindow::onText3Changed()
{
    const std::optional<std::int16_t> width = roundToInt16(leadingNumber(Text3->text()));
    if (!width || *width < 1 || *width > LargestLineWidth) {
        // Writing "1" runs this handler again, which sets both rules to 1.
        Text3->setText(QStringLiteral("1"));
        return;
    }
    Line1->setBorderWidth(*width);
    Line2->setBorderWidth(*width);
}

void DesignWindow::onText7Changed()
{
    const std::optional<float> width = pictureSize(Text7);
    if (!width)
        return;
    Image1->hide();
    Image1->setWidth(*width);
    Image1->setLeft(centreExact(m_shared.CoverWidth, *width));
    Image1->show();
}

void DesignWindow::onText8Changed()
{
    const std::optional<float> height = pictureSize(Text8);
    if (!height)
        return;
    Image1->hide();
    Image1->setHeight(*height);
    Image1->setTop(centreExact(Shape1->height(), *height));
    Image1->show();
}

void DesignWindow::onCheck13Toggled(bool checked)
{
    if (!checked) {
        m_shared.TopLineManual = true; // the line stays where it is
        return;
    }
    Label2->setLeft(centreTruncated(m_shared.CoverWidth, Label2->width()));
    m_shared.TopLineManual = false;
    Text6->setText(singleText(Label2->left()));
    update();
}

void DesignWindow::onCheck14Toggled(bool checked)
{
    if (!checked) {
        m_shared.BottomLineManual = true;
        return;
    }
    Label3->setLeft(centreAbsolute(m_shared.CoverWidth, Label3->width()));
    m_shared.BottomLineManual = false;
    Text9->setText(singleText(Label3->left()));
    update();
}

void DesignWindow::onCheck1Toggled(bool checked)
{
    Line1->setVisible(!checked);
}

void DesignWindow::onCheck2Toggled(bool checked)
{
    Line2->setVisible(!checked);
}

void DesignWindow::onCheck3Toggled(bool checked)
{
    Label2->setBorder(checked);
}

void DesignWindow::onCheck4Toggled(bool checked)
{
    Label3->setBorder(checked);
}

void DesignWindow::onCheck5Toggled(bool checked)
{
    Shape2->setVisible(checked);
    if (!checked)
        return; // the copyright group stays lifted until New or Open puts it back

    // A box thicker than 2 pixels would cover the copyright group: lift it by the excess. The
    // thickness field keeps a sound value; an unsound one lifts nothing.
    const double excess = leadingNumber(Text10->text()) - 2;
    const float lift = fitsSingle(excess) ? static_cast<float>(excess) : 0.0f;
    Image4->setTop(Image4->top() - lift);
    const float copyrightTop = Label29->top();
    Label29->setTop(copyrightTop - lift);
    Label28->setTop(copyrightTop - lift);
}

} // namespace vm::design
