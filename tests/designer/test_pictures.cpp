// The picture buttons, their slots on the cover, and the window that clears them.

#include "support/design_test_support.h"

#include "designer/windows/pixclear_window.h"
#include "toolkit/fonts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace vm;
using namespace vm::test;
using vm::design::DesignWindow;
using vm::design::PixclearWindow;

class PicturesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void logoIsSqueezedIntoItsBox();
    void mainPictureIsCentred_data();
    void mainPictureIsCentred();
    void failedLoadKeepsThePicture();
    void growingBoxDecodesMoreDetail();

    void clearingWindow();
    void clearingWindowUnticksWhenActivated();

private:
    // A picture of two halves, left red and right blue, saved in the test folder.
    QString twoHalves(const char *name, QSize size);
    static QLabel &pathLabel(const DesignWindow &design, const char *name)
    {
        return control<QLabel>(design, name);
    }
    // The clearing window, when one exists.
    static PixclearWindow *pixclearWindow()
    {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (auto *pixclear = qobject_cast<PixclearWindow *>(window))
                return pixclear;
        }
        return nullptr;
    }
    static QColor at(const DesignWindow &design, int x, int y)
    {
        return design.canvas().render(QRect(x, y, 1, 1)).pixelColor(0, 0);
    }

    QTemporaryDir m_dir;
};

void PicturesTest::initTestCase()
{
    installFontSubstitutes();
    QVERIFY(m_dir.isValid());
}

QString PicturesTest::twoHalves(const char *name, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::blue);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width() / 2; ++x)
            image.setPixelColor(x, y, Qt::red);
    const QString path = m_dir.filePath(QString::fromLatin1(name));
    if (!image.save(path))
        qFatal("cannot write %s", name);
    return path;
}

void PicturesTest::logoIsSqueezedIntoItsBox()
{
    DesignWindow design;
    ScriptedFileAnswer answer;
    answer.chosen = twoHalves("wide.bmp", QSize(100, 50));
    scriptFileDialog(design, answer);

    click(design, "Command9");
    QCOMPARE(answer.shown, 1);
    QCOMPARE(answer.filter, QStringLiteral("Image Files|*.jpg;*.gif;*.bmp"));
    QCOMPARE(pathLabel(design, "Label30").text(), answer.chosen);

    // Stretched into the 40 x 40 box at the lower left: each half fills half the box.
    const Element &logo = element(design, "Image2");
    QCOMPARE(logo.rect(), QRectF(25, 400, 40, 40));
    QCOMPARE(at(design, 26, 401), QColor(Qt::red));
    QCOMPARE(at(design, 43, 438), QColor(Qt::red));
    QCOMPARE(at(design, 47, 401), QColor(Qt::blue));
    QCOMPARE(at(design, 66, 420), QColor(Qt::white));

    // A cancelled dialog changes no slot.
    const qint64 picture = logo.picture().cacheKey();
    answer.cancel = true;
    for (const char *button : {"Command8", "Command9", "Command12"})
        click(design, button);
    QCOMPARE(answer.shown, 4);
    QCOMPARE(pathLabel(design, "Label30").text(), m_dir.filePath(QStringLiteral("wide.bmp")));
    QCOMPARE(logo.picture().cacheKey(), picture);
    QVERIFY(element(design, "Image1").picture().isNull());
}

void PicturesTest::mainPictureIsCentred_data()
{
    QTest::addColumn<bool>("back");
    QTest::addColumn<float>("left");
    QTest::newRow("front") << false << 78.0f;
    QTest::newRow("back") << true << 109.5f;
}

void PicturesTest::mainPictureIsCentred()
{
    QFETCH(bool, back);
    QFETCH(float, left);
    DesignWindow design;
    if (back)
        option(design, "Option4").setChecked(true);
    // A 300 x 200 box away from the centre, its size fields still saying 393 x 289.
    Element &image1 = element(design, "Image1");
    image1.setGeometry(0, 0, 300, 200);

    ScriptedFileAnswer answer;
    answer.chosen = twoHalves("main.jpg", QSize(60, 40));
    scriptFileDialog(design, answer);
    click(design, "Command8");

    QCOMPARE(pathLabel(design, "PIXFLN").text(), answer.chosen);
    QVERIFY(!image1.picture().isNull());
    QCOMPARE(image1.rect(), QRectF(left, 128, 300, 200));
    QCOMPARE(entry(design, "Text7").text(), QStringLiteral("393"));
    QCOMPARE(entry(design, "Text8").text(), QStringLiteral("289"));
}

