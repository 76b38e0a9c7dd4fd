// Printing the cover: the page as it lands in a PDF file, the window after printing, no
// printer, a failed job, and Print Set Up.

#include "support/design_test_support.h"
#include "support/pdf_pages.h"

#include "designer/windows/titles_window.h"
#include "toolkit/fonts.h"

#include <QAbstractPrintDialog>
#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace vm;
using namespace vm::test;
using vm::design::DesignWindow;

namespace {

// Where the cover starts on a PDF page: at the corner (see pointAtPdf).
constexpr int Margin = 0;
const QColor CoverColour(255, 224, 0);
const QRect PageImage(0, 0, 754, 487);

// Whether each control of the panel is hidden (secondary windows are not panel controls).
QMap<QString, bool> panelHidden(const DesignWindow &design)
{
    QMap<QString, bool> hidden;
    for (const QWidget *w : design.findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (!w->isWindow())
            hidden[w->objectName()] = w->isHidden();
    }
    return hidden;
}

// A layout carried over from a printer with a half-inch unprintable border. A PDF page has
// none, so the page must still start at the paper's corner.
void pointAtPdf(QPrinter &printer, const QString &path)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    const QMarginsF border(12.7, 12.7, 12.7, 12.7);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, border,
                                      QPageLayout::Millimeter, border));
}

// Everything about the elements that printing could disturb.
QStringList elementState(const DesignWindow &design)
{
    QStringList state;
    for (const Element *e : design.canvas().stackingOrder()) {
        state << QStringLiteral("%1 %2,%3 %4x%5 (%6,%7)-(%8,%9) %10")
                     .arg(e->name())
                     .arg(e->left())
                     .arg(e->top())
                     .arg(e->width())
                     .arg(e->height())
                     .arg(e->x1())
                     .arg(e->y1())
                     .arg(e->x2())
                     .arg(e->y2())
                     .arg(e->isVisible());
    }
    return state;
}

// A cover with something of every kind on it.
void fillDesign(DesignWindow &design)
{
    element(design, "Shape1")
        .setBackColor(rgb(CoverColour.red(), CoverColour.green(), CoverColour.blue()));
    entry(design, "Text1").setText(QStringLiteral("Evening Songs"));
    entry(design, "Text2").setText(QStringLiteral("Volume Two"));
    checkBox(design, "Check5").setChecked(true); // the outer box
    checkBox(design, "Check7").setChecked(true); // the titles
    element(design, "Label4").setCaption(QStringLiteral("Harbour Lights"));
    element(design, "Label14").setCaption(QStringLiteral("Last Ferry"));
    QImage logo(40, 40, QImage::Format_RGB32);
    logo.fill(QColor(20, 60, 160));
    element(design, "Image2").setPicture(logo);
}

// Clearly different colours (text edges are drawn by two different rasterisers and may
// differ by a little).
bool far(QRgb p, QRgb q)
{
    return std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
               std::abs(qBlue(p) - qBlue(q)) >
           96;
}

// The share of pixels in which two images differ clearly.
double clearlyDifferent(const QImage &a, const QImage &b)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x)
            count += far(a.pixel(x, y), b.pixel(x, y));
    }
    return double(count) / (a.width() * a.height());
}

// Where something other than the cover's colour was drawn inside `area`.
QRect inkBox(const QImage &image, const QRect &area)
{
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (far(image.pixel(x, y), CoverColour.rgb()))
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

// The first pixel of `area` that is not `colour`, or nothing.
QString firstOtherPixel(const QImage &image, const QRect &wanted, const QColor &colour)
{
    const QRect area = wanted & image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixelColor(x, y) != colour)
                return QStringLiteral("(%1, %2) is %3")
                    .arg(x)
                    .arg(y)
                    .arg(image.pixelColor(x, y).name());
        }
    }
    return {};
}

// Print Set Up's own dialog, answered as soon as it is shown.
void answerPrintDialog(bool accept)
{
    QTimer::singleShot(0, [accept] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        if (accept)
            dialog->accept();
        else
            dialog->reject();
    });
}

} // namespace

