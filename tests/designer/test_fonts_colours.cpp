// "Top Font", "Bottom Font", "Titles Font" and the three colour buttons, through a scripted
// dialog; and the real dialogs' answer for a font with a colour.

#include "support/design_test_support.h"

#include "toolkit/fonts.h"
#include "toolkit/numbers.h"

#include <QApplication>
#include <QColorDialog>
#include <QFontDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <functional>

using namespace vm;
using namespace vm::test;
using vm::design::DesignWindow;

namespace {

// What the dialog was shown with, and what the user does in it.
struct ScriptedChoice
{
    // Null: the user cancels. Otherwise it edits the dialog's fields as the user would.
    std::function<void(CommonDialog &)> choose;

    int fontsShown = 0;
    int coloursShown = 0;
    FontSpec seenFont; // face, size and the style flags as the dialog opened
    ColorRef seenColour = 0;
    int seenFlags = -1;
};

class ScriptedStylePresenter final : public DialogPresenter
{
public:
    explicit ScriptedStylePresenter(ScriptedChoice &choice) : m_choice(choice) {}

    bool open(CommonDialog &, QWidget *) override { return false; }
    bool save(CommonDialog &, QWidget *) override { return false; }
    bool font(CommonDialog &dialog, QWidget *) override
    {
        ++m_choice.fontsShown;
        m_choice.seenFont =
            FontSpec{dialog.fontName,   dialog.fontSize,      dialog.fontBold,
                     dialog.fontItalic, dialog.fontUnderline, dialog.fontStrikethru};
        return answer(dialog);
    }
    bool colour(CommonDialog &dialog, QWidget *) override
    {
        ++m_choice.coloursShown;
        return answer(dialog);
    }
    bool printer(CommonDialog &, QPrinter &, QWidget *) override { return false; }

private:
    bool answer(CommonDialog &dialog)
    {
        m_choice.seenColour = dialog.color;
        m_choice.seenFlags = dialog.flags;
        if (!m_choice.choose)
            return false;
        m_choice.choose(dialog);
        return true;
    }

    ScriptedChoice &m_choice;
};

constexpr ColorRef Red = 0x000000FF;
constexpr ColorRef Green = 0x0000FF00;

// The width a text has in a style, measured as the canvas measures it.
float widthOf(const QString &text, const FontSpec &style)
{
    Canvas canvas;
    Element &label = canvas.add(QStringLiteral("Probe"), ElementKind::Text);
    label.setFont(style);
    label.setCaption(text);
    return label.width();
}

} // namespace

class FontsColoursTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutes(); }

    void linesWiderThanTheCover();
    void styleTravelsToTheNextDialog();
    void titlesFont();
    void colours();
    void cancelAssignsNothing();

    void realDialogsAskForTheColourToo();

private:
    static void click(DesignWindow &design, const char *name)
    {
        design.findChild<QPushButton *>(QString::fromLatin1(name))->click();
    }
    // Answers modal dialogs one step each as they come up; a step edits its dialog and says
    // whether to accept it. Records the class of each dialog answered.
    using Step = std::function<bool(QDialog *)>;
    static void answerDialogs(QList<Step> steps, QStringList &shown)
    {
        QTimer::singleShot(10, [steps, &shown]() mutable {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!dialog) {
                answerDialogs(steps, shown);
                return;
            }
            shown << QString::fromLatin1(dialog->metaObject()->className());
            const bool accept = steps.takeFirst()(dialog);
            if (!steps.isEmpty())
                answerDialogs(steps, shown);
            accept ? dialog->accept() : dialog->reject();
        });
    }
    static void script(DesignWindow &design, ScriptedChoice &choice)
    {
        design.commonDialog().setPresenter(std::make_unique<ScriptedStylePresenter>(choice));
    }
};

