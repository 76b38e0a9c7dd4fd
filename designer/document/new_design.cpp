// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up sequence and New: both write the controls and let their handlers bring the canvas
// into line, so the first state and a fresh design are made by the same code as every other.

#include "designer/document/design_window.h"

#include "designer/windows/titles_window.h"
#include "toolkit/numbers.h"

#include <QCheckBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>

namespace vm::design {

namespace {

QString currentYear()
{
    return QString::number(QDate::currentDate().year());
}

} // namespace

void DesignWindow::runStartUpSequence()
{
    m_shared.TopLineManual = false;
    m_shared.BottomLineManual = false;
    m_shared.PendingAction = Action::None;
    m_shared.SavePromptArmed = false;

    Text11->setText(currentYear());
    m_shared.CoverWidth = 456;

    // Each write runs the entry's handler; the size entries re-centre the picture.
    Text5->setText(singleText(Label2->top()));
    Text6->setText(singleText(Label2->left()));
    Text7->setText(singleText(Image1->width()));
    Text8->setText(singleText(Image1->height()));
    Text4->setText(singleText(Label3->top()));
    Text9->setText(singleText(Label3->left()));

    m_shared.DefaultInk = Black;
    m_shared.DefaultFontName = windowFont().name; // the font of Label1
    m_shared.DefaultFontSize = windowFont().size;
    m_shared.DefaultTitleFontSize = Label10->font().size;
}

void DesignWindow::onCommand4Clicked()
{
    newDesign();
}

void DesignWindow::newDesign()
{
    // Nothing of the design may change before the question is answered.
    if (holdForSaveQuestion(Action::New))
        return;

    // The copyright group back on its base line, undoing any lift by the outer box.
    Label29->setTop(439);
    Label28->setTop(439);
    Image4->setTop(439);

    Check3->setChecked(false);
    Check4->setChecked(false);

    Text12->setText(QString());
    Text11->setText(currentYear());
    Label29->setCaption(Text11->text() + u' ' + Text12->text() +
                        QStringLiteral(" All Rights Reserved."));

    Check10->setChecked(false);
    Check13->setChecked(true);
    Check14->setChecked(true);

    Image1->clearPicture();
    Image2->clearPicture();
    Image3->clearPicture();

    Shape1->setBackColor(White);
    Shape2->setBorderColor(m_shared.DefaultInk);
    Shape2->setBorderWidth(2);
    // The thickness field says what the box shows: Save writes the field, not the box.
    Text10->setText(QStringLiteral("2"));

    Line1->setBorderWidth(4);
    Line2->setBorderWidth(4);
    Line1->setBorderColor(m_shared.DefaultInk);
    Line2->setBorderColor(m_shared.DefaultInk);

    Check5->setChecked(false);
    Check1->setChecked(false);
    Check2->setChecked(false);
    Check7->setChecked(false);
    Check6->setChecked(true);
    Check8->setChecked(false);

    Text11->setText(currentYear());

    Text1->setText(QString());
    Label2->setCaption(QString());
    PIXFLN->clear();
    LOGO2FLN->clear();
    Label30->clear();

    Label10->setFontSize(m_shared.DefaultTitleFontSize);

    Line2->show();
    Line1->show();

    Text2->setText(QString());
    Label3->setCaption(QString());
    Label2->setCaption(QString());

    for (int n = 1; n <= TitleAreaCount; ++n)
        titleArea(n).setCaption(QString());
    TitlesWindow &titles = ensureTitlesWindow();
    for (int n = 1; n <= TitleAreaCount; ++n)
        titles.field(n)->setText(QString());

    Image1->clearPicture();
    Image2->clearPicture();
    Image3->clearPicture();

    Text3->setText(QStringLiteral("4"));
    Line1->setBorderWidth(4);
    Line2->setBorderWidth(4);

    Label3->setForeColor(m_shared.DefaultInk);
    Label2->setForeColor(m_shared.DefaultInk);
    Label10->setForeColor(m_shared.DefaultInk);

    // The two lines take the window's default font, not the sizes they started with.
    Label10->setFontSize(m_shared.DefaultFontSize);
    Label10->setFontName(m_shared.DefaultFontName);
    Label3->setFontName(m_shared.DefaultFontName);
    Label2->setFontName(m_shared.DefaultFontName);
    Label3->setFontSize(m_shared.DefaultFontSize);
    Label2->setFontSize(m_shared.DefaultFontSize);
    // The file keeps only Label10's font and colour; every title area shows what the saved
    // design will open with.
    deriveTitleStyles();
    if (!Check11->isChecked()) {
        // The copyright notice wears the title colour, as Open gives it.
        Label28->setForeColor(Label10->foreColor());
        Label29->setForeColor(Label10->foreColor());
    }

    Check7->setChecked(true);
    Check8->setChecked(false);

    m_shared.SavePromptArmed = true;
    // A new design has no file yet: Save must not offer to overwrite the previous one.
    m_designFileName.clear();
    update();
}

} // namespace vm::design
