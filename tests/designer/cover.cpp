// The cover's own options: front and back layouts, the fields and boxes that place the lines,
// rules, picture and box, fonts and colours, the copyright notice and the lower block.
#include "support/design_fixture.h"
#include "support/test_main.h"

#include "toolkit/numbers.h"

#include <QColorDialog>
#include <QFontDialog>
#include <QTest>

#include <cmath>

using namespace vm;
using namespace vm::test;
using namespace Qt::StringLiterals;
using vm::design::DesignWindow;

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
const DialogStep cancel = [](QDialog *) { return false; };

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
            QCOMPARE(design.shared().CoverWidth, back ? 519.0f : 456.0f);
            for (const auto &[name, property, onBack, onFront] : moved)
                QVERIFY2((element(design, name).*property)() == (back ? onBack : onFront), name);
            for (int i = 0; i < 3; ++i)
                QCOMPARE(element(design, group[i]).left(), start[i] + (back ? 31 : 0));
            // The fields follow both lines, the (empty) top one centred.
            QCOMPARE(entry(design, "Text6").text(), back ? u"259"_s : u"228"_s);
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
        QCOMPARE(
            (QList{top.left(), bottom.left()}),
            (QList{std::trunc((top.width() - 519) / 2), std::trunc((bottom.width() - 519) / 2)}));
        // Not centred, the top line stays where it is put while its text changes.
        checkBox(design, "Check13").setChecked(false);
        entry(design, "Text6").setText(u"20"_s);
        QTest::keyClicks(&entry(design, "Text1"), u"!"_s);
        QCOMPARE(top.left(), 20.0f);
        QCOMPARE(entry(design, "Text6").text(), u"20"_s);
    }

    void positionAndPictureFields()
    {
        DesignWindow design;
        const std::tuple<const char *, const char *, Property> fields[] = {
            {"Text5", "Label2", &Element::top},
            {"Text6", "Label2", &Element::left},
            {"Text4", "Label3", &Element::top},
            {"Text9", "Label3", &Element::left}};
        for (const auto &[field, line, property] : fields) {
            // The leading number; then a value beyond single precision, refused.
            for (const QString &text : {u"12abc"_s, u"1e39"_s}) {
                entry(design, field).setText(text);
                QVERIFY2((element(design, line).*property)() == 12, field);
            }
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
            {"0", "1", 1, -1},    {"", "1", 1, -1},        {"2.5", "2.5", 2, 0.5},
            {"10", "10", 10, 8},  {"100", "100", 100, 98}, {"101", "1", 1, -1},
            {"40000", "1", 1, -1}};
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
        entry(design, field.toLatin1()).setText(u"7"_s); // something to change from
        entry(design, field.toLatin1()).setText(typed);
        QCOMPARE(entry(design, field.toLatin1()).text(), shown);
        for (const char *name : field == u"Text3" ? QList{"Line1", "Line2"} : QList{"Shape2"})
            QCOMPARE(element(design, name).borderWidth(), width);
        QCOMPARE(noticeTops(design), QList<float>(3, 439 - lift));
    }

    void hideAndBorderBoxes()
    {
        DesignWindow design;
        entry(design, "Text1").setText(u"Top"_s);
        entry(design, "Text2").setText(u"Bottom"_s);
        const std::tuple<const char *, const char *, bool> boxes[] = {
            {"Check1", "Line1", true},
            {"Check2", "Line2", true}, // hides, or draws a border
            {"Check3", "Label2", false},
            {"Check4", "Label3", false}};
        for (const auto &[box, name, hides] : boxes) {
            const Element &e = element(design, name);
            checkBox(design, box).setChecked(true);
            QVERIFY2(e.isVisible() != hides && e.hasBorder() != hides, box);
            checkBox(design, box).setChecked(false);
            QVERIFY2(e.isVisible() && !e.hasBorder(), box);
        }
    }

    void noticeStandsOnTheBox()
    {
        DesignWindow design;
        entry(design, "Text10").setText(u"5"_s);
        QCOMPARE(noticeTops(design), QList<float>(3, 439)); // no box, no lift
        // Showing the box lifts the notice by 3 each time; hiding it moves nothing back.
        for (const auto &[shown, top] :
             {std::pair{true, 436.0f}, {false, 436.0f}, {true, 433.0f}}) {
            checkBox(design, "Check5").setChecked(shown);
            QCOMPARE(element(design, "Shape2").isVisible(), shown);
            QCOMPARE(noticeTops(design), QList<float>(3, top));
        }
        // Posting puts it back on its base line first: lifted once, however often posted.
        for (bool posted : {true, false, true}) {
            checkBox(design, "Check9").setChecked(posted);
            QCOMPARE(noticeTops(design), QList<float>(3, 436));
        }
    }

    void headlineFonts()
    {
        DesignWindow design;
        const QString text = u"A line far too wide for the cover"_s;
        entry(design, "Text1").setText(text);
        entry(design, "Text2").setText(text);
        const Element &top = element(design, "Label2"), &bottom = element(design, "Label3");
        // "Top Font": the font dialog starts on the line's size, the colour dialog that
        // follows it on the line's colour.
        QFont seeded;
        QColor offered;
        const QColor ink = toQColor(top.foreColor());
        answerModalDialogs({editFont([&](QFont &font) {
                                seeded = font;
                                font = QFont(u"DejaVu Serif"_s, 40, QFont::Normal, true);
                            }),
                            pickColour(Qt::red, &offered)});
        click(design, "Command5");
        QCOMPARE(seeded.pointSizeF(), 18.0);
        QCOMPARE(offered, ink);
        QCOMPARE(top.font(), (FontSpec{u"DejaVu Serif"_s, 40, false, true}));
        QCOMPARE(top.foreColor(), Red);
        // Centred in the new face and size but the old bold style (the style comes after),
        // with the absolute value: half its overflow to the right.
        const float boldWidth = widthOf(text, {u"DejaVu Serif"_s, 40, true});
        QVERIFY(boldWidth > 456);
        QCOMPARE(top.left(), std::fabs(std::trunc((456 - boldWidth) / 2)));
        QCOMPARE(entry(design, "Text6").text(), singleText(top.left()));

        // "Bottom Font": the dialog keeps the last style, not the line's: italic comes along.
        // A face left as shown keeps the design's, which is not installed here. Truncated:
        // half the overflow to the left.
        bool italic = false;
        answerModalDialogs({editFont([&](QFont &font) {
                                italic = font.italic();
                                font.setPointSize(30);
                            }),
                            pickColour(Qt::green)});
        click(design, "Command10");
        QVERIFY(italic);
        const FontSpec bottomFont{u"MS Sans Serif"_s, 30, false, true};
        QCOMPARE(bottom.font(), bottomFont);
        QCOMPARE(bottom.foreColor(), Green);
        QCOMPARE(bottom.left(), std::trunc((456 - widthOf(text, {bottomFont.name, 30})) / 2));

        // Cancelling the colour cancels the font too.
        const float left = top.left();
        answerModalDialogs({editFont([](QFont &font) { font.setPointSize(9); }), cancel});
        click(design, "Command5");
        QCOMPARE(top.font().size, 40.0f);
        QCOMPARE(top.left(), left);
        // A line placed by hand keeps its place.
        checkBox(design, "Check13").setChecked(false);
        entry(design, "Text6").setText(u"20"_s);
        answerModalDialogs({editFont([](QFont &) {}), pickColour(Qt::blue)});
        click(design, "Command5");
        QCOMPARE(top.left(), 20.0f);
    }

    void titlesFont()
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
        QVERIFY(checkBox(design, "Check6").isChecked());
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
        QCOMPARE(label10.foreColor(), Green);
        QCOMPARE(notice(), QList<ColorRef>(2, Black));
        checkBox(design, "Check11").setChecked(false);
        QCOMPARE(notice(), QList<ColorRef>(2, Green));
    }

    void colours()
    {
        const std::pair<const char *, QStringList> buttons[] = {
            {"Command3", {u"Shape1"_s}},
            {"Command6", {u"Line1"_s, u"Line2"_s}}, // the first one seeds the dialog
            {"Command13", {u"Shape2"_s}}};
        for (const auto &[button, elements] : buttons) {
            DesignWindow design;
            // A colour of its own everywhere, so the one offered tells which seeded it.
            element(design, "Shape1").setBackColor(rgb(1, 2, 3));
            element(design, "Line1").setBorderColor(rgb(4, 5, 6));
            element(design, "Line2").setBorderColor(rgb(7, 8, 9));
            element(design, "Shape2").setBorderColor(rgb(10, 11, 12));
            auto colour = [&](const QString &name) {
                const Element &e = design.canvas().element(name);
                return name == u"Shape1" ? e.backColor() : e.borderColor();
            };
            const QColor seed = toQColor(colour(elements.first()));
            QColor offered;
            answerModalDialogs({pickColour(Qt::red, &offered)});
            click(design, button);
            QCOMPARE(offered, seed);
            // Cancelled, nothing changes.
            answerModalDialogs({[](QDialog *dialog) { return !pickColour(Qt::blue)(dialog); }});
            click(design, button);
            for (const QString &name : elements)
                QCOMPARE(colour(name), Red);
        }
    }

    void postingTheNotice()
    {
        DesignWindow design;
        // Start-up's year already built the hidden line; edits rebuild it while hidden.
        const Element &mark = element(design, "Label28"), &line = element(design, "Label29");
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
        QCOMPARE(mark.caption(), u"Copyright \u00A9"_s);
        QCOMPARE(line.caption(), u"2024  All Rights Reserved."_s);
        entry(design, "Text12").setText(u"Acme Records"_s);
        QCOMPARE(line.caption(), u"2024 Acme Records All Rights Reserved."_s);
        // Any text written into the line centres it on its own.
        element(design, "Label29").setCaption(u"Any text at all"_s);
        QCOMPARE(line.left(), (456 - line.width()) / 2);
    }

    void noticeIsCentredAsAGroup()
    {
        for (float cover : {456.0f, 519.0f}) {
            DesignWindow design;
            option(design, cover > 456 ? "Option4" : "Option1").setChecked(true);
            const Element &mark = element(design, "Label28"), &line = element(design, "Label29");
            const Element &phonorecord = element(design, "Image4");
            auto group = [&] { // where the mark stands against the centre, and the line against it
                const float width = phonorecord.width() + mark.width() + line.width();
                return QList{mark.left() - (cover - width) / 2, line.left() - mark.left()};
            };
            // Without the phonorecord mark its box is 1 wide: the line starts 28 in.
            checkBox(design, "Check9").setChecked(true);
            QCOMPARE(group(), (QList{0.0f, 28.0f}));
            // "Add ( P )" moves only the line: 33 in with the mark, 30 without.
            const float markLeft = mark.left();
            checkBox(design, "Check10").setChecked(true);
            QCOMPARE(line.left() - markLeft, 33.0f);
            QCOMPARE(phonorecord.width(), 6.0f);
            // The circled P shows, darker than the white cover.
            const QImage drawn = design.canvas().render(phonorecord.rect().toAlignedRect());
            QVERIFY(qGray(drawn.pixel(2, 2)) < 200 || qGray(drawn.pixel(3, 3)) < 200);
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

    void lowerBlock()
    {
        DesignWindow design;
        Element &label10 = element(design, "Label10");
        auto area = [&](int n) -> Element & { return design.titleArea(n - 3); };
        // "Lower Small": the title size once cleared, whatever the titles were given meanwhile.
        label10.setFontSize(12);
        for (bool small : {false, true}) {
            checkBox(design, "Check6").setChecked(small);
            for (int n : {24, 25, 26, 27})
                QCOMPARE(area(n).font().size, !small ? 12.0f : n == 27 ? 6.0f : 7.0f);
        }
        // "Lower Black": the bottom line's colour, or the titles'; the publisher keeps its own.
        element(design, "Label3").setForeColor(Red);
        label10.setForeColor(Green);
        area(24).setForeColor(White);
        for (bool black : {true, false}) {
            checkBox(design, "Check8").setChecked(black);
            for (int n : {24, 25, 26, 27})
                QCOMPARE(area(n).foreColor(), n == 24 ? White : black ? Red : Green);
        }
        // "Center Lower" aligns the misc. text inside its box, which stays where it is.
        const QRectF place = area(27).rect();
        for (bool centre : {true, false}) {
            checkBox(design, "Check15").setChecked(centre);
            QCOMPARE(area(27).alignment(), centre ? Qt::AlignHCenter : Qt::AlignLeft);
        }
        QCOMPARE(area(27).rect(), place);
    }
};

VM_TEST_CLASS(CoverTest)
#include "cover.moc"
