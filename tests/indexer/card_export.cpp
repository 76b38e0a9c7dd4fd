// The card's context menu: on the card's background only, and its PNG export: the card out to
// its cutting marks at the chosen resolution, the marks on it.
#include "indexer/cut_line.h"
#include "indexer/listing_view.h"

#include "support/index_fixture.h"
#include "support/test_main.h"

#include <QInputDialog>
#include <QMenu>

using namespace vm::test;
using namespace Qt::StringLiterals;

class CardExportTest : public QObject
{
    Q_OBJECT

private slots:
    void pngIsTheCardToItsMarks_data()
    {
        QTest::addColumn<int>("layout");
        QTest::addColumn<QSize>("size");
        QTest::newRow("one side") << 1 << QSize(1378, 1363); // 441 x 436 at 300 dpi
        QTest::newRow("two sides") << 6 << QSize(2425, 1363);
    }

    void pngIsTheCardToItsMarks()
    {
        QFETCH(int, layout);
        QFETCH(QSize, size);
        IndexFixture f({u"Quarterly report.txt"_s});
        f.chooseLayout(layout);
        // A list keeps the right button; the background has the menu.
        QVERIFY(!rightClickMenu(*f.list(u"File1"_s)->viewport(), QPoint(5, 5)));
        QMenu *menu = rightClickMenu(f.window(), QPoint(438, 420));
        QVERIFY(menu);
        f.dialogs().chosenFile = f.path(u"card.png"_s);
        answerModalDialogs({[](QDialog *dialog) {
            qobject_cast<QInputDialog *>(dialog)->setTextValue(u"300 dpi"_s);
            return true;
        }});
        chooseEntry(*menu, u"Export as PNG\u2026"_s);
        QCOMPARE(f.dialogs().proposedFile, QDir::home().filePath(u"Untitled.png"_s));
        const QImage png(f.dialogs().chosenFile);
        QCOMPARE(png.size(), size);
        QCOMPARE(png.dotsPerMeterX(), 11811);
        QCOMPARE(png.dotsPerMeterY(), 11811);
        // The ticks at x = 438 and the dash-dot-dot line at y = 432 are on it.
        const int tick = qRound(438.5 * 300 / 96);
        QVERIFY(qGray(png.pixel(tick, 5)) < 64 && qGray(png.pixel(tick, size.height() - 5)) < 64);
        int ink = 0;
        for (int x = 0; x < size.width(); ++x)
            ink += qGray(png.pixel(x, qRound(432.5 * 300 / 96))) < 64;
        QVERIFY2(ink > size.width() / 2, "no cutting line");
        // Only the card's marks: the window is as before.
        QVERIFY(!f.child<vm::indexer::CutLine>(u"Line1"_s)->isVisible());
    }
};

VM_TEST_CLASS(CardExportTest)
#include "card_export.moc"
