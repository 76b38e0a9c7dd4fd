// Big real photos load, quickly and in little memory, when a baseline JPEG decodes at an
// eighth of its size; a picture whose decoding needs more memory than a desktop can spare is
// refused before it is decoded. The pictures are small JPEGs whose headers claim the big size:
// the decoder works through the whole claimed size either way, so they cost what real ones do.

#include "toolkit/pictures.h"

#include "support/hostile_pictures.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>

using namespace vm;
using namespace vm::test;
using namespace Qt::StringLiterals;

namespace {

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

class PictureBudgetTest : public QObject
{
    Q_OBJECT

private slots:
    // The data ends long before the claimed size; the decoder says so for every picture.
    void initTestCase() { QLoggingCategory::setFilterRules(u"qt.gui.imageio.jpeg=false"_s); }
    void decodesByMemoryNeeded_data();
    void decodesByMemoryNeeded();
};

void PictureBudgetTest::decodesByMemoryNeeded_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("detail");  // as the designer asks for a box; invalid: whole
    QTest::addColumn<QSize>("decoded"); // 0 x 0: refused

    const QByteArray baseline = encodedPicture("JPEG");
    const QByteArray progressive = encodedPicture("JPEG", {200, 100}, true);
    // The main picture's box at 600 dpi, and a logo's.
    const QSize mainBox(2457, 1807), logoBox(250, 250), refused(0, 0);
    QTest::newRow("100-megapixel camera, baseline")
        << withJpegSize(baseline, 11648, 8736) << mainBox << QSize(2912, 2184);
    QTest::newRow("24000 x 6000 panorama, baseline")
        << withJpegSize(baseline, 24000, 6000) << logoBox << QSize(3000, 750);
    // 1.1 GB of coefficients whatever size it is asked for; the same picture in one scan
    // needs 25 MB.
    QTest::newRow("20000 x 19000, progressive")
        << withJpegSize(progressive, 20000, 19000) << mainBox << refused;
    QTest::newRow("20000 x 19000, baseline")
        << withJpegSize(baseline, 20000, 19000) << mainBox << QSize(2500, 2375);
    QTest::newRow("20000 x 19000, baseline, a scan per component")
        << scanPerComponent(withJpegSize(baseline, 20000, 19000)) << mainBox << refused;
    // A GIF's decoder holds its whole screen however small its frames: here 977 MiB, and
    // its image for the box on top.
    QTest::newRow("16000 x 16000 GIF screen") << framesGif({16000, 16000}, 1) << mainBox << refused;
    // Whole, a baseline JPEG needs its full size too.
    QTest::newRow("20000 x 19000, baseline, whole")
        << withJpegSize(baseline, 20000, 19000) << QSize() << refused;
}

void PictureBudgetTest::decodesByMemoryNeeded()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, detail);
    QFETCH(QSize, decoded);
    QTemporaryDir dir;
    QFile file(dir.filePath(u"photo.jpg"_s));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();

    rusage before = {};
    getrusage(RUSAGE_SELF, &before);
    QElapsedTimer timer;
    timer.start();
    const PictureLoad load = loadPicture(file.fileName(), detail);
    const qint64 ms = timer.elapsed();
    rusage after = {};
    getrusage(RUSAGE_SELF, &after);

    QCOMPARE(load.image.size(), decoded);
    QCOMPARE(load.ok(), !decoded.isEmpty());
    QVERIFY2(ms < (decoded.isEmpty() ? 500 : 3000), qPrintable(u"took %1 ms"_s.arg(ms)));
    QVERIFY2(after.ru_maxrss - before.ru_maxrss < 64 * 1024, "took more than 64 MiB");
}

QTEST_MAIN(PictureBudgetTest)
#include "test_picture_budget.moc"
