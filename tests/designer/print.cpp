// SPDX-License-Identifier: GPL-3.0-or-later
// Printing the cover: the page as it lands in a PDF file, the window after printing, no
// printer, a failed job, Print Set Up; and the same page through a real print server.
#include "support/design_fixture.h"
#include "support/pages.h"
#include "support/test_main.h"

#include "designer/windows/titles_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintEngine>
#include <QPrinterInfo>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

using namespace vm;
using namespace vm::test;
using namespace Qt::StringLiterals;
using vm::design::DesignWindow;

namespace {

const QColor CoverColour(255, 224, 0);

// Prints to a PDF file on paper whose layout came from a printer with a half-inch border: a
// PDF page has none, so the cover must start at the paper's corner all the same.
QString printToPdf(DesignWindow &design, const QString &pdf,
                   QPageSize::PageSizeId paper = QPageSize::A4)
{
    QPrinter &printer = design.printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    const QMarginsF border(0.5, 0.5, 0.5, 0.5);
    printer.setPageLayout(
        QPageLayout(QPageSize(paper), QPageLayout::Portrait, border, QPageLayout::Inch, border));
    click(design, "Command7");
    return pdf;
}

void colourCover(DesignWindow &design, const QColor &colour)
{
    element(design, "Shape1").setBackColor(rgb(colour.red(), colour.green(), colour.blue()));
}

// Two boxes of ink that differ by no more than a rasteriser's pixel on any side.
bool sameInk(const QRect &a, const QRect &b)
{
    return a.isEmpty() == b.isEmpty() && (a.isEmpty() || (a.adjusted(-1, -1, 1, 1).contains(b) &&
                                                          b.adjusted(-1, -1, 1, 1).contains(a)));
}

// Everything about the elements that printing could disturb.
QStringList elementState(const DesignWindow &design)
{
    QStringList state;
    for (const Element *e : design.canvas().stackingOrder())
        QDebug(&state.emplace_back())
            << e->name() << e->rect() << e->x1() << e->y1() << e->x2() << e->y2() << e->isVisible();
    return state;
}

} // namespace

#define SKIP_WITHOUT_PDF_TOOLS()                                                                   \
    if (const QString tool = missingPdfTool(); !tool.isEmpty())                                    \
    QSKIP(qPrintable(tool + u" (poppler-utils) is missing: the page is not checked"_s))

class PrintTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase() { withoutPrintServer(); }

    void pageIsTheCover_data()
    {
        QTest::addColumn<bool>("back");
        QTest::addColumn<bool>("shown"); // titles, outer box, copyright notice, top rule
        QTest::newRow("front, all shown") << false << true;
        QTest::newRow("back, all hidden") << true << false;
    }

    void pageIsTheCover()
    {
        QFETCH(bool, back);
        QFETCH(bool, shown);
        SKIP_WITHOUT_PDF_TOOLS();
        DesignWindow design;
        option(design, back ? "Option4" : "Option1").setChecked(true);
        colourCover(design, CoverColour);
        entry(design, "Text1").setText(u"Evening Songs"_s);
        entry(design, "Text2").setText(u"Volume Two"_s);
        QImage logo(40, 40, QImage::Format_RGB32);
        logo.fill(QColor(20, 60, 160));
        element(design, "Image2").setPicture(logo);
        for (int n = 1; n <= 23; ++n)
            design.titleArea(n).setCaption(u"Title%1"_s.arg(n));
        for (const char *box : {"Check7", "Check5", "Check9"})
            checkBox(design, box).setChecked(shown);
        checkBox(design, "Check1").setChecked(!shown);
        const QString pdf = printToPdf(design, m_dir.filePath(u"cover.pdf"_s));
        QCOMPARE(pdfPageCount(pdf), 1);
        const QImage page = renderPdfPage(pdf);

        // The cover's colour runs from the paper's corner for exactly its width and height:
        // 4.75 inches on the front, 519/96 on the back.
        const int width = back ? 519 : 456;
        QCOMPARE(page.pixelColor(0, 200), CoverColour);
        QCOMPARE(page.pixelColor(width - 1, 200), CoverColour);
        QCOMPARE(page.pixelColor(width, 200), QColor(Qt::white));
        QCOMPARE(page.pixelColor(3, 0), CoverColour);
        QCOMPARE(page.pixelColor(3, 455), CoverColour);
        QCOMPARE(page.pixelColor(3, 456), QColor(Qt::white));
        // Nothing of the grey window or of its panel beside and below the cover.
        QCOMPARE(inkBox(page, QRect(width, 0, 754 - width, 487)), QRect());
        QCOMPARE(inkBox(page, QRect(0, 456, 754, 31)), QRect());

        // Each element prints where the canvas shows it, and only while it is shown.
        const QImage screen = design.canvas().render(QRect(0, 0, 754, 487));
        for (const char *name : {"Label2", "Label3", "Label4", "Label14", "Image2", "Label29"}) {
            const QRect area = element(design, name).rect().toAlignedRect();
            const QRect onScreen = inkBox(screen, area, CoverColour);
            QVERIFY2(onScreen.isEmpty() != element(design, name).isVisible(), name);
            QVERIFY2(sameInk(inkBox(page, area, CoverColour), onScreen), name);
        }
        const QString text = pdfText(pdf);
        QCOMPARE(text.count(u"Title"_s), shown ? 23 : 0);
        QCOMPARE(text.contains(u"Rights"_s), shown);
        const QColor rules = shown ? Qt::black : CoverColour;
        QCOMPARE(inkBox(page, QRect(24, 62, 408, 4), rules), QRect());
        QCOMPARE(inkBox(page, QRect(6, 100, 2, 200), rules), QRect()); // box
    }

    // On screen the window's edges cut off what lies beyond its client area; paper does too.
    void nothingPrintsBeyondTheWindow_data()
    {
        QTest::addColumn<QStringList>("entries"); // field, text, field, text
        // Pictures are centred on the cover: this one runs from (-772, -272) to (1228, 728).
        QTest::newRow("picture 2000 x 1000")
            << QStringList{u"Text7"_s, u"2000"_s, u"Text8"_s, u"1000"_s};
        QTest::newRow("bottom line far down and right")
            << QStringList{u"Text4"_s, u"470"_s, u"Text9"_s, u"700"_s};
    }

    void nothingPrintsBeyondTheWindow()
    {
        QFETCH(QStringList, entries);
        SKIP_WITHOUT_PDF_TOOLS();
        DesignWindow design;
        QImage red(40, 40, QImage::Format_RGB32);
        red.fill(Qt::red);
        element(design, "Image1").setPicture(red);
        entry(design, "Text2").setText(u"WWWWWWWWWWWWWWWWWWWW"_s);
        for (qsizetype i = 0; i + 1 < entries.size(); i += 2)
            entry(design, qPrintable(entries[i])).setText(entries[i + 1]);
        // A3 leaves room beyond the window on both sides; the renderer may round the clip's
        // edge a pixel outwards.
        const QImage page =
            renderPdfPage(printToPdf(design, m_dir.filePath(u"clip.pdf"_s), QPageSize::A3));
        QVERIFY(!inkBox(page, QRect(0, 0, 755, 488)).isEmpty());
        QCOMPARE(inkBox(page, QRect(755, 0, page.width(), page.height())), QRect());
        QCOMPARE(inkBox(page, QRect(0, 488, page.width(), page.height())), QRect());
    }

    void windowIsAsBeforeAfterPrinting()
    {
        for (bool back : {false, true}) {
            DesignWindow design;
            design.show();
            QVERIFY(QTest::qWaitForWindowExposed(&design));
            option(design, back ? "Option4" : "Option1").setChecked(true);
            entry(design, "Text1").setText(u"Evening Songs"_s);
            checkBox(design, "Check7").setChecked(true);
            click(design, "Command14"); // the title editor is open
            // One of the copyright fields is shown, the others stay hidden as at start.
            entry(design, "Text11").show();
            design.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&design));
            entry(design, "Text2").setFocus();
            QMap<QString, bool> panel;
            for (const QWidget *w : design.findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
                panel[w->objectName()] = w->isHidden();
            const QStringList elements = elementState(design);
            const QColor grey = design.canvas().background();
            printToPdf(design, m_dir.filePath(u"window.pdf"_s));
            QCOMPARE(option(design, "Option4").isChecked(), back);
            QCOMPARE(elementState(design), elements);
            for (const QWidget *w : design.findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
                QVERIFY2(panel.value(w->objectName()) == w->isHidden(),
                         qPrintable(w->objectName()));
            QCOMPARE(design.canvas().background(), grey);
            QCOMPARE(QApplication::focusWidget(), &entry(design, "Text2"));
            // The title editor stays hidden until "Enter Title Names" shows it again.
            QVERIFY(!design.titlesWindow()->isVisible());
        }
    }

    void bigPictureKeepsPrintDetailOnly()
    {
        SKIP_WITHOUT_PDF_TOOLS();
        // A photo finer than paper shows decodes at the detail its box needs at 600 dpi (393 x
        // 289 pixels need 2457 x 1807: 5/8 of 4000 x 3000), with more when the box grows, and
        // keeps it when the box shrinks; the page gets no more than 600 dpi of it.
        QImage photo(4000, 3000, QImage::Format_RGB32);
        photo.fill(Qt::darkGreen);
        QVERIFY(photo.save(m_dir.filePath(u"photo.jpg"_s)));
        DesignWindow design;
        scriptDialogs(design.commonDialog()).chosenFile = m_dir.filePath(u"photo.jpg"_s);
        click(design, "Command8");
        const Element &image1 = element(design, "Image1");
        for (const auto &[field, size] :
             {std::pair{"Text7", u"600"_s}, {"Text7", u"192"_s}, {"Text8", u"144"_s}})
            entry(design, field).setText(size); // 2 by 1.5 inches at last
        const QList<PdfImage> images =
            pdfImages(printToPdf(design, m_dir.filePath(u"photo.pdf"_s)));
        QCOMPARE(image1.picture().size(), QSize(3750, 1807)); // 600 x 289 at 600 dpi
        QCOMPARE(images.size(), 1);
        QVERIFY2(images[0].xPpi <= 601 && images[0].yPpi <= 601, "more than paper shows");
        QVERIFY(images[0].xPpi >= 590 && images[0].yPpi >= 590);
    }

    void withoutPrinterThePageCanBeSavedAsPdf()
    {
        if (hasPrinters())
            QSKIP("this machine's print server has printers: the case without one is not here");
        QTemporaryDir dir;
        DesignWindow design;
        colourCover(design, CoverColour);
        ScriptedDialogs &dialogs = scriptDialogs(design.commonDialog());
        // The paper the settings name; its margin does not reach a PDF file.
        design.printer().setPageLayout(QPageLayout(QPageSize(QPageSize::Letter),
                                                   QPageLayout::Portrait, QMarginsF(1, 1, 1, 1),
                                                   QPageLayout::Inch));
        // Asked first: "No" does nothing; "Yes" asks for a PDF file, and a name without the
        // suffix gets it.
        dialogs.chosenFile = dir.filePath(u"cover"_s);
        for (const auto button : {QMessageBox::No, QMessageBox::Yes}) {
            click(design, "Command7");
            auto *question = design.findChild<QMessageBox *>(u"PrintToPdfQuestion"_s);
            QVERIFY(question && question->isVisible() && !question->isModal());
            question->button(button)->click();
        }
        QCOMPARE(dialogs.files, 1);
        QCOMPARE(QFileInfo(dialogs.proposedFile).fileName(), u"Untitled.pdf"_s);
        const QString pdf = dir.filePath(u"cover.pdf"_s);
        QVERIFY(QFileInfo::exists(pdf));
        // The printer settings were not turned into that file: the next Print asks again.
        QVERIFY(design.printer().outputFileName().isEmpty());
        SKIP_WITHOUT_PDF_TOOLS();
        const QImage page = renderPdfPage(pdf); // on that paper, from its corner
        QCOMPARE(page.size(), QSize(816, 1056));
        QCOMPARE(page.pixelColor(0, 0), CoverColour);
    }

    void failedJobIsReported()
    {
        DesignWindow design;
        const QString pdf = m_dir.filePath(u"no-such-folder/cover.pdf"_s);
        printToPdf(design, pdf);
        auto *message = design.findChild<QMessageBox *>(u"PrintError"_s);
        QVERIFY(message && message->isVisible() && !message->isModal());
        QVERIFY2(message->text().contains(QDir::toNativeSeparators(pdf)) &&
                     message->text().contains(u"could not start"_s),
                 qPrintable(message->text()));
    }
};