void PicturesTest::failedLoadKeepsThePicture()
{
    // A one-pixel red GIF, written byte by byte (Qt reads GIF but does not write it).
    QFile gif(m_dir.filePath(QStringLiteral("good.gif")));
    QVERIFY(gif.open(QIODevice::WriteOnly));
    gif.write(QByteArray::fromHex("474946383961010001008000"
                                  "00ff000000000021f90400000000002c000000000100010000020244"
                                  "01003b"));
    gif.close();

    DesignWindow design;
    ScriptedFileAnswer answer;
    answer.chosen = gif.fileName();
    scriptFileDialog(design, answer);
    click(design, "Command8");
    Element &image1 = element(design, "Image1");
    QCOMPARE(at(design, 200, 200), QColor(Qt::red));
    const qint64 good = image1.picture().cacheKey();
    image1.setLeft(5); // moved: a failed load must not centre it again

    QFile text(m_dir.filePath(QStringLiteral("notes.jpg")));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("not a picture at all");
    text.close();
    const QString fifo = m_dir.filePath(QStringLiteral("pipe.gif"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);

    // Not a picture, a pipe nobody writes to (refused, not waited on), a folder, nothing.
    for (const QString &chosen :
         {text.fileName(), fifo, m_dir.path(), m_dir.filePath(QStringLiteral("gone.bmp"))}) {
        answer.chosen = chosen;
        QElapsedTimer timer;
        timer.start();
        click(design, "Command8");
        QVERIFY(timer.elapsed() < 5000);
        QCOMPARE(pathLabel(design, "PIXFLN").text(), chosen);
        QCOMPARE(image1.picture().cacheKey(), good);
        QCOMPARE(image1.left(), 5.0f);
    }
}

void PicturesTest::growingBoxDecodesMoreDetail()
{
    // A photo decodes at the detail its box needs at 600 dpi: 393 x 289 pixels need
    // 2457 x 1807, which five eighths of 4000 x 3000 give.
    QImage photo(4000, 3000, QImage::Format_RGB32);
    photo.fill(Qt::darkGreen);
    const QString path = m_dir.filePath(QStringLiteral("photo.jpg"));
    QVERIFY(photo.save(path));

    DesignWindow design;
    ScriptedFileAnswer answer;
    answer.chosen = path;
    scriptFileDialog(design, answer);
    click(design, "Command8");
    const Element &image1 = element(design, "Image1");
    QCOMPARE(image1.picture().size(), QSize(2500, 1875));

    // A smaller box keeps what it has; a wider one decodes again, with more (the steps are
    // the toolkit's).
    entry(design, "Text7").setText(QStringLiteral("200"));
    QCOMPARE(image1.picture().size(), QSize(2500, 1875));
    entry(design, "Text7").setText(QStringLiteral("600"));
    QCOMPARE(image1.picture().size(), QSize(4000, 3000));

    // With the file gone the picture stays as it was.
    QVERIFY(QFile::remove(path));
    entry(design, "Text8").setText(QStringLiteral("456"));
    QCOMPARE(image1.picture().size(), QSize(4000, 3000));
}

void PicturesTest::clearingWindow()
{
    DesignWindow design;
    ScriptedFileAnswer answer;
    scriptFileDialog(design, answer);
    answer.chosen = twoHalves("all.bmp", QSize(4, 4));
    for (const char *button : {"Command8", "Command9", "Command12"})
        click(design, button);
    Element &image1 = element(design, "Image1");
    image1.setLeft(7);

    click(design, "Command16");
    PixclearWindow *pixclear = pixclearWindow();
    QVERIFY(pixclear && pixclear->isVisible());
    QCOMPARE(pixclear->windowTitle(), QStringLiteral("Remove Current Images?"));
    auto ok = [&] { pixclear->findChild<QPushButton *>(QStringLiteral("Command1"))->click(); };

    // Only logo 2 is cleared; the window hides and the next "CLR" shows the same one.
    pixclear->check(3)->setChecked(true);
    ok();
    QVERIFY(!pixclear->isVisible());
    QVERIFY(element(design, "Image3").picture().isNull());
    QCOMPARE(pathLabel(design, "LOGO2FLN").text(), QString());
    QVERIFY(!image1.picture().isNull());
    QVERIFY(!element(design, "Image2").picture().isNull());
    QCOMPARE(pathLabel(design, "PIXFLN").text(), answer.chosen);

    // The main picture goes; its box stays where and as large as it was.
    click(design, "Command16");
    QCOMPARE(pixclearWindow(), pixclear);
    pixclear->check(1)->setChecked(true);
    ok();
    QVERIFY(image1.picture().isNull());
    QCOMPARE(pathLabel(design, "PIXFLN").text(), QString());
    QCOMPARE(image1.rect(), QRectF(7, 83.5, 393, 289));

    // Closed by the user, it is made anew on the next use; it goes with the designer.
    QPointer<PixclearWindow> closed = pixclear;
    closed->close();
    QTRY_VERIFY(!closed);
    click(design, "Command16");
    QPointer<PixclearWindow> shown = pixclearWindow();
    QVERIFY(shown && shown->isVisible());
    QVERIFY(design.close());
    QTRY_VERIFY(!shown);
}

void PicturesTest::clearingWindowUnticksWhenActivated()
{
    DesignWindow design;
    design.show();
    QVERIFY(QTest::qWaitForWindowExposed(&design));
    click(design, "Command16");
    auto *pixclear = pixclearWindow();
    QVERIFY(QTest::qWaitForWindowActive(pixclear));

    for (int n = 1; n <= 3; ++n)
        pixclear->check(n)->setChecked(true);
    design.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&design));
    QVERIFY(pixclear->check(2)->isChecked()); // kept while another window is active
    pixclear->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(pixclear));
    for (int n = 1; n <= 3; ++n)
        QVERIFY(!pixclear->check(n)->isChecked());
}

QTEST_MAIN(PicturesTest)
#include "test_pictures.moc"
