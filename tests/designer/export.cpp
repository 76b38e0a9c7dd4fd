// The cover's context menu: Print Preview shows and prints the page Print sends, Export as PDF
// writes Print's PDF page, Export as PNG the cover alone at the chosen resolution; a failed
// export keeps the file it would have replaced.
#include "support/design_fixture.h"
#include "support/pages.h"
#include "support/test_main.h"

#include <QImageReader>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using namespace vm;
using namespace vm::test;
using namespace Qt::StringLiterals;
using vm::design::DesignWindow;

namespace {

const QColor CoverColour(255, 224, 0);

// A cover with something of every kind on it: colour, headline, titles, box and a picture.
void fillCover(DesignWindow &design, bool back)
{
    option(design, back ? "Option4" : "Option1").setChecked(true);
    element(design, "Shape1").setBackColor(rgb(255, 224, 0));
    entry(design, "Text1").setText(u"Evening Songs"_s);
    for (int n = 1; n <= 20; ++n)
        design.titleArea(n).setCaption(u"Title%1"_s.arg(n));
    for (const char *box : {"Check7", "Check5"})
        checkBox(design, box).setChecked(true);
    QImage logo(40, 40, QImage::Format_RGB32);
    logo.fill(QColor(20, 60, 160));
    element(design, "Image2").setPicture(logo);
}

// Print on the program's printer set to a PDF file on `paper`.
QImage printedPage(DesignWindow &design, const QString &pdf, const QPageLayout &paper)
{
    design.printer().setOutputFormat(QPrinter::PdfFormat);
    design.printer().setOutputFileName(pdf);
    design.printer().setPageLayout(paper);
    click(design, "Command7");
    return renderPdfPage(pdf);
}

// Runs a menu entry, answering the PNG resolution question with `dpi` and noting what it
// proposed.
void runEntry(DesignWindow &design, const QString &entry, const QString &dpi = {},
              QString *proposedDpi = nullptr)
{
    if (!dpi.isEmpty()) {
        answerModalDialogs({[=](QDialog *dialog) {
            auto *input = qobject_cast<QInputDialog *>(dialog);
            if (proposedDpi)
                *proposedDpi = input->textValue();
            input->setTextValue(dpi);
            return true;
        }});
    }
    QMenu *menu = rightClickMenu(design.canvas(), QPoint(200, 200));
    QVERIFY(menu);
    chooseEntry(*menu, entry);
}

} // namespace

#define SKIP_WITHOUT_PDF_TOOLS()                                                                   \
    if (const QString tool = missingPdfTool(); !tool.isEmpty())                                    \
    QSKIP(qPrintable(tool + u" (poppler-utils) is missing: the page is not checked"_s))

class ExportTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        // No print server: the tests decide where pages go (set before the first printer).
        if (qEnvironmentVariableIsEmpty("CUPS_SERVER"))
            qputenv("CUPS_SERVER", "/nonexistent/vellumora-test-no-print-server.sock");
    }

    void menuOffersTheCommands()
    {
        DesignWindow design;
        QMenu *menu = rightClickMenu(design.canvas(), QPoint(600, 400));
        QVERIFY(menu);
        QStringList entries;
        for (const QAction *action : menu->actions()) {
            if (!action->isSeparator())
                entries << action->text() + (action->isEnabled() ? u""_s : u" (off)"_s);
        }
        QCOMPARE(entries, (QStringList{u"Undo (off)"_s, u"Redo (off)"_s, u"Save As\u2026 (off)"_s,
                                       u"Print Preview\u2026"_s, u"Export as PDF\u2026"_s,
                                       u"Export as PNG\u2026"_s}));
        menu->close();
    }

    void previewIsThePrintedPage_data()
    {
        QTest::addColumn<bool>("back");
        QTest::addColumn<QPageLayout>("paper");
        const QMarginsF border(0.5, 0.5, 0.5, 0.5);
        QTest::newRow("front, A4 with a border")
            << false
            << QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, border,
                           QPageLayout::Inch, border);
        QTest::newRow("back, Letter landscape")
            << true << QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Landscape, {});
    }

    void previewIsThePrintedPage()
    {
        QFETCH(bool, back);
        QFETCH(QPageLayout, paper);
        SKIP_WITHOUT_PDF_TOOLS();
        DesignWindow design;
        fillCover(design, back);
        // Without a printer the preview shows the page all the same.
        int pages = -1;
        const auto look = [&](const QString &printTo) {
            answerModalDialogs({[&, printTo](QDialog *dialog) {
                auto *preview = dialog->findChild<QPrintPreviewWidget *>();
                pages = preview->pageCount();
                QPrinter *printer = qobject_cast<QPrintPreviewDialog *>(dialog)->printer();
                const QPageLayout shown = printer->pageLayout(),
                                  set = design.printer().pageLayout();
                if (!shown.pageSize().isEquivalentTo(set.pageSize()) ||
                    shown.orientation() != set.orientation())
                    pages = -2; // not on the paper of the printer settings
                if (!printTo.isEmpty()) {
                    printer->setOutputFileName(printTo);
                    preview->print();
                }
                return false;
            }});
            runEntry(design, u"Print Preview\u2026"_s);
        };
        if (!vm::hasPrinters()) {
            look({});
            QCOMPARE(pages, 1);
        }
        const QString printed = m_dir.filePath(u"printed.pdf"_s);
        const QImage page = printedPage(design, printed, paper);
        const QString fromPreview = m_dir.filePath(u"preview.pdf"_s);
        look(fromPreview);
        QCOMPARE(pages, 1);
        QCOMPARE(renderPdfPage(fromPreview), page);
        // The preview worked on a copy: the next Print still goes where the settings say.
        QCOMPARE(design.printer().outputFileName(), printed);
    }

    void pdfIsPrintsPdfPage()
    {
        SKIP_WITHOUT_PDF_TOOLS();
        QImage photo(4000, 3000, QImage::Format_RGB32);
        photo.fill(Qt::darkGreen);
        QVERIFY(photo.save(m_dir.filePath(u"photo.jpg"_s)));
        DesignWindow design;
        fillCover(design, false);
        scriptDialogs(design.commonDialog()).chosenFile = m_dir.filePath(u"photo.jpg"_s);
        click(design, "Command8");
        entry(design, "Text7").setText(u"192"_s);
        entry(design, "Text8").setText(u"144"_s); // 2 by 1.5 inches
        saveFile(design, m_dir.filePath(u"cover.vmd"_s));
        ScriptedDialogs &dialogs = scriptDialogs(design.commonDialog());
        const QPageLayout paper(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                QMarginsF(1, 1, 1, 1), QPageLayout::Inch);
        design.printer().setPageLayout(paper);

        // Named after the design; a name without the suffix gets it.
        dialogs.chosenFile = m_dir.filePath(u"exported"_s);
        runEntry(design, u"Export as PDF\u2026"_s);
        QCOMPARE(dialogs.proposedFile, m_dir.filePath(u"cover.pdf"_s));
        const QString pdf = m_dir.filePath(u"exported.pdf"_s);
        QCOMPARE(pdfPageCount(pdf), 1);
        QCOMPARE(pdfText(pdf).count(u"Title"_s), 20);
        const QList<PdfImage> images = pdfImages(pdf);
        QCOMPARE(images.size(), 2); // the photo and the logo
        QVERIFY2(images[0].xPpi <= 601 && images[0].yPpi <= 601, "more than paper shows");
        QVERIFY(images[0].xPpi >= 590 && images[0].yPpi >= 590);
        QCOMPARE(renderPdfPage(pdf), printedPage(design, m_dir.filePath(u"p.pdf"_s), paper));
    }

    void pngIsTheCoverAtItsResolution_data()
    {
        QTest::addColumn<bool>("back");
        QTest::addColumn<QString>("dpi");
        QTest::addColumn<QSize>("size");
        QTest::newRow("front, 300 dpi") << false << u"300 dpi"_s << QSize(1425, 1425);
        QTest::newRow("back, 300 dpi") << true << u"300 dpi"_s << QSize(1622, 1425);
        QTest::newRow("back, 150 dpi") << true << u"150 dpi"_s << QSize(811, 713);
    }

    void pngIsTheCoverAtItsResolution()
    {
        QFETCH(bool, back);
        QFETCH(QString, dpi);
        QFETCH(QSize, size);
        DesignWindow design;
        fillCover(design, back);
        ScriptedDialogs &dialogs = scriptDialogs(design.commonDialog());
        dialogs.chosenFile = m_dir.filePath(u"cover.png"_s);
        QString proposed;
        runEntry(design, u"Export as PNG\u2026"_s, dpi, &proposed);
        QCOMPARE(proposed, u"300 dpi"_s);
        QCOMPARE(QFileInfo(dialogs.proposedFile).fileName(), u"Untitled.png"_s);
        const QImage png(dialogs.chosenFile);
        QCOMPARE(png.size(), size);
        const int dots = dpi.section(u' ', 0, 0).toInt();
        const double scale = dots / 96.0;
        QCOMPARE(png.dotsPerMeterX(), qRound(dots / 0.0254));
        QCOMPARE(png.dotsPerMeterY(), png.dotsPerMeterX());
        // The cover's colour reaches every corner; the cutting line is in it, where the
        // canvas shows it.
        for (const QPoint corner : {QPoint(0, 0), QPoint(size.width() - 1, size.height() - 1)})
            QCOMPARE(png.pixelColor(corner), CoverColour);
        QCOMPARE(png.pixelColor(qRound(7 * scale), size.height() / 2), QColor(Qt::black));
        QCOMPARE(png.pixelColor(qRound(10 * scale), size.height() / 2), CoverColour);
    }

    void failedExportKeepsTheFile_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::newRow("PDF") << u"Export as PDF\u2026"_s;
        QTest::newRow("PNG") << u"Export as PNG\u2026"_s;
    }

    // The disk fills up in the middle of the file.
    void failedExportKeepsTheFile()
    {
        QFETCH(QString, entry);
        QTemporaryDir dir;
        const QString path =
            dir.filePath(entry.contains(u"PDF"_s) ? u"cover.pdf"_s : u"cover.png"_s);
        QVERIFY(writeAll(path, "the file before"));
        DesignWindow design;
        fillCover(design, false);
        scriptDialogs(design.commonDialog()).chosenFile = path;
        rlimit before{};
        getrlimit(RLIMIT_FSIZE, &before);
        rlimit small = before;
        small.rlim_cur = 2000;
        const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &small);
        runEntry(design, entry, u"300 dpi"_s);
        setrlimit(RLIMIT_FSIZE, &before);
        std::signal(SIGXFSZ, oldSignal);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QFileInfo(path).fileName()});
        QCOMPARE(readAll(path), QByteArray("the file before"));
        auto *message = design.findChild<QMessageBox *>(u"ExportError"_s);
        QVERIFY(message && message->isVisible() && !message->isModal());
        QVERIFY2(message->text().contains(QDir::toNativeSeparators(path)),
                 qPrintable(message->text()));
    }
};

VM_TEST_CLASS(ExportTest)
#include "export.moc"
