// SPDX-License-Identifier: GPL-3.0-or-later
// The card's context menu, on its background only, and its PNG: the card out to its cutting
// marks at the chosen resolution, the marks on it.
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
    void pngIsTheCardToItsMarks()
    {
        for (const auto &[layout, width] : {std::pair{1, 1378}, {6, 2425}}) { // 441 or 776 px
            IndexFixture f({u"Quarterly report.txt"_s});
            f.chooseLayout(layout);
            QVERIFY(!rightClickMenu(*f.list(u"File1"_s)->viewport(), QPoint(5, 5)));
            f.dialogs().chosenFile = f.path(u"card.png"_s);
            answerModalDialogs({[](QDialog *) { return true; }}); // 300 dpi, proposed
            chooseEntry(*rightClickMenu(f.window(), QPoint(438, 420)), u"Export as PNG\u2026"_s);
            const QImage png(f.dialogs().chosenFile);
            QVERIFY(png.size() == QSize(width, 1363) && png.dotsPerMeterY() == 11811);
            // The ticks at x = 438 and the dash-dot-dot line at y = 432 are on it.
            QVERIFY(qGray(png.pixel(1370, 5)) < 64 && qGray(png.pixel(1370, 1358)) < 64);
            int ink = 0;
            for (int x = 0; x < width; ++x)
                ink += qGray(png.pixel(x, 1352)) < 64;
            QVERIFY(ink > width / 2);
        }
    }
};

VM_TEST_CLASS(CardExportTest)
#include "card_export.moc"