void FontsColoursTest::linesWiderThanTheCover()
{
    DesignWindow design;
    ScriptedChoice choice;
    script(design, choice);
    const QString text = QStringLiteral("A line far too wide for the cover");
    entry(design, "Text1").setText(text);
    choice.choose = [](CommonDialog &dialog) {
        dialog.fontName = QStringLiteral("Times New Roman");
        dialog.fontSize = 40;
        dialog.color = Red;
    };
    click(design, "Command5");
    QCOMPARE(choice.seenFont, (FontSpec{QStringLiteral("MS Sans Serif"), 18}));
    QCOMPARE(choice.seenColour, SystemWindowText);
    QCOMPARE(choice.seenFlags, 259);

    // Centred on its width in the new face and size but the old, bold style; the top line
    // takes the absolute value, so it starts half its overflow to the right.
    const Element &label2 = element(design, "Label2");
    const float boldWidth = widthOf(text, {QStringLiteral("Times New Roman"), 40, true});
    QVERIFY(boldWidth > 456);
    QCOMPARE(label2.left(), std::fabs(std::trunc((456 - boldWidth) / 2)));
    QCOMPARE(entry(design, "Text6").text(), singleText(label2.left()));
    QCOMPARE(label2.font(), (FontSpec{QStringLiteral("Times New Roman"), 40}));
    QCOMPARE(label2.foreColor(), Red);

    // A line placed by hand stays where it is.
    checkBox(design, "Check13").setChecked(false);
    entry(design, "Text6").setText(QStringLiteral("20"));
    choice.choose = [](CommonDialog &dialog) { dialog.fontSize = 10; };
    click(design, "Command5");
    QCOMPARE(label2.left(), 20.0f);
    QCOMPARE(label2.font().size, 10.0f);
}

void FontsColoursTest::styleTravelsToTheNextDialog()
{
    DesignWindow design;
    ScriptedChoice choice;
    script(design, choice);

    // The dialog starts with every style off: the bold top line turns regular unless bold is
    // chosen again.
    choice.choose = [](CommonDialog &dialog) { dialog.fontItalic = true; };
    click(design, "Command5");
    QCOMPARE(choice.seenFont.bold, false);
    QCOMPARE(element(design, "Label2").font().bold, false);
    QCOMPARE(element(design, "Label2").font().italic, true);

    // The style flags are not seeded from the bottom line: italic comes along.
    element(design, "Label3").setForeColor(Green);
    choice.choose = [](CommonDialog &) {};
    click(design, "Command10");
    QCOMPARE(choice.seenFont.italic, true);
    QCOMPARE(choice.seenFont.name, QStringLiteral("MS Sans Serif"));
    QCOMPARE(choice.seenFont.size, 13.5f);
    QCOMPARE(choice.seenColour, Green);
    QCOMPARE(element(design, "Label3").font().italic, true);
}

void FontsColoursTest::titlesFont()
{
    DesignWindow design;
    ScriptedChoice choice;
    script(design, choice);
    const FontSpec lower = element(design, "Label27").font();
    choice.choose = [](CommonDialog &dialog) {
        dialog.fontName = QStringLiteral("Courier New");
        dialog.fontSize = 12;
        dialog.color = Red;
        dialog.fontUnderline = true;
        dialog.fontItalic = true;
    };
    click(design, "Command15");
    QCOMPARE(choice.seenFont, (FontSpec{QStringLiteral("MS Sans Serif"), 8.25f}));
    QCOMPARE(choice.seenColour, SystemButtonText);

    // Face, size and colour on all 23 titles, "Lower Small" notwithstanding; no style. The
    // misc. text keeps its own; the notice takes the colour.
    QVERIFY(checkBox(design, "Check6").isChecked());
    for (int n = 1; n <= 23; ++n) {
        QCOMPARE(design.titleArea(n).font(), (FontSpec{QStringLiteral("Courier New"), 12}));
        QCOMPARE(design.titleArea(n).foreColor(), Red);
    }
    QCOMPARE(element(design, "Label27").font(), lower);
    QCOMPARE(element(design, "Label28").foreColor(), Red);
    QCOMPARE(element(design, "Label29").foreColor(), Red);

    // "Copyright Black" keeps the notice black through the next title colour.
    checkBox(design, "Check11").setChecked(true);
    choice.choose = [](CommonDialog &dialog) { dialog.color = Green; };
    click(design, "Command15");
    QCOMPARE(element(design, "Label10").foreColor(), Green);
    QCOMPARE(element(design, "Label28").foreColor(), Black);
    QCOMPARE(element(design, "Label29").foreColor(), Black);
    // Unticked, the notice takes the title colour at once.
    checkBox(design, "Check11").setChecked(false);
    QCOMPARE(element(design, "Label28").foreColor(), Green);
    QCOMPARE(element(design, "Label29").foreColor(), Green);
}

