// SPDX-License-Identifier: GPL-3.0-or-later
// Loading pictures: decoded only as large as asked, and calm about every hostile file or path
// (truncated, mislabelled, enormous headers, thousands of frames, things that are no file),
// without taking much memory; a canvas draws a picture in any box without running out of it.
#include "toolkit/pictures.h"
#include "toolkit/canvas.h"

#include "support/files.h"
#include "support/hostile_pictures.h"
#include "support/test_main.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace vm;
using namespace vm::test;
using namespace Qt::StringLiterals;

namespace {

enum class Answer
{
    Refused,
    Loaded,
    // A damaged picture may be refused or decoded as far as it goes; both are calm answers.
    RefusedOrLoaded,
};

// The same JPEG with only its first component in its first scan, as if the others followed
// in scans of their own.
QByteArray scanPerComponent(QByteArray jpeg)
{
    const qsizetype scan = jpeg.indexOf("\xFF\xDA");
    jpeg[scan + 3] = 8; // the scan header's length
    jpeg[scan + 4] = 1; // components in the scan
    return jpeg.remove(scan + 7, 4);
}

} // namespace

class PicturesTest : public QObject
{
    Q_OBJECT

private slots:
    void decodesAtTheSizeAsked();
    void decodesByMemoryNeeded_data();
    void decodesByMemoryNeeded();
    void hostileFiles_data();
    void hostileFiles();
    void pathsThatAreNoFile_data();
    void pathsThatAreNoFile();
    void thousandsOfFrames();
    void enormousBoxes_data();
    void enormousBoxes();
};

void PicturesTest::decodesAtTheSizeAsked()
{
    QTemporaryDir dir;
    QImage big(800, 400, QImage::Format_RGB32);
    big.fill(Qt::darkCyan);
    const QString png = dir.filePath(u"wide.png"_s);
    const QString jpg = dir.filePath(u"wide.jpg"_s);
    QVERIFY(big.save(png) && big.save(jpg));

    QCOMPARE(loadPicture(png).image.size(), QSize(800, 400));
    // The smallest eighth of the picture that has the detail asked for both ways.
    QCOMPARE(loadPicture(png, QSize(200, 200)).image.size(), QSize(400, 200));
    QCOMPARE(loadPicture(jpg, QSize(100, 40)).image.size(), QSize(100, 50));
    QCOMPARE(loadPicture(jpg, QSize(100, 40)).fullSize, QSize(800, 400));
    QCOMPARE(loadPicture(jpg, QSize(101, 40)).image.size(), QSize(200, 100));
    // A small picture is never blown up.
    QCOMPARE(loadPicture(png, QSize(2000, 2000)).image.size(), QSize(800, 400));
    QCOMPARE(loadPicture(jpg, QSize(100, 1000)).image.size(), QSize(800, 400));

    // A decode nobody wants any more ends as the file is read (a noisy photo is no small read).
    for (int y = 0; y < big.height(); ++y)
        for (int x = 0; x < big.width(); ++x)
            big.setPixel(x, y, QRandomGenerator::global()->generate());
    QVERIFY(big.save(jpg));
    int reads = 0;
    QVERIFY(!loadPicture(jpg, {}, {}, [&] { return ++reads > 2; }).ok());
    QVERIFY(loadPicture(jpg, {}, {}, [] { return false; }).ok());
}

// Big real photos load when they decode in little memory (a baseline JPEG at an eighth of its
// size); what needs more than a desktop can spare is refused before it is decoded. Small
// files whose headers claim the big size cost what real ones do: the decoder works through
// the whole claimed size either way.
void PicturesTest::decodesByMemoryNeeded_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("detail");  // as the designer asks for a box; invalid: whole
    QTest::addColumn<QSize>("decoded"); // 0 x 0: refused
    const QByteArray baseline = encodedPicture("JPEG");
    const QByteArray huge = withJpegSize(baseline, 20000, 19000);
    const QSize mainBox(2457, 1807), refused(0, 0); // the main picture's box at 600 dpi
    QTest::newRow("100-megapixel camera, baseline")
        << withJpegSize(baseline, 11648, 8736) << mainBox << QSize(2912, 2184);
    QTest::newRow("24000 x 6000 panorama, for a logo")
        << withJpegSize(baseline, 24000, 6000) << QSize(250, 250) << QSize(3000, 750);
    QTest::newRow("20000 x 19000, baseline") << huge << mainBox << QSize(2500, 2375);
    QTest::newRow("20000 x 19000, baseline, whole") << huge << QSize() << refused;
    // 1.1 GB of coefficients whatever size it is asked for, as with a scan per component.
    QTest::newRow("20000 x 19000, progressive")
        << withJpegSize(encodedPicture("JPEG", {200, 100}, true), 20000, 19000) << mainBox
        << refused;
    QTest::newRow("20000 x 19000, a scan per component")
        << scanPerComponent(huge) << mainBox << refused;
    // A GIF's decoder holds its whole screen however small its frames.
    QTest::newRow("16000 x 16000 GIF screen") << framesGif({16000, 16000}, 1) << mainBox << refused;
}

