// The copyright notice with its phonorecord mark, the box thickness it stands on, and the
// options of the lower information block.

#include "support/design_test_support.h"

#include "toolkit/fonts.h"

#include <QTest>

using namespace vm;
using namespace vm::test;
using vm::design::DesignWindow;

class CopyrightTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutes(); }

    void postingTheNotice();
    void noticeIsCentredAsAGroup_data();
    void noticeIsCentredAsAGroup();
    void phonorecordMark();
    void hiddenLineIsRebuilt();
    void copyrightLineCentresItself();
    void copyrightBlack();

    void boxThickness_data();
    void boxThickness();
    void postingFollowsTheBox();

    void lowerSmall();
    void lowerBlackAndCentred();

private:
    static float offset(const DesignWindow &design)
    {
        return element(design, "Label29").left() - element(design, "Label28").left();
    }
    static QList<float> tops(const DesignWindow &design)
    {
        return {element(design, "Image4").top(), element(design, "Label28").top(),
                element(design, "Label29").top()};
    }
};

void CopyrightTest::postingTheNotice()
{
    DesignWindow design;
    entry(design, "Text11").setText(QStringLiteral("2024"));
    entry(design, "Text12").setText(QStringLiteral("Acme"));
    checkBox(design, "Check9").setChecked(true);

    // The year alone at first, with two spaces; the holder joins on the next edit.
    const Element &mark = element(design, "Label28");
    const Element &line = element(design, "Label29");
    QCOMPARE(mark.caption(), QStringLiteral("Copyright \u00A9"));
    QCOMPARE(line.caption(), QStringLiteral("2024  All Rights Reserved."));
    QVERIFY(mark.isVisible() && line.isVisible());
    for (const char *name : {"Check10", "Check11"})
        QVERIFY(!checkBox(design, name).isHidden());
    for (const char *name : {"Text11", "Text12"})
        QVERIFY(!entry(design, name).isHidden());
    QCOMPARE(mark.font(), (FontSpec{QStringLiteral("Arial"), 3.75f}));

    entry(design, "Text12").setText(QStringLiteral("Acme Records"));
    QCOMPARE(line.caption(), QStringLiteral("2024 Acme Records All Rights Reserved."));
    entry(design, "Text12").setText(QString());
    QCOMPARE(line.caption(), QStringLiteral("2024  All Rights Reserved."));

    // Unposted, everything of the notice hides and keeps its text.
    checkBox(design, "Check9").setChecked(false);
    QVERIFY(!mark.isVisible() && !line.isVisible() && !element(design, "Image4").isVisible());
    for (const char *name : {"Check10", "Check11"})
        QVERIFY(checkBox(design, name).isHidden());
    for (const char *name : {"Text11", "Text12"})
        QVERIFY(entry(design, name).isHidden());
    QCOMPARE(line.caption(), QStringLiteral("2024  All Rights Reserved."));
}

void CopyrightTest::noticeIsCentredAsAGroup_data()
{
    QTest::addColumn<bool>("back");
    QTest::addColumn<float>("cover");
    QTest::newRow("front") << false << 456.0f;
    QTest::newRow("back") << true << 519.0f;
}

void CopyrightTest::noticeIsCentredAsAGroup()
{
    QFETCH(bool, back);
    QFETCH(float, cover);
    DesignWindow design;
    if (back)
        option(design, "Option4").setChecked(true);
    const Element &mark = element(design, "Label28");
    const Element &line = element(design, "Label29");
    const Element &phonorecord = element(design, "Image4");

    // Without the phonorecord mark its box is 1 wide and the line starts 28 in.
    checkBox(design, "Check9").setChecked(true);
    QCOMPARE(phonorecord.width(), 1.0f);
    QCOMPARE(mark.left(), (cover - (1 + mark.width() + line.width())) / 2);
    QCOMPARE(offset(design), 28.0f);

    // "Add ( P )" moves only the line: 33 in with the mark, 30 without.
    const float markLeft = mark.left();
    checkBox(design, "Check10").setChecked(true);
    QVERIFY(phonorecord.isVisible());
    QCOMPARE(phonorecord.width(), 6.0f);
    QCOMPARE(mark.left(), markLeft);
    QCOMPARE(offset(design), 33.0f);
    checkBox(design, "Check10").setChecked(false);
    QVERIFY(!phonorecord.isVisible());
    QCOMPARE(offset(design), 30.0f);

    // Posting again centres the group anew, with the mark when it is asked for.
    checkBox(design, "Check10").setChecked(true);
    checkBox(design, "Check9").setChecked(false);
    checkBox(design, "Check9").setChecked(true);
    QCOMPARE(mark.left(), (cover - (6 + mark.width() + line.width())) / 2);
    QCOMPARE(phonorecord.left(), mark.left() + 29);
    QCOMPARE(offset(design), 33.0f);

    // A year edit re-centres the group as it stands.
    entry(design, "Text11").setText(QStringLiteral("1987"));
    QCOMPARE(mark.left(), (cover - (6 + mark.width() + line.width())) / 2);
    QCOMPARE(offset(design), 33.0f);
}

