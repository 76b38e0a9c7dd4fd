// SPDX-License-Identifier: GPL-3.0-or-later
// The designer's editing side: front and back layouts, the fields and boxes that place the
// lines, rules, picture and box, fonts and colours, the copyright notice and the lower block,
// the title editor, the picture slots with the window that clears them, and hover help.

// Pointer moves go to the window they name, not to whichever window lies under a global
// cursor position: the test windows overlap on the offscreen screen.
#define QTEST_QPA_MOUSE_HANDLING

#include "support/design_fixture.h"
#include "support/test_main.h"

#include "designer/windows/hover_texts.h"
#include "designer/windows/pixclear_window.h"
#include "designer/windows/titles_window.h"
#include "toolkit/numbers.h"

#include <QApplication>
#include <QColorDialog>
#include <QDateTime>
#include <QFileInfo>
#include <QFontDialog>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace vm;
using namespace vm::test;
using namespace Qt::StringLiterals;
using vm::design::DesignWindow;
using vm::design::PixclearWindow;
using vm::design::TitlesWindow;

namespace {

constexpr ColorRef Red = 0x000000FF, Green = 0x0000FF00;
using Property = float (Element::*)() const;

// The width a text has in a style, measured as the canvas measures it.
float widthOf(const QString &text, const FontSpec &style)
{
    Canvas canvas;
    Element &label = canvas.add(u"Probe"_s, ElementKind::Text);
    label.setFont(style);
    label.setCaption(text);
    return label.width();
}

QList<float> noticeTops(const DesignWindow &design)
{
    return {element(design, "Image4").top(), element(design, "Label28").top(),
            element(design, "Label29").top()};
}

// Steps for the real font and colour dialogs: change what the dialog shows, and accept.
DialogStep editFont(std::function<void(QFont &)> edit)
{
    return [edit](QDialog *dialog) {
        auto *fonts = qobject_cast<QFontDialog *>(dialog);
        QFont font = fonts->currentFont();
        edit(font);
        fonts->setCurrentFont(font);
        return true;
    };
}
DialogStep pickColour(QColor colour, QColor *offered = nullptr)
{
    return [=](QDialog *dialog) {
        auto *colours = qobject_cast<QColorDialog *>(dialog);
        if (offered)
            *offered = colours->currentColor();
        colours->setCurrentColor(colour);
        return true;
    };
}

TitlesWindow &openEditor(DesignWindow &design)
{
    click(design, "Command14");
    return *design.titlesWindow();
}

QString redPicture(const QTemporaryDir &dir, const char *name)
{
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    const QString path = dir.filePath(QString::fromLatin1(name));
    return image.save(path) ? path : QString();
}

} // namespace

class CoverTest : public QObject
{
    Q_OBJECT

private slots:
    void frontBackFront()
    {
        DesignWindow design;
        checkBox(design, "Check14").setChecked(false); // the bottom line placed by hand
        entry(design, "Text9").setText(u"96"_s);
        const std::tuple<const char *, Property, float, float> moved[] = {
            {"Shape1", &Element::width, 519, 456},  {"Shape2", &Element::width, 507, 444},
            {"Line1", &Element::x2, 495, 432},      {"Line2", &Element::x2, 495, 432},
            {"Label27", &Element::width, 422, 360}, {"Image1", &Element::left, 63, 31.5},
            {"Label14", &Element::left, 300, 250},  {"Label23", &Element::left, 300, 250},
            {"Label26", &Element::left, 300, 250},  {"Label25", &Element::left, 50, 50},
            {"Label3", &Element::left, 159, 96},    {"Image3", &Element::left, 400, 400}};
        const char *const group[] = {"Label28", "Label29", "Image4"}; // moved by 31
        QList<float> start;
        for (const char *name : group)
            start << element(design, name).left();
        auto check = [&](bool back) {
            for (const auto &[name, property, onBack, onFront] : moved)
                QVERIFY2((element(design, name).*property)() == (back ? onBack : onFront), name);
            for (int i = 0; i < 3; ++i)
                QCOMPARE(element(design, group[i]).left(), start[i] + (back ? 31 : 0));
            QCOMPARE(entry(design, "Text6").text(), back ? u"259"_s : u"228"_s); // centred
            QCOMPARE(entry(design, "Text9").text(), back ? u"159"_s : u"96"_s);
        };
        option(design, "Option4").setChecked(true);
        check(true);
        option(design, "Option4").click(); // choosing the chosen cover is no switch
        check(true);
        option(design, "Option1").setChecked(true);
        check(false); // logo 2 stays where the back put it
    }

