// SPDX-License-Identifier: GPL-3.0-or-later
// The drawn canvas, true-size page printing, hover help and file filters: the pieces the
// designer and the index creator draw and print with.
#include "toolkit/canvas.h"
#include "toolkit/common_dialog.h"
#include "toolkit/hover_help.h"
#include "toolkit/page_print.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QLabel>
#include <QPaintEngine>
#include <QPainter>
#include <QPrintEngine>
#include <QPrinter>
#include <QStatusTipEvent>
#include <QTemporaryDir>
#include <QTest>

#include "support/pages.h"
#include "support/test_main.h"

#include <limits>

using namespace vm;
using namespace Qt::StringLiterals;

namespace {

// A print engine whose job starts and takes the page, but ends in error, as when the spooler
// refuses it after the page was made.
struct RefusingEngine : QPaintEngine, QPrintEngine
{
    QPrinter::PrinterState state = QPrinter::Idle;
    bool begin(QPaintDevice *) override { return (state = QPrinter::Active); }
    bool end() override { return (state = QPrinter::Error); }
    void updateState(const QPaintEngineState &) override {}
    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
    Type type() const override { return User; }
    void setProperty(PrintEnginePropertyKey, const QVariant &) override {}
    QVariant property(PrintEnginePropertyKey) const override { return 1200; }
    bool newPage() override { return true; }
    bool abort() override { return false; }
    int metric(QPaintDevice::PaintDeviceMetric) const override { return 1200; }
    QPrinter::PrinterState printerState() const override { return state; }
};

// The engine is the first base, so it outlives the printer that uses it.
struct RefusingPrinter : RefusingEngine, QPrinter
{
    RefusingPrinter() { setEngines(this, this); }
};

} // namespace

class CanvasTest : public QObject
{
    Q_OBJECT

private slots:
    void textSizesItselfAtOnce()
    {
        Canvas canvas;
        Element &label = canvas.add(QStringLiteral("Label2"), ElementKind::Text);
        label.setFont({QStringLiteral("MS Sans Serif"), 18, true});
        QCOMPARE(label.width(), 0.0f);
        label.setCaption(QStringLiteral("Greatest Hits"));
        const float wide = label.width();
        QVERIFY(wide > 100);
        // 18 points are 24 design pixels of em height at 96 dpi, whatever the screen.
        QVERIFY(label.height() >= 24 && label.height() <= 32);
        label.setFontSize(9);
        QVERIFY(label.width() < wide * 0.6);
        label.setCaption(QString());
        QCOMPARE(label.width(), 0.0f);

        // Sizes a damaged design file may hold never give a negative or endless measure.
        label.setCaption(QStringLiteral("W"));
        for (const float size : {1e30f, -5.0f, 0.0f, std::numeric_limits<float>::quiet_NaN()}) {
            label.setFontSize(size);
            QVERIFY2(label.width() > 0 && label.width() < 10000, qPrintable(QString::number(size)));
            QVERIFY(label.height() > 0 && label.height() < 10000);
        }
    }

