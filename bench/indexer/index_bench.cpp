// SPDX-License-Identifier: GPL-3.0-or-later
// The index window on a big folder, measured inside the process against its floors, each
// floor run right beside its step:
//   index-drive    a drive change into the folder in layout 4 (linked, two sides, seven
//                  lists), until every visible list is filled and painted;
//                  floor: read the folder's names and sort them without regard to case
//   index-refresh  Refresh of that folder; the same floor
//   index-print    printing the two-side card to a PDF file; floor: a PDF page with the
//                  card's visible rows drawn as text
//   index_bench FOLDER RUNS OUTPUT_FOLDER
// Writes one measurement per line (see bench/measure.h).
#include "bench/indexer/folder_floor.h"
#include "bench/measure.h"

#include "indexer/drive_list.h"
#include "indexer/index_window.h"
#include "indexer/listing_view.h"

#include "toolkit/fonts.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTest>

#include <algorithm>
#include <cstdio>

using namespace vm::indexer;
using vm::bench::record;
using vm::bench::Step;

namespace {

// Counts paint events of the lists' viewports, to know that each visible list was painted.
class PaintWatch : public QObject
{
public:
    void watch(const QList<ListingView *> &views)
    {
        for (ListingView *view : views)
            view->viewport()->installEventFilter(this);
    }
    void clear() { m_painted.clear(); }
    bool painted(const ListingView *view) const { return m_painted.contains(view->viewport()); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            m_painted.insert(watched);
        return false;
    }

private:
    QSet<QObject *> m_painted;
};

// One text row of the card as it shows: where (window pixels), in which font, what.
struct Row
{
    QRect place;
    QFont font;
    QString text;
};

class Bench
{
public:
    Bench(const QString &folder, const QString &output) : m_folder(folder), m_output(output)
    {
        m_drives = m_window.findChild<DriveList *>(QStringLiteral("Drive1"));
        // The big folder is a drive of its own, as a disc would be.
        m_drives->setDriveSource([folder] {
            return QList<Drive>{{QStringLiteral("/"), {}}, {folder, QStringLiteral("BENCH")}};
        });
        m_window.findChild<QRadioButton *>(QStringLiteral("Option4"))->click();
        m_lists = m_window.findChildren<ListingView *>();
        m_watch.watch(m_lists);
        // Made before any timing: the program keeps one printer for its whole run.
        QPrinter &printer = m_window.printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        m_floorPrinter.setOutputFormat(QPrinter::PdfFormat);
        m_floorPrinter.setPageLayout(printer.pageLayout());
    }

    bool start()
    {
        m_window.show();
        return QTest::qWaitForWindowExposed(&m_window);
    }

    bool run(int number)
    {
        // Away first, so that each run is a real change onto the big folder.
        selectDrive(0);
        QCoreApplication::processEvents();
        m_window.repaint();

        folderFloor("index-drive");
        {
            Step step;
            selectDrive(1);
            if (!settle())
                return false;
            record("index-drive", "subject", step, step.wallMs());
        }

        folderFloor("index-refresh");
        {
            Step step;
            m_window.findChild<QPushButton *>(QStringLiteral("Command4"))->click();
            if (!settle())
                return false;
            record("index-refresh", "subject", step, step.wallMs());
        }

        const QList<Row> rows = visibleRows();
        const QString floorPdf = m_output + QStringLiteral("/index-floor-%1.pdf").arg(number);
        {
            Step step;
            printFloor(rows, floorPdf);
            record("index-print", "floor", step, step.wallMs());
        }
        const QString cardPdf = m_output + QStringLiteral("/index-card-%1.pdf").arg(number);
        {
            m_window.printer().setOutputFileName(cardPdf);
            Step step;
            m_window.findChild<QPushButton *>(QStringLiteral("Command1"))->click();
            record("index-print", "subject", step, step.wallMs());
        }
        record("index-print", "floor", "file_kib", QFileInfo(floorPdf).size() / 1024.0);
        record("index-print", "subject", "file_kib", QFileInfo(cardPdf).size() / 1024.0);
        if (number == 1)
            std::printf("note\tindex-print\tthe card shows %lld rows in %lld lists; the floor "
                        "draws their whole names at the same places, the card elided ones\n",
                        static_cast<long long>(rows.size()),
                        static_cast<long long>(visibleLists()));
        return true;
    }

private:
    void selectDrive(int index) { m_drives->setCurrentIndex(index); }

    // Lets the lists lay out and paints the window; true when every visible list holds the
    // folder's names and has been painted since.
    bool settle()
    {
        m_watch.clear();
        QCoreApplication::processEvents();
        m_window.repaint();
        for (const ListingView *view : std::as_const(m_lists)) {
            if (!view->isVisible())
                continue;
            if (!m_watch.painted(view) || view->model()->rowCount() == 0) {
                std::fprintf(stderr, "index_bench: %s was not filled and painted\n",
                             qPrintable(view->objectName()));
                return false;
            }
        }
        return true;
    }

    void folderFloor(const char *row)
    {
        Step step;
        vm::bench::readAndSortFolder(QFile::encodeName(m_folder).constData());
        record(row, "floor", step, step.wallMs());
    }

    qsizetype visibleLists() const
    {
        return std::count_if(m_lists.begin(), m_lists.end(),
                             [](const ListingView *view) { return view->isVisible(); });
    }

    QList<Row> visibleRows() const
    {
        QList<Row> rows;
        for (const ListingView *view : m_lists) {
            if (!view->isVisible())
                continue;
            const QRect shown = view->viewport()->rect();
            for (int r = view->indexAt(QPoint(1, 1)).row(); r >= 0 && r < view->model()->rowCount();
                 ++r) {
                const QModelIndex index = view->model()->index(r, 0);
                const QRect place = view->visualRect(index);
                if (!place.intersects(shown))
                    break;
                rows.append(
                    {QRect(view->viewport()->mapTo(&m_window, place.topLeft()), place.size()),
                     view->font(), index.data().toString()});
            }
        }
        return rows;
    }

    void printFloor(const QList<Row> &rows, const QString &fileName)
    {
        m_floorPrinter.setOutputFileName(fileName);
        QPainter painter(&m_floorPrinter);
        const qreal scale = m_floorPrinter.resolution() / 96.0;
        painter.scale(scale, scale);
        for (const Row &row : rows) {
            painter.setFont(row.font);
            painter.drawText(row.place, Qt::AlignLeft | Qt::AlignVCenter, row.text);
        }
    }

    QString m_folder;
    QString m_output;
    IndexWindow m_window;
    DriveList *m_drives = nullptr;
    QList<ListingView *> m_lists;
    PaintWatch m_watch;
    QPrinter m_floorPrinter{QPrinter::HighResolution};
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    vm::installFontSubstitutes();
    if (argc < 4) {
        std::fprintf(stderr, "usage: index_bench FOLDER RUNS OUTPUT_FOLDER\n");
        return 2;
    }
    const QString folder = QDir(QFile::decodeName(argv[1])).canonicalPath();
    const int runs = std::atoi(argv[2]);
    Bench bench(folder, QFile::decodeName(argv[3]));
    if (!bench.start())
        return 1;
    // Brings the folder into the page cache, so that every timed read finds it there.
    vm::bench::readAndSortFolder(QFile::encodeName(folder).constData());
    for (int run = 1; run <= runs; ++run) {
        if (!bench.run(run))
            return 1;
    }
    return 0;
}
