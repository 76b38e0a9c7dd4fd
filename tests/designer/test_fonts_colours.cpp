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

    void topLineWiderThanTheCover();
    void bottomLineWiderThanTheCover();
    void placedLineKeepsItsPlace();
    void styleTravelsToTheNextDialog();
    void titlesFont();
    void titlesFontAndTheNotice();
    void colours();
    void cancelAssignsNothing();

    void realDialogsAskForTheColourToo();

private:
    static void click(DesignWindow &design, const char *name)
    {
        design.findChild<QPushButton *>(QString::fromLatin1(name))->click();
    }
    static void script(DesignWindow &design, ScriptedChoice &choice)
    {
        design.commonDialog().setPresenter(std::make_unique<ScriptedStylePresenter>(choice));
    }
};

void FontsColoursTest::topLineWiderThanTheCover()
{
    DesignWindow design;
    ScriptedChoice choice;
    script(design, choice);
    const QString text = QStringLiteral("A headline far too wide");
    entry(design, "Text1").setText(text);
    choice.choose = [](CommonDialog &dialog) {
        dialog.fontName = QStringLiteral("Times New Roman");
        dialog.fontSize = 40;
        dialog.color = Red;
        dialog.fontBold = false;
    };
    click(design, "Command5");

    // Seeded from the line, with the font dialog's option word.
    QCOMPARE(choice.seenFont.name, QStringLiteral("MS Sans Serif"));
    QCOMPARE(choice.seenFont.size, 18.0f);
    QCOMPARE(choice.seenColour, SystemWindowText);
    QCOMPARE(choice.seenFlags, 259);

    // Centred on its width in the new face and size but the old (bold) style: the absolute
    // value puts a line wider than the cover half its overflow to the right.
    const Element &label2 = element(design, "Label2");
    const float boldWidth = widthOf(text, {QStringLiteral("Times New Roman"), 40, true});
    QVERIFY(boldWidth > 456);
    QCOMPARE(label2.left(), std::fabs(std::trunc((456 - boldWidth) / 2)));
    QVERIFY(label2.left() > 0);
    QCOMPARE(entry(design, "Text6").text(), singleText(label2.left()));
    QCOMPARE(label2.font(), (FontSpec{QStringLiteral("Times New Roman"), 40}));
    QCOMPARE(label2.foreColor(), Red);
    QVERIFY(label2.width() < boldWidth); // regular now, so slightly off centre
}

void FontsColoursTest::bottomLineWiderThanTheCover()
{
    DesignWindow design;
    ScriptedChoice choice;
    script(design, choice);
    const QString text = QStringLiteral("A bottom line far too wide");
    entry(design, "Text2").setText(text);
    choice.choose = [](CommonDialog &dialog) {
        dialog.fontSize = 40;
        dialog.fontUnderline = true;
        dialog.fontStrikethru = true;
    };
    click(design, "Command10");

    const Element &label3 = element(design, "Label3");
    const float width = widthOf(text, {QStringLiteral("MS Sans Serif"), 40});
    QCOMPARE(label3.left(), std::trunc((456 - width) / 2));
    QVERIFY(label3.left() < 0);
    QCOMPARE(entry(design, "Text9").text(), singleText(label3.left()));
    QVERIFY(label3.font().underline && label3.font().strikethru);
}

void FontsColoursTest::placedLineKeepsItsPlace()
{
    DesignWindow design;
    ScriptedChoice choice;
    script(design, choice);
    entry(design, "Text1").setText(QStringLiteral("Headline"));
    checkBox(design, "Check13").setChecked(false);
    entry(design, "Text6").setText(QStringLiteral("20"));
    choice.choose = [](CommonDialog &dialog) { dialog.fontSize = 30; };
    click(design, "Command5");
    QCOMPARE(element(design, "Label2").left(), 20.0f);
    QCOMPARE(element(design, "Label2").font().size, 30.0f);
    QCOMPARE(entry(design, "Text6").text(), QStringLiteral("20"));
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
    QCOMPARE(choice.seenFont.name, QStringLiteral("MS Sans Serif"));
    QCOMPARE(choice.seenFont.size, 8.25f);
    QCOMPARE(choice.seenColour, SystemButtonText);
    QCOMPARE(choice.seenFlags, 259);

    // Face, size and colour on all 23 titles, "Lower Small" notwithstanding; no style.
    QVERIFY(checkBox(design, "Check6").isChecked());
    for (int n = 1; n <= 23; ++n) {
        const Element &title = design.titleArea(n);
        QCOMPARE(title.font(), (FontSpec{QStringLiteral("Courier New"), 12}));
        QCOMPARE(title.foreColor(), Red);
    }
    // The misc. text keeps its own.
    QCOMPARE(element(design, "Label27").font(), lower);
    QVERIFY(element(design, "Label27").foreColor() != Red);
}

