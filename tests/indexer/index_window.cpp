// SPDX-License-Identifier: GPL-3.0-or-later
// The index window. Its lists: what they show of a folder, folders they cannot read, how they
// follow one another, the drive list and Refresh. Its card: the twenty layouts, the title bar
// as the help line, coming back from its own windows, printing and Print Set-Up; the keys that
// run its buttons.
// Pointer moves go to the window they name, not to whichever window lies under a global
// cursor position: the test windows overlap on the offscreen screen.
#define QTEST_QPA_MOUSE_HANDLING

#include "indexer/cut_line.h"
#include "indexer/drive_list.h"
#include "indexer/layouts.h"
#include "indexer/list_row_delegate.h"
#include "indexer/listing_view.h"

#include "toolkit/page_print.h"

#include "support/index_fixture.h"
#include "support/pages.h"
#include "support/test_main.h"

#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QMap>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSignalSpy>

#include <fcntl.h>
#include <sys/stat.h>

using namespace vm::indexer;
using namespace vm::test;
using namespace Qt::StringLiterals;

namespace {

const QStringList AllLists =
    u"Dir1 Dir2 Dir3 Dir4 Dir5 Dir6 File1 File2 File3 File4 File5 File6"_s.split(u' ');
const QStringList Tree = {u"music/a.mp3"_s, u"photos/2024/"_s, u"disc/track01.wav"_s, u"disc2/"_s};

// The folder of every list, in the order of AllLists.
QStringList paths(const IndexFixture &f)
{
    QStringList shown;
    for (const QString &name : AllLists)
        shown << f.list(name)->path();
    return shown;
}

// Opens the row of a list that shows `name`, as Enter on it does.
void openRow(ListingView &list, const QString &name)
{
    const QAbstractItemModel &rows = *list.model();
    list.setCurrentIndex(
        rows.match(rows.index(0, 0), Qt::DisplayRole, name, 1, Qt::MatchExactly).value(0));
    QTest::keyClick(&list, Qt::Key_Return);
}

// The window's normal arrangement: every control shown, no cutting mark.
void expectRestored(IndexFixture &f)
{
    for (QWidget *control : f.window().findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (!qobject_cast<ListingView *>(control))
            QVERIFY2(control->isHidden() == bool(qobject_cast<CutLine *>(control)),
                     qPrintable(control->objectName()));
    }
}

} // namespace

