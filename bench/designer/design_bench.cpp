// SPDX-License-Identifier: GPL-3.0-or-later
// The designer with a big photograph, measured inside the process against its floors, each
// floor run right beside its step:
//   design-picture  choosing a 6000 x 4000 JPEG as main picture ("Picture"), until the canvas
//                   has painted it; floor: QImageReader decoding it at the picture box's size
//   design-camera   choosing an 11648 x 8736 baseline JPEG (a 100-megapixel camera's) as main
//                   picture, until the canvas has painted it; floor: QImageReader decoding it
//                   the least way, at an eighth of its size straight from the decoder
//   design-open     opening a design with that picture and two logos; floor: the same decode
//                   and the two logos' decodes
//   design-print    printing that design to a PDF file right after choosing the photo again,
//                   while its paper detail may still be decoding (the step then includes the
//                   wait; a note says in how many runs it did); floor: decoding the photo at 600
//                   dpi of its box and a PDF page with the same texts, lines and boxes, the
//                   logos already scaled to 600 dpi of theirs
//   design-export-png  Export as PNG at 300 dpi from the cover's context menu, that design,
//                   until the window is free again (the file is written on a worker; a note
//                   says when it was on disk); floor: the same page drawn into an image of the
//                   PNG's size
// The picture's paper detail is decoded after the choose and open steps, on a worker thread; the
// bench waits for it between runs, untimed, so that no run overlaps the next.
//   design_bench INPUT_FOLDER RUNS OUTPUT_FOLDER
// INPUT_FOLDER holds photo.jpg, camera.jpg, logo1.png and logo2.jpg (see make_inputs.cpp). Every
// dialog is answered by a script, as in the tests. Writes one measurement per line (measure.h), and
// the printed files to OUTPUT_FOLDER for script/bench to inspect.
#include "bench/measure.h"

#include "designer/document/design_window.h"
#include "toolkit/page_export.h"

#include "toolkit/canvas.h"
#include "toolkit/common_dialog.h"
#include "toolkit/fonts.h"

#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QImageReader>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <map>
#include <tuple>

using vm::bench::record;
using vm::bench::Step;
using vm::design::DesignWindow;

namespace {

// The headline the printed page must carry as text; script/bench looks for it.
const QString Headline = QStringLiteral("Summer Sessions 1996");

// Answers file dialogs with the name it is given, and Print Set-Up with a PDF file.
class ScriptedDialogs final : public vm::DialogPresenter
{
public:
    QString nextFile;
    QString pdfFile;
    int shown = 0; // dialogs shown so far

    bool open(vm::CommonDialog &dialog, QWidget *) override { return answer(dialog); }
    bool save(vm::CommonDialog &dialog, QWidget *) override { return answer(dialog); }
    bool font(vm::CommonDialog &, QWidget *) override { return false; }
    bool colour(vm::CommonDialog &, QWidget *) override { return false; }
    bool printer(vm::CommonDialog &, QPrinter &printer, QWidget *) override
    {
        ++shown;
        if (pdfFile.isEmpty())
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfFile);
        return true;
    }

private:
    bool answer(vm::CommonDialog &dialog)
    {
        ++shown;
        if (nextFile.isEmpty())
            return false;
        dialog.fileName = nextFile;
        return true;
    }
};

class PaintWatch : public QObject
{
public:
    bool painted = false;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

QImage decode(const QString &path, QSize size = {})
{
    QImageReader reader(path);
    if (size.isValid())
        reader.setScaledSize(size);
    return reader.read();
}

// A note about a row for the results, or ("missing") why it could not be measured.
void note(const char *kind, const char *row, const QString &text)
{
    std::printf("%s\t%s\t%s\n", kind, row, qPrintable(text));
    std::fflush(stdout);
}

class Bench
{
public:
    explicit Bench(const QString &inputs) : m_inputs(inputs), m_canvas(m_window.canvas())
    {
        auto dialogs = std::make_unique<ScriptedDialogs>();
        m_dialogs = dialogs.get();
        m_window.commonDialog().setPresenter(std::move(dialogs));
        m_canvas.installEventFilter(&m_watch);
    }

    bool start()
    {
        m_window.show();
        if (!QTest::qWaitForWindowExposed(&m_window))
            return false;
        // The save question is the user's to switch off; it would stop every Open.
        if (auto *prompt = m_window.findChild<QCheckBox *>(QStringLiteral("Check12")))
            prompt->setChecked(false);
        if (auto *headline = m_window.findChild<QLineEdit *>(QStringLiteral("Text1")))
            headline->setText(Headline);
        settle();
        return true;
    }

