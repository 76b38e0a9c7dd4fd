// SPDX-License-Identifier: GPL-3.0-or-later
// The cover's context menu: Print Preview shows and prints the page Print sends, Export as PDF
// writes Print's PDF page, Export as PNG the cover alone at the chosen resolution; a failed
// export keeps the file it would have replaced.
#include "support/design_fixture.h"
#include "support/pages.h"
#include "support/test_main.h"

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
const QPageLayout Letter(QPageSize(QPageSize::Letter), QPageLayout::Landscape,
                         QMarginsF(1, 1, 1, 1), QPageLayout::Inch);

// A coloured cover with a headline, titles and the box.
void fillCover(DesignWindow &design, bool back)
{
    option(design, back ? "Option4" : "Option1").setChecked(true);
    element(design, "Shape1").setBackColor(rgb(255, 224, 0));
    entry(design, "Text1").setText(u"Evening Songs"_s);
    for (int n = 1; n <= 20; ++n)
        design.titleArea(n).setCaption(u"Title%1"_s.arg(n));
    checkBox(design, "Check7").setChecked(true);
    checkBox(design, "Check5").setChecked(true);
}

// Print on the program's printer set to a PDF file on Letter paper with a border.
QImage printedPage(DesignWindow &design, const QString &pdf)
{
    design.printer().setOutputFormat(QPrinter::PdfFormat);
    design.printer().setOutputFileName(pdf);
    design.printer().setPageLayout(Letter);
    click(design, "Command7");
    return renderPdfPage(pdf);
}

// Runs a menu entry; the PNG resolution question, if `dpi` is given, is answered with it.
QString runEntry(DesignWindow &design, const QString &entry, const QString &dpi = {})
{
    QString proposed;
    if (!dpi.isEmpty())
        answerModalDialogs({[=, &proposed](QDialog *dialog) {
            proposed = static_cast<QInputDialog *>(dialog)->textValue();
            static_cast<QInputDialog *>(dialog)->setTextValue(dpi);
            return true;
        }});
    chooseEntry(*rightClickMenu(design.canvas(), QPoint(200, 200)), entry);
    return proposed;
}

} // namespace

class ExportTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase() { withoutPrintServer(); }

    // The preview and the PDF export are the page Print puts on the settings' paper.
    void previewAndPdfAreThePrintedPage()
    {
        if (const QString tool = missingPdfTool(); !tool.isEmpty())
            QSKIP(qPrintable(tool + u" (poppler-utils) is missing"_s));
        QImage photo(4000, 3000, QImage::Format_RGB32);
        photo.fill(Qt::darkGreen);
        QVERIFY(photo.save(m_dir.filePath(u"photo.jpg"_s)));
        DesignWindow design;
        fillCover(design, true);
        scriptDialogs(design.commonDialog()).chosenFile = m_dir.filePath(u"photo.jpg"_s);
        click(design, "Command8");
        entry(design, "Text7").setText(u"192"_s); // 2 inches
        saveFile(design, m_dir.filePath(u"cover.vmd"_s));
        // Without a printer the preview shows the page too; printing from it prints the page.
        QStringList pages;
        const auto look = [&](const QString &printTo) {
            answerModalDialogs({[&, printTo](QDialog *dialog) {
                QPrinter *printer = static_cast<QPrintPreviewDialog *>(dialog)->printer();
                auto *preview = dialog->findChild<QPrintPreviewWidget *>();
                pages << u"%1 %2"_s.arg(preview->pageCount())
                             .arg(printTo.isEmpty() ||
                                  printer->pageLayout().fullRectPoints() ==
                                      design.printer().pageLayout().fullRectPoints());
                printer->setOutputFileName(printTo);
                if (!printTo.isEmpty())
                    preview->print();
                return false;
            }});
            runEntry(design, u"Print Preview\u2026"_s);
        };
        look({});
        const QString printed = m_dir.filePath(u"printed.pdf"_s);
        const QImage page = printedPage(design, printed);
        look(m_dir.filePath(u"preview.pdf"_s));
        QCOMPARE(pages, (QStringList{u"1 1"_s, u"1 1"_s}));
        QCOMPARE(renderPdfPage(m_dir.filePath(u"preview.pdf"_s)), page);
        // The preview worked on a copy: the next Print still goes where the settings say.
        QCOMPARE(design.printer().outputFileName(), printed);

        // Named after the design; a name without the suffix gets it. The settings' margins do
        // not reach a PDF file.
        design.printer().setPageLayout(Letter);
        ScriptedDialogs &dialogs = scriptDialogs(design.commonDialog());
        dialogs.chosenFile = m_dir.filePath(u"exported"_s);
        runEntry(design, u"Export as PDF\u2026"_s);
        QCOMPARE(dialogs.proposedFile, m_dir.filePath(u"cover.pdf"_s));
        const QString pdf = m_dir.filePath(u"exported.pdf"_s);
        QCOMPARE(renderPdfPage(pdf), page);
        QCOMPARE(pdfText(pdf).count(u"Title"_s), 20);
        const QList<PdfImage> images = pdfImages(pdf);
        QVERIFY(images.size() == 1 && images[0].xPpi >= 590 && images[0].yPpi >= 590);
        QVERIFY2(images[0].xPpi <= 601 && images[0].yPpi <= 601, "more than paper shows");
    }

    void pngIsTheCoverAtItsResolution_data()
    {
        QTest::addColumn<bool>("back");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<QSize>("size");
        QTest::newRow("front, 300 dpi") << false << 300 << QSize(1425, 1425);
        QTest::newRow("back, 300 dpi") << true << 300 << QSize(1622, 1425);
        QTest::newRow("back, 150 dpi") << true << 150 << QSize(811, 713);
    }

    void pngIsTheCoverAtItsResolution()
    {
        QFETCH(bool, back);
        QFETCH(int, dpi);
        QFETCH(QSize, size);
        DesignWindow design;
        fillCover(design, back);
        ScriptedDialogs &dialogs = scriptDialogs(design.commonDialog());
        dialogs.chosenFile = m_dir.filePath(u"cover.png"_s);
        QCOMPARE(runEntry(design, u"Export as PNG\u2026"_s, u"%1 dpi"_s.arg(dpi)), u"300 dpi"_s);
        QCOMPARE(QFileInfo(dialogs.proposedFile).fileName(), u"Untitled.png"_s);
        const QImage png(dialogs.chosenFile);
        QCOMPARE(png.size(), size);
        QVERIFY(png.dotsPerMeterX() == qRound(dpi / 0.0254) &&
                png.dotsPerMeterY() == png.dotsPerMeterX());
        // The cover's colour to every edge; the cutting line where the canvas has it.
        QVERIFY(png.pixelColor(0, 0) == CoverColour &&
                png.pixelColor(size.width() - 1, size.height() - 1) == CoverColour);
        QCOMPARE(png.pixelColor(qRound(7 * dpi / 96.0), size.height() / 2), QColor(Qt::black));
        QCOMPARE(png.pixelColor(qRound(10 * dpi / 96.0), size.height() / 2), CoverColour);
    }

    // The disk fills up in the middle of the file.
    void failedExportKeepsTheFile()
    {
        for (const QString &suffix : {u"PDF"_s, u"PNG"_s}) {
            QTemporaryDir dir;
            const QString path = dir.filePath(u"cover."_s + suffix.toLower());
            QVERIFY(writeAll(path, "the file before"));
            DesignWindow design;
            fillCover(design, false);
            scriptDialogs(design.commonDialog()).chosenFile = path;
            rlimit before{}, small{};
            getrlimit(RLIMIT_FSIZE, &before);
            small = {2000, before.rlim_max};
            const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
            setrlimit(RLIMIT_FSIZE, &small);
            runEntry(design, u"Export as %1\u2026"_s.arg(suffix), u"300 dpi"_s);
            setrlimit(RLIMIT_FSIZE, &before);
            std::signal(SIGXFSZ, oldSignal);
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
                     QStringList{QFileInfo(path).fileName()});
            QCOMPARE(readAll(path), QByteArray("the file before"));
            auto *message = design.findChild<QMessageBox *>(u"ExportError"_s);
            QVERIFY(message && message->isVisible() && !message->isModal());
            QVERIFY(message->text().contains(QDir::toNativeSeparators(path)));
        }
    }

    // The menu's Undo takes back the typing still open in a field; Redo brings it back.
    void menuUndoesTyping()
    {
        DesignWindow design;
        const QString before = entry(design, "Text1").text();
        QTest::keyClicks(&entry(design, "Text1"), u"Typed"_s);
        const QString typed = entry(design, "Text1").text();
        for (const QString &step : {u"Undo"_s, u"Redo"_s}) {
            runEntry(design, step);
            QCOMPARE(entry(design, "Text1").text(), step == u"Undo" ? before : typed);
        }
    }
};

VM_TEST_CLASS(ExportTest)
#include "export.moc"
