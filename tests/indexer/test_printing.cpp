// The printed card, Print Set-Up, the offer of a PDF file when there is no printer, and the
// help card.
#include "support/index_fixture.h"

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
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>

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

int pageCount(const QString &pdf)
{
    QFile file(pdf);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    return int(file.readAll().count("/Type /Page\n") + 0);
}

// The first page at 96 dpi, one image pixel to one window pixel.
QImage rasterise(const QString &pdf)
{
    const QString tool = QStandardPaths::findExecutable(u"pdftoppm"_s);
    if (tool.isEmpty())
        return {};
    const QString stem = pdf + u".page"_s;
    QProcess::execute(tool, {u"-r"_s, u"96"_s, u"-png"_s, u"-singlefile"_s, pdf, stem});
    return QImage(stem + u".png"_s).convertToFormat(QImage::Format_RGB32);
}

QString pdfText(const QString &pdf)
{
    const QString tool = QStandardPaths::findExecutable(u"pdftotext"_s);
    if (tool.isEmpty())
        return {};
    QProcess process;
    process.start(tool, {u"-layout"_s, pdf, u"-"_s});
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
}

bool dark(QRgb pixel)
{
    return qGray(pixel) < 128;
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
        QCOMPARE(pageCount(pdf), 1);
        // Text stays text on paper.
        const QString text = pdfText(pdf);
        if (!text.isEmpty())
            QVERIFY(text.contains(u"Quarterly report.txt"_s));

        const QImage page = rasterise(pdf);
        if (page.isNull())
            QSKIP("pdftoppm is not installed");
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
        // No buttons: where Refresh, Help! and Print stand the card is blank above the line.
        for (const QRect &button : {QRect(120, 416, 57, 12), QRect(208, 416, 44, 12),
                                    QRect(384, 416, 52, 8), QRect(0, 410, 97, 18)}) {
            for (int by = button.top(); by <= button.bottom(); ++by) {
                for (int bx = button.left(); bx <= button.right(); ++bx) {
                    if (bx != 438 && dark(page.pixel(bx, by)))
                        QFAIL(qPrintable(u"ink at %1, %2"_s.arg(bx).arg(by)));
                }
            }
        }
        // ... nor the layout buttons, beside the lists of the first side.
        if (layout == 1) {
            for (int by = 32; by < 353; ++by) {
                for (int bx = 400; bx < 434; ++bx)
                    QVERIFY(!dark(page.pixel(bx, by)));
            }
        }
        // The lists are on the card with their names: ink in File1's first row.
        bool named = false;
        for (int by = 2; by < 14; ++by) {
            for (int bx = 134; bx < 200; ++bx)
                named = named || dark(page.pixel(bx, by));
        }
        QVERIFY(named);
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
        QCOMPARE(pageCount(f.path(u"my card.pdf"_s)), 1);
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
        dialogs(f).onPrinter = [](QPrinter &chosen) {
            chosen.setPageOrientation(QPageLayout::Landscape);
            return false; // cancelled: a well-behaved dialog leaves the settings alone
        };
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
        const QStringList texts = {
            u"Press one of the RADIO BUTTONS from 1 to 20 to create and print an index of your "
            "directories and files as found on the current CD disk or drive.  As you move the "
            "mouse cursor over each button the configuration shows at the top title bar of the "
            "main form."_s,
            u"Button 12 through 14 give you independent control over each directory and file "
            "list box."_s,
            u"The directories and file list boxes in 1 through 11 and 15 through 20 are all "
            "linked to the far left directory."_s,
            u"Press Print Set Up to change from Portrait to Landscape to print full-sized "
            "V-Card."_s,
            u"Press Refresh button to update screen when you change disks."_s};
        for (int n = 1; n <= 5; ++n) {
            auto *label = card->findChild<QLabel *>(u"Label%1"_s.arg(n));
            QVERIFY(label);
            QCOMPARE(label->text(), texts[n - 1]);
            QVERIFY(label->font().bold());
            QVERIFY(label->wordWrap());
            // The wrapped text fits its label.
            QVERIFY(label->heightForWidth(label->width()) <= label->height() + 2);
        }

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