    // Each handler keeps its own form of centring; they differ for a line wider than the
    // cover, which starts half its overflow to the right (absolute) or to the left (truncated).
    void linesWiderThanTheCover()
    {
        DesignWindow design;
        entry(design, "Text1").setText(QString(60, u'W'));
        entry(design, "Text2").setText(QString(120, u'W'));
        const Element &top = element(design, "Label2"), &bottom = element(design, "Label3");
        const float over2 = std::trunc((top.width() - 456) / 2);
        const float over3 = std::trunc((bottom.width() - 456) / 2);
        QVERIFY(over2 > 40);
        QCOMPARE((QList{top.left(), bottom.left()}), (QList{over2, -over3}));
        QCOMPARE(entry(design, "Text9").text(), QString::number(-over3));
        // Typing brought the top line in front of the picture; the bottom line stays put.
        QCOMPARE(design.canvas().stackingOrder().back(), &top);
        for (const char *box : {"Check13", "Check14"}) {
            checkBox(design, box).setChecked(false);
            checkBox(design, box).setChecked(true);
        }
        QCOMPARE((QList{top.left(), bottom.left()}), (QList{-over2, over3}));
        QCOMPARE(entry(design, "Text6").text(), QString::number(-over2));
        option(design, "Option4").setChecked(true);
        QCOMPARE(top.left(), std::trunc((top.width() - 519) / 2));
        QCOMPARE(bottom.left(), std::trunc((bottom.width() - 519) / 2));
        // Not centred, the top line stays where it is put while its text changes.
        checkBox(design, "Check13").setChecked(false);
        entry(design, "Text6").setText(u"20"_s);
        QTest::keyClicks(&entry(design, "Text1"), u"!"_s);
        QCOMPARE(top.left(), 20.0f);
    }

    void panelFields()
    {
        DesignWindow design;
        const std::tuple<const char *, const char *, Property> fields[] = {
            {"Text5", "Label2", &Element::top},
            {"Text6", "Label2", &Element::left},
            {"Text4", "Label3", &Element::top},
            {"Text9", "Label3", &Element::left}};
        for (const auto &[field, line, property] : fields) {
            entry(design, field).setText(u"12"_s);
            QVERIFY2((element(design, line).*property)() == 12, field);
        }
        // The picture's size fields centre it; the back cover is only wider.
        const std::tuple<bool, QString, QString, QRectF> sizes[] = {
            {false, u"200"_s, u"100"_s, {128, 178, 200, 100}},
            {true, u"300"_s, u"200"_s, {109.5, 128, 300, 200}},
            {true, u"0"_s, u"0"_s, {259.5, 228, 0, 0}},
            {true, u"-5"_s, u"1e40"_s, {259.5, 228, 0, 0}}}; // refused
        for (const auto &[back, width, height, place] : sizes) {
            option(design, back ? "Option4" : "Option1").setChecked(true);
            entry(design, "Text7").setText(width);
            entry(design, "Text8").setText(height);
            QCOMPARE(element(design, "Image1").rect(), place);
        }
    }

