// Reading folders once for all lists, and the folder and file lists that show them.
#include "support/index_fixture.h"

#include "indexer/file_list.h"
#include "indexer/folder_list.h"
#include "indexer/folder_listing.h"
#include "indexer/list_row_delegate.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QSignalSpy>

#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace vm::indexer;
using namespace vm::indexer::testing;
using namespace Qt::StringLiterals;

namespace {

QStringList rowsOf(const QListView &view)
{
    QStringList texts;
    for (int row = 0; row < view.model()->rowCount(); ++row)
        texts << view.model()->index(row, 0).data().toString();
    return texts;
}

// Names that are not UTF-8 cannot be named through QString; they are removed byte-wise.
auto removedAfterwards(const QTemporaryDir &dir)
{
    return qScopeGuard([path = QFile::encodeName(dir.path()).toStdString()] {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    });
}

bool makeRawFile(const QByteArray &path)
{
    const int fd = ::open(path.constData(), O_CREAT | O_WRONLY, 0644);
    return fd >= 0 && ::close(fd) == 0;
}

} // namespace

class ListingsTest : public QObject
{
    Q_OBJECT

private slots:
    void readsNamesSortedWithoutHiddenOrSpecialFiles()
    {
        QTemporaryDir dir;
        QVERIFY(makeTree(dir.path(),
                         {u"beta.txt"_s, u"Alpha.txt"_s, u"alpha.txt"_s, u"Gamma"_s, u"delta/"_s,
                          u"Charlie/"_s, u".hidden"_s, u".secret/"_s, u"bravo/"_s}));
        QVERIFY(QFile::link(dir.filePath(u"delta"_s), dir.filePath(u"echo"_s))); // to a folder
        QVERIFY(QFile::link(dir.filePath(u"beta.txt"_s), dir.filePath(u"zulu.txt"_s))); // to a file
        QVERIFY(QFile::link(dir.filePath(u"nowhere"_s), dir.filePath(u"broken"_s)));
        QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath(u"pipe"_s)).constData(), 0600), 0);

        const FolderListing listing = readFolder(dir.path());
        QVERIFY(listing.ok());
        QCOMPARE(listing.path, QDir(dir.path()).canonicalPath());
        QCOMPARE(listing.folders, QStringList({u"bravo"_s, u"Charlie"_s, u"delta"_s, u"echo"_s}));
        QCOMPARE(listing.files, QStringList({u"Alpha.txt"_s, u"alpha.txt"_s, u"beta.txt"_s,
                                             u"Gamma"_s, u"zulu.txt"_s}));
        QVERIFY(listing.path.startsWith(listing.volumeRoot));
    }

    void unreadableFoldersFailCalmly()
    {
        QTemporaryDir dir;
        QVERIFY(makeTree(dir.path(), {u"file.txt"_s, u"locked/inside.txt"_s}));
        QVERIFY(!readFolder(dir.filePath(u"missing"_s)).ok());
        QVERIFY(!readFolder(dir.filePath(u"file.txt"_s)).ok());
        QVERIFY(!readFolder(QString()).ok());
        if (::geteuid() != 0) {
            QVERIFY(QFile::setPermissions(dir.filePath(u"locked"_s), QFileDevice::Permissions()));
            QVERIFY(!readFolder(dir.filePath(u"locked"_s)).ok());
            QFile::setPermissions(dir.filePath(u"locked"_s), QFileDevice::ReadOwner |
                                                                 QFileDevice::WriteOwner |
                                                                 QFileDevice::ExeOwner);
        }
    }

    void oddNamesAreShownOnOneLine()
    {
        QTemporaryDir dir;
        const auto cleanup = removedAfterwards(dir);
        const QByteArray base = QFile::encodeName(dir.path());
        // Not UTF-8, a line break, and a name of the longest length a name may have.
        QVERIFY(makeRawFile(base + "/caf\xe9.txt"));
        QVERIFY(makeRawFile(base + "/two\nlines.txt"));
        const QByteArray longName(255, 'n');
        QVERIFY(makeRawFile(base + '/' + longName));

        const FolderListing listing = readFolder(dir.path());
        QVERIFY(listing.ok());
        QCOMPARE(listing.files.size(), 3);
        QVERIFY(listing.files.contains(QString::fromLatin1(longName)));
        QVERIFY(std::any_of(listing.files.begin(), listing.files.end(), [](const QString &name) {
            return name.startsWith(u"caf") && name.contains(QChar(QChar::ReplacementCharacter));
        }));
        QCOMPARE(displayName(u"two\nlines.txt"_s), u"two\uFFFDlines.txt"_s);
        QCOMPARE(displayName(u"plain.txt"_s), u"plain.txt"_s);
    }

    void oneReadPerFolderPerChange()
    {
        QTemporaryDir dir;
        QVERIFY(makeTree(dir.path(), {u"a/one.txt"_s, u"b/"_s}));
        FolderListingCache cache;
        {
            FolderListingCache::Change change(cache);
            const auto first = cache.listing(dir.filePath(u"a"_s));
            const auto again = cache.listing(dir.filePath(u"a/"_s));
            QCOMPARE(first.get(), again.get());
            QVERIFY(cache.listing(dir.filePath(u"b"_s)) != first);
            QCOMPARE(cache.reads(), 2);
        }
        // A new change sees the folder as it is now.
        QVERIFY(makeTree(dir.path(), {u"a/two.txt"_s}));
        FolderListingCache::Change change(cache);
        QCOMPARE(cache.listing(dir.filePath(u"a"_s))->files,
                 QStringList({u"one.txt"_s, u"two.txt"_s}));
        QCOMPARE(cache.reads(), 3);
    }

    void folderListShowsTheWayDownAndOpensEntries()
    {
        QTemporaryDir dir;
        QVERIFY(
            makeTree(dir.path(), {u"top/middle/low/"_s, u"top/middle/Other/"_s, u"top/x.txt"_s}));
        const QString top = QDir(dir.filePath(u"top"_s)).canonicalPath();
        FolderListingCache cache;
        QWidget window;
        FolderList list(cache, &window);
        list.resize(129, 396);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QSignalSpy changes(&list, &ListingView::pathChanged);

        QVERIFY(list.setPath(top + u"/middle"_s));
        QCOMPARE(changes.count(), 1);
        QCOMPARE(list.path(), top + u"/middle"_s);
        const QStringList rows = rowsOf(list);
        // The chain ends with Path, which is the marked row; its sub-folders follow.
        QCOMPARE(rows.mid(rows.size() - 4),
                 QStringList({u"top"_s, u"middle"_s, u"low"_s, u"Other"_s}));
        QCOMPARE(list.currentIndex().row(), rows.size() - 3);
        const QString root = list.model()->index(0, 0).data(FolderPathRole).toString();
        QVERIFY(top.startsWith(root));

        // Setting the folder it already shows is no change.
        QVERIFY(list.setPath(top + u"/middle/"_s));
        QCOMPARE(changes.count(), 1);

        // Double-click on a sub-folder goes in, on a folder of the chain goes up.
        const QModelIndex low = list.model()->index(rows.size() - 2, 0);
        // (An item view takes a double-click only after a press on the same row.)
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualRect(low).center());
        QCOMPARE(changes.count(), 1);
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, list.visualRect(low).center());
        QCOMPARE(list.path(), top + u"/middle/low"_s);
        QCOMPARE(changes.count(), 2);
        const QStringList down = rowsOf(list);
        const QModelIndex up = list.model()->index(down.indexOf(u"top"_s), 0);
        list.setCurrentIndex(up);
        QTest::keyClick(&list, Qt::Key_Return);
        QCOMPARE(list.path(), top);
        QCOMPARE(changes.count(), 3);
    }

    void openingWhatCannotBeReadLeavesTheList()
    {
        QTemporaryDir dir;
        const auto cleanup = removedAfterwards(dir);
        QVERIFY(makeTree(dir.path(), {u"gone/"_s}));
        QCOMPARE(::mkdir((QFile::encodeName(dir.path()) + "/bad\xff").constData(), 0755), 0);
        FolderListingCache cache;
        QWidget window;
        FolderList list(cache, &window);
        QVERIFY(list.setPath(dir.path()));
        const QString before = list.path();
        QSignalSpy failures(&list, &FolderList::openFailed);
        QSignalSpy changes(&list, &ListingView::pathChanged);

        // A folder whose name is not UTF-8 cannot be named again; one that vanished is gone.
        QVERIFY(QDir(dir.filePath(u"gone"_s)).removeRecursively());
        for (int row = list.currentIndex().row() + 1; row < list.model()->rowCount(); ++row) {
            const QModelIndex entry = list.model()->index(row, 0);
            list.setCurrentIndex(entry);
            QTest::keyClick(&list, Qt::Key_Enter);
        }
        QCOMPARE(failures.count(), 2);
        QCOMPARE(changes.count(), 0);
        QCOMPARE(list.path(), before);
        QCOMPARE(list.model()->rowCount() > 0, true);
        QVERIFY(!list.setPath(dir.filePath(u"gone"_s)));
        QCOMPARE(list.path(), before);
    }

    void fileListShowsEveryFileAndRereads()
    {
        QTemporaryDir dir;
        QVERIFY(makeTree(dir.path(), {u"b.txt"_s, u"A.txt"_s, u"sub/"_s}));
        FolderListingCache cache;
        QWidget window;
        FileList list(cache, &window);
        QSignalSpy changes(&list, &ListingView::pathChanged);
        QVERIFY(list.setPath(dir.path()));
        QCOMPARE(rowsOf(list), QStringList({u"A.txt"_s, u"b.txt"_s}));

        QVERIFY(makeTree(dir.path(), {u"c.txt"_s}));
        QVERIFY(list.reread());
        QCOMPARE(rowsOf(list), QStringList({u"A.txt"_s, u"b.txt"_s, u"c.txt"_s}));
        QCOMPARE(changes.count(), 1); // a re-read is no change of Path

        // A vanished folder keeps its last contents on screen.
        QVERIFY(QDir(dir.path()).removeRecursively());
        QVERIFY(!list.reread());
        QCOMPARE(rowsOf(list), QStringList({u"A.txt"_s, u"b.txt"_s, u"c.txt"_s}));
    }
};

QTEST_MAIN(ListingsTest)
#include "test_listings.moc"
