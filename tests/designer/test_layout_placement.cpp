// Front and back covers, and the fields and boxes that place the lines, rules, picture and box.

#include "support/design_test_support.h"

#include "toolkit/fonts.h"

#include <QTest>

#include <cmath>
#include <tuple>

using namespace vm;
using namespace vm::test;
using vm::design::DesignWindow;

class LayoutPlacementTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutes(); }

    void frontBackFront();
    void reselectingTheSameCoverMovesNothing();
    void uncentredBottomLineFollowsTheCover();

    void typedLinesAreCentred();
    void linesWiderThanTheCover();
    void manualTopLineStaysPut();

    void positionFieldsReadTheLeadingNumber_data();
    void positionFieldsReadTheLeadingNumber();
    void unsoundValuesAreRefused();
    void pictureSizeCentresThePicture();

    void ruleThickness_data();
    void ruleThickness();
    void ruleAndBorderBoxes();
};

void LayoutPlacementTest::frontBackFront()
{
    DesignWindow design;
    // The copyright group moves by 31 from wherever the year placed it at start-up.
    const float mark = element(design, "Label28").left();
    const float line = element(design, "Label29").left();
    const float phonorecord = element(design, "Image4").left();
    option(design, "Option4").setChecked(true);

    QCOMPARE(design.shared().CoverWidth, 519.0f);
    QCOMPARE(element(design, "Shape1").width(), 519.0f);
    QCOMPARE(element(design, "Shape2").width(), 507.0f);
    QCOMPARE(element(design, "Line1").x2(), 495.0f);
    QCOMPARE(element(design, "Line2").x2(), 495.0f);
    QCOMPARE(element(design, "Label27").width(), 422.0f);
    QCOMPARE(element(design, "Image3").left(), 400.0f);
    QCOMPARE(element(design, "Image1").left(), 63.0f);
    QCOMPARE(element(design, "Label28").left(), mark + 31);
    QCOMPARE(element(design, "Label29").left(), line + 31);
    QCOMPARE(element(design, "Image4").left(), phonorecord + 31);
    for (int number : {14, 18, 23, 26})
        QCOMPARE(design.canvas().element(QStringLiteral("Label%1").arg(number)).left(), 300.0f);
    for (int number : {4, 13, 24, 25})
        QCOMPARE(design.canvas().element(QStringLiteral("Label%1").arg(number)).left(), 50.0f);
    // Both empty lines are centred on the wider cover, and the entries say so.
    QCOMPARE(element(design, "Label2").left(), 259.0f);
    QCOMPARE(entry(design, "Text6").text(), QStringLiteral("259"));
    QCOMPARE(entry(design, "Text9").text(), QStringLiteral("259"));
    QCOMPARE(design.canvas().render(QRect(500, 200, 1, 1)).pixel(0, 0), qRgb(255, 255, 255));

    option(design, "Option1").setChecked(true);
    QVERIFY(!option(design, "Option4").isChecked());
    QCOMPARE(design.shared().CoverWidth, 456.0f);
    QCOMPARE(element(design, "Shape1").width(), 456.0f);
    QCOMPARE(element(design, "Shape2").width(), 444.0f); // 441 only until the first switch
    QCOMPARE(element(design, "Line2").x2(), 432.0f);
    QCOMPARE(element(design, "Label27").width(), 360.0f);
    QCOMPARE(element(design, "Image3").left(), 400.0f); // logo 2 stays where the back put it
    QCOMPARE(element(design, "Image1").left(), 31.5f);
    QCOMPARE(element(design, "Label28").left(), mark);
    QCOMPARE(element(design, "Label29").left(), line);
    QCOMPARE(element(design, "Image4").left(), phonorecord);
    QCOMPARE(design.canvas().element(u"Label26").left(), 250.0f);
    QCOMPARE(element(design, "Label2").left(), 228.0f);
}

void LayoutPlacementTest::reselectingTheSameCoverMovesNothing()
{
    DesignWindow design;
    const float mark = element(design, "Label28").left();
    option(design, "Option4").setChecked(true);
    QTest::mouseClick(&option(design, "Option4"), Qt::LeftButton, {}, QPoint(5, 8));
    option(design, "Option4").setChecked(true);
    QCOMPARE(element(design, "Label28").left(), mark + 31);
    option(design, "Option1").setChecked(true);
    option(design, "Option1").setChecked(true);
    QCOMPARE(element(design, "Label28").left(), mark);
}