    void thickness_data()
    {
        QTest::addColumn<QString>("field"); // Text3: both rules; Text10: the box and the notice
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown"); // anything a border cannot take puts "1" back
        QTest::addColumn<int>("width");
        QTest::addColumn<float>("lift"); // the notice's, by the unrounded thickness beyond 2
        const std::tuple<const char *, const char *, int, float> rows[] = {
            {"0", "1", 1, -1},       {"1", "1", 1, -1},   {"2.5", "2.5", 2, 0.5},
            {"100", "100", 100, 98}, {"101", "1", 1, -1}, {"40000", "1", 1, -1}};
        for (const char *field : {"Text3", "Text10"}) {
            for (const auto &[typed, shown, width, lift] : rows)
                QTest::addRow("%s %s", field, typed)
                    << QString::fromLatin1(field) << QString::fromLatin1(typed)
                    << QString::fromLatin1(shown) << width
                    << (qstrcmp(field, "Text10") == 0 ? lift : 0.0f);
        }
    }

    void thickness()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(int, width);
        QFETCH(float, lift);
        DesignWindow design;
        checkBox(design, "Check5").setChecked(true);
        QLineEdit &edit = entry(design, field.toLatin1());
        edit.setText(u"7"_s); // something to change from
        edit.setText(typed);
        QCOMPARE(edit.text(), shown);
        for (const char *name : field == u"Text3" ? QList{"Line1", "Line2"} : QList{"Shape2"})
            QCOMPARE(element(design, name).borderWidth(), width);
        QCOMPARE(noticeTops(design), QList<float>(3, 439 - lift));
    }

    void headlineFonts()
    {
        DesignWindow design;
        const QString text = u"A line far too wide for the cover"_s;
        entry(design, "Text1").setText(text);
        entry(design, "Text2").setText(text);
        const Element &top = element(design, "Label2"), &bottom = element(design, "Label3");
        // A size left as the dialog shows it (whole points) keeps the design's 13.5.
        answerModalDialogs({editFont([](QFont &) {}), pickColour(Qt::black)});
        click(design, "Command10");
        QCOMPARE(bottom.font().size, 13.5f);
        // "Top Font": the font dialog starts on the line's size, and the colour dialog that
        // follows it on the line's colour.
        QFont seeded;
        QColor offered;
        const QColor ink = toQColor(top.foreColor());
        answerModalDialogs({editFont([&](QFont &font) {
                                seeded = font;
                                font = QFont(u"Liberation Serif"_s, 40, QFont::Normal, true);
                            }),
                            pickColour(Qt::red, &offered)});
        click(design, "Command5");
        QCOMPARE(seeded.pointSizeF(), 18.0);
        QCOMPARE(offered, ink);
        QCOMPARE(top.font(), (FontSpec{u"Liberation Serif"_s, 40, false, true}));
        QCOMPARE(top.foreColor(), Red);
        // Centred in the new face and size but the old bold style (the style comes after),
        // with the absolute value: half its overflow to the right.
        const float boldWidth = widthOf(text, {u"Liberation Serif"_s, 40, true});
        QVERIFY(boldWidth > 456);
        QCOMPARE(top.left(), std::fabs(std::trunc((456 - boldWidth) / 2)));
        QCOMPARE(entry(design, "Text6").text(), singleText(top.left()));

        // "Bottom Font": the dialog keeps the last style, not the line's: italic comes along.
        // A face left as shown keeps the design's, which is not installed here. Truncated:
        // half the overflow to the left.
        answerModalDialogs(
            {editFont([](QFont &font) { font.setPointSize(30); }), pickColour(Qt::green)});
        click(design, "Command10");
        const FontSpec bottomFont{u"MS Sans Serif"_s, 30, false, true};
        QCOMPARE(bottom.font(), bottomFont);
        QCOMPARE(bottom.foreColor(), Green);
        QCOMPARE(bottom.left(), std::trunc((456 - widthOf(text, {bottomFont.name, 30})) / 2));

        // Cancelling the colour cancels the font too.
        answerModalDialogs(
            {editFont([](QFont &font) { font.setPointSize(9); }), [](QDialog *) { return false; }});
        click(design, "Command5");
        QCOMPARE(top.font().size, 40.0f);
    }

    void titlesFontAndLowerBlock()
    {
        DesignWindow design;
        ScriptedDialogs &dialogs = scriptDialogs(design.commonDialog());
        Element &label10 = element(design, "Label10");
        label10.setFont({u"Arial"_s, 11});
        label10.setForeColor(Green);
        const FontSpec misc = element(design, "Label27").font();
        dialogs.chooseStyle = [](CommonDialog &dialog) {
            dialog.fontName = u"Courier New"_s;
            dialog.fontSize = 12;
            dialog.color = Red;
            dialog.fontUnderline = true;
        };
        click(design, "Command15");
        QCOMPARE(dialogs.seenFont, (FontSpec{u"Arial"_s, 11}));
        QCOMPARE(dialogs.seenColour, Green);
        // Face, size and colour, no style, on all 23 titles, "Lower Small" notwithstanding;
        // the misc. text keeps its own, the notice takes the colour.
        for (int n = 1; n <= 23; ++n) {
            QCOMPARE(design.titleArea(n).font(), (FontSpec{u"Courier New"_s, 12}));
            QCOMPARE(design.titleArea(n).foreColor(), Red);
        }
        QCOMPARE(element(design, "Label27").font(), misc);
        auto notice = [&] {
            return QList{element(design, "Label28").foreColor(),
                         element(design, "Label29").foreColor()};
        };
        QCOMPARE(notice(), QList<ColorRef>(2, Red));
        // "Copyright Black" keeps it black through the next title colour; unticked, the
        // notice takes the title colour at once.
        checkBox(design, "Check11").setChecked(true);
        dialogs.chooseStyle = [](CommonDialog &dialog) { dialog.color = Green; };
        click(design, "Command15");
        QCOMPARE(notice(), QList<ColorRef>(2, Black));
        checkBox(design, "Check11").setChecked(false);
        QCOMPARE(notice(), QList<ColorRef>(2, Green));

        // The lower block: small sizes or the title size; the bottom line's colour or the
        // titles' (the publisher keeps its own); the misc. text centred in its box or not.
        auto area = [&](int n) -> Element & { return design.titleArea(n - 3); };
        element(design, "Label3").setForeColor(Red);
        area(24).setForeColor(White);
        const QRectF place = area(27).rect();
        checkBox(design, "Check6").setChecked(false);
        for (bool ticked : {true, false}) {
            for (const char *box : {"Check6", "Check8", "Check15"})
                checkBox(design, box).setChecked(ticked);
            for (int n : {24, 25, 26, 27}) {
                QCOMPARE(area(n).font().size, !ticked ? 12.0f : n == 27 ? 6.0f : 7.0f);
                QCOMPARE(area(n).foreColor(), n == 24 ? White : ticked ? Red : Green);
            }
            QCOMPARE(area(27).alignment(), ticked ? Qt::AlignHCenter : Qt::AlignLeft);
        }
        QCOMPARE(area(27).rect(), place);
    }

    // Each colour button offers the colour of the first element it paints.
    void colourButtons()
    {
        DesignWindow design;
        Element &shape1 = element(design, "Shape1"), &line1 = element(design, "Line1");
        Element &line2 = element(design, "Line2"), &shape2 = element(design, "Shape2");
        shape1.setBackColor(1);
        line1.setBorderColor(2);
        line2.setBorderColor(3);
        shape2.setBorderColor(4);
        auto colours = [&] {
            return QList{shape1.backColor(), line1.borderColor(), line2.borderColor(),
                         shape2.borderColor()};
        };
        // Cancelled, nothing changes: the second rule would take the first one's colour.
        answerModalDialogs({[](QDialog *dialog) { return !pickColour(Qt::blue)(dialog); }});
        click(design, "Command6");
        QCOMPARE(colours(), (QList<ColorRef>{1, 2, 3, 4}));
        const std::tuple<const char *, ColorRef, QList<ColorRef>> steps[] = {
            {"Command6", 2, {1, Red, Red, 4}}, // both rules
            {"Command3", 1, {Red, Red, Red, 4}},
            {"Command13", 4, {Red, Red, Red, Red}}};
        for (const auto &[button, seed, after] : steps) {
            QColor offered;
            answerModalDialogs({pickColour(Qt::red, &offered)});
            click(design, button);
            QCOMPARE(offered, toQColor(seed));
            QCOMPARE(colours(), after);
        }
    }

    void postingTheNotice()
    {
        DesignWindow design;
        // Start-up's year already built the hidden line; edits rebuild it while hidden.
        const Element &line = element(design, "Label29");
        QCOMPARE(line.caption(), currentYear() + u"  All Rights Reserved."_s);
        entry(design, "Text11").setText(u"2024"_s);
        entry(design, "Text12").setText(u"Acme"_s);
        QCOMPARE(line.caption(), u"2024 Acme All Rights Reserved."_s);
        checkBox(design, "Check10").setChecked(true);
        for (bool posted : {true, false}) {
            checkBox(design, "Check9").setChecked(posted);
            for (const char *name : {"Label28", "Label29", "Image4"})
                QVERIFY2(element(design, name).isVisible() == posted, name);
            for (const char *name : {"Check10", "Check11", "Text11", "Text12"})
                QVERIFY2(control<QWidget>(design, name).isHidden() != posted, name);
        }
        // Posted, the year stood alone; the holder joins on the next edit.
        QCOMPARE(line.caption(), u"2024  All Rights Reserved."_s);
        entry(design, "Text12").setText(u"Acme Records"_s);
        QCOMPARE(line.caption(), u"2024 Acme Records All Rights Reserved."_s);

        // The box covers the notice by its thickness beyond 2: showing it lifts the notice
        // each time, hiding it moves nothing back, posting puts it on its base line first.
        entry(design, "Text10").setText(u"5"_s);
        QCOMPARE(noticeTops(design), QList<float>(3, 439));
        const std::tuple<const char *, bool, float> steps[] = {{"Check5", true, 436},
                                                               {"Check5", false, 436},
                                                               {"Check5", true, 433},
                                                               {"Check9", true, 436}};
        for (const auto &[box, ticked, top] : steps) {
            checkBox(design, box).setChecked(ticked);
            QCOMPARE(noticeTops(design), QList<float>(3, top));
        }
    }

    void noticeIsCentredAsAGroup()
    {
        for (float cover : {456.0f, 519.0f}) {
            DesignWindow design;
            option(design, cover > 456 ? "Option4" : "Option1").setChecked(true);
            const Element &mark = element(design, "Label28"), &line = element(design, "Label29");
            const Element &phonorecord = element(design, "Image4");
            auto group = [&] { // the mark against the group's centred place, the line against it
                const float width = phonorecord.width() + mark.width() + line.width();
                return QList{mark.left() - (cover - width) / 2, line.left() - mark.left()};
            };
            // Without the phonorecord mark its box is 1 wide: the line starts 28 in.
            checkBox(design, "Check9").setChecked(true);
            QCOMPARE(group(), (QList{0.0f, 28.0f}));
            // "Add ( P )" moves only the line: 33 in with the mark, 30 without.
            const float markLeft = mark.left();
            checkBox(design, "Check10").setChecked(true);
            QCOMPARE((QList{line.left() - markLeft, phonorecord.width()}), (QList{33.0f, 6.0f}));
            const QImage drawn = design.canvas().render(phonorecord.rect().toAlignedRect());
            QVERIFY(qGray(drawn.pixel(2, 2)) < 200 || qGray(drawn.pixel(3, 3)) < 200); // a P
            checkBox(design, "Check10").setChecked(false);
            QVERIFY(!phonorecord.isVisible());
            QCOMPARE(line.left() - markLeft, 30.0f);
            // Posted again, and after a year edit, centred anew with the mark.
            checkBox(design, "Check10").setChecked(true);
            checkBox(design, "Check9").setChecked(false);
            checkBox(design, "Check9").setChecked(true);
            QCOMPARE(group(), (QList{0.0f, 33.0f}));
            QCOMPARE(phonorecord.left(), mark.left() + 29);
            entry(design, "Text11").setText(u"1987"_s);
            QCOMPARE(group(), (QList{0.0f, 33.0f}));
        }
    }
};

