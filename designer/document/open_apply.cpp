// SPDX-License-Identifier: GPL-3.0-or-later
// Applying an opened design: every value goes through the control that holds it, so the
// handlers rebuild the cover exactly as if the user had made each change. The order matters:
// later steps repeat some writes and re-derive some properties, so the result does not depend
// on what was on screen before.

#include "designer/document/design_window.h"

#include "toolkit/numbers.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <cmath>

namespace vm::design {

namespace {

// The copyright mark, copyright line and phonorecord mark share this top.
// Points of the lower information block when "Lower Small" is ticked.
constexpr float LowerSmallMiscSize = 6;
constexpr float LowerSmallLineSize = 7;

// Line n of the file in the alternative its form gives it (design_file.h). The fallbacks
// never apply to converted values; they keep a wrong alternative from throwing.
class Lines
{
public:
    explicit Lines(const FileValues &values) : m_values(values) {}

    QString text(int line) const
    {
        const auto *text = std::get_if<QString>(&at(line));
        return text ? *text : QString();
    }
    qint32 whole(int line) const
    {
        const auto *whole = std::get_if<qint32>(&at(line));
        return whole ? *whole : 0;
    }
    float single(int line) const
    {
        const auto *single = std::get_if<float>(&at(line));
        return single ? *single : 0.0f;
    }
    bool truth(int line) const
    {
        const auto *truth = std::get_if<bool>(&at(line));
        return truth && *truth;
    }
    // A check box line holds 0 or 1 as written; an edited file may hold any 16-bit number,
    // and every one but 0 ticks the box.
    bool ticked(int line) const { return whole(line) != 0; }
    ColorRef colour(int line) const { return colourFromFile(whole(line)); }

private:
    const FileValue &at(int line) const { return m_values[line - 1]; }
    const FileValues &m_values;
};

// A position read from an entry's text, or nothing when it is beyond single precision.
std::optional<float> position(const QString &text)
{
    const double value = leadingNumber(text);
    if (!fitsSingle(value))
        return std::nullopt;
    return static_cast<float>(value);
}

} // namespace

void DesignWindow::applyCoverOptions(bool front, bool back)
{
    // Selecting an option runs its layout handler when the selection moves. A false value
    // only ever deselects, and Qt's option group deselects the other option by itself; a
    // file with neither option chosen (a short one) therefore keeps the layout in force, which
    // is what the cover's geometry and CoverWidth still show.
    if (front)
        Option1->setChecked(true);
    if (back)
        Option4->setChecked(true);
}

void DesignWindow::applyDesign(const FileValues &values, OpenReport &report)
{
    const Lines line(values);

    resetNoticeGroup();
    Text1->setText(line.text(1));
    Text2->setText(line.text(5));
    applyCoverOptions(line.truth(64), line.truth(65));
    Check3->setChecked(line.ticked(66));
    Check4->setChecked(line.ticked(67));

    Label2->setFontBold(line.truth(68));
    Label2->setFontItalic(line.truth(69));
    Label2->setFontStrikethru(line.truth(70));
    Label2->setFontUnderline(line.truth(71));
    Label3->setFontBold(line.truth(72));
    Label3->setFontItalic(line.truth(73));
    Label3->setFontStrikethru(line.truth(74));
    Label3->setFontUnderline(line.truth(75));

    Check13->setChecked(line.ticked(61));
    Check14->setChecked(line.ticked(62));
    // A box that keeps its state runs no handler; the flags must still say what the boxes
    // show, or a ticked "Center" would stop centring the line as it is typed.
    m_shared.TopLineManual = !Check13->isChecked();
    m_shared.BottomLineManual = !Check14->isChecked();

    Check1->setChecked(line.ticked(12));
    Check2->setChecked(line.ticked(13));
    Check3->setChecked(line.ticked(66));
    Check4->setChecked(line.ticked(67));
    Check5->setChecked(line.ticked(19));
    Check6->setChecked(line.ticked(23));

    Label2->setCaption(line.text(1));
    Label2->setFontName(line.text(2));
    Label2->setFontSize(line.single(3));
    Label2->setForeColor(line.colour(4));
    Label3->setCaption(line.text(5));
    Label3->setFontName(line.text(6));
    Label3->setFontSize(line.single(7));
    Label3->setForeColor(line.colour(8));

    Shape1->setBackColor(line.colour(9));
    // A thickness the rules cannot take is set to 1, as the thickness field does; writing the
    // field then runs its handler, which puts "1" there too.
    const qint32 ruleWidth = line.whole(10);
    const int soundRuleWidth = ruleWidth >= 1 && ruleWidth <= LargestLineWidth ? ruleWidth : 1;
    Line1->setBorderWidth(soundRuleWidth);
    Line1->setBorderColor(line.colour(11));
    Line2->setBorderColor(line.colour(11));
    Line2->setBorderWidth(soundRuleWidth);
    Text3->setText(QString::number(ruleWidth));

    Text5->setText(line.text(52));
    Text6->setText(line.text(53));
    Text4->setText(line.text(54));
    Text9->setText(line.text(55));
    if (const auto top = position(line.text(52)))
        Label2->setTop(*top);
    if (const auto top = position(line.text(54)))
        Label3->setTop(*top);
    if (const auto left = position(line.text(53)))
        Label2->setLeft(*left);
    if (const auto left = position(line.text(55)))
        Label3->setLeft(*left);

    const std::optional<PictureFailure> pictureFailure = applyPictures(values);
    const bool picturesLoaded = !pictureFailure;
    if (pictureFailure) {
        resetNoticeGroup();
        report.pictureFailed(pictureFailure->picture, pictureFailure->reason);
    }
    applyLowerBlockAndNotice(values);
    if (!picturesLoaded) {
        // The recovery chooses the cover and the boxed texts once more.
        applyCoverOptions(line.truth(64), line.truth(65));
        Check3->setChecked(line.ticked(66));
        Check4->setChecked(line.ticked(67));
    }
    // The outer box covers the group by the part of its border beyond 2 pixels.
    placeNoticeHeight();
}

std::optional<DesignWindow::PictureFailure> DesignWindow::applyPictures(const FileValues &values)
{
    const Lines line(values);

    resetNoticeGroup();
    Check13->setChecked(line.ticked(61));
    Check14->setChecked(line.ticked(62));

    // A picture that fails stops the picture steps. The path labels still get their paths, so
    // the design keeps naming the missing file and saving it again loses none of them.
    auto failed = [&](const QString &picture, const vm::PictureLoad &load) {
        PIXFLN->setText(line.text(14));
        Label30->setText(line.text(17));
        LOGO2FLN->setText(line.text(18));
        return PictureFailure{picture, load.error};
    };

    // A negative size is refused, as the size fields refuse it; the box keeps its size.
    const float height = line.single(15);
    const float width = line.single(16);
    const QSizeF size(width >= 0 ? width : Image1->width(),
                      height >= 0 ? height : Image1->height());
    // Decoded for the size the box is about to take, so the picture has the detail it needs on
    // paper; the box itself changes only once the picture loaded.
    const QString main = line.text(14);
    if (!main.isEmpty())
        if (const vm::PictureLoad load = loadPictureInto(*Image1, main, size); !load.ok())
            return failed(main, load);
    PIXFLN->setText(main);
    Label30->setText(line.text(17));
    if (height >= 0)
        Image1->setHeight(height);
    if (width >= 0)
        Image1->setWidth(width);

    const QString logo1 = line.text(17);
    if (!logo1.isEmpty())
        if (const vm::PictureLoad load = loadPictureInto(*Image2, logo1); !load.ok())
            return failed(logo1, load);

    const QString logo2 = line.text(18);
    LOGO2FLN->setText(logo2);
    if (!logo2.isEmpty())
        if (const vm::PictureLoad load = loadPictureInto(*Image3, logo2); !load.ok())
            return failed(logo2, load);

    Image1->setLeft((m_shared.CoverWidth - Image1->width()) / 2);
    Image1->setTop((456 - Image1->height()) / 2);
    Text8->setText(QString::number(std::floor(double(Image1->height())), 'f', 0));
    Text7->setText(QString::number(std::floor(double(Image1->width())), 'f', 0));
    return std::nullopt;
}

void DesignWindow::deriveTitleStyles()
{
    // Every title area carries the titles' font; Label27 keeps its own face.
    auto copyTitleFont = [this](int number) {
        vm::Element *area = label(number);
        area->setFontName(Label10->font().name);
        area->setFontSize(Label10->font().size);
        area->setForeColor(Label10->foreColor());
    };
    for (int number = 11; number <= 26; ++number)
        copyTitleFont(number);
    for (int number = 4; number <= 9; ++number)
        copyTitleFont(number);

    const ColorRef lowerColour = Check8->isChecked() ? Label3->foreColor() : Label10->foreColor();
    label(25)->setForeColor(lowerColour);
    label(26)->setForeColor(lowerColour);
    Label27->setForeColor(lowerColour);

    if (Check6->isChecked()) {
        Label27->setFontSize(LowerSmallMiscSize);
        label(26)->setFontSize(LowerSmallLineSize);
        label(25)->setFontSize(LowerSmallLineSize);
        label(24)->setFontSize(LowerSmallLineSize);
    } else {
        const float titleSize = Label10->font().size;
        Label27->setFontSize(titleSize);
        label(26)->setFontSize(titleSize);
        label(25)->setFontSize(titleSize);
        label(24)->setFontSize(titleSize);
    }
}

void DesignWindow::applyLowerBlockAndNotice(const FileValues &values)
{
    const Lines line(values);

    Check5->setChecked(line.ticked(19));
    Text10->setText(line.text(20));
    const std::optional<std::int16_t> boxWidth = roundToInt16(leadingNumber(Text10->text()));
    Shape2->setBorderWidth(boxWidth && *boxWidth >= 1 && *boxWidth <= LargestLineWidth ? *boxWidth
                                                                                       : 1);
    Shape2->setBorderColor(line.colour(21));

    Check7->setChecked(line.ticked(22));
    Check8->setChecked(line.ticked(27));
    Check6->setChecked(line.ticked(23));

    Label10->setFontName(line.text(24));
    Label10->setFontSize(line.single(25));
    Label10->setForeColor(line.colour(26));

    for (int n = 1; n <= TitleAreaCount; ++n)
        titleArea(n).setCaption(line.text(27 + n));

    Check15->setChecked(line.ticked(63));
    Label27->setAlignment(Check15->isChecked() ? Qt::AlignHCenter : Qt::AlignLeft);
    deriveTitleStyles();

    Check9->setChecked(line.ticked(56));
    Check10->setChecked(line.ticked(57));
    Check11->setChecked(line.ticked(58));
    Text11->setText(line.text(59));
    Text12->setText(line.text(60));

    Image4->setVisible(Check9->isChecked() && Check10->isChecked());
    if (!Check11->isChecked()) {
        Label28->setForeColor(Label10->foreColor());
        Label29->setForeColor(Label10->foreColor());
    }
}

} // namespace vm::design
