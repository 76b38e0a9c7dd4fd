// Hostile design files: empty, binary, one enormous line, thousands of lines, older encodings,
// and designs that name hostile pictures. Each is read calmly, in bounded time and memory and
// never past its 75th line; opened on a real window it leaves the program usable, and what
// the window then holds saves into a file that opens and saves the same again.

#include "support/design_test_support.h"
#include "support/hostile_pictures.h"

#include "designer/document/design_file.h"
#include "toolkit/fonts.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>
#include <unistd.h>

using namespace vm::design;
using namespace vm::test;
using namespace Qt::StringLiterals;

namespace {

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QWidget *secondaryWindow(const DesignWindow &design, const char *name)
{
    return design.findChild<QWidget *>(QLatin1String(name), Qt::FindDirectChildrenOnly);
}

long peakKiB()
{
    rusage usage = {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// A design with every line filled: titles with accents, quotes and the euro sign, which
// Windows-1252 has too.
FileValues richDesign()
{
    FileValues values = emptyFileValues();
    values[0] = u"Grüße aus Köln"_s;
    values[1] = u"Times New Roman"_s;
    values[2] = 24.0f;
    values[4] = u"Live – 2024"_s;
    values[13] = u"/home/me/Bilder/Umschlag.jpg"_s;
    values[14] = 300.0f;
    values[15] = 280.5f;
    for (int title = 0; title < 24; ++title)
        values[27 + title] = u"%1. „Stück“ für 5 €"_s.arg(title + 1);
    values[58] = u"2024"_s;
    values[59] = u"Ça Va Éditions"_s;
    values[63] = true;
    return values;
}

// Reads a file; false, with a warning, when that took more than 3 s or 64 MiB.
bool readCalmly(const QString &path, ReadOutcome &read)
{
    QElapsedTimer timer;
    timer.start();
    const long peakBefore = peakKiB();
    read = readDesignFile(path);
    const qint64 elapsed = timer.elapsed();
    const long grown = peakKiB() - peakBefore;
    if (elapsed <= 3000 && grown <= 64 * 1024)
        return true;
    qWarning("reading took %lld ms and %ld KiB", elapsed, grown);
    return false;
}

} // namespace

class HostileFilesTest : public QObject
{
    Q_OBJECT

private slots:
    void hostileBytes_data();
    void hostileBytes();
    void hundredMegabyteLine();
    void tenThousandLinesBeforeAnEndlessHole();
    void olderEncodings_data();
    void olderEncodings();
    void firstLineStartingWithByteOrderMark();

    // On a real window, through Open.
    void initTestCase() { vm::installFontSubstitutes(); }
    void openedOnAWindow_data();
    void openedOnAWindow();
    void hostilePicturesInADesign_data();
    void hostilePicturesInADesign();
    void hostilePicturesThroughThePictureButton();
    void enormousPictureBox();

private:
    // Clicks a button of the window with the file dialog answering `path`.
    void clickWithFile(DesignWindow &design, const char *button, const QString &path);
    // Opens `path` on the window through its Open button; false when that took over 5 s.
    bool openCalmly(DesignWindow &design, const QString &path);
    // The window is usable: it saves, the file opens in a fresh window without a rejected
    // line, and that window saves the same bytes.
    void checkUsable(DesignWindow &design, const QTemporaryDir &dir);

    ScriptedFileAnswer m_answer;
};

void HostileFilesTest::hostileBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("linesRead");

    QByteArray noise(64 * 1024, Qt::Uninitialized);
    QRandomGenerator random(75);
    for (char &byte : noise)
        byte = char(random.bounded(256));

    QTest::newRow("empty") << QByteArray() << 0;
    QTest::newRow("random bytes") << noise << 75;
    QTest::newRow("NUL bytes") << QByteArray(4096, '\0') << 1;
    QTest::newRow("only line ends") << QByteArray("\r\n\r\r\n\n").repeated(100) << 75;
    QTest::newRow("UTF-16 with its mark")
        << QByteArray("\xFF\xFE") + QByteArray("A\0\r\0\n\0", 6).repeated(80) << 75;
    QTest::newRow("a picture") << QByteArray("\xFF\xD8\xFF\xE0\0\x10JFIF", 10) << 1;
}

void HostileFilesTest::hostileBytes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, linesRead);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"hostile.vmd"_s);
    QVERIFY(writeFile(path, bytes));
    ReadOutcome read;
    QVERIFY(readCalmly(path, read));
    QVERIFY2(read.ok(), qPrintable(read.error));
    QCOMPARE(read.design.linesRead, linesRead);

    // Whatever was made of it saves into a proper design file that reads back without a
    // rejected line.
    const ConvertedDesign opened = convertDesign(read.design);
    const QByteArray saved = encodeDesign(opened.values);
    QCOMPARE(saved.count("\r\n"), FileLineCount);
    const ConvertedDesign reopened = convertDesign(decodeDesign(saved));
    QVERIFY(reopened.rejectedLines.isEmpty());
    QVERIFY(reopened.values == opened.values);
}

