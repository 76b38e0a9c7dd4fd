// Hostile folders on the index window: unreadable, deleted while shown, full of names that
// are not UTF-8 or 255 bytes long, symbolic link loops. Each gets the drive error or is
// shown calmly, the lists keep what they showed, and the window goes on to show other
// folders and to print.

#include "support/index_fixture.h"

#include "indexer/listing_view.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QPushButton>
#include <QScopeGuard>

#include <filesystem>

#include <dirent.h>
#include <fcntl.h>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

using namespace vm::indexer;
using namespace vm::indexer::testing;
using namespace Qt::StringLiterals;

namespace {

// For as long as it lives, the file permission checks of this thread bind root as well: the
// capabilities that pass them by are taken out of the effective set, and put back after.
class WithoutFileRights
{
public:
    WithoutFileRights()
    {
        m_header.version = _LINUX_CAPABILITY_VERSION_3;
        if (::syscall(SYS_capget, &m_header, m_saved) != 0)
            return;
        __user_cap_data_struct lowered[2] = {m_saved[0], m_saved[1]};
        lowered[0].effective &= ~(1u << CAP_DAC_OVERRIDE | 1u << CAP_DAC_READ_SEARCH);
        m_lowered = ::syscall(SYS_capset, &m_header, lowered) == 0;
    }
    ~WithoutFileRights()
    {
        if (m_lowered)
            ::syscall(SYS_capset, &m_header, m_saved);
    }

private:
    __user_cap_header_struct m_header{};
    __user_cap_data_struct m_saved[2]{};
    bool m_lowered = false;
};

bool canList(const QString &path)
{
    DIR *folder = ::opendir(QFile::encodeName(path).constData());
    if (folder)
        ::closedir(folder);
    return folder != nullptr;
}

bool makeRawFile(const QByteArray &path)
{
    const int fd = ::open(path.constData(), O_CREAT | O_WRONLY, 0644);
    return fd >= 0 && ::close(fd) == 0;
}

// Opens the row showing `name` in a folder list, as Enter on it does.
void openRow(ListingView &list, const QString &name)
{
    for (int row = 0; row < list.model()->rowCount(); ++row) {
        const QModelIndex index = list.model()->index(row, 0);
        if (index.data().toString() == name) {
            list.setCurrentIndex(index);
            QTest::keyClick(&list, Qt::Key_Return);
            return;
        }
    }
    qWarning("no row %s", qPrintable(name));
}

// The card prints to a PDF file of some size.
bool printsToPdf(IndexFixture &f, const QString &pdf)
{
    f.window().printer().setOutputFormat(QPrinter::PdfFormat);
    f.window().printer().setOutputFileName(pdf);
    f.child<QPushButton>(u"Command1"_s)->click();
    return QFileInfo(pdf).size() > 1000;
}

} // namespace

class HostileFoldersTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { QVERIFY(!IndexFixture::driveError()); }
    void cleanup() { IndexFixture::closeTopLevel(u"Form5"_s); }

    void unreadableFolder();
    void deletedWhileShown();
    void namesNotUtf8OrLongest();
    void symbolicLinkLoops();
};

void HostileFoldersTest::unreadableFolder()
{
    IndexFixture f({u"locked/inside.txt"_s, u"open/readable.txt"_s, u"top.txt"_s});
    ListingView &dir1 = *f.list(u"Dir1"_s);
    QCOMPARE(dir1.path(), f.path());
    const QString locked = f.path(u"locked"_s);
    QVERIFY(QFile::setPermissions(locked, {}));
    const auto unlock = qScopeGuard([&] {
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    });
    const WithoutFileRights asAnyUser;
    if (canList(locked))
        QSKIP("This user reads folders whatever their permissions: not checked.");

    const QStringList rows = f.rows(u"Dir1"_s);
    openRow(dir1, u"locked"_s);
    QVERIFY(IndexFixture::driveError());
    QCOMPARE(dir1.path(), f.path());
    QCOMPARE(f.rows(u"Dir1"_s), rows);
    QCOMPARE(f.rows(u"File1"_s), QStringList{u"top.txt"_s});
    QVERIFY(!dir1.setPath(locked));

    // A folder that turns unreadable while shown keeps its rows on Refresh.
    IndexFixture::closeTopLevel(u"Form5"_s);
    openRow(dir1, u"open"_s);
    QCOMPARE(f.rows(u"File1"_s), QStringList{u"readable.txt"_s});
    QVERIFY(QFile::setPermissions(f.path(u"open"_s), {}));
    f.child<QPushButton>(u"Command4"_s)->click();
    QVERIFY(IndexFixture::driveError());
    QCOMPARE(f.rows(u"File1"_s), QStringList{u"readable.txt"_s});
    QVERIFY(QFile::setPermissions(f.path(u"open"_s),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));

    QVERIFY(dir1.setPath(f.path()));
    QCOMPARE(f.rows(u"File1"_s), QStringList{u"top.txt"_s});
}

