// Saving into places that refuse: a read-only file system, a full one, a name that is a
// folder, a path below a file, a name too long. The previous file is never damaged, the user
// is told why, the design in the window stays as it was, and the next save works.
//
// Read-only and full file systems are small tmpfs mounts in a mount namespace of this process
// alone, which bind root as well; without the rights for that, a read-only folder is used when
// not root, and a file size limit stands in for a full disk.

#include "support/design_test_support.h"

#include "designer/document/design_file.h"
#include "toolkit/fonts.h"

#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace vm;
using namespace vm::test;
using namespace Qt::StringLiterals;
using vm::design::DesignWindow;
using vm::design::FileValues;

namespace {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A tmpfs of a given size on a folder, gone with this object.
class SmallFileSystem
{
public:
    SmallFileSystem(const QString &where, qint64 bytes) : m_where(QFile::encodeName(where))
    {
        const QByteArray options = "size=" + QByteArray::number(bytes) + ",mode=0755";
        m_mounted = QDir().mkpath(where) &&
                    ::mount("tmpfs", m_where, "tmpfs", MS_NOSUID | MS_NODEV, options) == 0;
    }
    ~SmallFileSystem()
    {
        if (m_mounted)
            ::umount2(m_where, MNT_DETACH);
    }
    bool mounted() const { return m_mounted; }
    bool makeReadOnly()
    {
        return ::mount(nullptr, m_where, nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

private:
    QByteArray m_where;
    bool m_mounted = false;
};

// Fills a file system to its last byte, then frees `leave` bytes.
bool fill(const QString &folder, qint64 leave)
{
    QFile filler(QDir(folder).filePath(u"filler"_s));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    const QByteArray block(4096, 'f');
    while (filler.write(block) == block.size()) {
    }
    return filler.resize(qMax<qint64>(0, filler.size() - leave));
}

void clickSave(DesignWindow &design)
{
    design.findChild<QPushButton *>(u"Command2"_s)->click();
}

// A design that saves into a file of some size: every title 500 characters long.
void fillTitles(DesignWindow &design, QChar letter)
{
    for (int n = 1; n <= DesignWindow::TitleAreaCount; ++n)
        design.titleArea(n).setCaption(QString(500, letter));
}

} // namespace

class SaveFaultsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void readOnlyFolder();
    void fullFileSystem_data();
    void fullFileSystem();
    void namesThatCannotBeFiles_data();
    void namesThatCannotBeFiles();

private:
    // Saves the window's design into `path` and checks that it worked.
    bool saveAs(DesignWindow &design, ScriptedFileAnswer &answer, const QString &path);
    // Changes the design, saves into `path`, and checks the failure's marks: the message, the
    // old file, the design and the name the next Save proposes.
    void failingSave(DesignWindow &design, ScriptedFileAnswer &answer, const QString &path,
                     const QString &reason);

    bool m_privateMounts = false;
};

void SaveFaultsTest::initTestCase()
{
    installFontSubstitutes();
    // Mounts made from here on are seen by this process only, and go when it ends.
    m_privateMounts = ::unshare(CLONE_NEWNS) == 0 &&
                      ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    if (!m_privateMounts)
        qInfo("No private mounts here (%s): using the fallbacks.", strerror(errno));
}

bool SaveFaultsTest::saveAs(DesignWindow &design, ScriptedFileAnswer &answer, const QString &path)
{
    answer.chosen = path;
    clickSave(design);
    return design.designFileName() == path && QFile::exists(path);
}

void SaveFaultsTest::failingSave(DesignWindow &design, ScriptedFileAnswer &answer,
                                 const QString &path, const QString &reason)
{
    const QString before = design.designFileName();
    const QByteArray oldBytes = readFile(path);
    const QStringList filesBefore = QDir(QFileInfo(path).path()).entryList(QDir::Files);
    entry(design, "Text1").setText(u"Changed"_s);
    fillTitles(design, u'n');
    const FileValues values = design.fileValues();
    const bool armed = design.shared().SavePromptArmed;

    answer.chosen = path;
    clickSave(design);

    auto *message = design.findChild<QMessageBox *>(u"SaveError"_s);
    QVERIFY(message);
    QVERIFY(message->isVisible());
    QVERIFY2(message->text().contains(QDir::toNativeSeparators(path)), qPrintable(message->text()));
    QVERIFY2(message->text().contains(reason), qPrintable(message->text()));
    // The old file, and no left-over temporary file beside it.
    QCOMPARE(readFile(path), oldBytes);
    QCOMPARE(QDir(QFileInfo(path).path()).entryList(QDir::Files), filesBefore);
    // The design as it was, still proposed under its old name.
    QVERIFY(design.fileValues() == values);
    QCOMPARE(design.shared().SavePromptArmed, armed);
    QCOMPARE(design.designFileName(), before);
    message->close();
}

void SaveFaultsTest::readOnlyFolder()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(u"covers"_s);
    SmallFileSystem fileSystem(folder, 1 << 20);
    if (!m_privateMounts && ::geteuid() == 0)
        QSKIP("Root writes into read-only folders and cannot mount here: not checked.");
    QVERIFY(m_privateMounts ? fileSystem.mounted() : QDir().mkpath(folder));