#define SKIP_WITHOUT_PDF_TOOLS()                                                                   \
    if (const QString tool = missingPdfTool(); !tool.isEmpty())                                    \
    QSKIP(qPrintable(tool + QStringLiteral(" (poppler-utils) is missing: the page is not "         \
                                           "checked")))

class PrintTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutes(); }

    void pageIsTheCoverAtTrueSize_data();
    void pageIsTheCoverAtTrueSize();
    void onlyShownElementsPrint();
    void windowIsAsBeforeAfterPrinting_data();
    void windowIsAsBeforeAfterPrinting();
    void bigPictureKeepsPrintDetailOnly();
    void withoutPrinterThePageCanBeSavedAsPdf();
    void failedJobIsReported();
    void printSetUpCancelChangesNothing();
};

void PrintTest::pageIsTheCoverAtTrueSize_data()
{
    QTest::addColumn<bool>("back");
    QTest::addColumn<int>("width");
    QTest::newRow("front, 4.75 in") << false << 456;
    QTest::newRow("back, 519/96 in") << true << 519;
}

void PrintTest::pageIsTheCoverAtTrueSize()
{
    QFETCH(bool, back);
    QFETCH(int, width);
    SKIP_WITHOUT_PDF_TOOLS();

    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("cover.pdf"));
    DesignWindow design;
    if (back)
        option(design, "Option4").setChecked(true);
    fillDesign(design);
    pointAtPdf(design.printer(), pdf);
    click(design, "Command7");

    QCOMPARE(pdfPageCount(pdf), 1);
    const QImage page = renderPdfPage(pdf);
    QVERIFY(!page.isNull());
    // The cover's own colour runs from the corner for exactly its width and height:
    // 342 points wide on the front, 389.25 on the back, 342 high.
    const int row = Margin + 200;
    QCOMPARE(page.pixelColor(Margin, row), CoverColour);
    QCOMPARE(page.pixelColor(Margin + width - 1, row), CoverColour);
    QCOMPARE(page.pixelColor(Margin + width, row), QColor(Qt::white));
    QCOMPARE(page.pixelColor(Margin + 3, Margin), CoverColour);
    QCOMPARE(page.pixelColor(Margin + 3, Margin + 455), CoverColour);
    QCOMPARE(page.pixelColor(Margin + 3, Margin + 456), QColor(Qt::white));
    // Nothing of the grey window or of its panel beside and below the cover (the window is
    // wider than A4 less its margins: the page ends first).
    const QRect right(Margin + width, Margin, 754 - width, 487);
    const QRect below(Margin, Margin + 456, 754, 487 - 456);
    QCOMPARE(firstOtherPixel(page, right, Qt::white), QString());
    QCOMPARE(firstOtherPixel(page, below, Qt::white), QString());

    // And the page is what the canvas shows on a white window, element for element.
    Canvas &canvas = design.canvas();
    const QColor grey = canvas.background();
    canvas.setBackground(Qt::white);
    QImage screen = canvas.render(PageImage).convertToFormat(QImage::Format_RGB32);
    canvas.setBackground(grey);
    const QRect onPaper = PageImage.translated(Margin, Margin) & page.rect();
    const QImage printed = page.copy(onPaper);
    screen = screen.copy(onPaper.translated(-Margin, -Margin));
    // Text edges come from two different rasterisers and the PDF renderer widens pictures by
    // a pixel, so a few pixels may differ; a missing or moved element would not.
    const double different = clearlyDifferent(screen, printed);
    QVERIFY2(different < 0.004,
             qPrintable(
                 QStringLiteral("%1% of the pixels differ from the canvas").arg(different * 100)));
    for (const char *name : {"Label2", "Label3", "Label4", "Label14", "Image2"}) {
        const QRect area = element(design, name).rect().toAlignedRect();
        const QRect onScreen = inkBox(screen, area), onPage = inkBox(printed, area);
        QVERIFY2(!onScreen.isEmpty(), name);
        const QRect gap(onPage.topLeft() - onScreen.topLeft(),
                        onPage.bottomRight() - onScreen.bottomRight());
        QVERIFY2(std::max({std::abs(gap.left()), std::abs(gap.top()), std::abs(gap.right()),
                           std::abs(gap.bottom())}) <= 1,
                 name);
    }
}