void CopyrightTest::phonorecordMark()
{
    DesignWindow design;
    const Element &phonorecord = element(design, "Image4");
    QCOMPARE(phonorecord.picture().size(), QSize(100, 100));
    checkBox(design, "Check10").setChecked(true);
    QVERIFY(!phonorecord.isVisible()); // not without the notice
    checkBox(design, "Check9").setChecked(true);
    QVERIFY(phonorecord.isVisible());

    // Drawn in grey in its 6-pixel box: something darker than the white cover shows there.
    const QImage drawn = design.canvas().render(phonorecord.rect().toAlignedRect());
    int darkest = 255;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            darkest = std::min(darkest, qGray(drawn.pixel(x, y)));
    QVERIFY2(darkest < 200, qPrintable(QString::number(darkest)));
}

void CopyrightTest::hiddenLineIsRebuilt()
{
    DesignWindow design;
    // Start-up's year already built the hidden line.
    QCOMPARE(element(design, "Label29").caption(),
             currentYear() + QStringLiteral("  All Rights Reserved."));
    entry(design, "Text11").setText(QStringLiteral("1999"));
    entry(design, "Text12").setText(QStringLiteral("Me"));
    QCOMPARE(element(design, "Label29").caption(), QStringLiteral("1999 Me All Rights Reserved."));
    QVERIFY(!element(design, "Label29").isVisible());
    checkBox(design, "Check9").setChecked(true);
    QCOMPARE(element(design, "Label29").caption(), QStringLiteral("1999  All Rights Reserved."));
}

void CopyrightTest::copyrightLineCentresItself()
{
    DesignWindow design;
    option(design, "Option4").setChecked(true);
    Element &line = element(design, "Label29");
    line.setCaption(QStringLiteral("Any text written into the line"));
    QCOMPARE(line.left(), (519 - line.width()) / 2);
}

void CopyrightTest::copyrightBlack()
{
    DesignWindow design;
    element(design, "Label10").setForeColor(0x000000FF);
    checkBox(design, "Check9").setChecked(true);
    checkBox(design, "Check11").setChecked(true);
    QCOMPARE(element(design, "Label28").foreColor(), Black);
    QCOMPARE(element(design, "Label29").foreColor(), Black);
    checkBox(design, "Check11").setChecked(false);
    QCOMPARE(element(design, "Label28").foreColor(), 0x000000FFu);
    QCOMPARE(element(design, "Label29").foreColor(), 0x000000FFu);
}

void CopyrightTest::boxThickness_data()
{
    QTest::addColumn<bool>("shown");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("border");
    QTest::addColumn<float>("top");

    QTest::newRow("2") << true << "2"
                       << "2" << 2 << 439.0f;
    QTest::newRow("10") << true << "10"
                        << "10" << 10 << 431.0f;
    QTest::newRow("10, box hidden") << false << "10"
                                    << "10" << 10 << 439.0f;
    QTest::newRow("2.5") << true << "2.5"
                         << "2.5" << 2 << 438.5f;
    QTest::newRow("3.5") << true << "3.5"
                         << "3.5" << 4 << 437.5f;
    QTest::newRow("5px") << true << "5px"
                         << "5px" << 5 << 436.0f;
    // Anything the box cannot take puts "1" back, and the box at 1.
    QTest::newRow("0") << true << "0"
                       << "1" << 1 << 440.0f;
    QTest::newRow("empty") << true << ""
                           << "1" << 1 << 440.0f;
    QTest::newRow("words") << true << "thick"
                           << "1" << 1 << 440.0f;
    QTest::newRow("negative") << true << "-3"
                              << "1" << 1 << 440.0f;
    QTest::newRow("too thick") << true << "101"
                               << "1" << 1 << 440.0f;
    QTest::newRow("beyond 16 bits") << true << "1e9"
                                    << "1" << 1 << 440.0f;
    QTest::newRow("0, box hidden") << false << "0"
                                   << "1" << 1 << 439.0f;
}