void LayoutPlacementTest::uncentredBottomLineFollowsTheCover()
{
    DesignWindow design;
    checkBox(design, "Check14").setChecked(false);
    entry(design, "Text9").setText(QStringLiteral("96"));
    option(design, "Option4").setChecked(true);
    QCOMPARE(element(design, "Label3").left(), 159.0f);
    QCOMPARE(entry(design, "Text9").text(), QStringLiteral("159"));
    option(design, "Option1").setChecked(true);
    QCOMPARE(element(design, "Label3").left(), 96.0f);
    QCOMPARE(entry(design, "Text9").text(), QStringLiteral("96"));
}

void LayoutPlacementTest::typedLinesAreCentred()
{
    DesignWindow design;
    QTest::keyClicks(&entry(design, "Text1"), QStringLiteral("Hello"));
    const Element &label2 = element(design, "Label2");
    QCOMPARE(label2.caption(), QStringLiteral("Hello"));
    QVERIFY(label2.width() > 0);
    const float left = std::trunc((456 - label2.width()) / 2);
    QCOMPARE(label2.left(), left);
    QCOMPARE(entry(design, "Text6").text(), QString::number(int(left)));
    // Typing brought the line in front of the main picture.
    const auto &order = design.canvas().stackingOrder();
    QCOMPARE(order.back(), &label2);

    QTest::keyClicks(&entry(design, "Text2"), QStringLiteral("Under"));
    const Element &label3 = element(design, "Label3");
    QCOMPARE(label3.left(), std::trunc((456 - label3.width()) / 2));
    QCOMPARE(order.back(), &label2); // the bottom line stays where it is in the order
}

void LayoutPlacementTest::linesWiderThanTheCover()
{
    DesignWindow design;
    const QString wide(60, u'W');
    entry(design, "Text1").setText(wide);
    entry(design, "Text2").setText(wide + wide);
    const Element &label2 = element(design, "Label2");
    const Element &label3 = element(design, "Label3");
    QVERIFY(label2.width() > 519);
    const float overflow2 = std::trunc((label2.width() - 456) / 2);
    const float overflow3 = std::trunc((label3.width() - 456) / 2);

    // Typing: the top line at half its overflow to the right, the bottom line to the left.
    QCOMPARE(label2.left(), overflow2);
    QCOMPARE(label3.left(), -overflow3);
    QCOMPARE(entry(design, "Text9").text(), QString::number(int(-overflow3)));

    // The centre boxes do it the other way round.
    checkBox(design, "Check13").setChecked(false);
    checkBox(design, "Check13").setChecked(true);
    QCOMPARE(label2.left(), -overflow2);
    QCOMPARE(entry(design, "Text6").text(), QString::number(int(-overflow2)));
    checkBox(design, "Check14").setChecked(false);
    checkBox(design, "Check14").setChecked(true);
    QCOMPARE(label3.left(), overflow3);

    // Switching covers makes both positive.
    option(design, "Option4").setChecked(true);
    QCOMPARE(label2.left(), std::trunc((label2.width() - 519) / 2));
    QCOMPARE(label3.left(), std::trunc((label3.width() - 519) / 2));
}

void LayoutPlacementTest::manualTopLineStaysPut()
{
    DesignWindow design;
    checkBox(design, "Check13").setChecked(false);
    entry(design, "Text6").setText(QStringLiteral("20"));
    QTest::keyClicks(&entry(design, "Text1"), QStringLiteral("Left"));
    QCOMPARE(element(design, "Label2").left(), 20.0f);
    QCOMPARE(entry(design, "Text6").text(), QStringLiteral("20"));
    // A typed position moves a centred line too, until its text changes again.
    checkBox(design, "Check13").setChecked(true);
    entry(design, "Text6").setText(QStringLiteral("7"));
    QCOMPARE(element(design, "Label2").left(), 7.0f);
    QTest::keyClicks(&entry(design, "Text1"), QStringLiteral("!"));
    QCOMPARE(element(design, "Label2").left(),
             std::trunc((456 - element(design, "Label2").width()) / 2));
}

void LayoutPlacementTest::positionFieldsReadTheLeadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<float>("value");
    QTest::newRow("digits then letters") << "12abc" << 12.0f;
    QTest::newRow("empty") << "" << 0.0f;
    QTest::newRow("blanks, sign, fraction") << "  -3.5 px" << -3.5f;
    QTest::newRow("hexadecimal") << "&H1F" << 31.0f;
}

void LayoutPlacementTest::positionFieldsReadTheLeadingNumber()
{
    QFETCH(QString, text);
    QFETCH(float, value);
    DesignWindow design;
    const std::tuple<const char *, const char *, float (Element::*)() const> fields[] = {
        {"Text5", "Label2", &Element::top},
        {"Text6", "Label2", &Element::left},
        {"Text4", "Label3", &Element::top},
        {"Text9", "Label3", &Element::left}};
    for (const auto &[name, line, property] : fields) {
        entry(design, name).setText(QStringLiteral("55"));
        entry(design, name).setText(text);
        QCOMPARE((element(design, line).*property)(), value);
    }
}