void HostileFilesTest::hundredMegabyteLine()
{
    // Written in pieces; read with the first 64 KiB kept and the rest passed over.
    QTemporaryDir dir;
    const QString path = dir.filePath(u"long.vmd"_s);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    const QByteArray piece(1 << 20, 'A');
    for (int i = 0; i < 100; ++i)
        QCOMPARE(file.write(piece), piece.size());
    QVERIFY(file.write("\r\n 12 \r\n") == 8);
    file.close();

    ReadOutcome read;
    QVERIFY(readCalmly(path, read));
    QVERIFY2(read.ok(), qPrintable(read.error));
    QCOMPARE(read.design.linesRead, 2);
    QCOMPARE(read.design.lines[0], QString(FileLineLimit, u'A'));
    QCOMPARE(read.design.lines[1], u" 12 "_s);
}

void HostileFilesTest::tenThousandLinesBeforeAnEndlessHole()
{
    // 10,000 lines, the later ones not UTF-8, then 16 GiB of nothing: the reader stops at
    // line 75, so neither the encoding nor the time depends on what follows.
    QTemporaryDir dir;
    const QString path = dir.filePath(u"many.vmd"_s);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    for (int line = 1; line <= 10000; ++line) {
        const QByteArray text = line <= 75 ? QByteArray("é line ") : QByteArray("\xE9 line ");
        QVERIFY(file.write(text + QByteArray::number(line) + "\r\n") > 0);
    }
    QVERIFY(file.resize(file.size() + (qint64(16) << 30)));
    file.close();

    ReadOutcome read;
    QVERIFY(readCalmly(path, read));
    QVERIFY2(read.ok(), qPrintable(read.error));
    QCOMPARE(read.design.linesRead, 75);
    QCOMPARE(read.design.lines[0], u"é line 1"_s);
    QCOMPARE(read.design.lines[74], u"é line 75"_s);
}

void HostileFilesTest::olderEncodings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray utf8 = encodeDesign(richDesign());
    QByteArray windows1252;
    for (const QChar c : QString::fromUtf8(utf8)) {
        static const QHash<char16_t, char> HighBytes{
            {u'€', '\x80'}, {u'„', '\x84'}, {u'–', '\x96'}, {u'“', '\x93'}};
        windows1252 += HighBytes.value(c.unicode(), char(c.unicode()));
    }
    QTest::newRow("UTF-8") << utf8;
    QTest::newRow("UTF-8 with a byte-order mark") << "\xEF\xBB\xBF" + utf8;
    QTest::newRow("Windows-1252") << windows1252;
    QTest::newRow("Windows-1252, LF line ends") << QByteArray(windows1252).replace("\r\n", "\n");
}

void HostileFilesTest::olderEncodings()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"older.vmd"_s);
    QVERIFY(writeFile(path, bytes));
    ReadOutcome read;
    QVERIFY(readCalmly(path, read));
    QVERIFY2(read.ok(), qPrintable(read.error));
    const ConvertedDesign converted = convertDesign(read.design);
    QVERIFY(converted.rejectedLines.isEmpty());
    QVERIFY(converted.values == richDesign());
}

void HostileFilesTest::firstLineStartingWithByteOrderMark()
{
    // Found by fuzzing: a top line starting with U+FEFF was saved as a file starting with the
    // bytes of a byte-order mark, which the reader takes off, so the character was lost.
    FileValues values = richDesign();
    values[0] = u"\uFEFFTop"_s;
    const QByteArray saved = encodeDesign(values);
    QVERIFY(saved.startsWith("\xEF\xBB\xBF\xEF\xBB\xBFTop\r\n"));
    QCOMPARE(decodeDesign(saved).lines[0], u"\uFEFFTop"_s);

    // A top line without it gets no mark.
    values[0] = u"Top\uFEFF"_s;
    QVERIFY(encodeDesign(values).startsWith("Top\xEF\xBB\xBF\r\n"));
}

// ---- On a real window