void PrintTest::onlyShownElementsPrint()
{
    SKIP_WITHOUT_PDF_TOOLS();

    QTemporaryDir dir;
    DesignWindow design;
    element(design, "Shape1")
        .setBackColor(rgb(CoverColour.red(), CoverColour.green(), CoverColour.blue()));
    for (int n = 4; n <= 26; ++n)
        design.canvas()
            .element(QStringLiteral("Label%1").arg(n))
            .setCaption(QStringLiteral("Title%1").arg(n));
    element(design, "Label29").setCaption(QStringLiteral("2024 Heron Records"));
    checkBox(design, "Check1").setChecked(true); // top rule hidden

    auto print = [&](const QString &name) {
        const QString pdf = dir.filePath(name);
        pointAtPdf(design.printer(), pdf);
        click(design, "Command7");
        return pdf;
    };
    const auto rectOnPage = [](const Element &e) {
        return e.rect().toAlignedRect().translated(Margin, Margin);
    };

    // Titles, box, copyright line and top rule hidden: none of them prints.
    const QString hidden = print(QStringLiteral("hidden.pdf"));
    QString text = pdfText(hidden);
    QVERIFY2(!text.contains(QStringLiteral("Title")), qPrintable(text));
    QVERIFY(!text.contains(QStringLiteral("Heron")));
    QImage page = renderPdfPage(hidden);
    const QRect topRule(Margin + 24, Margin + 62, 408, 4);
    QCOMPARE(firstOtherPixel(page, topRule, CoverColour), QString());
    const QRect boxLeftSide(Margin + 6, Margin + 100, 2, 200);
    QCOMPARE(firstOtherPixel(page, boxLeftSide, CoverColour), QString());
    const QRect bottomRule(Margin + 24, Margin + 390, 408, 4);
    QCOMPARE(firstOtherPixel(page, bottomRule, Qt::black), QString());

    // Shown, they all print where the canvas has them.
    checkBox(design, "Check7").setChecked(true);
    checkBox(design, "Check5").setChecked(true);
    checkBox(design, "Check1").setChecked(false);
    element(design, "Label29").show();
    const QString shown = print(QStringLiteral("shown.pdf"));
    text = pdfText(shown);
    for (int n = 4; n <= 26; ++n)
        QVERIFY2(text.contains(QStringLiteral("Title%1").arg(n)), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("Heron")));
    page = renderPdfPage(shown);
    QCOMPARE(firstOtherPixel(page, topRule, Qt::black), QString());
    QCOMPARE(firstOtherPixel(page, boxLeftSide, Qt::black), QString());
    QVERIFY(!firstOtherPixel(page, rectOnPage(element(design, "Label4")), CoverColour).isEmpty());
}

void PrintTest::windowIsAsBeforeAfterPrinting_data()
{
    QTest::addColumn<bool>("back");
    QTest::newRow("front") << false;
    QTest::newRow("back") << true;
}

