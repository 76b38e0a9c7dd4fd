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
    // Start-up's year already built the hidden line; edits rebuild it while hidden.
    const Element &line = element(design, "Label29");
    QCOMPARE(line.caption(), currentYear() + QStringLiteral("  All Rights Reserved."));
    entry(design, "Text11").setText(QStringLiteral("2024"));
    entry(design, "Text12").setText(QStringLiteral("Acme"));
    QCOMPARE(line.caption(), QStringLiteral("2024 Acme All Rights Reserved."));
    QVERIFY(!line.isVisible());

    // Posted, the year stands alone with two spaces; the holder joins on the next edit.
    checkBox(design, "Check9").setChecked(true);
    const Element &mark = element(design, "Label28");
    QCOMPARE(mark.caption(), QStringLiteral("Copyright \u00A9"));
    QCOMPARE(line.caption(), QStringLiteral("2024  All Rights Reserved."));
    QVERIFY(mark.isVisible() && line.isVisible());
    for (const char *name : {"Check10", "Check11", "Text11", "Text12"})
        QVERIFY(!design.findChild<QWidget *>(QLatin1String(name))->isHidden());
    entry(design, "Text12").setText(QStringLiteral("Acme Records"));
    QCOMPARE(line.caption(), QStringLiteral("2024 Acme Records All Rights Reserved."));

    // Unposted, everything of the notice hides and keeps its text.
    checkBox(design, "Check9").setChecked(false);
    QVERIFY(!mark.isVisible() && !line.isVisible() && !element(design, "Image4").isVisible());
    for (const char *name : {"Check10", "Check11", "Text11", "Text12"})
        QVERIFY(design.findChild<QWidget *>(QLatin1String(name))->isHidden());
    QCOMPARE(line.caption(), QStringLiteral("2024 Acme Records All Rights Reserved."));

    // Any text written into the line centres it on its own.
    Element &written = element(design, "Label29");
    written.setCaption(QStringLiteral("Any text at all"));
    QCOMPARE(written.left(), (456 - written.width()) / 2);
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
    // The grey circled P shows in its 6-pixel box, darker than the white cover.
    QCOMPARE(phonorecord.picture().size(), QSize(100, 100));
    const QImage drawn = design.canvas().render(phonorecord.rect().toAlignedRect());
    QVERIFY(qGray(drawn.pixel(2, 2)) < 200 || qGray(drawn.pixel(3, 3)) < 200);
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

void CopyrightTest::boxThickness_data()
{
    QTest::addColumn<bool>("shown");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("border");
    QTest::addColumn<float>("top");
    // Anything the box cannot take puts "1" back, and the box at 1.
    const struct
    {
        bool shown;
        const char *typed, *text;
        int border;
        float top;
    } rows[] = {{true, "2", "2", 2, 439},       {true, "10", "10", 10, 431},
                {false, "10", "10", 10, 439},   {true, "2.5", "2.5", 2, 438.5},
                {true, "3.5", "3.5", 4, 437.5}, {true, "0", "1", 1, 440},
                {true, "", "1", 1, 440},        {true, "101", "1", 1, 440},
                {true, "1e9", "1", 1, 440},     {false, "0", "1", 1, 439}};
    for (const auto &row : rows)
        QTest::addRow("%s%s", *row.typed ? row.typed : "empty", row.shown ? "" : ", box hidden")
            << row.shown << QString::fromLatin1(row.typed) << QString::fromLatin1(row.text)
            << row.border << row.top;
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
    // The box shown again lifts again: the lift adds up until the group is re-posted.
    checkBox(design, "Check5").setChecked(false);
    QCOMPARE(tops(design), (QList<float>{431, 431, 431}));
    checkBox(design, "Check5").setChecked(true);
    QCOMPARE(tops(design), (QList<float>{423, 423, 423}));
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
