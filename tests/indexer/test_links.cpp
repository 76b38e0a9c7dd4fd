// How the lists follow the first folder list and the drive, layout by layout; drive errors,
// Refresh, and returning to the window.
#include "support/index_fixture.h"

#include "indexer/listing_view.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

using namespace vm::indexer;
using namespace vm::indexer::testing;
using namespace Qt::StringLiterals;

namespace {

const QStringList AllLists = {u"Dir1"_s,  u"Dir2"_s,  u"Dir3"_s,  u"Dir4"_s,
                              u"Dir5"_s,  u"Dir6"_s,  u"File1"_s, u"File2"_s,
                              u"File3"_s, u"File4"_s, u"File5"_s, u"File6"_s};

const QStringList Tree = {u"music/a.mp3"_s,  u"music/B.mp3"_s, u"music/live/"_s,
                          u"photos/p.jpg"_s, u"top.txt"_s,     u"disc/track01.wav"_s,
                          u"disc/extras/"_s};

// The folder every list shows, by list name.
QMap<QString, QString> paths(const IndexFixture &f)
{
    QMap<QString, QString> shown;
    for (const QString &name : AllLists)
        shown.insert(name, f.list(name)->path());
    return shown;
}

// Every list's folder, expecting `changed` lists on `folder` and the rest as in `before`.
void expectPaths(const IndexFixture &f, const QMap<QString, QString> &before,
                 const QStringList &changed, const QString &folder)
{
    for (const QString &name : AllLists) {
        const QString expected = changed.contains(name) ? folder : before.value(name);
        if (f.list(name)->path() != expected)
            QFAIL(qPrintable(u"%1 shows %2, not %3"_s.arg(name, f.list(name)->path(), expected)));
    }
}

void useDrives(IndexFixture &f)
{
    f.drives()->setDriveSource([&f] {
        return QList<Drive>{{f.path(u"disc"_s), u"DISC"_s}, {f.path(u"no-disc"_s), u"EMPTY"_s}};
    });
}

void pickDrive(IndexFixture &f, const QString &label)
{
    for (int i = 0; i < f.drives()->count(); ++i) {
        if (f.drives()->itemText(i).contains(label))
            f.drives()->setCurrentIndex(i);
    }
}

} // namespace

class LinksTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { QVERIFY(!IndexFixture::driveError()); }
    void cleanup()
    {
        IndexFixture::closeTopLevel(u"Form5"_s);
        IndexFixture::closeTopLevel(u"Form3"_s);
    }

    void everyListStartsOnTheCurrentFolder()
    {
        IndexFixture f(Tree);
        for (const QString &name : AllLists)
            QCOMPARE(f.list(name)->path(), f.path());
        QCOMPARE(f.rows(u"File1"_s), QStringList({u"top.txt"_s}));
        // One read of the folder for all twelve lists.
        QCOMPARE(f.window().listings().reads(), 1);
    }

    void linkedLayoutFollowsDir1WithOneRead()
    {
        IndexFixture f(Tree);
        const int reads = f.window().listings().reads();
        QVERIFY(f.list(u"Dir1"_s)->setPath(f.path(u"music"_s)));
        expectPaths(f, {}, AllLists, f.path(u"music"_s));
        QCOMPARE(f.window().listings().reads(), reads + 1);
        QCOMPARE(f.list(u"File6"_s)->listing().get(), f.list(u"File1"_s)->listing().get());
        QCOMPARE(f.list(u"Dir6"_s)->listing().get(), f.list(u"File1"_s)->listing().get());
        QCOMPARE(f.rows(u"File3"_s), QStringList({u"a.mp3"_s, u"B.mp3"_s}));

        // Only Dir1 leads: opening a folder in Dir2 moves nothing else.
        const auto before = paths(f);
        QVERIFY(f.list(u"Dir2"_s)->setPath(f.path(u"photos"_s)));
        expectPaths(f, before, {u"Dir2"_s}, f.path(u"photos"_s));
    }

    void layout12LinksThreePairs()
    {
        IndexFixture f(Tree);
        f.chooseLayout(12);
        auto before = paths(f);
        QVERIFY(f.list(u"Dir3"_s)->setPath(f.path(u"photos"_s)));
        expectPaths(f, before, {u"Dir3"_s, u"File4"_s}, f.path(u"photos"_s));

        before = paths(f);
        QVERIFY(f.list(u"Dir5"_s)->setPath(f.path(u"music"_s)));
        expectPaths(f, before, {u"Dir5"_s, u"File6"_s}, f.path(u"music"_s));

        before = paths(f);
        QVERIFY(f.list(u"Dir1"_s)->setPath(f.path(u"disc"_s)));
        expectPaths(f, before, {u"Dir1"_s, u"File1"_s}, f.path(u"disc"_s));

        // In a linked layout the second and third folder lists lead nothing.
        f.chooseLayout(8);
        before = paths(f);
        QVERIFY(f.list(u"Dir3"_s)->setPath(f.path(u"music/live"_s)));
        expectPaths(f, before, {u"Dir3"_s}, f.path(u"music/live"_s));
    }

    void unlinkedLayoutsMoveOnlyDir1AndFile1_data()
    {
        QTest::addColumn<int>("number");
        QTest::newRow("13") << 13;
        QTest::newRow("14") << 14;
    }

    void unlinkedLayoutsMoveOnlyDir1AndFile1()
    {
        QFETCH(int, number);
        IndexFixture f(Tree);
        useDrives(f);
        f.chooseLayout(number);
        QVERIFY(f.list(u"Dir2"_s)->setPath(f.path(u"photos"_s)));
        const auto before = paths(f);
        pickDrive(f, u"DISC"_s);
        expectPaths(f, before, {u"Dir1"_s, u"File1"_s}, f.path(u"disc"_s));
        QVERIFY(!IndexFixture::driveError());
    }

    void driveChangeLinksAllListsAtStart()
    {
        IndexFixture f(Tree);
        useDrives(f);
        pickDrive(f, u"DISC"_s);
        expectPaths(f, {}, AllLists, f.path(u"disc"_s));
        QVERIFY(f.drives()->currentText().contains(u"DISC"_s));
    }

    void driveThatFailsLeavesEveryListAsItWas()
    {
        IndexFixture f(Tree);
        useDrives(f);
        f.chooseLayout(6);
        QVERIFY(f.list(u"Dir1"_s)->setPath(f.path(u"music"_s)));
        const auto before = paths(f);
        const QStringList rows = f.rows(u"File4"_s);

        pickDrive(f, u"EMPTY"_s);
        QWidget *error = IndexFixture::driveError();
        QVERIFY(error);
        QCOMPARE(error->findChild<QLabel *>()->text(),
                 u"Drive error!  Drive does not exist or the disk is missing, blank, damaged or "
                 "otherwise unreadable  Try another disk..."_s);
        QVERIFY(error->windowTitle().isEmpty());
        expectPaths(f, before, {}, {});
        QCOMPARE(f.rows(u"File4"_s), rows);
        QVERIFY(f.drives()->currentText().contains(u"EMPTY"_s));

        IndexFixture::closeTopLevel(u"Form5"_s);
        QVERIFY(!IndexFixture::driveError());
        // Picking the same entry again is no change of drive.
        pickDrive(f, u"EMPTY"_s);
        QVERIFY(!IndexFixture::driveError());

        // Once the disc is there, the drive works.
        QVERIFY(QDir(f.path()).mkdir(u"no-disc"_s));
        pickDrive(f, u"DISC"_s);
        pickDrive(f, u"EMPTY"_s);
        QVERIFY(!IndexFixture::driveError());
        expectPaths(f, {}, AllLists, f.path(u"no-disc"_s));
    }

    void refreshStopsAtTheFirstFailure()
    {
        IndexFixture f({u"a/"_s, u"b/"_s, u"c/"_s, u"d/"_s, u"a/old.txt"_s});
        f.chooseLayout(13);
        const QStringList folders = {u"a"_s, u"b"_s, u"c"_s, u"d"_s};
        for (int n = 1; n <= 4; ++n)
            QVERIFY(f.list(u"Dir%1"_s.arg(n))->setPath(f.path(folders[n - 1])));
        QVERIFY(makeTree(f.path(), {u"a/new/"_s, u"b/new/"_s, u"d/new/"_s, u"a/new.txt"_s}));
        QVERIFY(QDir(f.path(u"c"_s)).removeRecursively());
        const QStringList dir3 = f.rows(u"Dir3"_s);
        const auto before = paths(f);

        f.child<QPushButton>(u"Command4"_s)->click();
        QVERIFY(IndexFixture::driveError());
        QVERIFY(f.rows(u"Dir1"_s).contains(u"new"_s));
        QVERIFY(f.rows(u"Dir2"_s).contains(u"new"_s));
        QCOMPARE(f.rows(u"Dir3"_s), dir3);
        QVERIFY(!f.rows(u"Dir4"_s).contains(u"new"_s));
        // File1 comes after the failure: it still shows the old contents of a.
        QCOMPARE(f.rows(u"File1"_s), QStringList({u"old.txt"_s}));
        expectPaths(f, before, {}, {});

        // With every folder readable, Refresh reads them all and moves nothing.
        IndexFixture::closeTopLevel(u"Form5"_s);
        QVERIFY(f.list(u"Dir3"_s)->setPath(f.path(u"d"_s)));
        const auto after = paths(f);
        f.child<QPushButton>(u"Command4"_s)->click();
        QVERIFY(!IndexFixture::driveError());
        QVERIFY(f.rows(u"Dir4"_s).contains(u"new"_s));
        QCOMPARE(f.rows(u"File1"_s), QStringList({u"new.txt"_s, u"old.txt"_s}));
        expectPaths(f, after, {}, {});
    }

    void switchingFrom13To11DoesNotRelink()
    {
        IndexFixture f(Tree);
        f.chooseLayout(13);
        QVERIFY(f.list(u"Dir1"_s)->setPath(f.path(u"music"_s)));
        QVERIFY(f.list(u"Dir4"_s)->setPath(f.path(u"photos"_s)));
        const auto before = paths(f);
        f.chooseLayout(11);
        expectPaths(f, before, {}, {});
        QVERIFY(f.list(u"Dir1"_s)->setPath(f.path(u"disc"_s)));
        expectPaths(f, {}, AllLists, f.path(u"disc"_s));
    }

    void returningToTheWindowKeepsTheSelectedLayout()
    {
        IndexFixture f(Tree);
        IndexWindow &w = f.window();
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(w.pos(), QPoint(0, 0));
        f.chooseLayout(8);
        const QStringList layout8 = f.visibleLists();
        w.move(40, 30);

        f.child<QPushButton>(u"Command3"_s)->click();
        QWidget *card = IndexFixture::helpCard();
        QVERIFY(card);
        QVERIFY(QTest::qWaitForWindowActive(card));
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));

        QCOMPARE(w.pos(), QPoint(0, 0));
        QCOMPARE(f.visibleLists(), layout8);
        QVERIFY(f.child<QRadioButton>(u"Option8"_s)->isChecked());
        QCOMPARE(f.list(u"Dir4"_s)->geometry(), QRect(435, 3, 112, 405));

        // The same after the drive-error window, in a layout with a split first column.
        f.chooseLayout(5);
        const QStringList layout5 = f.visibleLists();
        useDrives(f);
        pickDrive(f, u"EMPTY"_s);
        QWidget *error = IndexFixture::driveError();
        QVERIFY(error);
        QVERIFY(QTest::qWaitForWindowActive(error));
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(f.visibleLists(), layout5);
        QCOMPARE(f.list(u"File3"_s)->geometry(), QRect(0, 205, 129, 200));
    }
};

QTEST_MAIN(LinksTest)
#include "test_links.moc"