void PrintTest::windowIsAsBeforeAfterPrinting()
{
    QFETCH(bool, back);
    QTemporaryDir dir;
    DesignWindow design;
    design.show();
    QVERIFY(QTest::qWaitForWindowExposed(&design));
    if (back)
        option(design, "Option4").setChecked(true);
    fillDesign(design);
    click(design, "Command14"); // the title editor is open
    QVERIFY(design.titlesWindow()->isVisible());
    // One of the copyright fields is shown, the others stay hidden as at start.
    entry(design, "Text11").show();
    design.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&design));
    entry(design, "Text2").setFocus();

    const QMap<QString, bool> hiddenBefore = panelHidden(design);
    QVERIFY(hiddenBefore.size() > 50);
    const QStringList elementsBefore = elementState(design);
    const float coverWidth = design.shared().CoverWidth;
    const QColor grey = design.canvas().background();
    QSignalSpy front(&option(design, "Option1"), &QRadioButton::toggled);
    QSignalSpy backSpy(&option(design, "Option4"), &QRadioButton::toggled);
    // The panel is out of sight and the window white while the page is made: seen when the
    // last control goes.
    struct HideWatch : QObject
    {
        const DesignWindow *design = nullptr;
        bool seen = false;
        bool eventFilter(QObject *, QEvent *event) override
        {
            if (event->type() == QEvent::Hide)
                seen = control<QWidget>(*design, "Command7").isHidden() &&
                       entry(*design, "Text1").isHidden() &&
                       design->canvas().background() == QColor(Qt::white);
            return false;
        }
    } hideWatch;
    hideWatch.design = &design;
    control<QLabel>(design, "PIXH").installEventFilter(&hideWatch);

    const QString pdf = dir.filePath(QStringLiteral("cover.pdf"));
    pointAtPdf(design.printer(), pdf);
    click(design, "Command7");
    control<QLabel>(design, "PIXH").removeEventFilter(&hideWatch);

    QVERIFY(QFileInfo(pdf).size() > 0);
    QVERIFY(hideWatch.seen);
    QCOMPARE(option(design, "Option1").isChecked(), !back);
    QCOMPARE(option(design, "Option4").isChecked(), back);
    QCOMPARE(front.count(), 0);
    QCOMPARE(backSpy.count(), 0);
    QCOMPARE(design.shared().CoverWidth, coverWidth);
    QCOMPARE(elementState(design), elementsBefore);
    QCOMPARE(panelHidden(design), hiddenBefore);
    QVERIFY(entry(design, "Text11").isVisible());
    QCOMPARE(design.canvas().background(), grey);
    QCOMPARE(QApplication::focusWidget(), &entry(design, "Text2"));
    // The title editor stays hidden until "Enter Title Names" shows it again.
    QVERIFY(!design.titlesWindow()->isVisible());
}

void PrintTest::bigPictureKeepsPrintDetailOnly()
{
    SKIP_WITHOUT_PDF_TOOLS();

    // A photo far finer than paper shows, in a box made smaller after it was loaded.
    QImage photo(4000, 3000, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(photo.scanLine(y));
        for (int x = 0; x < photo.width(); ++x)
            line[x] = qRgb(x * 255 / 4000, y * 255 / 3000, (x ^ y) & 0xff);
    }
    QTemporaryDir dir;
    DesignWindow design;
    entry(design, "Text1").setText(QStringLiteral("Evening Songs"));
    element(design, "Image1").setPicture(photo);
    entry(design, "Text7").setText(QStringLiteral("192")); // 2 inches wide
    entry(design, "Text8").setText(QStringLiteral("144")); // 1.5 inches high

    const QString pdf = dir.filePath(QStringLiteral("photo.pdf"));
    pointAtPdf(design.printer(), pdf);
    click(design, "Command7");

    const QList<PdfImage> images = pdfImages(pdf);
    QCOMPARE(images.size(), 1);
    QVERIFY2(images[0].xPpi <= 601 && images[0].yPpi <= 601,
             "the picture keeps more than paper shows");
    QVERIFY(images[0].xPpi >= 590 && images[0].yPpi >= 590);
    // The headline is text on the page, not a picture of text.
    QVERIFY(pdfText(pdf).contains(QStringLiteral("Evening Songs")));
}