void HostileFilesTest::clickWithFile(DesignWindow &design, const char *button, const QString &path)
{
    m_answer.chosen = path;
    scriptFileDialog(design, m_answer);
    control<QPushButton>(design, button).click();
}

bool HostileFilesTest::openCalmly(DesignWindow &design, const QString &path)
{
    QElapsedTimer timer;
    timer.start();
    clickWithFile(design, "Command1", path);
    if (timer.elapsed() <= 5000)
        return true;
    qWarning("opening took %lld ms", qint64(timer.elapsed()));
    return false;
}

void HostileFilesTest::checkUsable(DesignWindow &design, const QTemporaryDir &dir)
{
    const QWidget *wait = secondaryWindow(design, "Wait");
    QVERIFY(!wait || !wait->isVisible());
    const QString first = dir.filePath(u"first.vmd"_s);
    clickWithFile(design, "Command2", first);
    QVERIFY(!design.findChild<QMessageBox *>(u"SaveError"_s));
    QCOMPARE(design.designFileName(), first);

    DesignWindow fresh;
    QVERIFY(openCalmly(fresh, first));
    QVERIFY(!fresh.findChild<QMessageBox *>(u"OpenRejected"_s));
    const QString second = dir.filePath(u"second.vmd"_s);
    clickWithFile(fresh, "Command2", second);
    QCOMPARE(readFile(second), readFile(first));
}

void HostileFilesTest::openedOnAWindow_data()
{
    QTest::addColumn<QString>("kind");
    for (const char *kind : {"empty", "random bytes", "UTF-16", "a picture", "Windows-1252",
                             "byte-order mark", "100 MB line", "10,000 lines and a hole"})
        QTest::newRow(kind) << QString::fromLatin1(kind);
}

void HostileFilesTest::openedOnAWindow()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"hostile.vmd"_s);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    if (kind == u"random bytes") {
        QRandomGenerator random(1252);
        for (int i = 0; i < 4096; ++i)
            file.putChar(char(random.bounded(256)));
    } else if (kind == u"UTF-16") {
        file.write(QByteArray("\xFF\xFE") + QByteArray("A\0\r\0\n\0", 6).repeated(80));
    } else if (kind == u"a picture") {
        file.write(encodedPicture("JPEG"));
    } else if (kind == u"Windows-1252") {
        file.write(encodeDesign(richDesign()).replace("\xE2\x82\xAC", "\x80"));
    } else if (kind == u"byte-order mark") {
        file.write("\xEF\xBB\xBF" + encodeDesign(richDesign()));
    } else if (kind == u"100 MB line") {
        const QByteArray piece(1 << 20, '7');
        for (int i = 0; i < 100; ++i)
            QCOMPARE(file.write(piece), piece.size());
    } else if (kind == u"10,000 lines and a hole") {
        const QByteArray lines = encodeDesign(richDesign());
        QVERIFY(file.write(lines.repeated(10000 / 75 + 1)) > 0);
        QVERIFY(file.resize(file.size() + (qint64(16) << 30)));
    }
    file.close();

    DesignWindow design;
    QVERIFY(openCalmly(design, path));
    QCOMPARE(design.designFileName(), path);
    checkUsable(design, dir);
}

void HostileFilesTest::hostilePicturesInADesign_data()
{
    QTest::addColumn<QString>("name"); // inside a temporary folder, or a device
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("loads");
    const QByteArray jpeg = encodedPicture("JPEG", {64, 48});
    const QByteArray progressive = encodedPicture("JPEG", {64, 48}, true);
    QTest::newRow("zero bytes") << u"empty.jpg"_s << QByteArray() << false;
    QTest::newRow("PNG named GIF") << u"photo.gif"_s << encodedPicture("PNG", {64, 48}) << true;
    QTest::newRow("truncated JPEG, decoded as far as it goes")
        << u"cut.jpg"_s << jpeg.first((jpeg.indexOf("\xFF\xDA") + jpeg.size()) / 2) << true;
    // Took 25 s and 7 GB before pictures were limited by their full size.
    QTest::newRow("50000 x 50000 progressive JPEG")
        << u"huge.jpg"_s << withJpegSize(progressive, 50000, 50000) << false;
    QTest::newRow("20,000 frames") << u"long.gif"_s << framesGif({64, 48}, 20000) << true;
    QTest::newRow("endless device") << u"/dev/zero"_s << QByteArray() << false;
    QTest::newRow("link loop") << u"loop.bmp"_s << QByteArray() << false;
}

