// SPDX-License-Identifier: GPL-3.0-or-later
// vmrender from the outside: each format against the designer's own rendering of the same
// file, batches, exit statuses and messages, atomic output, and the thumbnailer's command.
#include "support/design_fixture.h"
#include "support/hostile_pictures.h"
#include "support/pages.h"
#include "support/test_main.h"

#include "toolkit/page_export.h"

#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <sys/stat.h>

using namespace vm;
using namespace vm::test;
using namespace Qt::StringLiterals;
using vm::design::DesignWindow;

namespace {

struct Run
{
    int status = -1;
    QString err;
};

// vmrender with `arguments`; `shell` runs before it in sh (limits).
Run vmrender(const QStringList &arguments, const QString &shell = u":"_s)
{
    QProcess process;
    process.start(
        u"sh"_s, QStringList{u"-c"_s, shell + u"; exec \"$0\" \"$@\""_s, QStringLiteral(VMRENDER)} +
                     arguments);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardError())};
}

QByteArray sample()
{
    return readAll(dataFile(u"designer/sample.vmd"_s));
}

// The sample with a picture of 150 x 150 design pixels.
QByteArray withPicture(const QString &picture)
{
    return withLine(withLine(withLine(sample(), 14, picture.toUtf8()), 15, " 150 "), 16, " 150 ");
}

} // namespace

class RenderTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_design;
    std::unique_ptr<DesignWindow> m_designer; // the same file opened as Open opens it

    QString path(const QString &name) const { return m_dir.filePath(name); }