void FontsColoursTest::colours()
{
    DesignWindow design;
    ScriptedChoice choice;
    script(design, choice);
    choice.choose = [](CommonDialog &dialog) { dialog.color = Red; };
    click(design, "Command3");
    QCOMPARE(choice.seenColour, White);
    QCOMPARE(choice.seenFlags, 1);
    QCOMPARE(element(design, "Shape1").backColor(), Red);

    // Both rules take the colour the top rule offered.
    element(design, "Line1").setBorderColor(Green);
    choice.choose = [](CommonDialog &dialog) { dialog.color = 0x00FF0000; };
    click(design, "Command6");
    QCOMPARE(choice.seenColour, Green);
    QCOMPARE(element(design, "Line1").borderColor(), 0x00FF0000u);
    QCOMPARE(element(design, "Line2").borderColor(), 0x00FF0000u);

    choice.choose = [](CommonDialog &dialog) { dialog.color = Green; };
    click(design, "Command13");
    QCOMPARE(choice.seenColour, SystemWindowText);
    QCOMPARE(element(design, "Shape2").borderColor(), Green);
}

void FontsColoursTest::cancelAssignsNothing()
{
    DesignWindow design;
    ScriptedChoice choice;
    script(design, choice);
    entry(design, "Text1").setText(QStringLiteral("Headline"));
    const Element &label2 = element(design, "Label2");
    const FontSpec font = label2.font();
    const float left = label2.left();

    // Cancelled with the dialog's flags differing from the lines: nothing is applied.
    design.commonDialog().fontUnderline = true;
    for (const char *button :
         {"Command5", "Command10", "Command15", "Command3", "Command6", "Command13"})
        click(design, button);
    QCOMPARE(choice.fontsShown + choice.coloursShown, 6);
    QCOMPARE(label2.font(), font);
    QCOMPARE(label2.left(), left);
    QVERIFY(!element(design, "Label3").font().underline);
    QCOMPARE(element(design, "Label10").foreColor(), SystemButtonText);
    QCOMPARE(element(design, "Shape1").backColor(), White);
    QCOMPARE(element(design, "Line2").borderColor(), SystemWindowText);
}

void FontsColoursTest::realDialogsAskForTheColourToo()
{
    // Qt's font dialog has no colour; with the effects on, the colour dialog follows it.
    CommonDialog dialog;
    dialog.fontName = QStringLiteral("MS Sans Serif"); // not installed: a substitute shows
    dialog.fontSize = 12;
    dialog.color = Green;
    dialog.flags = 259;
    QStringList shown;
    QColor offered;
    answerDialogs({[](QDialog *) { return true; },
                   [&](QDialog *colours) {
                       auto *colourDialog = qobject_cast<QColorDialog *>(colours);
                       offered = colourDialog->currentColor();
                       colourDialog->setCurrentColor(Qt::red);
                       return true;
                   }},
                  shown);
    QVERIFY(dialog.showFont(nullptr));
    QCOMPARE(shown, (QStringList{QStringLiteral("QFontDialog"), QStringLiteral("QColorDialog")}));
    QCOMPARE(offered, QColor(Qt::green));
    QCOMPARE(dialog.color, Red);
    QCOMPARE(dialog.fontSize, 12.0f);
    QCOMPARE(dialog.fontName, QStringLiteral("MS Sans Serif")); // left as it was shown

    // Cancelling the colour cancels the font too: nothing is written.
    dialog.fontSize = 9;
    answerDialogs({[](QDialog *fonts) {
                       qobject_cast<QFontDialog *>(fonts)->setCurrentFont(
                           QFont(QStringLiteral("DejaVu Serif"), 30));
                       return true;
                   },
                   [](QDialog *) { return false; }},
                  shown);
    QVERIFY(!dialog.showFont(nullptr));
    QCOMPARE(dialog.fontSize, 9.0f);
    QCOMPARE(dialog.fontName, QStringLiteral("MS Sans Serif"));

    // Without the effects there is no colour to ask for; a face chosen is taken.
    shown.clear();
    dialog.flags = 3;
    answerDialogs({[](QDialog *fonts) {
                      qobject_cast<QFontDialog *>(fonts)->setCurrentFont(
                          QFont(QStringLiteral("DejaVu Serif"), 10));
                      return true;
                  }},
                  shown);
    QVERIFY(dialog.showFont(nullptr));
    QCOMPARE(shown, QStringList{QStringLiteral("QFontDialog")});
    QCOMPARE(dialog.fontName, QStringLiteral("DejaVu Serif"));
    QCOMPARE(dialog.color, Red);
}

QTEST_MAIN(FontsColoursTest)
#include "test_fonts_colours.moc"