    void fixedBoxWrapsWords()
    {
        // Words wrap where the next one would not fit, measured as paper measures them, and
        // the lines sit left, centred or right in the box.
        Canvas canvas;
        Element &block = canvas.add(QStringLiteral("Label27"), ElementKind::Text);
        block.setAutoSize(false);
        block.setGeometry(0, 0, 60, 100);
        block.setForeColor(Black);
        block.setCaption(QStringLiteral("one two three four five six"));
        const QStringList lines = block.wrappedLines();
        QCOMPARE(block.width(), 60.0f);
        QCOMPARE(lines.join(u' '), block.caption());
        const QFontMetricsF metrics(toQFont(block.font()), &measuringDevice());
        for (qsizetype i = 0; i < lines.size(); ++i) {
            QVERIFY(metrics.horizontalAdvance(lines[i]) <= 60);
            if (i + 1 < lines.size()) {
                const QString longer = lines[i] + u' ' + lines[i + 1].section(u' ', 0, 0);
                QVERIFY2(metrics.horizontalAdvance(longer) > 60, qPrintable(longer));
            }
        }

        block.setCaption(QStringLiteral("ab"));
        const auto inkFrom = [&](Qt::Alignment alignment) {
            block.setAlignment(alignment);
            QImage image = canvas.render(QRect(0, 0, 60, 20));
            const QRect ink = test::inkBox(image, image.rect(), canvas.background());
            return std::pair(ink.left(), 59 - ink.right());
        };
        const auto [leftGap, leftRest] = inkFrom(Qt::AlignLeft);
        QVERIFY(leftGap <= 2 && leftRest > 30);
        const auto [centreGap, centreRest] = inkFrom(Qt::AlignHCenter);
        QVERIFY2(std::abs(centreGap - centreRest) <= 2,
                 qPrintable(u"%1 | %2"_s.arg(centreGap).arg(centreRest)));
    }

    // A fixed box shows only what fits, on the screen and on paper alike: a line that fits
    // partly is cut at the edge. The painter's own clip (a page's) still holds, and nothing
    // drawn after the box is clipped by it.
    void fixedBoxShowsWhatFits_data()
    {
        QTest::addColumn<qreal>("scale");     // device pixels per design pixel
        QTest::addColumn<QRectF>("pageClip"); // none if empty
        QTest::newRow("screen") << 1.0 << QRectF();
        QTest::newRow("paper at 600 dpi") << 600.0 / 96.0 << QRectF();
        QTest::newRow("paper clipped to its page") << 600.0 / 96.0 << QRectF(0, 0, 70, 200);
    }

