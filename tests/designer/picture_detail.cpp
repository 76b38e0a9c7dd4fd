// A chosen picture shows at once at the screen's size; paper's detail follows from a worker:
// printing right away still gets it, a later choice or a closed window drops the older decode.
#include "support/design_fixture.h"
#include "support/pages.h"
#include "support/test_main.h"

#include "designer/document/picture_detail.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPrinter>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>

#include <memory>
#include <optional>

using namespace vm;
using namespace vm::test;
using namespace Qt::StringLiterals;
using vm::design::DesignWindow;

namespace {

// A 4000 x 3000 photo shows at 1/8 (500 x 375) in the 393 x 289 box and prints from 5/8 fitted
// to 600 dpi of it.
const QSize ScreenSize(500, 375), PaperSize(2457, 1807);

// Keeps every decoding thread busy while it lives: a decode started meanwhile waits its turn.
class BusyDecoders
{
public:
    BusyDecoders()
    {
        auto started = std::make_shared<QSemaphore>();
        for (int i = 0; i < m_threads; ++i)
            design::pictureDecoders().start([started, go = m_go] {
                started->release();
                go->acquire();
            });
        started->acquire(m_threads);
    }
    ~BusyDecoders() { m_go->release(m_threads); }

private:
    const int m_threads = design::pictureDecoders().maxThreadCount();
    std::shared_ptr<QSemaphore> m_go = std::make_shared<QSemaphore>();
};

void settle()
{
    design::pictureDecoders().waitForDone();
    QCoreApplication::processEvents();
}

} // namespace

class PictureDetailTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString photo(const char *name, Qt::GlobalColor colour)
    {
        const QString path = m_dir.filePath(QString::fromLatin1(name));
        if (!QFileInfo::exists(path)) {
            QImage image(4000, 3000, QImage::Format_RGB32);
            image.fill(colour);
            image.save(path);
        }
        return path;
    }

    static void choose(DesignWindow &design, const QString &path)
    {
        checkBox(design, "Check12").setChecked(false); // no save question on New or Close
        scriptDialogs(design.commonDialog()).chosenFile = path;
        click(design, "Command8");
        QCoreApplication::processEvents(); // the decode goes to a worker after the screen
    }

private slots:
    void initTestCase()
    {
        // Pages go to files only; no print server is asked (as in the other print tests).
        if (qEnvironmentVariableIsEmpty("CUPS_SERVER"))
            qputenv("CUPS_SERVER", "/nonexistent/vellumora-test-no-print-server.sock");
    }

    void printRightAfterChoosing_data()
    {
        QTest::addColumn<bool>("queued"); // no thread free: printing decodes it itself
        QTest::newRow("queued") << true;
        QTest::newRow("on a worker") << false;
    }

    void printRightAfterChoosing()
    {
        QFETCH(bool, queued);
        if (const QString tool = missingPdfTool(); !tool.isEmpty())
            QSKIP(qPrintable(tool + u" is missing"_s));
        DesignWindow design;
        std::optional<BusyDecoders> busy;
        if (queued)
            busy.emplace();
        choose(design, photo("red.jpg", Qt::red));
        const Element &image1 = element(design, "Image1");
        QCOMPARE(image1.picture().size(), ScreenSize);
        const QString pdf = m_dir.filePath(u"page.pdf"_s);
        design.printer().setOutputFormat(QPrinter::PdfFormat);
        design.printer().setOutputFileName(pdf);
        click(design, "Command7");
        QCOMPARE(image1.picture().size(), PaperSize);
        const QList<PdfImage> images = pdfImages(pdf);
        QCOMPARE(images.size(), 1);
        QVERIFY(images[0].xPpi >= 590 && images[0].yPpi >= 590);
    }

    void laterChangeWins_data()
    {
        QTest::addColumn<bool>("firstDone"); // decoded, not yet taken; else waiting its turn
        QTest::addColumn<bool>("newDesign"); // New clears the box; else another picture
        QTest::newRow("choice, first waiting") << false << false;
        QTest::newRow("choice, first decoded") << true << false;
        QTest::newRow("New, first decoded") << true << true;
    }

    void laterChangeWins()
    {
        QFETCH(bool, firstDone);
        QFETCH(bool, newDesign);
        DesignWindow design;
        const Element &image1 = element(design, "Image1");
        {
            std::optional<BusyDecoders> busy(std::in_place);
            choose(design, photo("red.jpg", Qt::red));
            if (firstDone) {
                busy.reset();
                design::pictureDecoders().waitForDone();
            }
            if (newDesign)
                click(design, "Command4");
            else
                choose(design, photo("blue.jpg", Qt::blue));
        }
        if (newDesign) {
            settle();
            QVERIFY(image1.picture().isNull());
            return;
        }
        QTRY_COMPARE(image1.picture().size(), PaperSize);
        settle();
        const QColor shown = image1.picture().pixelColor(1000, 1000);
        QVERIFY(shown.blue() > 200 && shown.red() < 50);
    }

    void closingWhileDecoding_data()
    {
        QTest::addColumn<bool>("deleted"); // the window is gone; else closed only
        QTest::newRow("closed") << false;
        QTest::newRow("deleted") << true;
    }

    void closingWhileDecoding()
    {
        QFETCH(bool, deleted);
        auto design = std::make_unique<DesignWindow>();
        design->show();
        choose(*design, photo("red.jpg", Qt::red));
        if (deleted)
            design.reset();
        else
            QVERIFY(design->close());
        settle();
        if (!deleted)
            QCOMPARE(element(*design, "Image1").picture().size(), ScreenSize);
    }
};

VM_TEST_CLASS(PictureDetailTest)
#include "picture_detail.moc"