class ListsTest : public QObject
{
    Q_OBJECT

private slots:
    void listsFoldersAndFilesInOrder()
    {
        QTemporaryDir dir;
        QVERIFY(makeTree(dir.path(),
                         {u"beta.txt"_s, u"alpha.txt"_s, u"Alpha.txt"_s, u"Gamma"_s, u"delta/"_s,
                          u"Charlie/"_s, u".hidden"_s, u".secret/"_s, u"a\tb\r\n"_s}));
        // Links are what they lead to; a link to nothing and a pipe are neither.
        QVERIFY(QFile::link(dir.filePath(u"delta"_s), dir.filePath(u"echo"_s)));
        QVERIFY(QFile::link(dir.filePath(u"beta.txt"_s), dir.filePath(u"zulu.txt"_s)));
        QVERIFY(QFile::link(dir.filePath(u"nowhere"_s), dir.filePath(u"broken"_s)));
        QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath(u"pipe"_s)).constData(), 0600), 0);
        // A name that is not UTF-8 cannot be named through QString to remove it.
        const QByteArray odd = QFile::encodeName(dir.path()) + "/caf\xe9";
        const auto remove = qScopeGuard([&] { ::unlink(odd.constData()); });
        QVERIFY(::close(::creat(odd.constData(), 0644)) == 0);
        const FolderListing listing = readFolder(dir.filePath(u"delta/.."_s));
        QCOMPARE(listing.path, QDir(dir.path()).canonicalPath());
        QCOMPARE(listing.folders, (QStringList{u"Charlie"_s, u"delta"_s, u"echo"_s}));
        QCOMPARE(listing.files,
                 (QStringList{u"a\tb\r\n"_s, u"Alpha.txt"_s, u"alpha.txt"_s, u"beta.txt"_s,
                              u"caf\uFFFD"_s, u"Gamma"_s, u"zulu.txt"_s}));
        QCOMPARE(displayName(listing.files[0]), u"a\uFFFDb\uFFFD\uFFFD"_s); // one line in a row
    }

    void folderListShowsTheWayDown()
    {
        IndexFixture f({u"top/middle/low/"_s, u"top/middle/Other/"_s});
        QVERIFY(QFile::link(u"."_s, f.path(u"top/loop"_s)));
        f.window().show();
        ListingView &dir1 = *f.list(u"Dir1"_s);
        QSignalSpy changes(&dir1, &ListingView::pathChanged);
        const QString middle = f.path(u"top/middle"_s);
        QVERIFY(dir1.setPath(middle) && dir1.setPath(middle + u'/')); // the second is no change
        // From the drive's root down to the folder, which is the marked row, then its folders.
        const QStringList rows = f.rows(u"Dir1"_s);
        QCOMPARE(rows.mid(rows.size() - 4),
                 (QStringList{u"top"_s, u"middle"_s, u"low"_s, u"Other"_s}));
        QCOMPARE(dir1.currentIndex().row(), rows.size() - 3);
        // A double-click on a folder goes in (an item view takes it only after a press); Enter
        // on a folder of the chain goes up; a link round to the same folder stays there.
        const QPoint low = dir1.visualRect(dir1.model()->index(rows.size() - 2, 0)).center();
        QTest::mouseClick(dir1.viewport(), Qt::LeftButton, {}, low);
        QTest::mouseDClick(dir1.viewport(), Qt::LeftButton, {}, low);
        QCOMPARE(dir1.path(), middle + u"/low"_s);
        openRow(dir1, u"top"_s);
        openRow(dir1, u"loop"_s);
        QCOMPARE(dir1.path(), f.path(u"top"_s));
        QCOMPARE(changes.count(), 3);
    }

    void foldersThatCannotBeRead_data()
    {
        QTest::addColumn<QString>("entry"); // opened from Dir1 where it shows there
        QTest::newRow("gone since it was listed") << "gone";
        QTest::newRow("name not UTF-8") << u"bad\uFFFD"_s;
        QTest::newRow("a file") << "top.txt";
        QTest::newRow("a link to itself") << "loop";
    }

    void foldersThatCannotBeRead()
    {
        QFETCH(QString, entry);
        IndexFixture f({u"gone/"_s, u"other/kept.txt"_s, u"top.txt"_s});
        const QByteArray bad = QFile::encodeName(f.path()) + "/bad\xff";
        const auto remove = qScopeGuard([&] { ::rmdir(bad.constData()); });
        QVERIFY(::mkdir(bad.constData(), 0755) == 0 && QFile::link(u"loop"_s, f.path(u"loop"_s)));
        ListingView &dir1 = *f.list(u"Dir1"_s);
        QVERIFY(dir1.reread() && QDir(f.path(u"gone"_s)).removeRecursively());
        const QStringList rows = f.rows(u"Dir1"_s);
        QVERIFY(!dir1.setPath(f.path(entry)));
        // Opened from the list, it brings the drive error; the lists keep what they showed.
        if (rows.contains(entry)) {
            openRow(dir1, entry);
            QVERIFY(IndexFixture::driveError());
        }
        QVERIFY(dir1.path() == f.path() && f.rows(u"Dir1"_s) == rows);
        QCOMPARE(f.rows(u"File1"_s), QStringList{u"top.txt"_s});
        openRow(dir1, u"other"_s);
        QCOMPARE(f.rows(u"File1"_s), QStringList{u"kept.txt"_s});
    }

    void eachListFollowsItsLeader_data()
    {
        QTest::addColumn<int>("layout");
        QTest::addColumn<QString>("leader");
        QTest::addColumn<QStringList>("followers");
        QTest::newRow("11: Dir1 leads every list") << 11 << "Dir1" << AllLists.mid(1);
        QTest::newRow("15: Dir1 leads every list") << 15 << "Dir1" << AllLists.mid(1);
        QTest::newRow("6: Dir2 leads none") << 6 << "Dir2" << QStringList();
        QTest::newRow("8: Dir3 leads none") << 8 << "Dir3" << QStringList();
        QTest::newRow("12: Dir1 leads File1") << 12 << "Dir1" << QStringList{u"File1"_s};
        QTest::newRow("12: Dir3 leads File4") << 12 << "Dir3" << QStringList{u"File4"_s};
        QTest::newRow("12: Dir5 leads File6") << 12 << "Dir5" << QStringList{u"File6"_s};
        QTest::newRow("13: Dir1 leads File1") << 13 << "Dir1" << QStringList{u"File1"_s};
        QTest::newRow("13: Dir5 leads none") << 13 << "Dir5" << QStringList();
        QTest::newRow("14: Dir1 leads File1") << 14 << "Dir1" << QStringList{u"File1"_s};
    }

    void eachListFollowsItsLeader()
    {
        QFETCH(int, layout);
        QFETCH(QString, leader);
        QFETCH(QStringList, followers);
        IndexFixture f(Tree);
        f.chooseLayout(layout);
        QStringList expected = paths(f);
        for (const QString &name : followers << leader)
            expected[AllLists.indexOf(name)] = f.path(u"music"_s);
        const int reads = f.window().listings().reads();
        QVERIFY(f.list(leader)->setPath(f.path(u"music"_s)));
        QCOMPARE(paths(f), expected);
        QCOMPARE(f.window().listings().reads(), reads + 1); // however many lists show it
    }

    void pickingADrive()
    {
        IndexFixture f(Tree);
        f.drives()->setDriveSource([&f] {
            return QList<Drive>{{f.path(u"disc"_s), u"DISC"_s},
                                {f.path(u"no-disc"_s), u"EMPTY"_s},
                                {f.path(u"photos"_s), u"HERE"_s}};
        });
        const auto pick = [&f](const QString &label) {
            f.drives()->setCurrentIndex(f.drives()->findText(label, Qt::MatchContains));
        };
        // At start a drive leads every list, from its root when the current folder is not on it.
        QVERIFY(QDir::setCurrent(f.path(u"disc2"_s)));
        pick(u"DISC"_s);
        QCOMPARE(paths(f), QStringList(AllLists.size(), f.path(u"disc"_s)));
        // A drive that cannot be read: the drive error, and every list as it was.
        QVERIFY(f.list(u"Dir1"_s)->setPath(f.path(u"music"_s)));
        const QStringList before = paths(f);
        pick(u"EMPTY"_s);
        QVERIFY(IndexFixture::driveError() && paths(f) == before);
        QVERIFY(f.drives()->currentText().contains(u"EMPTY"_s));
        IndexFixture::closeTopLevel(u"Form5"_s); // and picking it again is no change
        pick(u"EMPTY"_s);
        QVERIFY(!IndexFixture::driveError());
        // The drive that holds the current folder opens on it.
        QVERIFY(QDir::setCurrent(f.path(u"photos/2024"_s)));
        pick(u"HERE"_s);
        QCOMPARE(f.list(u"Dir1"_s)->path(), f.path(u"photos/2024"_s));
    }

    void refreshStopsAtTheFirstFailure()
    {
        IndexFixture f({u"a/old.txt"_s, u"b/"_s, u"c/"_s, u"d/"_s});
        f.chooseLayout(13);
        for (int n = 1; n <= 4; ++n)
            QVERIFY(f.list(u"Dir%1"_s.arg(n))->setPath(f.path(QString(QChar(u'a' + n - 1)))));
        QVERIFY(makeTree(f.path(), {u"a/new/"_s, u"b/new/"_s, u"d/new/"_s, u"a/new.txt"_s}));
        QVERIFY(QDir(f.path(u"c"_s)).removeRecursively());
        const QStringList before = paths(f), dir3 = f.rows(u"Dir3"_s);
        f.child<QPushButton>(u"Command4"_s)->click();
        // Read again up to Dir3, which fails; the lists after it keep what they showed.
        QVERIFY(IndexFixture::driveError() && f.rows(u"Dir2"_s).contains(u"new"_s));
        QVERIFY(f.rows(u"Dir3"_s) == dir3 && !f.rows(u"Dir4"_s).contains(u"new"_s));
        QVERIFY(f.rows(u"File1"_s) == QStringList{u"old.txt"_s} && paths(f) == before);
        // With every folder readable, it reads them all, hidden lists too, and moves none.
        IndexFixture::closeTopLevel(u"Form5"_s);
        QVERIFY(f.list(u"Dir3"_s)->setPath(f.path(u"d"_s)));
        const QStringList after = paths(f);
        f.child<QPushButton>(u"Command4"_s)->click();
        QVERIFY(!IndexFixture::driveError() && paths(f) == after);
        QCOMPARE(f.rows(u"File1"_s), (QStringList{u"new.txt"_s, u"old.txt"_s}));
    }
};
VM_TEST_CLASS(ListsTest)