    void fixedBoxShowsWhatFits()
    {
        QFETCH(qreal, scale);
        QFETCH(QRectF, pageClip);
        Canvas canvas;
        Element &block = canvas.add(u"Label27"_s, ElementKind::Text);
        block.setAutoSize(false);
        block.setFont(FontSpec{u"Arial"_s, 12});
        block.setForeColor(Black);
        // Two lines and a half fit; a word wider than the box and eight more lines do not.
        const qreal line = QFontMetricsF(toQFont(block.font()), &measuringDevice()).height();
        block.setGeometry(20, 20, 100, float(2.5 * line));
        block.setCaption(u"HHHH HHHH HHHH HHHHHHHHHHHHHHHHHHHH"_s + u" HHHH HHHH"_s.repeated(8));
        Element &mark = canvas.add(u"Shape2"_s, ElementKind::Rectangle); // after, outside it
        mark.setGeometry(2, 150, 12, 12);
        mark.setFilled(true);
        mark.setBackColor(0x0000FF);
        canvas.setBackground(Qt::white);
        QImage image(QSize(200, 200) * scale, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.scale(scale, scale);
        if (!pageClip.isEmpty())
            painter.setClipRect(pageClip);
        canvas.paint(painter, QRectF(0, 0, 200, 200));
        painter.end();
        const auto ink = [&](const QRectF &area) {
            return !test::inkBox(image, QTransform::fromScale(scale, scale).mapRect(area).toRect())
                        .isEmpty();
        };
        const QRectF box = block.rect();
        QVERIFY(ink(QRectF(box.left(), box.top() + 2 * line, 50, box.bottom() - 1 - 2 * line)));
        QVERIFY(!ink(QRectF(16, box.bottom() + 1, 124, 140 - box.bottom())));
        QVERIFY(!ink(QRectF(box.right() + 1, 0, 200 - box.right() - 2, 140)));
        QCOMPARE(ink(QRectF(80, box.top(), box.right() - 81, box.height() - 1)),
                 pageClip.isEmpty());
        QCOMPARE(image.pixelColor(QPoint(8, 156) * scale), QColor(Qt::red));
    }

    void stackingAndPointer()
    {
        Canvas canvas;
        canvas.resize(200, 200);
        Element &back = canvas.add(QStringLiteral("Shape1"), ElementKind::Rectangle);
        back.setGeometry(0, 0, 200, 200);
        Element &text = canvas.add(QStringLiteral("Label2"), ElementKind::Text);
        text.setCaption(QStringLiteral("Headline"));
        text.setGeometry(10, 10, 0, 0);
        Element &picture = canvas.add(QStringLiteral("Image1"), ElementKind::Picture);
        picture.setGeometry(5, 5, 100, 100);
        Element &rule = canvas.add(QStringLiteral("Line1"), ElementKind::Line);
        rule.setLine(0, 20, 200, 20);

        // Lines and rectangles let the pointer through; texts and pictures take it.
        QCOMPARE(canvas.elementAt({15, 20}), &picture);
        canvas.bringToFront(text);
        QCOMPARE(canvas.stackingOrder().back(), &text);
        QCOMPARE(canvas.elementAt({15, 20}), &text);
        text.hide();
        QCOMPARE(canvas.elementAt({15, 20}), &picture);
        QCOMPARE(canvas.elementAt({150, 150}), nullptr);
        QCOMPARE(canvas.find(u"Nothing"), nullptr);
    }

    void paintsInStackingOrder()
    {
        Canvas canvas;
        canvas.setBackground(QColor(0xC0, 0xC0, 0xC0));
        Element &cover = canvas.add(QStringLiteral("Shape1"), ElementKind::Rectangle);
        cover.setGeometry(0, 0, 100, 100);
        cover.setFilled(true);
        cover.setBorderStyle(Qt::NoPen);
        cover.setBackColor(White);
        Element &rule = canvas.add(QStringLiteral("Line1"), ElementKind::Line);
        rule.setLine(24, 64, 80, 64);
        rule.setBorderWidth(4);
        rule.setBorderColor(0x000000FF);
        Element &picture = canvas.add(QStringLiteral("Image1"), ElementKind::Picture);
        picture.setGeometry(10, 10, 20, 20);
        QImage green(2, 2, QImage::Format_RGB32);
        green.fill(Qt::green);
        picture.setPicture(green);
        Element &box = canvas.add(QStringLiteral("Shape2"), ElementKind::Rectangle);
        box.setGeometry(50, 5, 40, 40);
        box.setBorderWidth(3);
        box.setBorderColor(0x00FF0000);

        const QImage image = canvas.render(QRect(0, 0, 120, 120));
        QCOMPARE(image.pixelColor(110, 110), QColor(0xC0, 0xC0, 0xC0)); // window around it
        QCOMPARE(image.pixelColor(5, 5), QColor(Qt::white));
        // A 4-pixel rule on y = 64 covers rows 62 to 65 and ends at its end points.
        QCOMPARE(image.pixelColor(40, 62), QColor(Qt::red));
        QCOMPARE(image.pixelColor(40, 65), QColor(Qt::red));
        QCOMPARE(image.pixelColor(40, 66), QColor(Qt::white));
        QCOMPARE(image.pixelColor(81, 64), QColor(Qt::white));
        // The picture is stretched into its box.
        QCOMPARE(image.pixelColor(10, 10), QColor(Qt::green));
        QCOMPARE(image.pixelColor(29, 29), QColor(Qt::green));
        QCOMPARE(image.pixelColor(30, 30), QColor(Qt::white));
        // A thick border lies inside its bounds.
        QCOMPARE(image.pixelColor(50, 20), QColor(Qt::blue));
        QCOMPARE(image.pixelColor(52, 20), QColor(Qt::blue));
        QCOMPARE(image.pixelColor(53, 20), QColor(Qt::white));
        QCOMPARE(image.pixelColor(49, 20), QColor(Qt::white));
        QCOMPARE(image.pixelColor(89, 20), QColor(Qt::blue));
        QCOMPARE(image.pixelColor(90, 20), QColor(Qt::white));

        rule.hide();
        QCOMPARE(canvas.render(QRect(0, 0, 120, 120)).pixelColor(40, 64), QColor(Qt::white));
    }

    void picturesKeepWhatPaperShows()
    {
        Canvas canvas;
        Element &picture = canvas.add(QStringLiteral("Image1"), ElementKind::Picture);
        picture.setGeometry(0, 0, 40, 20);
        QImage big(1000, 1000, QImage::Format_RGB32);
        big.fill(Qt::darkGreen);
        picture.setPicture(big);
        QCOMPARE(picture.picture().size(), QSize(1000, 1000)); // the screen shows it first
        // 600 dpi of a 40 by 20 pixel box, once the event loop has run.
        QTRY_COMPARE(picture.picture().size(), QSize(250, 125));
        QImage small(10, 10, QImage::Format_RGB32);
        small.fill(Qt::red);
        picture.setPicture(small);
        QCoreApplication::processEvents();
        QCOMPARE(picture.picture().size(), QSize(10, 10)); // never enlarged
    }

    void pagePrintsAtTrueSize()
    {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("page.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setResolution(1200);
        printer.setPageMargins(QMarginsF(0, 0, 0, 0));
        const PrintResult result = printPage(printer, QRectF(0, 0, 456, 96), [](QPainter &painter) {
            painter.fillRect(QRectF(0, 0, 456, 96), Qt::black); // 4.75 by 1 inch
        });
        QVERIFY2(result.ok(), qPrintable(result.error));
        QVERIFY(QFileInfo(pdf).size() > 0);

        if (const QString tool = test::missingPdfTool(); !tool.isEmpty())
            QSKIP(qPrintable(tool + u" (poppler-utils) is missing: the page is not measured"_s));
        const QImage page = test::renderPdfPage(pdf);
        QCOMPARE(page.pixelColor(2, 2), QColor(Qt::black));
        QCOMPARE(page.pixelColor(454, 94), QColor(Qt::black));
        QCOMPARE(page.pixelColor(458, 50), QColor(Qt::white));
        QCOMPARE(page.pixelColor(50, 98), QColor(Qt::white));
    }

    void refusedJobIsReported()
    {
        RefusingPrinter printer;
        bool painted = false;
        const PrintResult result =
            printPage(printer, QRectF(0, 0, 10, 10), [&](QPainter &) { painted = true; });
        QVERIFY(painted);
        QVERIFY(!result.ok());
    }

    void hoverHelpWritesTheCaption()
    {
        QWidget window;
        QLabel *control = new QLabel(QStringLiteral("Print"), &window);
        QLabel *quiet = new QLabel(QStringLiteral("no help"), &window);
        HoverHelp help(&window);
        help.add(control, QStringLiteral("Prints  the design."));
        QStatusTipEvent enter(control->statusTip());
        QApplication::sendEvent(control, &enter);
        QCOMPARE(window.windowTitle(), QStringLiteral("Prints  the design."));
        // Leaving sends an empty tip: the caption keeps its line.
        QStatusTipEvent leave{QString()};
        QApplication::sendEvent(quiet, &leave);
        QCOMPARE(window.windowTitle(), QStringLiteral("Prints  the design."));
    }

    void fileFiltersReadAsQtWritesThem()
    {
        QCOMPARE(qtFileFilter(QStringLiteral("Jewel Case Files|*.vmd")),
                 QStringLiteral("Jewel Case Files (*.vmd)"));
        QCOMPARE(qtFileFilter(QStringLiteral("Image Files|*.jpg;*.gif;*.bmp|All|*.*")),
                 QStringLiteral("Image Files (*.jpg *.gif *.bmp);;All (*.*)"));
        QCOMPARE(qtFileFilter(QString()), QString());
    }
};

VM_TEST_CLASS(CanvasTest)
#include "canvas.moc"
