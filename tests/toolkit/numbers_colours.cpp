// SPDX-License-Identifier: GPL-3.0-or-later
// The number and colour rules every program relies on: entry fields, design files and
// window layouts all go through them.
#include "toolkit/colours.h"
#include "toolkit/numbers.h"

#include "support/test_main.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace vm;

class NumbersColoursTest : public QObject
{
    Q_OBJECT

private slots:
    void leadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("digits then letters") << "12abc" << 12.0;
        QTest::newRow("letters only") << "abc" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("blanks around") << " 12 " << 12.0;
        QTest::newRow("blanks inside") << "1 2" << 12.0;
        QTest::newRow("hexadecimal") << "&HFF" << 255.0;
        QTest::newRow("hexadecimal is 16-bit signed") << "&HFFFF" << -1.0;
        QTest::newRow("hexadecimal beyond 16 bits") << "&H10000" << 65536.0;
        QTest::newRow("octal") << "&O17" << 15.0;
        QTest::newRow("octal stops at 8") << "&O178" << 15.0;
        QTest::newRow("exponent") << "1e3" << 1000.0;
        QTest::newRow("exponent without digits") << "2e" << 2.0;
        QTest::newRow("negative fraction") << "-22.5px" << -22.5;
        QTest::newRow("explicit plus") << "+7" << 7.0;
        QTest::newRow("point first") << ".5" << 0.5;
        QTest::newRow("second point stops") << "1.2.3" << 1.2;
        QTest::newRow("sign alone") << "-" << 0.0;
        QTest::newRow("tab and line feed") << "\t\n8" << 8.0;
        QTest::newRow("D exponent") << "1.5D2" << 150.0;
    }

    void leadingNumber()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(vm::leadingNumber(text), value);
    }

    void leadingNumberOverflowIsInfinite()
    {
        QVERIFY(std::isinf(vm::leadingNumber(u"1e999")));
        QVERIFY(!fitsSingle(vm::leadingNumber(u"1e39")));
        QVERIFY(fitsSingle(vm::leadingNumber(u"3e38")));
        QCOMPARE(vm::leadingNumber(u"1e-999"), 0.0);
    }

    void strictReaders()
    {
        QCOMPARE(strictNumber(u" 12 "), std::optional<double>(12));
        QCOMPARE(strictNumber(u"-2147483640 "), std::optional<double>(-2147483640.0));
        QCOMPARE(strictNumber(u"8.25"), std::optional<double>(8.25));
        QVERIFY(!strictNumber(u"12abc"));
        QVERIFY(!strictNumber(u""));
        QVERIFY(!strictNumber(u"True"));
        QCOMPARE(strictBool(u"True"), std::optional<bool>(true));
        QCOMPARE(strictBool(u"fALSE"), std::optional<bool>(false));
        QCOMPARE(strictBool(u" 0 "), std::optional<bool>(false));
        QCOMPARE(strictBool(u"-1"), std::optional<bool>(true));
        QVERIFY(!strictBool(u"yes"));
        QVERIFY(!strictBool(u""));
    }

    void singleText_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 104.0f << "104";
        QTest::newRow("negative") << -22.0f << "-22";
        QTest::newRow("quarter") << 8.25f << "8.25";
        QTest::newRow("tenth") << 0.1f << "0.1";
        QTest::newRow("zero") << 0.0f << "0";
        QTest::newRow("negative zero") << -0.0f << "0";
        QTest::newRow("seven digits") << 1234567.0f << "1234567";
        QTest::newRow("eight digits") << 12345678.0f << "1.234568E+07";
        QTest::newRow("large") << 1e8f << "1E+08";
        QTest::newRow("small") << 1e-5f << "1E-05";
        QTest::newRow("third") << (1.0f / 3.0f) << "0.3333333";
    }

    void singleText()
    {
        QFETCH(float, value);
        QFETCH(QString, text);
        QCOMPARE(vm::singleText(value), text);
        // What is written reads back as the same single.
        QCOMPARE(float(vm::leadingNumber(vm::singleText(value))), value == 0 ? 0.0f : value);
    }

    void roundingHalvesToEven()
    {
        QCOMPARE(roundToInt16(2.5), std::optional<std::int16_t>(2));
        QCOMPARE(roundToInt16(3.5), std::optional<std::int16_t>(4));
        QCOMPARE(roundToInt16(-2.5), std::optional<std::int16_t>(-2));
        QCOMPARE(roundToInt16(32767.4), std::optional<std::int16_t>(32767));
        QVERIFY(!roundToInt16(32767.5));
        QCOMPARE(roundToInt16(-32768), std::optional<std::int16_t>(-32768));
        QVERIFY(!roundToInt16(-32768.6));
        QVERIFY(!roundToInt16(std::numeric_limits<double>::infinity()));
        QVERIFY(!roundToInt16(std::nan("")));
    }

    void twips()
    {
        QCOMPARE(twipsToPixels(11310), 754.0);
        QCOMPARE(pixelsToTwips(456), 6840.0);
    }

    void colours()
    {
        const QPalette palette(Qt::darkBlue, Qt::yellow);
        QCOMPARE(toQColor(0x00FFFFFF, palette), QColor(255, 255, 255));
        QCOMPARE(toQColor(0x000000FF, palette), QColor(255, 0, 0)); // 0x00BBGGRR: red
        QCOMPARE(toQColor(0x00C0E0FF, palette), QColor(0xFF, 0xE0, 0xC0));
        QCOMPARE(fromQColor(QColor(0xFF, 0xE0, 0xC0)), ColorRef(0x00C0E0FF));
        QCOMPARE(fromQColor(QColor(1, 2, 3, 4)), rgb(1, 2, 3));
        QVERIFY(isSystemColour(SystemWindowText));
        QVERIFY(!isSystemColour(White));
        // System colours follow the desktop's palette when drawn.
        QCOMPARE(toQColor(SystemWindowText, palette), palette.color(QPalette::WindowText));
        QCOMPARE(toQColor(SystemButtonText, palette), palette.color(QPalette::ButtonText));
    }
};

VM_TEST_CLASS(NumbersColoursTest)
#include "numbers_colours.moc"
