// The twenty layouts as the window shows them, and the title bar as the help line.
#include "support/index_fixture.h"

#include "indexer/cut_line.h"
#include "indexer/listing_view.h"

#include "toolkit/fonts.h"

#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>

using namespace vm::indexer;
using namespace vm::indexer::testing;
using namespace Qt::StringLiterals;

class LayoutsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { vm::installFontSubstitutes(); }

    void startsInLayoutOne()
    {
        IndexFixture f;
        QVERIFY(f.child<QRadioButton>(u"Option1"_s)->isChecked());
        QCOMPARE(f.visibleLists(), QStringList({u"Dir1"_s, u"File1"_s, u"File2"_s}));
        QCOMPARE(f.window().size(), QSize(445, 436));
        QCOMPARE(f.window().windowTitle().left(25), u"CD-R Data Index Vellumora"_s);
        for (const char *line : {"Line1", "Line2", "Line3"})
            QVERIFY(f.child<CutLine>(QString::fromLatin1(line))->isHidden());
        // The fixed controls, where the window's tables put them.
        QCOMPARE(f.child<QComboBox>(u"Drive1"_s)->geometry(), QRect(0, 408, 97, 21));
        QCOMPARE(f.child<QPushButton>(u"Command4"_s)->geometry(), QRect(120, 416, 57, 17));
        QCOMPARE(f.child<QPushButton>(u"Command1"_s)->text(), u"Print"_s);
        QCOMPARE(f.child<QPushButton>(u"Command2"_s)->text(), u"Print Set-Up"_s);
        QCOMPARE(f.child<QRadioButton>(u"Option9"_s)->geometry(), QRect(400, 160, 25, 13));
        QCOMPARE(f.child<QRadioButton>(u"Option18"_s)->geometry(), QRect(400, 304, 33, 13));
        QCOMPARE(f.child<QRadioButton>(u"Option20"_s)->geometry(), QRect(400, 336, 33, 17));
    }

    void eachLayoutShowsItsColumns_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("clientWidth");
        QTest::addColumn<int>("lineEnd");
        QTest::addColumn<int>("dir1Height"); // 0: Dir1 hidden
        QTest::addColumn<QRect>("file3");    // null: File3 hidden
        // Outer widths of 6795 and 12000 twips, less a frame of 4 pixels each side.
        const int one = 445;
        const int two = 792;
        QTest::newRow("1") << 1 << u"Dir1 File1 File2"_s << one << 440 << 396 << QRect();
        QTest::newRow("2") << 2 << u"Dir1 File1 File2 File3"_s << one << 440 << 200
                           << QRect(0, 208, 130, 205);
        QTest::newRow("3") << 3 << u"Dir1 File1 File2 File3"_s << one << 440 << 45
                           << QRect(0, 50, 130, 353);
        QTest::newRow("4") << 4 << u"Dir1 File1 File2 File3 File4 File5 File6"_s << two << 775 << 45
                           << QRect(0, 50, 130, 353);
        QTest::newRow("5") << 5 << u"Dir1 File1 File2 File3 File4 File5 File6"_s << two << 775
                           << 200 << QRect(0, 205, 129, 200);
        QTest::newRow("6") << 6 << u"Dir1 File1 File2 File4 File5 File6"_s << two << 775 << 396
                           << QRect();
        QTest::newRow("7") << 7 << u"Dir1 Dir2 File2 File4 File5 File6"_s << two << 775 << 396
                           << QRect();
        QTest::newRow("8") << 8 << u"Dir1 Dir2 Dir3 File4 File5 File6"_s << two << 775 << 396
                           << QRect();
        QTest::newRow("9") << 9 << u"Dir1 Dir2 Dir3 Dir4 File5 File6"_s << two << 775 << 396
                           << QRect();
        QTest::newRow("10") << 10 << u"Dir1 Dir2 Dir3 Dir4 Dir5 File6"_s << two << 775 << 396
                            << QRect();
        QTest::newRow("11") << 11 << u"Dir1 Dir2 Dir3 Dir4 Dir5 Dir6"_s << two << 775 << 396
                            << QRect();
        QTest::newRow("12") << 12 << u"Dir1 Dir3 Dir5 File1 File4 File6"_s << two << 775 << 396
                            << QRect();
        QTest::newRow("13") << 13 << u"Dir1 Dir2 Dir3 Dir4 Dir5 Dir6"_s << two << 775 << 396
                            << QRect();
        QTest::newRow("14") << 14 << u"Dir1 Dir2 Dir3"_s << one << 440 << 396 << QRect();
        QTest::newRow("15") << 15 << u"Dir1 Dir2 Dir3"_s << one << 440 << 396 << QRect();
        QTest::newRow("16") << 16 << u"Dir1 Dir2 File2"_s << one << 440 << 396 << QRect();
        QTest::newRow("17") << 17 << u"File1 File2 File3"_s << one << 440 << 0
                            << QRect(0, 0, 129, 405);
        QTest::newRow("18") << 18 << u"Dir1 File1"_s << one << 440 << 396 << QRect();
        QTest::newRow("19") << 19 << u"Dir1 File3"_s << one << 440 << 195
                            << QRect(0, 202, 129, 200);
        QTest::newRow("20") << 20 << u"Dir1"_s << one << 440 << 195 << QRect();
    }

    void eachLayoutShowsItsColumns()
    {
        QFETCH(int, number);
        QFETCH(QString, shown);
        QFETCH(int, clientWidth);
        QFETCH(int, lineEnd);
        QFETCH(int, dir1Height);
        QFETCH(QRect, file3);

        IndexFixture f;
        // Whatever was shown before: first every folder list, then every file list.
        f.chooseLayout(11);
        f.chooseLayout(4);
        f.chooseLayout(number);

        QCOMPARE(f.visibleLists(), shown.split(u' '));
        QCOMPARE(f.window().width(), clientWidth);
        QCOMPARE(f.window().height(), 436);
        auto *line1 = f.child<CutLine>(u"Line1"_s);
        QCOMPARE(line1->from(), QPoint(lineEnd, 432));
        QCOMPARE(line1->to(), QPoint(8, 432));
        if (dir1Height)
            QCOMPARE(f.list(u"Dir1"_s)->geometry(), QRect(0, 3, 129, dir1Height));
        if (!file3.isNull())
            QCOMPARE(f.list(u"File3"_s)->geometry(), file3);

        // The card is whole: every visible list lies inside the window and on the card's
        // sides, and no two visible lists overlap.
        QList<QRect> places;
        for (const QString &name : shown.split(u' ')) {
            const QRect place = f.list(name)->geometry();
            QVERIFY2(place.right() < lineEnd && place.right() < clientWidth, qPrintable(name));
            for (const QRect &other : places)
                QVERIFY2(!place.intersects(other), qPrintable(name));
            places << place;
        }
        QVERIFY(f.child<QRadioButton>(u"Option%1"_s.arg(number))->isChecked());
    }

    void layoutsMoveNoList()
    {
        IndexFixture f({u"a/"_s, u"b/"_s});
        f.chooseLayout(13);
        QVERIFY(f.list(u"Dir1"_s)->setPath(f.path(u"a"_s)));
        QVERIFY(f.list(u"Dir5"_s)->setPath(f.path(u"b"_s)));
        for (int number : {17, 2, 12, 20, 4, 14})
            f.chooseLayout(number);
        QCOMPARE(f.list(u"Dir1"_s)->path(), f.path(u"a"_s));
        QCOMPARE(f.list(u"File1"_s)->path(), f.path(u"a"_s));
        QCOMPARE(f.list(u"Dir5"_s)->path(), f.path(u"b"_s));
        QCOMPARE(f.list(u"File2"_s)->path(), f.path());
        // Back to one side: the window narrows again.
        QCOMPARE(f.window().width(), 445);
    }

    void titleBarExplainsTheControls()
    {
        IndexFixture f;
        IndexWindow &w = f.window();
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        const QString title = w.windowTitle();

        QTest::mouseMove(f.child<QPushButton>(u"Command4"_s));
        QTRY_COMPARE(w.windowTitle(),
                     u"Press to refresh the Directories and Files when you change disks."_s);
        QTest::mouseMove(f.child<QRadioButton>(u"Option13"_s));
        QTRY_COMPARE(w.windowTitle(),
                     u"2-sides: 6 indepedent folder columns, no file column.  Not linked."_s);
        // The lists say nothing: the title stays.
        QTest::mouseMove(f.list(u"File1"_s)->viewport());
        QTest::mouseMove(f.list(u"File1"_s)->viewport(), QPoint(20, 40));
        QCOMPARE(w.windowTitle(),
                 u"2-sides: 6 indepedent folder columns, no file column.  Not linked."_s);
        QTest::mouseMove(f.child<QPushButton>(u"Command1"_s));
        QTRY_COMPARE(w.windowTitle(), u"Print the index cover page you see now."_s);
        QTest::mouseMove(&w, QPoint(420, 380));
        QTRY_COMPARE(w.windowTitle(), title);

        f.child<QComboBox>(u"Drive1"_s)->setFocus(Qt::TabFocusReason);
        QCOMPARE(w.windowTitle(), u"Select the drive to index."_s);
    }
};

QTEST_MAIN(LayoutsTest)
#include "test_layouts.moc"