class CardTest : public QObject
{
    Q_OBJECT

private slots:
    void everyLayoutMakesAWholeCard_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("shown"); // for a few telling layouts; empty: not checked
        // Dir1 over File3 in 5; 14 is called two-sided, but lies on one side; no folder in 17.
        const QMap<int, QString> telling = {{5, u"Dir1 File1 File2 File3 File4 File5 File6"_s},
                                            {11, u"Dir1 Dir2 Dir3 Dir4 Dir5 Dir6"_s},
                                            {12, u"Dir1 Dir3 Dir5 File1 File4 File6"_s},
                                            {14, u"Dir1 Dir2 Dir3"_s},
                                            {17, u"File1 File2 File3"_s}};
        for (int n = 1; n <= 20; ++n)
            QTest::addRow("%d", n) << n << telling.value(n);
    }

    void everyLayoutMakesAWholeCard()
    {
        QFETCH(int, number);
        QFETCH(QString, shown);
        IndexFixture f({u"a/"_s});
        const int oneSideWidth = f.window().width();
        // After an unlinked layout's folder, every folder list, every file list; no list moves.
        f.chooseLayout(13);
        QVERIFY(f.list(u"Dir1"_s)->setPath(f.path(u"a"_s)));
        for (int before : {11, 4, number})
            f.chooseLayout(before);
        QVERIFY(f.list(u"Dir6"_s)->path() == f.path() && f.list(u"File2"_s)->path() == f.path());
        if (!shown.isEmpty())
            QCOMPARE(f.visibleLists(), shown.split(u' '));
        // The lists do not overlap; the window and the cutting line reach as far as the card.
        QList<QRect> places;
        int right = 0;
        for (const QString &name : f.visibleLists()) {
            const QRect place = f.list(name)->geometry();
            for (const QRect &other : places)
                QVERIFY2(!place.intersects(other), qPrintable(name));
            places << place;
            right = std::max(right, place.right());
        }
        const bool twoSides = right >= 440;
        auto *line = f.child<CutLine>(u"Line1"_s);
        QVERIFY(line->from() == QPoint(twoSides ? 775 : 440, 432) && line->to() == QPoint(8, 432));
        QCOMPARE(f.window().width() == oneSideWidth, !twoSides);
        QVERIFY(f.window().width() > line->from().x());
    }

    // Back from the help card, or from the drive error in a layout with a split first column,
    // the window is at the top-left corner again and shows the selected layout. The title bar
    // is the help line: the window's return leaves it, while moving to the drive list or
    // clicking into it (also when it holds the focus already) shows the list's own line.
    void returningToTheWindowAndItsHelpLine()
    {
        IndexFixture f;
        IndexWindow &w = f.window();
        DriveList *drives = f.drives();
        drives->setDriveSource([&f] { return QList<Drive>{{f.path(u"none"_s), {}}}; });
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        drives->setFocus(Qt::TabFocusReason);
        const QString driveHelp = w.windowTitle();
        QVERIFY(driveHelp != IndexWindow::defaultTitle());
        QTest::mouseMove(f.child<QRadioButton>(u"Option13"_s));
        QTRY_COMPARE(w.windowTitle(), cardLayout(13).description.toString());
        for (const int layout : {8, 5}) {
            f.chooseLayout(layout);
            const QStringList shown = f.visibleLists();
            w.move(40, 30);
            layout == 8 ? f.child<QPushButton>(u"Command3"_s)->click() : drives->setCurrentIndex(0);
            QWidget *other = layout == 8 ? IndexFixture::helpCard() : IndexFixture::driveError();
            QVERIFY(other && QTest::qWaitForWindowActive(other));
            w.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&w));
            QVERIFY(w.pos() == QPoint(0, 0) && f.visibleLists() == shown);
        }
        QCOMPARE(w.windowTitle(), cardLayout(13).description.toString());
        QTest::mouseMove(&w, QPoint(420, 380));
        QTRY_COMPARE(w.windowTitle(), IndexWindow::defaultTitle());
        QCOMPARE(QApplication::focusWidget(), drives);
        QTest::mouseClick(drives, Qt::LeftButton);
        QCOMPARE(w.windowTitle(), driveHelp);
        drives->hidePopup();
    }

    void printsTheListsAndTheCuttingMarksOnly_data()
    {
        QTest::addColumn<int>("layout");
        QTest::addColumn<int>("end"); // of the card's last side
        QTest::newRow("one side") << 1 << 440;
        QTest::newRow("two sides, landscape") << 6 << 775;
        QTest::newRow("two sides, folders on the second") << 9 << 775;
    }

    void printsTheListsAndTheCuttingMarksOnly()
    {
        QFETCH(int, layout);
        QFETCH(int, end);
        if (const QString tool = missingPdfTool(); !tool.isEmpty())
            QSKIP(qPrintable(tool + u" is not installed"_s));
        IndexFixture f({u"Quarterly report.txt"_s, u"songs/"_s});
        f.chooseLayout(layout);
        f.window().show();
        const QString title = f.window().windowTitle(), pdf = f.path(u"card.pdf"_s);
        QPrinter &printer = f.window().printer();
        printer.setOutputFileName(pdf);
        printer.setPageOrientation(end > 440 ? QPageLayout::Landscape : QPageLayout::Portrait);
        f.child<QPushButton>(u"Command1"_s)->click();
        expectRestored(f);
        QCOMPARE(f.window().windowTitle(), title);

        QCOMPARE(pdfPageCount(pdf), 1);
        QVERIFY(pdfText(pdf).contains(u"Quarterly report.txt"_s)); // text stays text
        const QImage page = renderPdfPage(pdf);
        QVERIFY(!inkBox(page, QRect(134, 2, 66, 12)).isNull()); // File1's first row
        // The dash-dot-dot line at y = 432 from x = 8 to the end (less a gap), the tick at 438.
        const QRect line = inkBox(page, QRect(0, 428, 430, 9));
        QVERIFY(line.left() >= 7 && line.left() <= 12 && qAbs(line.center().y() - 432) <= 1);
        const int right = inkBox(page, QRect(0, 428, page.width(), 9)).right();
        QVERIFY(right <= end + 1 && right >= end - 6);
        QVERIFY(!inkBox(page, QRect(436, 418, 5, 8)).isNull());
        // The upper tick from the card's top edge (the page's corner) down to y = 10, over the
        // second side's first column where there is one.
        for (int y = 1; y <= 9; ++y)
            QVERIFY2(qGray(page.pixel(438, y)) < 64, qPrintable(u"y = %1"_s.arg(y)));
        // None of the buttons and the drive list below the lists, or the layout buttons.
        QVERIFY(inkBox(page, QRect(0, 408, 430, 20)).isNull());
        QVERIFY(inkBox(page, QRect(400, 32, 34, 321)).isNull());
    }

    void withoutPrinterOffersAPdfFile()
    {
        if (vm::hasPrinters())
            QSKIP("a printer is installed here");
        IndexFixture f;
        int asked = 0;
        QStringList failures;
        f.window().setPdfOffer({[&](QWidget *) { return ++asked > 1; },
                                [&](QWidget *, const QString &name) { failures << name; }});
        auto *print = f.child<QPushButton>(u"Command1"_s);
        // Declined, then accepted but the file dialog cancelled: nothing written.
        print->click();
        QCOMPARE(f.dialogs().files, 0);
        print->click();
        QVERIFY(f.dialogs().files == 1 && QDir(f.path()).entryList({u"*.pdf"_s}).isEmpty());
        // A name without a suffix gets ".pdf"; a file that cannot be written is said.
        f.dialogs().chosenFile = f.path(u"my card"_s);
        print->click();
        QVERIFY(QFile::exists(f.path(u"my card.pdf"_s)) && failures.isEmpty());
        f.dialogs().chosenFile = f.path(u"missing/card.pdf"_s);
        print->click();
        QCOMPARE(failures, QStringList{f.dialogs().chosenFile});
        expectRestored(f);
    }

    void printSetUpKeepsWhatIsConfirmed_data()
    {
        QTest::addColumn<bool>("confirmed");
        QTest::newRow("Cancel") << false;
        QTest::newRow("OK") << true;
    }

    // The real print dialog, on settings that are not its defaults.
    void printSetUpKeepsWhatIsConfirmed()
    {
        QFETCH(bool, confirmed);
        IndexWindow window;
        QPrinter &printer = window.printer();
        const QString before = QDir::temp().filePath(u"a.pdf"_s),
                      chosen = QDir::temp().filePath(u"b.pdf"_s);
        printer.setOutputFileName(before);
        printer.setPageSize(QPageSize(QPageSize::Letter));
        printer.setPageOrientation(QPageLayout::Landscape);
        answerModalDialogs({[&](QDialog *dialog) {
            dialog->findChild<QRadioButton *>(u"grayscale"_s)->setChecked(true);
            dialog->findChild<QLineEdit *>(u"filename"_s)->setText(chosen);
            answerModalDialogs({[](QDialog *properties) {
                properties->findChild<QRadioButton *>(u"portrait"_s)->click();
                return true;
            }});
            dialog->findChild<QPushButton *>(u"properties"_s)->click();
            return confirmed;
        }});
        window.findChild<QPushButton *>(u"Command2"_s)->click();
        QCOMPARE(printer.outputFileName(), confirmed ? chosen : before);
        QCOMPARE(printer.colorMode(), confirmed ? QPrinter::GrayScale : QPrinter::Color);
        QCOMPARE(printer.pageLayout().orientation(),
                 confirmed ? QPageLayout::Portrait : QPageLayout::Landscape);
        QCOMPARE(printer.pageLayout().pageSize().id(), QPageSize::Letter); // not asked to change
    }

    void keysRunTheirButtons_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("which"); // printed, refreshed, help card, closed
        QTest::newRow("Print") << u"Ctrl+P"_s << 0;
        QTest::newRow("Refresh") << u"F5"_s << 1;
        QTest::newRow("Help") << u"F1"_s << 2;
        QTest::newRow("Quit") << u"Ctrl+Q"_s << 3;
    }

    void keysRunTheirButtons()
    {
        QFETCH(QString, key);
        QFETCH(int, which);
        IndexFixture f({u"old.txt"_s});
        f.window().printer().setOutputFileName(f.path(u"card.pdf"_s));
        QVERIFY(makeTree(f.path(), {u"new.txt"_s}));
        pressKey(f.window(), QKeySequence(key));
        QList<bool> expected(4, false),
            seen{QFile::exists(f.path(u"card.pdf"_s)), f.rows(u"File1"_s).contains(u"new.txt"_s),
                 IndexFixture::helpCard() != nullptr, !f.window().isVisible()};
        IndexFixture::closeTopLevel(u"Form3"_s);
        expected[which] = true;
        QCOMPARE(seen, expected);
    }
};
VM_TEST_CLASS(CardTest)

#include "index_window.moc"
