// The printed page is the window's client area and nothing beyond it: whatever the window's
// edges cut off on screen stays off the paper too.

#include "support/design_test_support.h"
#include "support/pdf_pages.h"

#include "toolkit/fonts.h"

#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

using namespace vm;
using namespace vm::test;
using vm::design::DesignWindow;
using namespace Qt::StringLiterals;

class PrintPageTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutes(); }
    void nothingPrintsBeyondTheClientArea_data();
    void nothingPrintsBeyondTheClientArea();
};

void PrintPageTest::nothingPrintsBeyondTheClientArea_data()
{
    QTest::addColumn<QStringList>("entries"); // field, text, field, text
    QTest::addColumn<QPoint>("pictureInside");
    // Pictures are centred on the cover: this one runs from (-772, -272) to (1228, 728).
    QTest::newRow("picture 2000 x 1000")
        << QStringList{u"Text7"_s, u"2000"_s, u"Text8"_s, u"1000"_s} << QPoint(750, 480);
    QTest::newRow("bottom headline far down and right")
        << QStringList{u"Text4"_s, u"470"_s, u"Text9"_s, u"700"_s} << QPoint();
}

void PrintPageTest::nothingPrintsBeyondTheClientArea()
{
    QFETCH(QStringList, entries);
    QFETCH(QPoint, pictureInside);
    if (const QString tool = missingPdfTool(); !tool.isEmpty())
        QSKIP(qPrintable(tool + QStringLiteral(" (poppler-utils) is missing")));

    QTemporaryDir dir;
    DesignWindow design;
    QImage red(40, 40, QImage::Format_RGB32);
    red.fill(QColor(200, 30, 30));
    element(design, "Image1").setPicture(red);
    entry(design, "Text2").setText(u"WWWWWWWWWWWWWWWWWWWW"_s);
    for (qsizetype i = 0; i + 1 < entries.size(); i += 2)
        entry(design, qPrintable(entries[i])).setText(entries[i + 1]);

    const QString pdf = dir.filePath(QStringLiteral("page.pdf"));
    QPrinter &printer = design.printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setPageSize(QPageSize(QPageSize::A3)); // room beyond the window on both sides
    click(design, "Command7");

    const QImage page = renderPdfPage(pdf);
    QVERIFY(!page.isNull());
    // The client area is 754 x 487; the renderer may round the clip's edge a pixel outwards.
    const QRect clientArea(0, 0, 755, 488);
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            if (!clientArea.contains(x, y) && page.pixel(x, y) != qRgb(255, 255, 255))
                QFAIL(qPrintable(QStringLiteral("ink at (%1, %2)").arg(x).arg(y)));
        }
    }
    if (!pictureInside.isNull())
        QCOMPARE(page.pixelColor(pictureInside), QColor(200, 30, 30));
}

QTEST_MAIN(PrintPageTest)
#include "test_print_page.moc"