VM_TEST_CLASS(PrintTest)

// "Print" through a real print server: the private PDF queue the test fixture starts
// (tests/support/cups-pdf-queue), reached through CUPS_SERVER, is the system's default
// printer, and the page it writes is the cover at true size.
class PrintCupsTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        const QString server = qEnvironmentVariable("CUPS_SERVER");
        if (server.isEmpty() || !QFileInfo::exists(server))
            QSKIP("no private print server: it starts with the ctest fixture "
                  "designer_print_server_start, which could not run here or did not run");
        if (!QPrinterInfo::availablePrinterNames().contains(u"VellumoraPdf"_s))
            QSKIP("the private print server has no VellumoraPdf queue");
    }

    void printGoesToTheDefaultQueue()
    {
        const QString queue = u"VellumoraPdf"_s, server = qEnvironmentVariable("CUPS_SERVER");
        SKIP_WITHOUT_PDF_TOOLS();
        // The queue names its files after the job and overwrites them: a page is new when its
        // file is.
        const QDir out(QFileInfo(server).dir().filePath(u"out"_s));
        QHash<QString, QDateTime> before;
        for (const QFileInfo &file : out.entryInfoList({u"*.pdf"_s}, QDir::Files))
            before.insert(file.fileName(), file.lastModified());

        DesignWindow design;
        // The system's default printer, untouched by the test.
        QCOMPARE(design.printer().printerName(), queue);
        const QColor cover(0, 160, 224);
        colourCover(design, cover);
        click(design, "Command7");

        // The queue writes its file some time later; it is done when it reads as a whole PDF.
        QString page;
        const auto written = [&] {
            for (const QFileInfo &file : out.entryInfoList({u"*.pdf"_s}, QDir::Files)) {
                if (before.value(file.fileName()) != file.lastModified() &&
                    pdfPageCount(file.filePath()) == 1)
                    page = file.filePath();
            }
            return !page.isEmpty();
        };
        QTRY_VERIFY_WITH_TIMEOUT(written(), 30000);

        // The queue's filters re-encode the text, so the page is looked at, not read. Its
        // printable area is the whole sheet: the cover's first ink is the sheet's corner, and
        // the cover is 4.75 inches wide.
        const QImage image = renderPdfPage(page);
        QCOMPARE(inkBox(image, image.rect()).topLeft(), QPoint(0, 0));
        QVERIFY(!clearlyDifferent(image.pixel(1, 200), cover.rgb()));
        QVERIFY(!clearlyDifferent(image.pixel(454, 200), cover.rgb()));
        QVERIFY(!clearlyDifferent(image.pixel(458, 200), qRgb(255, 255, 255)));
    }

    // Print Set Up through the real dialog on the queue: what the user confirms (copies,
    // collation, page order, the queue's own options) is what the next Print uses; Cancel
    // keeps it, and the dialog opens on it.
    void printSetUpKeepsWhatIsConfirmed()
    {
        DesignWindow design;
        QPrinter &printer = design.printer();
        int openedWith = 0; // copies
        const auto answer = [&openedWith](int copies, const QString &resolution, bool confirm) {
            answerModalDialogs({[=, &openedWith](QDialog *dialog) {
                auto *count = dialog->findChild<QSpinBox *>(u"copies"_s);
                openedWith = count->value();
                count->setValue(copies);
                dialog->findChild<QAbstractButton *>(u"collate"_s)->setChecked(false);
                dialog->findChild<QAbstractButton *>(u"reverse"_s)->setChecked(true);
                answerModalDialogs({[=](QDialog *properties) {
                    for (QComboBox *combo : properties->findChildren<QComboBox *>()) {
                        if (combo->findText(resolution) >= 0)
                            combo->setCurrentIndex(combo->findText(resolution));
                    }
                    return true;
                }});
                dialog->findChild<QAbstractButton *>(u"properties"_s)->click();
                return confirm;
            }});
        };
        const auto kept = [&printer] {
            // The print engine keeps the queue's own options as name, value pairs here.
            const QStringList options = printer.printEngine()
                                            ->property(QPrintEngine::PrintEnginePropertyKey(0xfe00))
                                            .toStringList();
            return u"%1 copies, collated %2, order %3, %4"_s.arg(printer.copyCount())
                .arg(printer.collateCopies())
                .arg(printer.pageOrder())
                .arg(options.value(options.indexOf(u"Resolution"_s) + 1));
        };
        answer(3, u"600 DPI"_s, true);
        click(design, "Command11");
        QCOMPARE(kept(), u"3 copies, collated 0, order 1, 600dpi"_s);
        answer(5, u"150 DPI"_s, false);
        click(design, "Command11");
        QCOMPARE(openedWith, 3);
        QCOMPARE(kept(), u"3 copies, collated 0, order 1, 600dpi"_s);
    }
};

VM_TEST_CLASS(PrintCupsTest)
#include "print.moc"