    QString photo() const { return m_inputs + QStringLiteral("/photo.jpg"); }
    QString camera() const { return m_inputs + QStringLiteral("/camera.jpg"); }
    QString logo(int n) const
    {
        return m_inputs + (n == 1 ? QStringLiteral("/logo1.png") : QStringLiteral("/logo2.jpg"));
    }
    QSize pictureBox() const
    {
        const vm::Element &box = m_canvas.element(u"Image1");
        return QSize(qRound(box.width()), qRound(box.height()));
    }

    // Chooses a picture (the photo unless told) as main picture; true when the canvas has
    // painted a new picture. Its paper detail is then awaited, unless `thenPrint`.
    bool choosePicture(const char *row, const QString &file = {}, bool thenPrint = false)
    {
        const qint64 before = picture().cacheKey();
        m_dialogs->nextFile = file.isEmpty() ? photo() : file;
        m_watch.painted = false;
        Step step;
        click("Command8");
        settle();
        const double wall = step.wallMs();
        m_dialogs->nextFile.clear();
        if (!m_watch.painted || picture().isNull() || picture().cacheKey() == before)
            return false;
        if (row)
            record(row, "subject", step, wall);
        if (!thenPrint) {
            m_window.finishPictures();
            m_detailGrowthKiB = std::max(m_detailGrowthKiB, step.growthKiB());
        }
        return true;
    }

    // The most the process's peak rose over a choice's start once its paper detail was there.
    long detailGrowthKiB() const { return m_detailGrowthKiB; }

    void pictureFloor()
    {
        Step step;
        const QImage image = decode(photo(), pictureBox());
        record("design-picture", "floor", step, step.wallMs());
    }

    // The camera's picture at an eighth of its size, the least its decoder can give.
    void cameraFloor()
    {
        const QSize full = QImageReader(camera()).size();
        const QSize eighth((full.width() + 7) / 8, (full.height() + 7) / 8);
        Step step;
        const QImage image = decode(camera(), eighth);
        record("design-camera", "floor", step, step.wallMs());
    }

    // The design the open and print rows use, written by the program's own Save.
    bool makeDesign(const QString &path)
    {
        if (!choosePicture(nullptr))
            return false;
        m_dialogs->nextFile = logo(1);
        click("Command9");
        m_dialogs->nextFile = logo(2);
        click("Command12");
        m_dialogs->nextFile = path;
        click("Command2");
        m_dialogs->nextFile.clear();
        settle();
        return QFileInfo::exists(path);
    }

    bool openDesign(const QString &path)
    {
        // A fresh design first, so that the open really fills every picture slot again.
        click("Command4");
        settle();
        m_dialogs->nextFile = path;
        m_watch.painted = false;
        Step step;
        click("Command1");
        settle();
        const double wall = step.wallMs();
        m_dialogs->nextFile.clear();
        if (!m_watch.painted || picture().isNull())
            return false;
        record("design-open", "subject", step, wall);
        m_window.finishPictures();
        return true;
    }

    void openFloor()
    {
        Step step;
        const QImage main = decode(photo(), pictureBox());
        const QImage first = decode(logo(1));
        const QImage second = decode(logo(2));
        record("design-open", "floor", step, step.wallMs());
    }

    bool print(const QString &pdf)
    {
        // Print Set-Up points the program's printer at the file.
        m_dialogs->pdfFile = pdf;
        click("Command11");
        m_dialogs->pdfFile.clear();
        QFile::remove(pdf);
        if (!choosePicture(nullptr, {}, true))
            return false;
        // Print's own wait for the detail is part of the step: the picture shown is still the
        // screen's when it has not come yet.
        const QSize shown = picture().size();
        Step step;
        click("Command7");
        const double wall = step.wallMs();
        if (!QFileInfo::exists(pdf))
            return false;
        m_printsWaiting += picture().size() != shown;
        record("design-print", "subject", step, wall);
        record("design-print", "subject", "file_kib", QFileInfo(pdf).size() / 1024.0);
        return true;
    }

    int printsWaiting() const { return m_printsWaiting; } // for the paper detail

