// "Print" through a real print server: the private PDF queue the test fixture starts
// (tests/support/cups-pdf-queue), reached through CUPS_SERVER, is the system's default
// printer, and the page it writes is the cover at true size at the corner of the printable
// area, which on this queue is the whole sheet.

#include "support/design_test_support.h"
#include "support/pdf_pages.h"

#include "toolkit/fonts.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMessageBox>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTest>

using namespace vm;
using namespace vm::test;
using vm::design::DesignWindow;

namespace {

const QString Queue = QStringLiteral("VellumoraPdf");
const QColor CoverColour(0, 160, 224);

} // namespace

class PrintCupsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutes(); }
    void printGoesToTheDefaultQueue();
};

void PrintCupsTest::printGoesToTheDefaultQueue()
{
    const QString server = qEnvironmentVariable("CUPS_SERVER");
    if (server.isEmpty() || !QFileInfo::exists(server))
        QSKIP("no private print server: it starts with the ctest fixture "
              "designer_print_server_start, which could not run here or did not run");
    if (!QPrinterInfo::availablePrinterNames().contains(Queue))
        QSKIP("the private print server has no VellumoraPdf queue");
    if (const QString tool = missingPdfTool(); !tool.isEmpty())
        QSKIP(qPrintable(tool +
                         QStringLiteral(" (poppler-utils) is missing: the page is not checked")));
    const QDir out(QFileInfo(server).dir().filePath(QStringLiteral("out")));
    // The queue names its files after the job and overwrites them: a page is new when its
    // file is.
    QHash<QString, QDateTime> before;
    for (const QFileInfo &file : out.entryInfoList({QStringLiteral("*.pdf")}, QDir::Files))
        before.insert(file.fileName(), file.lastModified());

    DesignWindow design;
    // The system's default printer, untouched by the test.
    QCOMPARE(design.printer().printerName(), Queue);
    QCOMPARE(design.printer().outputFormat(), QPrinter::NativeFormat);
    element(design, "Shape1")
        .setBackColor(rgb(CoverColour.red(), CoverColour.green(), CoverColour.blue()));
    entry(design, "Text1").setText(QStringLiteral("Evening Songs"));

    design.findChild<QPushButton *>(QStringLiteral("Command7"))->click();
    QVERIFY(!design.findChild<QMessageBox *>(QStringLiteral("PrintError")));
    QVERIFY(!design.findChild<QMessageBox *>(QStringLiteral("PrintToPdfQuestion")));

    // The queue writes its file some time later; it is done when it reads as a whole PDF.
    QString page;
    const auto written = [&] {
        for (const QFileInfo &file : out.entryInfoList({QStringLiteral("*.pdf")}, QDir::Files)) {
            if (before.value(file.fileName()) != file.lastModified() &&
                pdfPageCount(file.filePath()) == 1) {
                page = file.filePath();
                return true;
            }
        }
        return false;
    };
    QTRY_VERIFY_WITH_TIMEOUT(written(), 30000);

    // The queue's own filters re-encode the text, so the page is looked at, not read. Its
    // printable area is the whole sheet: the cover's first ink is the sheet's corner, and the
    // cover is 4.75 inches wide.
    const QImage image = renderPdfPage(page);
    QVERIFY(!image.isNull());
    const auto near = [](const QColor &a, const QColor &b) {
        return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                   std::abs(a.blue() - b.blue()) <
               24;
    };
    QPoint firstInk(-1, -1);
    for (int y = 0; y < image.height() && firstInk.y() < 0; ++y) {
        for (int x = 0; x < image.width() && firstInk.y() < 0; ++x) {
            if (!near(image.pixelColor(x, y), Qt::white))
                firstInk = QPoint(x, y);
        }
    }
    QCOMPARE(firstInk, QPoint(0, 0));
    QVERIFY2(near(image.pixelColor(0, 0), CoverColour), qPrintable(image.pixelColor(0, 0).name()));
    QVERIFY(near(image.pixelColor(454, 200), CoverColour));
    QVERIFY(near(image.pixelColor(458, 200), Qt::white));
    // The headline is there, in ink, where the canvas has it.
    const QRect headline = element(design, "Label2").rect().toAlignedRect();
    int ink = 0;
    for (int y = headline.top(); y <= headline.bottom(); ++y) {
        for (int x = headline.left(); x <= headline.right(); ++x)
            ink += qGray(image.pixel(x, y)) < 64;
    }
    QVERIFY2(ink > headline.width() * headline.height() / 10, qPrintable(QString::number(ink)));
}

QTEST_MAIN(PrintCupsTest)
#include "test_print_cups.moc"