void PicturesTest::decodesByMemoryNeeded()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, detail);
    QFETCH(QSize, decoded);
    QTemporaryDir dir;
    QVERIFY(writeAll(dir.filePath(u"photo.jpg"_s), bytes));
    const long peakBefore = peakKiB();
    const PictureLoad load = loadPicture(dir.filePath(u"photo.jpg"_s), detail);
    QCOMPARE(load.image.size(), decoded);
    QCOMPARE(load.ok(), !decoded.isEmpty());
    QVERIFY2(peakKiB() - peakBefore < 64 * 1024, "took more than 64 MiB");
}

// The designer asks for pictures at the detail a box needs on paper; files are tried both ways.
void PicturesTest::hostileFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QSize>("fitWithin");

    const QByteArray jpeg = encodedPicture("JPEG");
    const QByteArray png = encodedPicture("PNG");
    const QByteArray bmp = encodedPicture("BMP");
    const QByteArray progressive = encodedPicture("JPEG", {200, 100}, true);
    const QByteArray smallGif = framesGif({40, 30}, 3);
    struct Row
    {
        const char *tag;
        QString name;
        QByteArray bytes;
        Answer answer;
    };
    const QList<Row> rows = {
        {"zero bytes", u"empty.jpg"_s, {}, Answer::Refused},
        {"text as GIF", u"notes.gif"_s, "GIF? no, just words\n", Answer::Refused},
        // The content decides, not the name.
        {"JPEG named BMP", u"photo.bmp"_s, jpeg, Answer::Loaded},
        {"PNG named GIF", u"photo.gif"_s, png, Answer::Loaded},
        {"truncated JPEG", u"cut.jpg"_s, jpeg.first(jpeg.size() / 2), Answer::RefusedOrLoaded},
        {"JPEG header only", u"head.jpg"_s, jpeg.first(jpeg.indexOf("\xFF\xDA")),
         Answer::RefusedOrLoaded},
        {"truncated progressive JPEG", u"cut.jpg"_s, progressive.first(progressive.size() / 3),
         Answer::RefusedOrLoaded},
        {"truncated PNG", u"cut.png"_s, png.first(png.size() / 2), Answer::RefusedOrLoaded},
        {"PNG signature only", u"sig.png"_s, png.first(8), Answer::Refused},
        {"truncated BMP", u"cut.bmp"_s, bmp.first(bmp.size() / 2), Answer::RefusedOrLoaded},
        {"truncated GIF", u"cut.gif"_s, smallGif.first(smallGif.size() - 12),
         Answer::RefusedOrLoaded},
        {"50000 x 50000 JPEG", u"huge.jpg"_s, withJpegSize(jpeg, 50000, 50000), Answer::Refused},
        // Once decoded for 29 s into 7 GB: the decoder keeps the full size, however small the
        // image asked for.
        {"50000 x 50000 progressive JPEG", u"huge.jpg"_s, withJpegSize(progressive, 50000, 50000),
         Answer::Refused},
        {"50000 x 50000 PNG", u"huge.png"_s, withPngSize(png, 50000, 50000), Answer::Refused},
        {"50000 x 50000 BMP", u"huge.bmp"_s, withBmpSize(bmp, 50000, 50000), Answer::Refused},
        {"65535 x 65535 GIF screen", u"huge.gif"_s, framesGif({65535, 65535}, 1), Answer::Refused},
    };
    for (const Row &row : rows) {
        QTest::addRow("%s, whole", row.tag) << row.name << row.bytes << row.answer << QSize();
        QTest::addRow("%s, for a box", row.tag)
            << row.name << row.bytes << row.answer << QSize(2850, 2850);
    }
}

void PicturesTest::hostileFiles()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(Answer, answer);
    QFETCH(QSize, fitWithin);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    QVERIFY(writeAll(path, bytes));

    const long peakBefore = peakKiB();
    const PictureLoad load = loadPicture(path, fitWithin);
    QVERIFY2(peakKiB() - peakBefore < 64 * 1024, "took more than 64 MiB");
    if (load.ok()) {
        QVERIFY2(answer != Answer::Refused, "a hostile picture was decoded");
        QVERIFY(!load.image.isNull());
    } else {
        QVERIFY2(answer != Answer::Loaded, qPrintable(load.error));
        QVERIFY(load.image.isNull());
        QVERIFY(!load.error.isEmpty());
    }
}

