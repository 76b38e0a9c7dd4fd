// How long the index window takes to show a folder, timed inside the process: from setting
// `Dir1` to the folder until the window has painted it. Layout 6 (one folder list, five file
// lists following it) is the worst linked case; a single file list is timed as well. Prints,
// per run: window ms, single list ms, folder reads for the window's change.
#include "indexer/file_list.h"
#include "indexer/index_window.h"
#include "indexer/listing_view.h"

#include "toolkit/fonts.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QRadioButton>
#include <QTest>

#include <cstdio>

using namespace vm::indexer;

namespace {

double showAndPaint(ListingView &list, const QString &folder, QWidget &painted)
{
    QElapsedTimer timer;
    timer.start();
    list.setPath(folder);
    painted.repaint();
    QCoreApplication::processEvents();
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    vm::installFontSubstitutes();
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: index_show_bench FOLDER [RUNS]\n");
        return 2;
    }
    const QString folder = QDir(args[1]).canonicalPath();
    const QString elsewhere = QDir(folder + QStringLiteral("/..")).canonicalPath();
    const int runs = args.size() > 2 ? args[2].toInt() : 1;

    IndexWindow window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    window.findChild<QRadioButton *>(QStringLiteral("Option6"))->click();
    auto *dir1 = window.findChild<ListingView *>(QStringLiteral("Dir1"));

    FolderListingCache cache;
    QWidget alone;
    FileList single(cache, &alone);
    single.resize(129, 405);
    alone.show();
    if (!QTest::qWaitForWindowExposed(&alone))
        return 1;

    for (int run = 0; run < runs; ++run) {
        // Each run is a real change: away to the parent first, then to the folder.
        showAndPaint(*dir1, elsewhere, window);
        showAndPaint(single, elsewhere, alone);
        const int reads = window.listings().reads();
        const double windowMs = showAndPaint(*dir1, folder, window);
        const int windowReads = window.listings().reads() - reads;
        const double singleMs = showAndPaint(single, folder, alone);
        std::printf("%.3f %.3f %d %lld\n", windowMs, singleMs, windowReads,
                    static_cast<long long>(single.model()->rowCount()));
    }
    return 0;
}