VM_TEST_CLASS(CoverTest)

class WindowsTest : public QObject
{
    Q_OBJECT

private slots:
    void titleEditor()
    {
        DesignWindow design;
        design.titleArea(3).setCaption(u"From a file"_s);
        QPointer<TitlesWindow> titles = &openEditor(design);
        QCOMPARE(titles->field(3)->text(), u"From a file"_s);
        for (int n = 1; n <= TitlesWindow::FieldCount; ++n)
            titles->field(n)->setText(u"Title %1"_s.arg(n));
        // "Show Titles" hides and shows all 24 areas; they keep their texts.
        for (bool shown : {true, false, true}) {
            checkBox(design, "Check7").setChecked(shown);
            for (int n = 1; n <= DesignWindow::TitleAreaCount; ++n)
                QVERIFY(design.titleArea(n).isVisible() == shown &&
                        design.titleArea(n).caption() == u"Title %1"_s.arg(n));
        }
        // A closed editor is made anew and filled from the cover again.
        titles->close();
        QTRY_VERIFY(!titles);
        QCOMPARE(openEditor(design).field(24)->text(), u"Title 24"_s);
    }

    void enterMovesDownOrAcross()
    {
        // From field n, down or across (the two columns side by side), Enter moves to field
        // `next`; 0 for none.
        const int rows[][3] = {{1, 1, 11},  {10, 1, 20}, {11, 1, 2},  {19, 1, 10},
                               {20, 1, 21}, {1, 0, 2},   {10, 0, 11}, {20, 0, 21},
                               {23, 1, 24}, {24, 1, 0},  {24, 0, 0}};
        for (const auto &[n, across, next] : rows)
            QCOMPARE(TitlesWindow::enterTarget(n, across), next);
        // Enter moves the focus there.
        DesignWindow design;
        TitlesWindow &titles = openEditor(design);
        control<QCheckBox>(titles, "Check1").setChecked(true);
        QTest::keyClick(titles.field(10), Qt::Key_Return);
        QCOMPARE(titles.focusWidget(), titles.field(20));
    }