void PicturesTest::pathsThatAreNoFile_data()
{
    QTest::addColumn<QString>("path"); // relative paths are made inside a temporary folder
    QTest::newRow("empty name") << "";
    QTest::newRow("missing") << "missing.jpg";
    QTest::newRow("folder named like a picture") << "folder.jpg";
    QTest::newRow("FIFO") << "pipe.gif"; // a plain open would wait for a writer for ever
    QTest::newRow("FIFO holding a picture") << "full-pipe.png";
    QTest::newRow("link to a FIFO") << "link-to-pipe.bmp";
    QTest::newRow("dangling link") << "nowhere.jpg";
    QTest::newRow("link loop") << "loop.jpg";
    QTest::newRow("below a file") << "plain.jpg/inner.jpg";
    QTest::newRow("endless device") << "/dev/zero";
    QTest::newRow("empty device") << "/dev/null";
    QTest::newRow("terminal") << "/dev/tty";
}

void PicturesTest::pathsThatAreNoFile()
{
    QFETCH(QString, path);
    QTemporaryDir dir;
    const QByteArray native = QFile::encodeName(dir.path()) + '/';
    QVERIFY(QDir(dir.path()).mkdir(u"folder.jpg"_s));
    QCOMPARE(::mkfifo(native + "pipe.gif", 0600), 0);
    QCOMPARE(::symlink(native + "pipe.gif", native + "link-to-pipe.bmp"), 0);
    QCOMPARE(::symlink(native + "gone.jpg", native + "nowhere.jpg"), 0);
    QCOMPARE(::symlink(native + "loop.jpg", native + "loop.jpg"), 0);
    QVERIFY(writeAll(dir.filePath(u"plain.jpg"_s), encodedPicture("JPEG")));
    // Held open for writing, so that what it holds could be read at once.
    QCOMPARE(::mkfifo(native + "full-pipe.png", 0600), 0);
    const int pipe = ::open(native + "full-pipe.png", O_RDWR | O_NONBLOCK);
    const QByteArray png = encodedPicture("PNG", {8, 8});
    QCOMPARE(::write(pipe, png.constData(), png.size()), png.size());

    const PictureLoad load =
        loadPicture(path.isEmpty() || path.startsWith(u'/') ? path : dir.filePath(path));
    QVERIFY(!load.ok());
    QVERIFY(load.image.isNull());
    QVERIFY(!load.error.isEmpty());
    ::close(pipe);
}

void PicturesTest::thousandsOfFrames()
{
    // Only the first frame is decoded, so length costs nothing.
    QTemporaryDir dir;
    const QString path = dir.filePath(u"long.gif"_s);
    QVERIFY(writeAll(path, framesGif({64, 48}, 20000)));
    const PictureLoad load = loadPicture(path, QSize(32, 32));
    QVERIFY2(load.ok(), qPrintable(load.error));
    QCOMPARE(load.fullSize, QSize(64, 48));
}

void PicturesTest::enormousBoxes_data()
{
    // A damaged design file or the size fields can make a picture's box of any size.
    QTest::addColumn<QSizeF>("box");
    QTest::newRow("30000 x 30000") << QSizeF(30000, 30000);
    QTest::newRow("2e9 wide") << QSizeF(2e9, 300);
    QTest::newRow("1e30 x 1e30") << QSizeF(1e30, 1e30);
}

void PicturesTest::enormousBoxes()
{
    // Drawn on the screen, on paper and fitted to paper, a picture takes memory by what shows,
    // not by the size of its box.
    QFETCH(QSizeF, box);
    Canvas canvas;
    Element &picture = canvas.add(u"Image1"_s, ElementKind::Picture);
    QImage photo(640, 480, QImage::Format_RGB32);
    photo.fill(Qt::darkCyan);
    picture.setGeometry(-10, -10, float(box.width()), float(box.height()));
    picture.setPicture(photo);

    const long peakBefore = peakKiB();
    const QImage screen = canvas.render(QRect(0, 0, 456, 456));
    QCOMPARE(screen.pixelColor(100, 100), QColor(Qt::darkCyan));
    QImage paper(900, 900, QImage::Format_RGB32);
    QPainter painter(&paper);
    painter.scale(600.0 / 96.0, 600.0 / 96.0);
    canvas.paint(painter, QRectF(0, 0, 144, 144));
    painter.end();
    QCoreApplication::processEvents(); // the picture is fitted to paper after it is shown
    QVERIFY2(peakKiB() - peakBefore < 256 * 1024,
             qPrintable(u"took %1 MiB"_s.arg((peakKiB() - peakBefore) / 1024)));
    QVERIFY(!picture.picture().isNull());
}

VM_TEST_CLASS(PicturesTest)
#include "pictures.moc"
