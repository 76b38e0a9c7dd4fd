// Hostile picture files: truncated, empty, mislabelled, with enormous headers or thousands of
// frames, and paths that are no file at all. Each gets a calm answer, quickly and without
// taking much memory, and the loader works as before afterwards.

#include "toolkit/canvas.h"
#include "toolkit/pictures.h"

#include "support/hostile_pictures.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>
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

long peakKiB()
{
    rusage usage = {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class HostilePicturesTest : public QObject
{
    Q_OBJECT

private slots:
    void hostileFiles_data();
    void hostileFiles();
    void pathsThatAreNoFile_data();
    void pathsThatAreNoFile();
    void thousandsOfFrames();
    void enormousBoxes_data();
    void enormousBoxes();
};

// The designer asks for pictures at the detail a box needs on paper; files are tried both ways.
void HostilePicturesTest::hostileFiles_data()
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
        {"JPEG named BMP", u"photo.bmp"_s, jpeg, Answer::Loaded},
        {"BMP named JPEG", u"photo.jpg"_s, bmp, Answer::Loaded},
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

void HostilePicturesTest::hostileFiles()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(Answer, answer);
    QFETCH(QSize, fitWithin);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    QVERIFY(writeFile(path, bytes));

    const long peakBefore = peakKiB();
    QElapsedTimer timer;
    timer.start();
    const PictureLoad load = loadPicture(path, fitWithin);
    QVERIFY2(timer.elapsed() < 3000, qPrintable(u"took %1 ms"_s.arg(timer.elapsed())));
    QVERIFY2(peakKiB() - peakBefore < 64 * 1024, "took more than 64 MiB");

    if (load.ok()) {
        QVERIFY2(answer != Answer::Refused, "a hostile picture was decoded");
        QVERIFY(!load.image.isNull());
        QVERIFY(load.error.isEmpty());
    } else {
        QVERIFY2(answer != Answer::Loaded, qPrintable(load.error));
        QVERIFY(load.image.isNull());
        QVERIFY(!load.error.isEmpty());
    }
}

void HostilePicturesTest::pathsThatAreNoFile_data()
{
    QTest::addColumn<QString>("path"); // relative paths are made inside a temporary folder
    QTest::newRow("folder named like a picture") << "folder.jpg";
    QTest::newRow("FIFO") << "pipe.gif";
    QTest::newRow("link to a FIFO") << "link-to-pipe.bmp";
    QTest::newRow("dangling link") << "nowhere.jpg";
    QTest::newRow("link loop") << "loop.jpg";
    QTest::newRow("below a file") << "plain.jpg/inner.jpg";
    QTest::newRow("endless device") << "/dev/zero";
    QTest::newRow("random device") << "/dev/urandom";
    QTest::newRow("empty device") << "/dev/null";
    QTest::newRow("terminal") << "/dev/tty";
}

void HostilePicturesTest::pathsThatAreNoFile()
{
    QFETCH(QString, path);
    QTemporaryDir dir;
    const QByteArray native = QFile::encodeName(dir.path()) + '/';
    QVERIFY(QDir(dir.path()).mkdir(u"folder.jpg"_s));
    QCOMPARE(::mkfifo(native + "pipe.gif", 0600), 0);
    QCOMPARE(::symlink(native + "pipe.gif", native + "link-to-pipe.bmp"), 0);
    QCOMPARE(::symlink(native + "gone.jpg", native + "nowhere.jpg"), 0);
    QCOMPARE(::symlink(native + "loop.jpg", native + "loop.jpg"), 0);
    QVERIFY(writeFile(dir.filePath(u"plain.jpg"_s), encodedPicture("JPEG")));

    QElapsedTimer timer;
    timer.start();
    const PictureLoad load = loadPicture(path.startsWith(u'/') ? path : dir.filePath(path));
    QVERIFY(timer.elapsed() < 3000);
    QVERIFY(!load.ok());
    QVERIFY(load.image.isNull());

    // The loader is as good as before.
    const QString good = dir.filePath(u"good.png"_s);
    QVERIFY(writeFile(good, encodedPicture("PNG")));
    QCOMPARE(loadPicture(good).image.size(), QSize(200, 100));
}

void HostilePicturesTest::thousandsOfFrames()
{
    // Only the first frame is decoded, so length costs nothing.
    QTemporaryDir dir;
    const QString path = dir.filePath(u"long.gif"_s);
    QVERIFY(writeFile(path, framesGif({64, 48}, 20000)));
    QElapsedTimer timer;
    timer.start();
    const PictureLoad load = loadPicture(path, QSize(32, 32));
    QVERIFY2(load.ok(), qPrintable(load.error));
    QVERIFY(timer.elapsed() < 2000);
    QCOMPARE(load.fullSize, QSize(64, 48));
    QVERIFY(load.image.width() >= 32 && load.image.width() <= 64);
}

void HostilePicturesTest::enormousBoxes_data()
{
    // A damaged design file or the size fields can make a picture's box of any size.
    QTest::addColumn<QSizeF>("box");
    QTest::newRow("30000 x 30000") << QSizeF(30000, 30000);
    QTest::newRow("2e9 wide") << QSizeF(2e9, 300);
    QTest::newRow("1e30 x 1e30") << QSizeF(1e30, 1e30);
}

void HostilePicturesTest::enormousBoxes()
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
    QElapsedTimer timer;
    timer.start();
    const QImage screen = canvas.render(QRect(0, 0, 456, 456));
    QCOMPARE(screen.pixelColor(100, 100), QColor(Qt::darkCyan));
    QImage paper(900, 900, QImage::Format_RGB32);
    QPainter painter(&paper);
    painter.scale(600.0 / 96.0, 600.0 / 96.0);
    canvas.paint(painter, QRectF(0, 0, 144, 144));
    painter.end();
    QCoreApplication::processEvents(); // the picture is fitted to paper after it is shown
    QVERIFY2(timer.elapsed() < 5000, qPrintable(u"took %1 ms"_s.arg(timer.elapsed())));
    QVERIFY2(peakKiB() - peakBefore < 256 * 1024,
             qPrintable(u"took %1 MiB"_s.arg((peakKiB() - peakBefore) / 1024)));
    QVERIFY(!picture.picture().isNull());
}

QTEST_MAIN(HostilePicturesTest)
#include "test_hostile_pictures.moc"