    // The floor's page: the photo decoded at 600 dpi of its box, and the canvas's visible
    // elements drawn plainly, the other pictures scaled to 600 dpi of their boxes beforehand.
    void printFloor(const QString &pdf)
    {
        const auto paper = [](const vm::Element *element) {
            return QSize(qRound(element->width() * 600 / 96), qRound(element->height() * 600 / 96));
        };
        const vm::Element *main = &m_canvas.element(u"Image1");
        std::map<const vm::Element *, QImage> scaled;
        for (const vm::Element *element : m_canvas.stackingOrder()) {
            if (element->isVisible() && element->kind() == vm::ElementKind::Picture &&
                !element->picture().isNull() && element != main)
                scaled[element] = element->picture().scaled(paper(element), Qt::IgnoreAspectRatio,
                                                            Qt::SmoothTransformation);
        }
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);

        Step step;
        scaled[main] = decode(photo(), paper(main));
        {
            QPainter painter(&printer);
            const qreal scale = printer.resolution() / 96.0;
            painter.scale(scale, scale);
            for (const vm::Element *element : m_canvas.stackingOrder()) {
                if (!element->isVisible())
                    continue;
                switch (element->kind()) {
                case vm::ElementKind::Text:
                    painter.setFont(vm::toQFont(element->font(), painter.device()));
                    painter.drawText(element->rect(),
                                     element->autoSize() ? 0 : int(Qt::TextWordWrap),
                                     element->caption());
                    break;
                case vm::ElementKind::Line:
                    painter.setPen(QPen(Qt::black, element->borderWidth()));
                    painter.drawLine(QPointF(element->x1(), element->y1()),
                                     QPointF(element->x2(), element->y2()));
                    break;
                case vm::ElementKind::Rectangle:
                    painter.setPen(QPen(Qt::black, element->borderWidth()));
                    painter.drawRect(element->rect());
                    break;
                case vm::ElementKind::Picture:
                    if (const auto found = scaled.find(element); found != scaled.end())
                        painter.drawImage(element->rect(), found->second);
                    break;
                }
            }
        }
        record("design-print", "floor", step, step.wallMs());
        record("design-print", "floor", "file_kib", QFileInfo(pdf).size() / 1024.0);
    }

    // Export as PNG through the cover's menu, the resolution question answered with 300 dpi.
    bool exportPng(const QString &png)
    {
        QFile::remove(png);
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(200, 200),
                                m_canvas.mapToGlobal(QPoint(200, 200)));
        Step step;
        QApplication::sendEvent(&m_canvas, &event);
        QMenu *menu = nullptr;
        for (QMenu *shown : m_window.findChildren<QMenu *>(QStringLiteral("CoverMenu")))
            menu = shown->isVisible() ? shown : menu;
        if (!menu)
            return false;
        menu->close();
        QTimer::singleShot(0, [] {
            if (auto *input = qobject_cast<QInputDialog *>(QApplication::activeModalWidget())) {
                input->setTextValue(QStringLiteral("300 dpi"));
                input->accept();
            }
        });
        m_dialogs->nextFile = png;
        for (QAction *action : menu->actions()) {
            if (action->text().startsWith(QStringLiteral("Export as PNG")))
                action->trigger();
        }
        // The window is free again once the page is drawn; the file follows from a worker.
        const double wall = step.wallMs();
        vm::finishPngWrites();
        m_slowestWrite = std::max(m_slowestWrite, step.wallMs());
        m_dialogs->nextFile.clear();
        if (QImage(png).width() != 1425)
            return false;
        record("design-export-png", "subject", step, wall);
        return true;
    }

    void exportPngFloor()
    {
        Step step;
        QImage image(1425, 1425, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            painter.scale(300 / 96.0, 300 / 96.0);
            m_canvas.paint(painter, QRectF(0, 0, 456, 456));
        }
        record("design-export-png", "floor", step, step.wallMs());
    }

    QSize decodedPicture() const { return picture().size(); }
    double slowestWrite() const { return m_slowestWrite; }

    // True when clicking the button opens its dialog (answered with Cancel), that is when
    // this build has the button's handler.
    bool opensDialog(const char *button)
    {
        const int before = m_dialogs->shown;
        click(button);
        return m_dialogs->shown > before;
    }