void HostileFilesTest::hostilePicturesInADesign()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, loads);
    QTemporaryDir dir;
    const QString picture = name.startsWith(u'/') ? name : dir.filePath(name);
    if (name == u"loop.bmp")
        QCOMPARE(::symlink(QFile::encodeName(picture), QFile::encodeName(picture)), 0);
    else if (!name.startsWith(u'/'))
        QVERIFY(writeFile(picture, bytes));
    const QString logo = dir.filePath(u"logo.png"_s);
    QVERIFY(writeFile(logo, encodedPicture("PNG", {16, 16})));
    FileValues values = richDesign();
    values[13] = picture;
    values[16] = logo;
    const QString path = dir.filePath(u"design.vmd"_s);
    QVERIFY(writeFile(path, encodeDesign(values)));

    DesignWindow design;
    QVERIFY(openCalmly(design, path));
    QWidget *error = secondaryWindow(design, "Error");
    QCOMPARE(error && error->isVisible(), !loads);
    QCOMPARE(element(design, "Image1").picture().isNull(), !loads);
    QCOMPARE(element(design, "Image2").picture().isNull(), !loads);
    // The picture's path stays named, and the rest of the design is there.
    QCOMPARE(control<QLabel>(design, "PIXFLN").text(), picture);
    QCOMPARE(design.titleArea(24).caption(), u"24. „Stück“ für 5 €"_s);
    QCOMPARE(entry(design, "Text12").text(), u"Ça Va Éditions"_s);
    checkUsable(design, dir);
}

void HostileFilesTest::hostilePicturesThroughThePictureButton()
{
    // The same loader behind the "Picture" button: a refused picture leaves the one before.
    QTemporaryDir dir;
    const QString good = dir.filePath(u"good.png"_s);
    QVERIFY(writeFile(good, encodedPicture("PNG", {64, 48})));
    const QString huge = dir.filePath(u"huge.jpg"_s);
    QVERIFY(writeFile(huge, withJpegSize(encodedPicture("JPEG", {64, 48}, true), 50000, 50000)));
    const QString empty = dir.filePath(u"empty.gif"_s);
    QVERIFY(writeFile(empty, {}));
    const QString frames = dir.filePath(u"frames.gif"_s);
    QVERIFY(writeFile(frames, framesGif({64, 48}, 20000)));

    DesignWindow design;
    const vm::Element &image1 = element(design, "Image1");
    clickWithFile(design, "Command8", good);
    const qint64 kept = image1.picture().cacheKey();
    QVERIFY(!image1.picture().isNull());
    for (const QString &refused : {huge, empty, u"/dev/zero"_s}) {
        QElapsedTimer timer;
        timer.start();
        clickWithFile(design, "Command8", refused);
        QVERIFY2(timer.elapsed() < 3000, qPrintable(refused));
        QCOMPARE(image1.picture().cacheKey(), kept);
        QCOMPARE(control<QLabel>(design, "PIXFLN").text(), refused);
    }
    clickWithFile(design, "Command8", frames);
    QVERIFY(image1.picture().cacheKey() != kept);
    checkUsable(design, dir);
}

void HostileFilesTest::enormousPictureBox()
{
    // Found by fuzzing: a main picture's box of 1e30 pixels asked the loader for more detail
    // than an int holds (undefined behaviour, reported by the sanitizer pass), and drawing a
    // box of 30000 x 30000 took 3.4 GB.
    QTemporaryDir dir;
    const QString photo = dir.filePath(u"photo.png"_s);
    QVERIFY(writeFile(photo, encodedPicture("PNG", {64, 48})));
    for (const float side : {1e30f, 30000.0f}) {
        FileValues values = richDesign();
        values[13] = photo;
        values[14] = side; // height
        values[15] = side; // width
        const QString path = dir.filePath(u"design.vmd"_s);
        QVERIFY(writeFile(path, encodeDesign(values)));

        DesignWindow design;
        const long peakBefore = peakKiB();
        QVERIFY(openCalmly(design, path));
        QCOMPARE(element(design, "Image1").width(), side);
        QVERIFY(!element(design, "Image1").picture().isNull());
        const QImage shown = design.canvas().render(QRect(0, 0, 456, 456));
        QVERIFY(!shown.isNull());
        QVERIFY2(peakKiB() - peakBefore < 256 * 1024, "the box took its size in memory");
        checkUsable(design, dir);
    }
}

QTEST_MAIN(HostileFilesTest)
#include "test_hostile_files.moc"
