// The printed card, Print Set-Up, the offer of a PDF file when there is no printer, and the
// help card.
#include "support/index_fixture.h"
#include "support/pdf_pages.h"

#include "indexer/cut_line.h"
#include "indexer/listing_view.h"

#include "toolkit/fonts.h"
#include "toolkit/page_print.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>

using namespace vm::indexer;
using namespace vm::indexer::testing;
using namespace Qt::StringLiterals;

namespace {

ScriptedDialogs &dialogs(IndexFixture &f)
{
    return static_cast<ScriptedDialogs &>(f.window().commonDialog().presenter());
}

void printToPdf(IndexFixture &f, const QString &fileName)
{
    QPrinter &printer = f.window().printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    // No margins, so page pixels are window pixels.
    printer.setPageMargins(QMarginsF());
    printer.setOutputFileName(fileName);
    f.child<QPushButton>(u"Command1"_s)->click();
}

// The window's normal arrangement: every button and the drive list shown, no cutting mark.
void expectRestored(IndexFixture &f)
{
    for (const char *name : {"Command1", "Command2", "Command3", "Command4", "Drive1"})
        QVERIFY2(!f.child<QWidget>(QString::fromLatin1(name))->isHidden(), name);
    for (int n = 1; n <= 20; ++n)
        QVERIFY(!f.child<QRadioButton>(u"Option%1"_s.arg(n))->isHidden());
    for (const char *name : {"Line1", "Line2", "Line3"})
        QVERIFY2(f.child<CutLine>(QString::fromLatin1(name))->isHidden(), name);
}

bool dark(QRgb pixel)
{
    return qGray(pixel) < 128;
}

// Whether anything is drawn inside `area`.
bool inkIn(const QImage &page, const QRect &area)
{
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (dark(page.pixel(x, y)))
                return true;
        }
    }
    return false;
}

// The darkest of rows 430 ... 434: anti-aliasing may put the line across two rows.
int cuttingRow(const QImage &page)
{
    int best = 432;
    int bestCount = -1;
    for (int y = 430; y <= 434; ++y) {
        int count = 0;
        for (int x = 0; x < page.width(); ++x)
            count += dark(page.pixel(x, y));
        if (count > bestCount) {
            best = y;
            bestCount = count;
        }
    }
    return best;
}

} // namespace

class PrintingTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { vm::installFontSubstitutes(); }
    void cleanup() { IndexFixture::closeTopLevel(u"Form3"_s); }

    void printsOneCardWithCuttingMarksAndNoButtons_data()
    {
        QTest::addColumn<int>("layout");
        QTest::addColumn<int>("lineEnd");
        QTest::addColumn<bool>("landscape");
        QTest::newRow("one side") << 1 << 440 << false;
        QTest::newRow("two sides") << 6 << 775 << true;
    }

    void printsOneCardWithCuttingMarksAndNoButtons()
    {
        QFETCH(int, layout);
        QFETCH(int, lineEnd);
        QFETCH(bool, landscape);
        IndexFixture f({u"Quarterly report.txt"_s, u"zebra.txt"_s, u"songs/"_s});
        f.chooseLayout(layout);
        f.window().show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.window()));
        f.window().printer().setPageOrientation(landscape ? QPageLayout::Landscape
                                                          : QPageLayout::Portrait);
        const QString title = f.window().windowTitle();
        const QString pdf = f.path(u"card.pdf"_s);
        printToPdf(f, pdf);

        expectRestored(f);
        QCOMPARE(f.window().windowTitle(), title);
        if (const QString tool = vm::test::missingPdfTool(); !tool.isEmpty())
            QSKIP(qPrintable(tool + u" is not installed"_s));
        QCOMPARE(vm::test::pdfPageCount(pdf), 1);
        // Text stays text on paper.
        QVERIFY(vm::test::pdfText(pdf).contains(u"Quarterly report.txt"_s));
        const QImage page = vm::test::renderPdfPage(pdf);
        // The bottom cutting line runs from x = 8 to the end of the card's last side.
        const int y = cuttingRow(page);
        QVERIFY(qAbs(y - 432) <= 1);
        int first = -1;
        int last = -1;
        for (int x = 0; x < page.width(); ++x) {
            if (dark(page.pixel(x, y))) {
                first = first < 0 ? x : first;
                last = x;
            }
        }
        // (Its dash-dot-dot pattern may end in a gap of a few pixels.)
        QVERIFY2(first >= 7 && first <= 12, qPrintable(QString::number(first)));
        QVERIFY2(last <= lineEnd + 1 && last >= lineEnd - 6, qPrintable(QString::number(last)));
        // The lower tick at x = 438 crosses the cutting line's rows.
        QVERIFY(dark(page.pixel(438, 427)) || dark(page.pixel(437, 427)));
        // No buttons: where Refresh, Help! and Print stand the card is blank above the line
        // (but for the tick at x = 438), nor the layout buttons beside the first side's lists.
        for (const QRect &button : {QRect(120, 416, 57, 12), QRect(208, 416, 44, 12),
                                    QRect(384, 416, 52, 8), QRect(0, 410, 97, 18)})
            QVERIFY(!inkIn(page, button));
        if (layout == 1)
            QVERIFY(!inkIn(page, QRect(400, 32, 34, 321)));
        // The lists are on the card with their names: ink in File1's first row.
        QVERIFY(inkIn(page, QRect(134, 2, 66, 12)));
    }

    void failedPrintRestoresTheWindow()
    {
        IndexFixture f;
        f.window().show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.window()));
        const QString title = f.window().windowTitle();
        printToPdf(f, f.path(u"no/such/folder/card.pdf"_s));
        expectRestored(f);
        QCOMPARE(f.window().windowTitle(), title);
    }

    void withoutPrinterOffersAPdfFile()
    {
        if (vm::hasPrinters())
            QSKIP("a printer is installed here");
        IndexFixture f;
        f.window().show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.window()));
        int asked = 0;
        bool answer = false;
        QStringList failures;
        f.window().setPdfOffer({[&](QWidget *) { return ++asked, answer; },
                                [&](QWidget *, const QString &name) { failures << name; }});
        QString chosen;
        dialogs(f).onSave = [&](vm::CommonDialog &dialog) {
            if (chosen.isEmpty())
                return false;
            dialog.fileName = chosen;
            return true;
        };
        auto *print = f.child<QPushButton>(u"Command1"_s);

        // Declined: nothing asked further, nothing written, nothing hidden.
        print->click();
        QCOMPARE(asked, 1);
        QCOMPARE(dialogs(f).saves, 0);
        expectRestored(f);

        // Accepted but the file dialog cancelled.
        answer = true;
        print->click();
        QCOMPARE(dialogs(f).saves, 1);
        expectRestored(f);
        QVERIFY(QDir(f.path()).entryList({u"*.pdf"_s}).isEmpty());

        // A name without a suffix gets ".pdf".
        chosen = f.path(u"my card"_s);
        print->click();
        QVERIFY(QFile::exists(f.path(u"my card.pdf"_s)));
        QVERIFY(failures.isEmpty());
        expectRestored(f);

        // A file that cannot be written is said, and the window is back as it was.
        chosen = f.path(u"missing/card.pdf"_s);
        print->click();
        QCOMPARE(failures, QStringList({chosen}));
        expectRestored(f);
    }

    void printSetUpChangesTheSettingsOnlyWhenConfirmed()
    {
        IndexFixture f;
        QPrinter &printer = f.window().printer();
        printer.setPageOrientation(QPageLayout::Portrait);
        auto *setUp = f.child<QPushButton>(u"Command2"_s);
        dialogs(f).onPrinter = [](QPrinter &) { return false; };
        setUp->click();
        QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Portrait);
        dialogs(f).onPrinter = [](QPrinter &chosen) {
            chosen.setPageOrientation(QPageLayout::Landscape);
            return true;
        };
        setUp->click();
        QCOMPARE(dialogs(f).printers, 2);
        QCOMPARE(&f.window().printer(), &printer); // one set of settings for the whole run
        QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Landscape);
    }

    void helpCardSaysHowToUseTheProgram()
    {
        IndexFixture f;
        auto *help = f.child<QPushButton>(u"Command3"_s);
        help->click();
        QWidget *card = IndexFixture::helpCard();
        QVERIFY(card);
        QCOMPARE(card->windowTitle(),
                 u" Quick Help -- For full instructions see main start-up form..."_s);
        QCOMPARE(card->size(), QSize(448, 215));
        // Five bold paragraphs, each wrapped to fit its label.
        for (int n = 1; n <= 5; ++n) {
            auto *label = card->findChild<QLabel *>(u"Label%1"_s.arg(n));
            QVERIFY(label && label->text().size() > 40);
            QVERIFY(label->font().bold() && label->wordWrap());
            QVERIFY(label->heightForWidth(label->width()) <= label->height() + 2);
        }
        QVERIFY(card->findChild<QLabel *>(u"Label4"_s)->text().contains(u"Landscape"_s));

        // One card: a second press brings it forward; after closing, a new one.
        help->click();
        QCOMPARE(IndexFixture::helpCard(), card);
        IndexFixture::closeTopLevel(u"Form3"_s);
        QVERIFY(!IndexFixture::helpCard());
        help->click();
        QVERIFY(IndexFixture::helpCard());
    }
};

QTEST_MAIN(PrintingTest)
#include "test_printing.moc"