    // Each button fills its own slot and names the file there; only the main picture is
    // centred on the cover as it loads. Not a picture: the label names it, the slot keeps its
    // picture and place. Cancelled: nothing changes.
    void pictureButtonsFillTheirSlots()
    {
        QTemporaryDir dir;
        const QString red = redPicture(dir, "red.bmp"), notes = dir.filePath(u"notes.jpg"_s);
        QVERIFY(writeAll(notes, "not a picture at all"));
        const std::tuple<const char *, const char *, const char *, QPointF> buttons[] = {
            {"Command8", "Image1", "PIXFLN", {109.5, 128}}, // on the back cover
            {"Command9", "Image2", "Label30", {1, 1}},
            {"Command12", "Image3", "LOGO2FLN", {1, 1}}};
        for (const auto &[button, box, path, place] : buttons) {
            DesignWindow design;
            option(design, "Option4").setChecked(true);
            Element &slot = element(design, box);
            ScriptedDialogs &dialogs = scriptDialogs(design.commonDialog());
            for (const QString &chosen : {red, notes, QString()}) {
                slot.setGeometry(1, 1, 300, 200);
                dialogs.chosenFile = chosen;
                click(design, button);
                QCOMPARE(labelText(design, path), chosen.isEmpty() ? notes : chosen);
                QCOMPARE(slot.rect().topLeft(), chosen == red ? place : QPointF(1, 1));
                QCOMPARE(slot.picture().pixelColor(0, 0), QColor(Qt::red));
            }
            for (const char *other : {"Image1", "Image2", "Image3"})
                QCOMPARE(element(design, other).picture().isNull(), qstrcmp(box, other) != 0);
        }
    }

