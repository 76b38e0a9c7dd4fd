// SPDX-License-Identifier: GPL-3.0-or-later
// A chosen picture shows at once at the screen's size; paper's detail follows from a worker:
// printing right away still gets it, a later change or a closed window drops the older decode.
#include "support/design_fixture.h"
#include "support/pages.h"
#include "support/test_main.h"

#include "designer/document/picture_detail.h"

#include <QCoreApplication>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>

#include <memory>

using namespace vm;
using namespace vm::test;
using namespace Qt::StringLiterals;
using vm::design::DesignWindow;

namespace {

// A 4000 x 3000 photo shows at 1/8 in the 393 x 289 box and prints from 5/8 fitted to 600 dpi.
const QSize ScreenSize(500, 375), PaperSize(2457, 1807);

} // namespace

class PictureDetailTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    void choose(DesignWindow &design, const char *colour)
    {
        checkBox(design, "Check12").setChecked(false); // no save question on New or Close
        scriptDialogs(design.commonDialog()).chosenFile =
            m_dir.filePath(QString::fromLatin1(colour) + u".jpg"_s);
        click(design, "Command8");
    }

private slots:
    void initTestCase()
    {
        withoutPrintServer();
        QImage photo(4000, 3000, QImage::Format_RGB32);
        for (const char *colour : {"red", "blue"}) {
            photo.fill(QColor::fromString(QString::fromLatin1(colour)));
            QVERIFY(photo.save(m_dir.filePath(QString::fromLatin1(colour) + u".jpg"_s)));
        }
    }

    void printRightAfterChoosing_data()
    {
        QTest::addColumn<bool>("started"); // by a worker; else printing decodes it itself
        QTest::newRow("not started") << false;
        QTest::newRow("on a worker") << true;
    }

    void printRightAfterChoosing()
    {
        QFETCH(bool, started);
        if (const QString tool = missingPdfTool(); !tool.isEmpty())
            QSKIP(qPrintable(tool + u" is missing"_s));
        DesignWindow design;
        choose(design, "red");
        if (started)
            QCoreApplication::processEvents(); // the decode goes to a worker after the screen
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
        QTest::addColumn<QString>("first"); // red's decode: not yet on a worker, decoding, done
        QTest::addColumn<QString>("then");  // another photo, New, closing or deleting the window
        QTest::addColumn<QSize>("kept");    // the main picture's size in the end (none: empty)
        QTest::newRow("blue, red waiting") << u"waiting"_s << u"blue"_s << PaperSize;
        QTest::newRow("blue, red decoded") << u"decoded"_s << u"blue"_s << PaperSize;
        QTest::newRow("New, red decoded") << u"decoded"_s << u"New"_s << QSize();
        QTest::newRow("closed") << u"decoding"_s << u"close"_s << ScreenSize;
        QTest::newRow("deleted") << u"decoding"_s << u"delete"_s << QSize();
    }

    void laterChangeWins()
    {
        QFETCH(QString, first);
        QFETCH(QString, then);
        QFETCH(QSize, kept);
        auto design = std::make_unique<DesignWindow>();
        design->show();
        choose(*design, "red");
        if (first != u"waiting")
            QCoreApplication::processEvents();
        if (first == u"decoded") // its picture waits for the event loop
            design::pictureDecoders().waitForDone();
        if (then == u"blue")
            choose(*design, "blue");
        else if (then == u"New")
            click(*design, "Command4");
        else if (then == u"close")
            QVERIFY(design->close());
        else
            design.reset();
        QCoreApplication::processEvents(); // on to a worker,
        design::pictureDecoders().waitForDone();
        QCoreApplication::processEvents(); // and back with the picture
        if (!design)
            return;
        const QImage &picture = element(*design, "Image1").picture();
        QCOMPARE(picture.isNull() ? QSize() : picture.size(), kept);
        if (then == u"blue")
            QVERIFY(picture.pixelColor(1000, 1000).blue() > 200);
    }
};

VM_TEST_CLASS(PictureDetailTest)
#include "picture_detail.moc"