    DesignWindow design;
    ScriptedFileAnswer answer;
    scriptFileDialog(design, answer);
    const QString path = QDir(folder).filePath(u"cover.vmd"_s);
    QVERIFY(saveAs(design, answer, path));

    // Replacing the file, and saving a new one beside it.
    const QString beside = QDir(folder).filePath(u"new.vmd"_s);
    if (m_privateMounts) {
        QVERIFY(fileSystem.makeReadOnly());
        failingSave(design, answer, path, u"is not writable"_s);
        failingSave(design, answer, beside, u"Read-only file system"_s);
    } else {
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        failingSave(design, answer, path, u"Permission denied"_s);
        failingSave(design, answer, beside, u"Permission denied"_s);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    if (QTest::currentTestFailed())
        return;

    // The program stays usable: the same design saves elsewhere.
    const QString elsewhere = dir.filePath(u"cover.vmd"_s);
    QVERIFY(saveAs(design, answer, elsewhere));
    QCOMPARE(design::encodeDesign(design.fileValues()), readFile(elsewhere));
}

void SaveFaultsTest::fullFileSystem_data()
{
    QTest::addColumn<qint64>("free");
    QTest::newRow("full") << qint64(0);
    QTest::newRow("room for a part") << qint64(8192); // the new file needs 12 KB
}

void SaveFaultsTest::fullFileSystem()
{
    QFETCH(qint64, free);
    QTemporaryDir dir;
    const QString folder = dir.filePath(u"disk"_s);
    SmallFileSystem fileSystem(folder, 256 << 10);
    QVERIFY(!m_privateMounts || fileSystem.mounted());
    QVERIFY(QDir().mkpath(folder));

    DesignWindow design;
    ScriptedFileAnswer answer;
    scriptFileDialog(design, answer);
    const QString path = QDir(folder).filePath(u"cover.vmd"_s);
    QVERIFY(saveAs(design, answer, path));

    if (m_privateMounts) {
        QVERIFY(fill(folder, free));
        failingSave(design, answer, path, u"No space left on device"_s);
        QFile::remove(QDir(folder).filePath(u"filler"_s));
    } else {
        // A file size limit holds for root too; the write fails as on a full disk.
        rlimit limit = {};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &limit), 0);
        const rlimit small = {rlim_t(free ? free : 1), limit.rlim_max};
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        failingSave(design, answer, path, u"File too large"_s);
        setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, oldHandler);
    }
    if (QTest::currentTestFailed())
        return;

    // With room again, the same save goes through.
    QVERIFY(saveAs(design, answer, path));
    QCOMPARE(design::encodeDesign(design.fileValues()), readFile(path));
}

void SaveFaultsTest::namesThatCannotBeFiles_data()
{
    QTest::addColumn<QString>("chosen"); // inside a temporary folder
    QTest::addColumn<QString>("saved");  // where the save goes, the extension added
    QTest::addColumn<QString>("reason");
    const QString folder = u"Filename refers to a directory"_s;
    QTest::newRow("a folder") << u"album.vmd"_s << u"album.vmd"_s << folder;
    QTest::newRow("a folder once the extension is added") << u"album"_s << u"album.vmd"_s << folder;
    QTest::newRow("below a file") << u"notes.txt/cover.vmd"_s << u"notes.txt/cover.vmd"_s
                                  << u"Not a directory"_s;
    const QString longName = QString(300, u'x') + u".vmd"_s;
    QTest::newRow("a name too long") << longName << longName << u"File name too long"_s;
}

void SaveFaultsTest::namesThatCannotBeFiles()
{
    QFETCH(QString, chosen);
    QFETCH(QString, saved);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(u"album.vmd/inside"_s));
    QFile notes(dir.filePath(u"notes.txt"_s));
    QVERIFY(notes.open(QIODevice::WriteOnly) && notes.write("kept") == 4);
    notes.close();

    DesignWindow design;
    ScriptedFileAnswer answer;
    scriptFileDialog(design, answer);
    const QString previous = dir.filePath(u"previous.vmd"_s);
    QVERIFY(saveAs(design, answer, previous));

    // A failed save keeps proposing the design's own file.
    answer.chosen = dir.filePath(chosen);
    const FileValues values = design.fileValues();
    entry(design, "Text2").setText(u"Changed"_s);
    const FileValues changed = design.fileValues();
    clickSave(design);
    auto *message = design.findChild<QMessageBox *>(u"SaveError"_s);
    QVERIFY(message && message->isVisible());
    QVERIFY(message->text().contains(QDir::toNativeSeparators(dir.filePath(saved))));
    QVERIFY2(message->text().contains(reason), qPrintable(message->text()));
    QVERIFY(design.fileValues() == changed);
    QCOMPARE(design.designFileName(), previous);
    QCOMPARE(readFile(previous), design::encodeDesign(values));

    // What was in the way is as it was.
    QVERIFY(QFileInfo(dir.filePath(u"album.vmd/inside"_s)).isDir());
    QCOMPARE(readFile(dir.filePath(u"notes.txt"_s)), QByteArray("kept"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
             (QStringList{u"notes.txt"_s, u"previous.vmd"_s}));
}

QTEST_MAIN(SaveFaultsTest)
#include "test_save_faults.moc"