void PrintTest::withoutPrinterThePageCanBeSavedAsPdf()
{
    if (vm::hasPrinters())
        QSKIP("this machine's print server has printers; the case without one is not reachable");

    QTemporaryDir dir;
    DesignWindow design;
    ScriptedFileAnswer answer;
    scriptFileDialog(design, answer);
    element(design, "Shape1")
        .setBackColor(rgb(CoverColour.red(), CoverColour.green(), CoverColour.blue()));
    const QStringList elementsBefore = elementState(design);
    auto question = [&design] {
        return design.findChild<QMessageBox *>(QStringLiteral("PrintToPdfQuestion"));
    };

    // Asked first; "No" does nothing at all.
    click(design, "Command7");
    QVERIFY(question());
    QVERIFY(question()->isVisible());
    QVERIFY(!question()->isModal());
    question()->button(QMessageBox::No)->click();
    QCOMPARE(answer.shown, 0);

    // "Yes": the save dialog, for a PDF file; cancelling it writes nothing.
    answer.cancel = true;
    click(design, "Command7");
    question()->button(QMessageBox::Yes)->click();
    QCOMPARE(answer.shown, 1);
    QVERIFY(answer.filter.contains(QStringLiteral("*.pdf")));
    QCOMPARE(QFileInfo(answer.proposed).fileName(), QStringLiteral("Untitled.pdf"));
    QVERIFY(QDir(dir.path()).isEmpty());

    // A name without the suffix gets it; the page is the cover at the top-left.
    answer.cancel = false;
    answer.chosen = dir.filePath(QStringLiteral("cover"));
    click(design, "Command7");
    question()->button(QMessageBox::Yes)->click();
    const QString pdf = dir.filePath(QStringLiteral("cover.pdf"));
    QVERIFY(QFileInfo::exists(pdf));
    QCOMPARE(elementState(design), elementsBefore);
    QVERIFY(!control<QWidget>(design, "Command7").isHidden());
    // The printer settings were not turned into that file: the next Print asks again.
    QVERIFY(design.printer().outputFileName().isEmpty());
    if (missingPdfTool().isEmpty()) {
        QCOMPARE(pdfPageCount(pdf), 1);
        QCOMPARE(renderPdfPage(pdf).pixelColor(0, 0), CoverColour);
    }
}

void PrintTest::failedJobIsReported()
{
    QTemporaryDir dir;
    DesignWindow design;
    const QString pdf = dir.filePath(QStringLiteral("no-such-folder/cover.pdf"));
    pointAtPdf(design.printer(), pdf);
    const QColor grey = design.canvas().background();
    click(design, "Command7");

    auto *message = design.findChild<QMessageBox *>(QStringLiteral("PrintError"));
    QVERIFY(message);
    QVERIFY(message->isVisible());
    QVERIFY(!message->isModal());
    QVERIFY2(message->text().contains(QDir::toNativeSeparators(pdf)), qPrintable(message->text()));
    QVERIFY(message->text().contains(QStringLiteral("could not start")));
    // The window is back as it was.
    QCOMPARE(design.canvas().background(), grey);
    for (const char *name : {"Command7", "Text1", "Option1", "PIXFLN"})
        QVERIFY(!control<QWidget>(design, name).isHidden());
}

void PrintTest::printSetUpCancelChangesNothing()
{
    QTemporaryDir dir;
    DesignWindow design;
    QPrinter &printer = design.printer();
    const QString pdf = dir.filePath(QStringLiteral("cover.pdf"));
    pointAtPdf(printer, pdf);
    printer.setPageOrientation(QPageLayout::Landscape);

    answerPrintDialog(false);
    click(design, "Command11");
    QCOMPARE(printer.outputFileName(), pdf);
    QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Landscape);
    QCOMPARE(printer.pageLayout().pageSize().id(), QPageSize::A4);

    // Confirmed unchanged, the settings stay what they were, and Print uses them.
    answerPrintDialog(true);
    click(design, "Command11");
    QCOMPARE(printer.outputFileName(), pdf);
    QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Landscape);
    click(design, "Command7");
    QVERIFY(QFileInfo(pdf).size() > 0);
}

int main(int argc, char *argv[])
{
    // No print server: the tests decide where pages go, and the case without a printer is
    // reachable. It must be set before the first printer is made.
    qputenv("CUPS_SERVER", QByteArrayLiteral("/nonexistent/vellumora-test-no-print-server.sock"));
    QApplication app(argc, argv);
    PrintTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "test_print.moc"