void LayoutPlacementTest::unsoundValuesAreRefused()
{
    DesignWindow design;
    // Beyond single precision: the field keeps its text, the element its last sound value.
    entry(design, "Text5").setText(QStringLiteral("1e39"));
    QCOMPARE(entry(design, "Text5").text(), QStringLiteral("1e39"));
    QCOMPARE(element(design, "Label2").top(), 8.0f);
    entry(design, "Text9").setText(QStringLiteral("-1e300"));
    QCOMPARE(element(design, "Label3").left(), 96.0f);

    // A negative picture size is refused the same way; zero is allowed.
    const Element &image1 = element(design, "Image1");
    entry(design, "Text7").setText(QStringLiteral("-5"));
    entry(design, "Text8").setText(QStringLiteral("1e40"));
    QCOMPARE(image1.rect(), QRectF(31.5, 83.5, 393, 289));
    QVERIFY(image1.isVisible());
    QCOMPARE(entry(design, "Text7").text(), QStringLiteral("-5"));
    entry(design, "Text7").setText(QStringLiteral("0"));
    QCOMPARE(image1.width(), 0.0f);
    QCOMPARE(image1.left(), 228.0f);
}

void LayoutPlacementTest::pictureSizeCentresThePicture()
{
    DesignWindow design;
    const Element &image1 = element(design, "Image1");
    entry(design, "Text7").setText(QStringLiteral("200"));
    entry(design, "Text8").setText(QStringLiteral("100"));
    QCOMPARE(image1.rect(), QRectF(128, 178, 200, 100));
    entry(design, "Text7").setText(QStringLiteral("393"));
    option(design, "Option4").setChecked(true);
    QCOMPARE(image1.left(), 63.0f);
    entry(design, "Text7").setText(QStringLiteral("300"));
    QCOMPARE(image1.left(), 109.5f);
}

void LayoutPlacementTest::ruleThickness_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("shown");
    QTest::newRow("zero resets to 1") << "0" << 1 << "1";
    QTest::newRow("emptied resets to 1") << "" << 1 << "1";
    QTest::newRow("negative") << "-3" << 1 << "1";
    QTest::newRow("half down to even") << "2.5" << 2 << "2.5";
    QTest::newRow("half up to even") << "3.5" << 4 << "3.5";
    QTest::newRow("leading number") << "7px" << 7 << "7px";
    QTest::newRow("largest") << "100" << 100 << "100";
    QTest::newRow("beyond largest") << "101" << 1 << "1";
    QTest::newRow("beyond 16 bits") << "40000" << 1 << "1";
}

void LayoutPlacementTest::ruleThickness()
{
    QFETCH(QString, typed);
    QFETCH(int, width);
    QFETCH(QString, shown);
    DesignWindow design;
    entry(design, "Text3").setText(QStringLiteral("9"));
    entry(design, "Text3").setText(typed);
    QCOMPARE(entry(design, "Text3").text(), shown);
    QCOMPARE(element(design, "Line1").borderWidth(), width);
    QCOMPARE(element(design, "Line2").borderWidth(), width);
}

void LayoutPlacementTest::ruleAndBorderBoxes()
{
    DesignWindow design;
    // Emptying the field by typing puts "1" back at once; the new value goes after it.
    QLineEdit &text3 = entry(design, "Text3");
    text3.setFocus();
    text3.selectAll();
    QTest::keyClick(&text3, Qt::Key_Backspace);
    QCOMPARE(text3.text(), QStringLiteral("1"));
    QTest::keyClick(&text3, Qt::Key_End);
    QTest::keyClicks(&text3, QStringLiteral("2"));
    QCOMPARE(element(design, "Line1").borderWidth(), 12);

    QTest::mouseClick(&checkBox(design, "Check1"), Qt::LeftButton);
    QVERIFY(!element(design, "Line1").isVisible());
    QVERIFY(element(design, "Line2").isVisible());
    checkBox(design, "Check2").setChecked(true);
    QVERIFY(!element(design, "Line2").isVisible());
    checkBox(design, "Check1").setChecked(false);
    QVERIFY(element(design, "Line1").isVisible());

    checkBox(design, "Check3").setChecked(true);
    QVERIFY(element(design, "Label2").hasBorder());
    QVERIFY(!element(design, "Label3").hasBorder());
    checkBox(design, "Check4").setChecked(true);
    QVERIFY(element(design, "Label3").hasBorder());
    checkBox(design, "Check3").setChecked(false);
    QVERIFY(!element(design, "Label2").hasBorder());
}

QTEST_MAIN(LayoutPlacementTest)
#include "test_layout_placement.moc"