private slots:
    void initTestCase()
    {
        withoutPrintServer();
        QVERIFY(writeAll(path(u"photo.jpg"_s), encodedPicture("jpg", {3000, 2000})));
        m_design = path(u"cover.vmd"_s);
        QVERIFY(writeAll(m_design, withPicture(path(u"photo.jpg"_s))));
        m_designer = std::make_unique<DesignWindow>();
        m_designer->openDesignFile(m_design);
    }

    void pngIsTheDesignersImage_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<qreal>("dpi"); // 0: 256 pixels on the longer side
        // The thumbnail first: the designer's pictures have only the screen's detail till then.
        QTest::newRow("thumbnail") << QStringList{u"--size"_s, u"256"_s} << 0.0;
        QTest::newRow("150 dpi") << QStringList{u"--dpi"_s, u"150"_s} << 150.0;
    }

    void pngIsTheDesignersImage()
    {
        QFETCH(QStringList, arguments);
        QFETCH(qreal, dpi);
        QCOMPARE(vmrender(arguments << m_design << path(u"out.png"_s)).status, 0);
        QImage expected;
        const QRectF cut = m_designer->coverCut();
        const qreal scale = dpi ? dpi : 256 * 96.0 / std::max(cut.width(), cut.height());
        // A small image needs no more of the photo than the screen shows.
        m_designer->sendCoverPage(
            [&](const QRectF &, const PagePaint &paint) {
                expected = pageImage(cut, scale, paint);
                return PrintResult{};
            },
            scale > 96);
        const QImage png(path(u"out.png"_s));
        QVERIFY(dpi || std::max(png.width(), png.height()) == 256);
        QCOMPARE(png.convertToFormat(QImage::Format_RGB32), expected);
    }

    void pdfIsTheDesignersPage()
    {
        if (const QString tool = missingPdfTool(); !tool.isEmpty())
            QSKIP(qPrintable(tool + u" (poppler-utils) is missing"_s));
        const QString expected = path(u"designer.pdf"_s);
        m_designer->sendCoverPage([&](const QRectF &page, const PagePaint &paint) {
            return writePdfPage(expected, QPrinter(QPrinter::HighResolution).pageLayout(), page,
                                paint);
        });
        QCOMPARE(vmrender({u"--page"_s, m_design, path(u"page.pdf"_s)}).status, 0);
        QCOMPARE(renderPdfPage(path(u"page.pdf"_s)), renderPdfPage(expected));
        // The cover alone: a page its size, its texts, the photo at paper's detail.
        QCOMPARE(vmrender({m_design}).status, 0);
        const QString cover = path(u"cover.pdf"_s);
        QCOMPARE(renderPdfPage(cover).size(), m_designer->coverCut().size().toSize());
        QVERIFY(pdfText(cover).contains(u"Sample Top"_s));
        const QList<PdfImage> images = pdfImages(cover);
        QVERIFY(std::any_of(images.begin(), images.end(), [](const PdfImage &image) {
            return image.width >= 900 && image.xPpi >= 590 && image.xPpi <= 601;
        }));
    }

    void svgHoldsTheHeadlineAsText()
    {
        QCOMPARE(vmrender({u"--svg"_s, m_design}).status, 0);
        QFile file(path(u"cover.svg"_s));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader svg(&file);
        QStringList texts;
        QString viewBox;
        while (!svg.atEnd()) {
            if (svg.readNext() == QXmlStreamReader::StartElement && svg.name() == u"text")
                texts << svg.readElementText().trimmed();
            else if (svg.isStartElement() && svg.name() == u"svg")
                viewBox = svg.attributes().value(u"viewBox"_s).toString();
        }
        QVERIFY2(!svg.hasError(), qPrintable(svg.errorString()));
        QVERIFY(texts.contains(u"Sample Top"_s) && texts.contains(u"Sample Bottom"_s));
        const QRectF cut = m_designer->coverCut();
        QCOMPARE(viewBox, u"0 0 %1 %2"_s.arg(cut.width()).arg(cut.height()));
    }

    // The command line's answers: exit statuses and lines for usage errors and bad designs,
    // batches, output that survives a failed render, the thumbnailer's command.
    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        QTest::newRow("nothing") << QStringList{} << u"no design file named"_s;
        QTest::newRow("two formats")
            << QStringList{u"--pdf"_s, u"--svg"_s, u"a.vmd"_s} << u"only one of"_s;
        QTest::newRow("dpi of a PDF") << QStringList{u"--dpi"_s, u"300"_s, u"a.vmd"_s, u"a.pdf"_s}
                                      << u"--dpi and --size are for PNG images"_s;
        QTest::newRow("size 0") << QStringList{u"--size=0"_s, u"a.vmd"_s, u"a.png"_s}
                                << u"--size needs"_s;
        QTest::newRow("unknown") << QStringList{u"-x"_s, u"a.vmd"_s} << u"unknown option -x"_s;
    }

    void usageErrors()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        const Run run = vmrender(arguments);
        QCOMPARE(run.status, 2);
        QVERIFY2(run.err.contains(u"vmrender: "_s + message) && run.err.contains(u"usage: "_s),
                 qPrintable(run.err));
        QCOMPARE(vmrender({u"--help"_s}).status, 0);
    }

    // What cannot be rendered is named with its reason; nothing is written for it, and an
    // existing output stays as it was. A picture that fails leaves the design to render.
    void badDesigns_data()
    {
        QTest::addColumn<QString>("design");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << u"missing.vmd"_s << 1 << u"missing.vmd: "_s;
        QTest::newRow("folder") << u"folder.vmd"_s << 1 << u"folder.vmd: It is a folder"_s;
        QTest::newRow("fifo") << u"fifo.vmd"_s << 1 << u"fifo.vmd: It is not a regular file"_s;
        QTest::newRow("damaged") << u"damaged.vmd"_s << 1 << u"damaged.vmd: damaged: Some lines"_s;
        QTest::newRow("huge picture") << u"huge.vmd"_s << 0 << u"huge.vmd: warning: the picture"_s;
        QTest::newRow("picture gone") << u"gone.vmd"_s << 0 << u"gone.vmd: warning: the picture"_s;
    }

    void badDesigns()
    {
        QFETCH(QString, design);
        QFETCH(int, status);
        QFETCH(QString, message);
        QVERIFY(QDir(m_dir.path()).mkpath(u"folder.vmd"_s));
        ::mkfifo(QFile::encodeName(path(u"fifo.vmd"_s)).constData(), 0600);
        QVERIFY(writeAll(path(u"damaged.vmd"_s), withLine(sample(), 4, "red")));
        QVERIFY(writeAll(path(u"huge.jpg"_s), withJpegSize(encodedPicture("jpg"), 60000, 60000)));
        QVERIFY(writeAll(path(u"huge.vmd"_s), withPicture(path(u"huge.jpg"_s))));
        QVERIFY(writeAll(path(u"gone.vmd"_s), withPicture(path(u"gone.jpg"_s))));
        const QString output = path(u"out.png"_s);
        QVERIFY(writeAll(output, "before"));
        const Run run = vmrender({path(design), output});
        QCOMPARE(run.status, status);
        QVERIFY2(run.err.contains(u"vmrender: "_s + path(message)), qPrintable(run.err));
        QCOMPARE(readAll(output) == "before", status != 0);
        QCOMPARE(QDir(m_dir.path()).entryList({u"out*"_s}, QDir::Files), QStringList{u"out.png"_s});
    }

    // One bad design among several: the others are rendered into the folder.
    void batchIntoAFolder()
    {
        QVERIFY(writeAll(path(u"a.vmd"_s), sample()));
        QVERIFY(writeAll(path(u"b.vmd"_s), withLine(sample(), 1, "Other Top")));
        const Run run = vmrender({u"--pdf"_s, u"-o"_s, path(u"pdfs"_s), path(u"a.vmd"_s),
                                  path(u"x.vmd"_s), path(u"b.vmd"_s)});
        QCOMPARE(run.status, 1);
        QCOMPARE(run.err.count(u"vmrender: "_s), 1);
        QCOMPARE(QDir(path(u"pdfs"_s)).entryList(QDir::Files),
                 (QStringList{u"a.pdf"_s, u"b.pdf"_s}));
    }

    // The disk fills up while the file is written: the old one stays, no other is left.
    void failedWriteKeepsTheOutput()
    {
        QTemporaryDir dir;
        const auto path = [&dir](const QString &name) { return dir.filePath(name); };
        QVERIFY(writeAll(path(u"a.vmd"_s), sample()));
        for (const QString &name : {u"a.png"_s, u"a.pdf"_s, u"a.svg"_s}) {
            QVERIFY(writeAll(path(name), "before"));
            // The PNG at 600 dpi: large enough to reach the limit.
            const QStringList arguments{path(u"a.vmd"_s), path(name), u"--dpi=600"_s};
            const Run run = vmrender(arguments.mid(0, name.endsWith(u"png"_s) ? 3 : 2),
                                     u"trap '' XFSZ; ulimit -f 2"_s);
            QCOMPARE(run.status, 1);
            QVERIFY2(run.err.contains(path(name) + u" could not be written"_s),
                     qPrintable(run.err));
            QCOMPARE(readAll(path(name)), QByteArray("before"));
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 4);
    }

    // The installed entry's command, its %s %i %o filled in as a file manager does.
    void thumbnailerCommand_data()
    {
        QTest::addColumn<QByteArray>("design");
        QTest::addColumn<bool>("made");
        QTest::newRow("good") << sample() << true;
        QTest::newRow("damaged") << withLine(sample(), 4, "red") << false;
        QTest::newRow("pictures gone") << withPicture(path(u"gone.jpg"_s)) << true;
    }

    void thumbnailerCommand()
    {
        QFETCH(QByteArray, design);
        QFETCH(bool, made);
        QSettings entry(QStringLiteral(VM_THUMBNAILER), QSettings::IniFormat);
        entry.beginGroup(u"Thumbnailer Entry"_s);
        QStringList command = entry.value(u"Exec"_s).toString().split(u' ');
        QCOMPARE(command.takeFirst(), entry.value(u"TryExec"_s).toString());
        QVERIFY(writeAll(path(u"in.vmd"_s), design));
        command.replaceInStrings(u"%s"_s, u"128"_s);
        command.replaceInStrings(u"%i"_s, path(u"in.vmd"_s));
        command.replaceInStrings(u"%o"_s, path(u"thumb.png"_s));
        QFile::remove(path(u"thumb.png"_s));
        QCOMPARE(vmrender(command).status == 0, made);
        const QImage thumbnail(path(u"thumb.png"_s));
        QCOMPARE(!thumbnail.isNull(), made);
        QVERIFY(!made || std::max(thumbnail.width(), thumbnail.height()) == 128);
    }
};
VM_TEST_CLASS(RenderTest)

#include "render.moc"