    void clearingWindow()
    {
        QTemporaryDir dir;
        DesignWindow design;
        design.show();
        QVERIFY(QTest::qWaitForWindowExposed(&design));
        scriptDialogs(design.commonDialog()).chosenFile = redPicture(dir, "all.bmp");
        for (const char *button : {"Command8", "Command9", "Command12"})
            click(design, button);
        Element &image1 = element(design, "Image1");
        image1.setLeft(7);
        auto filled = [&] {
            QList<bool> result;
            for (const auto &[box, path] :
                 {std::pair{"Image1", "PIXFLN"}, {"Image2", "Label30"}, {"Image3", "LOGO2FLN"}})
                result << (!element(design, box).picture().isNull() &&
                           !labelText(design, path).isEmpty());
            return result;
        };
        // Its boxes stay ticked while another window is active.
        click(design, "Command16");
        QPointer<PixclearWindow> pixclear;
        QTRY_VERIFY((pixclear = qobject_cast<PixclearWindow *>(QApplication::activeWindow())));
        pixclear->check(3)->setChecked(true);
        design.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&design));
        QVERIFY(pixclear->check(3)->isChecked());
        // Only the slots ticked are emptied; the window hides, and the next "CLR" shows the
        // same one again.
        click(*pixclear, "Command1");
        QVERIFY(!pixclear->isVisible());
        QCOMPARE(filled(), (QList{true, true, false}));
        pixclear->check(2)->setChecked(true);
        pixclear->hide();
        click(design, "Command16"); // unticked as it shows, before any activation
        QVERIFY(pixclear && pixclear->isVisible() && !pixclear->isActiveWindow());
        QVERIFY(!pixclear->check(2)->isChecked());
        pixclear->check(1)->setChecked(true);
        click(*pixclear, "Command1");
        QCOMPARE(filled(), (QList{false, true, false}));
        QCOMPARE(image1.rect(), QRectF(7, 83.5, 393, 289)); // the box stays as it was
    }

    // A box grown beyond its decoded picture reads the file again only while it is the same.
    void pictureFileChangedMeanwhile_data()
    {
        QTest::addColumn<bool>("replaced"); // another picture at the old time; else touched
        QTest::newRow("replaced") << true;
        QTest::newRow("touched") << false;
    }

    void pictureFileChangedMeanwhile()
    {
        QFETCH(bool, replaced);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"photo.jpg"_s);
        QImage photo(4000, 3000, QImage::Format_RGB32);
        photo.fill(Qt::darkGreen);
        QVERIFY(photo.save(path));
        const QDateTime modified = QFileInfo(path).lastModified();
        DesignWindow design;
        scriptDialogs(design.commonDialog()).chosenFile = path;
        click(design, "Command8");
        design.finishPictures();
        if (replaced)
            QVERIFY(photo.copy(0, 0, 3000, 3000).save(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::Append) &&
                file.setFileTime(replaced ? modified : modified.addSecs(10),
                                 QFileDevice::FileModificationTime));
        entry(design, "Text7").setText(u"600"_s);
        // The detail decoded for the 393 x 289 box, not read again.
        design.finishPictures();
        QCOMPARE(element(design, "Image1").picture().size(), QSize(2457, 1807));
    }

    void hoverHelp()
    {
        DesignWindow design;
        // A misspelt name would leave its control silent.
        for (const auto &text : design::designHoverTexts())
            QCOMPARE(control<QWidget>(design, text.control).statusTip(), design::hoverLine(text));
        design.show();
        QVERIFY(QTest::qWaitForWindowExposed(&design));
        QCOMPARE(design.windowTitle(), QString());
        entry(design, "Text1").setText(u"Headline"_s);
        // From "CLR" onto the main picture and the top line: its line stays, since texts and
        // pictures have no line of their own. The bare cover is background: the title line.
        QTest::mouseMove(&control<QWidget>(design, "Command16"));
        for (const char *name : {"Image1", "Label2"}) {
            QTest::mouseMove(&design.canvas(), element(design, name).rect().center().toPoint());
            QCOMPARE(design.windowTitle(), control<QWidget>(design, "Command16").statusTip());
        }
        QTest::mouseMove(&design.canvas(), QPoint(5, 450));
        QCOMPARE(design.windowTitle(), design::designTitleLine());
    }
};

VM_TEST_CLASS(WindowsTest)
#include "editing.moc"