void HostileFoldersTest::deletedWhileShown()
{
    IndexFixture f({u"album/disc1/track01.txt"_s, u"album/disc2/"_s, u"other/kept.txt"_s});
    ListingView &dir1 = *f.list(u"Dir1"_s);
    QVERIFY(dir1.setPath(f.path(u"album/disc1"_s)));
    const QStringList rows = f.rows(u"Dir1"_s);
    QVERIFY(QDir(f.path(u"album"_s)).removeRecursively());

    // Refresh, going up to a folder that is gone, and a linked layout reading it again: each
    // leaves the lists as they were, with the drive error at most.
    f.child<QPushButton>(u"Command4"_s)->click();
    QVERIFY(IndexFixture::driveError());
    IndexFixture::closeTopLevel(u"Form5"_s);
    openRow(dir1, u"album"_s);
    QVERIFY(IndexFixture::driveError());
    IndexFixture::closeTopLevel(u"Form5"_s);
    for (int layout : {13, 6, 1})
        f.chooseLayout(layout);
    QCOMPARE(dir1.path(), f.path(u"album/disc1"_s));
    QCOMPARE(f.rows(u"Dir1"_s), rows);
    QCOMPARE(f.rows(u"File1"_s), QStringList{u"track01.txt"_s});

    // The card still prints what the window shows, and other folders open.
    QVERIFY(printsToPdf(f, f.path(u"card.pdf"_s)));
    QVERIFY(dir1.setPath(f.path(u"other"_s)));
    QCOMPARE(f.rows(u"File1"_s), QStringList{u"kept.txt"_s});
}

void HostileFoldersTest::namesNotUtf8OrLongest()
{
    IndexFixture f({u"names/"_s});
    const QString folder = f.path(u"names"_s);
    // Names that are not UTF-8 cannot be named through QString; they go byte-wise.
    const auto removeNames = qScopeGuard([path = QFile::encodeName(folder).toStdString()] {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    });
    const QByteArray base = QFile::encodeName(folder) + '/';
    int files = 0;
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        QVERIFY(makeRawFile(base + "file-" + char(byte) + ".txt"));
        ++files;
    }
    for (const QByteArray &name :
         {QByteArray(255, 'n'), QByteArray("\xC3\xA9").repeated(127) + 'x',
          QByteArray("\xF0\x9F\x8E\xB5").repeated(63) + "abc", QByteArray("\xEF\xBF\xBD.txt"),
          QByteArray("tab\tbell\a\r\nend"), QByteArray("   ")}) {
        QVERIFY2(makeRawFile(base + name), name.constData());
        ++files;
    }
    QCOMPARE(::mkdir((base + "folder-\xFF\xFE").constData(), 0755), 0);

    ListingView &dir1 = *f.list(u"Dir1"_s);
    QVERIFY(dir1.setPath(folder));
    const QStringList shown = f.rows(u"File1"_s);
    QCOMPARE(shown.size(), files);
    for (const QString &row : shown)
        QVERIFY2(!row.contains(u'\n') && !row.contains(u'\r'), qPrintable(row));
    QVERIFY(shown.contains(QString(255, u'n')));
    QVERIFY(shown.contains(QString(127, u'é') + u'x'));
    QVERIFY(shown.contains(u"\uFFFD.txt"_s));
    // The same folder read again shows the same order.
    QVERIFY(dir1.reread());
    QCOMPARE(f.rows(u"File1"_s), shown);

    // The folder whose name is not UTF-8 cannot be opened, calmly.
    const QStringList folders = f.rows(u"Dir1"_s);
    openRow(dir1, folders.last());
    QVERIFY(IndexFixture::driveError());
    QCOMPARE(dir1.path(), folder);
    IndexFixture::closeTopLevel(u"Form5"_s);
    QVERIFY(printsToPdf(f, f.path(u"card.pdf"_s)));
}

void HostileFoldersTest::symbolicLinkLoops()
{
    IndexFixture f({u"disc/song.txt"_s, u"disc/inner/"_s});
    const QByteArray disc = QFile::encodeName(f.path(u"disc"_s)) + '/';
    QCOMPARE(::symlink("self", disc + "self"), 0);
    QCOMPARE(::symlink("ping", disc + "pong"), 0);
    QCOMPARE(::symlink("pong", disc + "ping"), 0);
    QCOMPARE(::symlink(".", disc + "here"), 0);
    QCOMPARE(::symlink("..", disc + "inner/up"), 0);

    ListingView &dir1 = *f.list(u"Dir1"_s);
    QVERIFY(dir1.setPath(f.path(u"disc"_s)));
    // Links that lead nowhere are left out; a link to a folder is a folder.
    QCOMPARE(f.rows(u"File1"_s), QStringList{u"song.txt"_s});
    QVERIFY(f.rows(u"Dir1"_s).contains(u"here"_s));
    QVERIFY(!f.rows(u"Dir1"_s).contains(u"self"_s));
    QVERIFY(!dir1.setPath(f.path(u"disc/self"_s)));
    QVERIFY(!dir1.setPath(f.path(u"disc/ping"_s)));

    // Going round a loop of folders comes back to the same folder, not ever deeper.
    for (int round = 0; round < 20; ++round) {
        openRow(dir1, u"here"_s);
        QCOMPARE(dir1.path(), f.path(u"disc"_s));
        openRow(dir1, u"inner"_s);
        openRow(dir1, u"up"_s);
        QCOMPARE(dir1.path(), f.path(u"disc"_s));
    }
    QVERIFY(!IndexFixture::driveError());
}

QTEST_MAIN(HostileFoldersTest)
#include "test_hostile_folders.moc"