private:
    double m_slowestWrite = 0;
    const QImage &picture() const { return m_canvas.element(u"Image1").picture(); }

    void click(const char *button)
    {
        if (auto *found = m_window.findChild<QPushButton *>(QString::fromLatin1(button)))
            found->click();
    }

    void settle()
    {
        QCoreApplication::processEvents();
        m_window.repaint();
    }

    QString m_inputs;
    DesignWindow m_window;
    vm::Canvas &m_canvas;
    ScriptedDialogs *m_dialogs = nullptr;
    PaintWatch m_watch;
    long m_detailGrowthKiB = 0;
    int m_printsWaiting = 0;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    vm::installFontSubstitutes();
    if (argc < 4) {
        std::fprintf(stderr, "usage: design_bench INPUT_FOLDER RUNS OUTPUT_FOLDER\n");
        return 2;
    }
    const QString inputs = QFile::decodeName(argv[1]);
    const int runs = std::atoi(argv[2]);
    const QString output = QFile::decodeName(argv[3]);

    Bench bench(inputs);
    if (!bench.start())
        return 1;
    // Each row needs its button's handler; a build without one cannot be measured. Print
    // shows no dialog of its own; Print Set-Up, which comes with it, does.
    for (const auto &[row, button, what] : {std::tuple{"design-picture", "Command8", "Picture"},
                                            {"design-open", "Command1", "Open"},
                                            {"design-print", "Command11", "Print Set-Up"}}) {
        if (!bench.opensDialog(button))
            note("missing", row,
                 QStringLiteral("the %1 button (%2) has no handler in this build")
                     .arg(QLatin1String(what), QLatin1String(button)));
    }
    const QSize box = bench.pictureBox();
    note("note", "design-picture",
         QStringLiteral("the main picture's box is %1 x %2 pixels; the floor "
                        "decodes at that size")
             .arg(box.width())
             .arg(box.height()));

    // Read once untimed, so that every timed run finds the file in the page cache.
    decode(bench.photo(), box);
    for (int run = 1; run <= runs; ++run) {
        bench.pictureFloor();
        if (!bench.choosePicture("design-picture")) {
            note("missing", "design-picture",
                 QStringLiteral("the Picture button loaded no picture"));
            // The other rows need a design with this picture.
            for (const char *row : {"design-open", "design-print"})
                note("missing", row, QStringLiteral("needs the Picture button to make its design"));
            return 0;
        }
    }

    const QSize decoded = bench.decodedPicture();
    note("note", "design-picture",
         QStringLiteral("the program keeps the photo decoded at %1 x %2")
             .arg(decoded.width())
             .arg(decoded.height()));
    note("note", "design-picture",
         QStringLiteral("with its paper detail, decoded after the step on a worker thread, the "
                        "peak rose by %1 MiB (largest run)")
             .arg(bench.detailGrowthKiB() / 1024.0, 0, 'f', 1));

    decode(bench.camera(), box);
    for (int run = 1; run <= runs; ++run) {
        bench.cameraFloor();
        if (!bench.choosePicture("design-camera", bench.camera())) {
            note("missing", "design-camera",
                 QStringLiteral("the Picture button loaded no picture from the camera's file"));
            break;
        }
        if (run == runs)
            note("note", "design-camera",
                 QStringLiteral("the program keeps the picture decoded at %1 x %2")
                     .arg(bench.decodedPicture().width())
                     .arg(bench.decodedPicture().height()));
    }

    const QString design = output + QStringLiteral("/bench.vmd");
    if (!bench.makeDesign(design)) {
        for (const char *row : {"design-open", "design-print"})
            note("missing", row, QStringLiteral("the design could not be made and saved"));
        return 0;
    }
    for (int run = 1; run <= runs; ++run) {
        bench.openFloor();
        if (!bench.openDesign(design)) {
            note("missing", "design-open", QStringLiteral("Open showed no picture"));
            return 0;
        }
    }

    for (int run = 1; run <= runs; ++run) {
        bench.printFloor(output + QStringLiteral("/design-floor-%1.pdf").arg(run));
        if (!bench.print(output + QStringLiteral("/design-%1.pdf").arg(run))) {
            note("missing", "design-print", QStringLiteral("Print wrote no PDF file"));
            return 0;
        }
    }
    note("note", "design-print",
         QStringLiteral("the photo is chosen again right before each print; in %1 of %2 runs "
                        "Print found it still at the screen's size and first waited for its "
                        "paper detail")
             .arg(bench.printsWaiting())
             .arg(runs));

    for (int run = 1; run <= runs; ++run) {
        bench.exportPngFloor();
        if (!bench.exportPng(output + QStringLiteral("/design-%1.png").arg(run))) {
            note("missing", "design-export-png",
                 QStringLiteral("the cover's menu wrote no 1425-pixel PNG file"));
            return 0;
        }
    }
    note("note", "design-export-png",
         QStringLiteral("the step ends when the window is free again; the file, encoded on a "
                        "worker thread, was on disk at most %1 ms after the command")
             .arg(bench.slowestWrite(), 0, 'f', 1));
    return 0;
}