void FontsColoursTest::titlesFontAndTheNotice()
{
    DesignWindow design;
    ScriptedChoice choice;
    script(design, choice);
    choice.choose = [](CommonDialog &dialog) { dialog.color = Red; };
    click(design, "Command15");
    QCOMPARE(element(design, "Label28").foreColor(), Red);
    QCOMPARE(element(design, "Label29").foreColor(), Red);

    // "Copyright Black" keeps the notice black through the next title colour.
    checkBox(design, "Check11").setChecked(true);
    QCOMPARE(element(design, "Label29").foreColor(), Black);
    choice.choose = [](CommonDialog &dialog) { dialog.color = Green; };
    click(design, "Command15");
    QCOMPARE(element(design, "Label10").foreColor(), Green);
    QCOMPARE(element(design, "Label28").foreColor(), Black);
    QCOMPARE(element(design, "Label29").foreColor(), Black);
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
    QCOMPARE(design.canvas().render(QRect(300, 40, 1, 1)).pixelColor(0, 0), QColor(Qt::red));

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
    const ColorRef titleColour = element(design, "Label10").foreColor();
    element(design, "Label28").setForeColor(Green);

    // Cancelled with the dialog's flags differing from every element: nothing is applied.
    design.commonDialog().fontUnderline = true;
    for (const char *button :
         {"Command5", "Command10", "Command15", "Command3", "Command6", "Command13"})
        click(design, button);
    QCOMPARE(choice.fontsShown, 3);
    QCOMPARE(choice.coloursShown, 3);
    QCOMPARE(label2.font(), font);
    QCOMPARE(label2.left(), left);
    QVERIFY(!element(design, "Label3").font().underline);
    QCOMPARE(element(design, "Label10").foreColor(), titleColour);
    QCOMPARE(element(design, "Label28").foreColor(), Green);
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
    // Answers the next modal dialog once it is up.
    std::function<void(std::function<void(QDialog *)>)> answerNext =
        [&answerNext](std::function<void(QDialog *)> answer) {
            QTimer::singleShot(10, [answer, &answerNext] {
                if (auto *shown = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                    answer(shown);
                else
                    answerNext(answer);
            });
        };
    QStringList seen;
    QColor offered;
    auto acceptFont = [&](QDialog *shown) {
        seen << QString::fromLatin1(shown->metaObject()->className());
        answerNext([&](QDialog *colours) {
            seen << QString::fromLatin1(colours->metaObject()->className());
            if (auto *colourDialog = qobject_cast<QColorDialog *>(colours)) {
                offered = colourDialog->currentColor();
                colourDialog->setCurrentColor(Qt::red);
            }
            colours->accept();
        });
        shown->accept();
    };
    answerNext(acceptFont);
    QVERIFY(dialog.showFont(nullptr));
    QCOMPARE(seen, (QStringList{QStringLiteral("QFontDialog"), QStringLiteral("QColorDialog")}));
    QCOMPARE(offered, QColor(Qt::green));
    QCOMPARE(dialog.color, Red);
    QCOMPARE(dialog.fontSize, 12.0f);
    QCOMPARE(dialog.fontName, QStringLiteral("MS Sans Serif")); // left as it was shown

    // Cancelling the colour cancels the font too: nothing is written.
    dialog.fontSize = 9;
    answerNext([&](QDialog *shown) {
        answerNext([](QDialog *colours) { colours->reject(); });
        if (auto *fonts = qobject_cast<QFontDialog *>(shown)) {
            QFont bigger = fonts->currentFont();
            bigger.setPointSize(30);
            fonts->setCurrentFont(bigger);
        }
        shown->accept();
    });
    QVERIFY(!dialog.showFont(nullptr));
    QCOMPARE(dialog.fontSize, 9.0f);
    QCOMPARE(dialog.color, Red);

    // Without the effects there is no colour to ask for.
    seen.clear();
    dialog.flags = 3;
    answerNext([&](QDialog *shown) {
        seen << QString::fromLatin1(shown->metaObject()->className());
        if (auto *fonts = qobject_cast<QFontDialog *>(shown))
            fonts->setCurrentFont(QFont(QStringLiteral("DejaVu Serif"), 10));
        shown->accept();
    });
    QVERIFY(dialog.showFont(nullptr));
    QCOMPARE(seen, QStringList{QStringLiteral("QFontDialog")});
    QCOMPARE(dialog.fontName, QStringLiteral("DejaVu Serif"));
    QCOMPARE(dialog.color, Red);
}

QTEST_MAIN(FontsColoursTest)
#include "test_fonts_colours.moc"