void CopyrightTest::boxThickness()
{
    QFETCH(bool, shown);
    QFETCH(QString, typed);
    QFETCH(QString, text);
    QFETCH(int, border);
    QFETCH(float, top);
    DesignWindow design;
    checkBox(design, "Check5").setChecked(shown);
    entry(design, "Text10").setText(QStringLiteral("7")); // something to change from
    entry(design, "Text10").setText(typed);
    QCOMPARE(entry(design, "Text10").text(), text);
    QCOMPARE(element(design, "Shape2").borderWidth(), border);
    QCOMPARE(tops(design), (QList<float>{top, top, top}));
}

void CopyrightTest::postingFollowsTheBox()
{
    DesignWindow design;
    entry(design, "Text10").setText(QStringLiteral("10"));
    checkBox(design, "Check5").setChecked(true);
    // Posting puts the group back on its base line first, so the lift does not add up.
    checkBox(design, "Check9").setChecked(true);
    QCOMPARE(tops(design), (QList<float>{431, 431, 431}));
    checkBox(design, "Check9").setChecked(false);
    checkBox(design, "Check9").setChecked(true);
    QCOMPARE(tops(design), (QList<float>{431, 431, 431}));
    checkBox(design, "Check5").setChecked(false);
    checkBox(design, "Check9").setChecked(false);
    checkBox(design, "Check9").setChecked(true);
    QCOMPARE(tops(design), (QList<float>{439, 439, 439}));
}

void CopyrightTest::lowerSmall()
{
    DesignWindow design;
    auto sizes = [&] {
        QList<float> result;
        for (int number : {24, 25, 26, 27})
            result << design.titleArea(number - 3).font().size;
        return result;
    };
    // The title size once the box is cleared, whatever the titles were given meanwhile.
    element(design, "Label10").setFontSize(12);
    checkBox(design, "Check6").setChecked(false);
    QCOMPARE(sizes(), (QList<float>{12, 12, 12, 12}));
    checkBox(design, "Check6").setChecked(true);
    QCOMPARE(sizes(), (QList<float>{7, 7, 7, 6}));
    QCOMPARE(element(design, "Label27").font().name, QStringLiteral("Arial"));
}

void CopyrightTest::lowerBlackAndCentred()
{
    DesignWindow design;
    element(design, "Label3").setForeColor(0x000000FF);
    element(design, "Label10").setForeColor(0x00FF0000);
    element(design, "Label24").setForeColor(0x0000FF00);
    checkBox(design, "Check8").setChecked(true);
    for (const char *name : {"Label25", "Label26", "Label27"})
        QCOMPARE(element(design, name).foreColor(), 0x000000FFu);
    QCOMPARE(element(design, "Label24").foreColor(), 0x0000FF00u); // the publisher keeps its own
    checkBox(design, "Check8").setChecked(false);
    for (const char *name : {"Label25", "Label26", "Label27"})
        QCOMPARE(element(design, name).foreColor(), 0x00FF0000u);

    Element &misc = element(design, "Label27");
    const QRectF place = misc.rect();
    checkBox(design, "Check15").setChecked(true);
    QCOMPARE(misc.alignment(), Qt::AlignHCenter);
    QCOMPARE(misc.rect(), place);
    checkBox(design, "Check15").setChecked(false);
    QCOMPARE(misc.alignment(), Qt::AlignLeft);
}

QTEST_MAIN(CopyrightTest)
#include "test_copyright.moc"
