// The title list editor and the cover's 24 text areas.

#include "support/design_test_support.h"

#include "designer/windows/titles_window.h"
#include "toolkit/fonts.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

using namespace vm;
using namespace vm::test;
using vm::design::DesignWindow;
using vm::design::TitlesWindow;

class TitlesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutes(); }

    void fieldsWriteThroughToTheAreas();
    void editorShowsWhatTheAreasHold();
    void enterMovesDownOrAcross_data();
    void enterMovesDownOrAcross();
    void showTitlesHidesAndShowsAll();

private:
    static TitlesWindow &openEditor(DesignWindow &design)
    {
        design.findChild<QPushButton *>(QStringLiteral("Command14"))->click();
        return *design.titlesWindow();
    }
};

void TitlesTest::fieldsWriteThroughToTheAreas()
{
    DesignWindow design;
    TitlesWindow &titles = openEditor(design);
    QVERIFY(titles.isVisible());
    QCOMPARE(titles.windowTitle(), QStringLiteral("List of Titles"));

    // Letter by letter, field 7 into Label10.
    const Element &label10 = element(design, "Label10");
    QTest::keyClicks(titles.field(7), QStringLiteral("A"));
    QCOMPARE(label10.caption(), QStringLiteral("A"));
    QTest::keyClicks(titles.field(7), QStringLiteral("b"));
    QCOMPARE(label10.caption(), QStringLiteral("Ab"));
    QVERIFY(label10.width() > 0);

    // Field n writes Label n+3, and nothing else moves.
    for (int n = 1; n <= TitlesWindow::FieldCount; ++n)
        titles.field(n)->setText(QStringLiteral("Title %1").arg(n));
    for (int n = 1; n <= TitlesWindow::FieldCount; ++n) {
        const Element &area = design.canvas().element(QStringLiteral("Label%1").arg(n + 3));
        QCOMPARE(area.caption(), QStringLiteral("Title %1").arg(n));
    }
    QCOMPARE(element(design, "Label14").left(), 250.0f);
    // The misc. block keeps its fixed box.
    QCOMPARE(element(design, "Label27").width(), 360.0f);
}

void TitlesTest::editorShowsWhatTheAreasHold()
{
    DesignWindow design;
    design.titleArea(3).setCaption(QStringLiteral("From a file"));
    design.titleArea(24).setCaption(QStringLiteral("Misc."));
    QPointer<TitlesWindow> titles = &openEditor(design);
    QCOMPARE(titles->field(3)->text(), QStringLiteral("From a file"));
    QCOMPARE(titles->field(24)->text(), QStringLiteral("Misc."));

    // A closed editor is made anew and filled from the cover again.
    titles->field(3)->setText(QStringLiteral("Edited"));
    titles->close();
    QTRY_VERIFY(!titles);
    TitlesWindow &again = openEditor(design);
    QCOMPARE(again.field(3)->text(), QStringLiteral("Edited"));
}

void TitlesTest::enterMovesDownOrAcross_data()
{
    QTest::addColumn<bool>("across");
    QTest::addColumn<QList<int>>("order");
    QList<int> down;
    for (int n = 1; n <= 24; ++n)
        down << n;
    QList<int> across;
    for (int n = 1; n <= 10; ++n)
        across << n << n + 10;
    across << 21 << 22 << 23 << 24;
    QTest::newRow("down") << false << down;
    QTest::newRow("across") << true << across;
}

void TitlesTest::enterMovesDownOrAcross()
{
    QFETCH(bool, across);
    QFETCH(QList<int>, order);
    DesignWindow design;
    TitlesWindow &titles = openEditor(design);
    titles.findChild<QCheckBox *>(QStringLiteral("Check1"))->setChecked(across);
    titles.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&titles));
    titles.field(order.first())->setFocus();

    for (int n : order) {
        QWidget *focus = QApplication::focusWidget();
        QVERIFY(focus);
        QCOMPARE(focus->objectName(), QStringLiteral("Text%1").arg(n));
        QTest::keyClick(focus, Qt::Key_Return);
    }
    // Enter in the last field goes nowhere and types nothing.
    QCOMPARE(QApplication::focusWidget(), titles.field(24));
    QCOMPARE(titles.field(24)->text(), QString());
}

void TitlesTest::showTitlesHidesAndShowsAll()
{
    DesignWindow design;
    TitlesWindow &titles = openEditor(design);
    titles.field(1)->setText(QStringLiteral("One"));
    titles.field(24)->setText(QStringLiteral("Misc."));
    QCheckBox &check7 = checkBox(design, "Check7");

    check7.setChecked(true);
    for (int n = 1; n <= DesignWindow::TitleAreaCount; ++n)
        QVERIFY(design.titleArea(n).isVisible());
    check7.setChecked(false);
    for (int n = 1; n <= DesignWindow::TitleAreaCount; ++n)
        QVERIFY(!design.titleArea(n).isVisible());
    QCOMPARE(design.titleArea(1).caption(), QStringLiteral("One"));
    check7.setChecked(true);
    QCOMPARE(design.titleArea(24).caption(), QStringLiteral("Misc."));
    QVERIFY(design.titleArea(24).isVisible());
}

QTEST_MAIN(TitlesTest)
#include "test_titles.moc"
