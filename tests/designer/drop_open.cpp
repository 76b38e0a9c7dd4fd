// Files brought in from outside the dialogs: pictures and designs dropped on the Design
// window, the picture dialogs' formats, and a design named on the command line.
#include "support/design_fixture.h"
#include "support/test_main.h"

#include "designer/document/command_line.h"
#include "designer/windows/save_window.h"

#include <QImageWriter>
#include <QMessageBox>
#include <QMimeData>
#include <QRegularExpression>
#include <QRubberBand>
#include <QTemporaryDir>
#include <QTest>

using namespace vm;
using namespace vm::test;
using namespace Qt::StringLiterals;
using vm::design::DesignWindow;

namespace {

// Drags `files` over `target` to `at` and lets go there, as a file manager does; whether
// the move was accepted, and what the drop mark showed before the drop.
bool drop(QWidget &target, QPoint at, const QStringList &files, QRect *mark = nullptr)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const QString &file : files)
        urls << QUrl::fromLocalFile(file);
    data.setUrls(urls);
    const auto actions = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&target, &enter);
    QDragMoveEvent move(at, actions, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&target, &move);
    const auto *band = target.window()->findChild<QRubberBand *>();
    if (mark)
        *mark = band && !band->isHidden() ? band->geometry() : QRect();
    QDropEvent release(at, actions, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&target, &release);
    // Never a move: the file manager would take the file away.
    return move.isAccepted() && (!release.isAccepted() || release.dropAction() == Qt::CopyAction);
}

QString message(const DesignWindow &design, const char *name)
{
    const auto *box = design.findChild<QMessageBox *>(QLatin1String(name));
    return box && box->isVisible() ? box->text() : QString();
}

} // namespace

class DropOpenTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    const QString m_damaged = m_dir.filePath(u"damaged.vmd"_s);

    QString picture(const QString &name, QImageIOHandler::Transformations turn = {})
    {
        QImage image(20, 10, QImage::Format_RGB32);
        image.fill(Qt::red);
        QImageWriter writer(m_dir.filePath(name), name.endsWith(u"PNG"_s) ? "png" : "jpeg");
        writer.setTransformation(turn);
        return writer.write(image) ? m_dir.filePath(name) : QString();
    }

private slots:
    void initTestCase()
    {
        const QByteArray sample = readAll(dataFile(u"designer/sample.vmd"_s));
        QVERIFY(writeAll(m_damaged, withLine(sample, 14, "/nowhere/gone.jpg")));
    }

    void picturesLandWhereDropped_data()
    {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("slot");  // the box filled, or none
        QTest::addColumn<QString>("label"); // its path label
        QTest::addColumn<QSize>("size");    // the picture as loaded
        QTest::newRow("main box") << QPoint(200, 200) << u"IMG_0001.JPG"_s << u"Image1"_s
                                  << u"PIXFLN"_s << QSize(20, 10);
        QTest::newRow("logo 1") << QPoint(40, 420) << u"logo.PNG"_s << u"Image2"_s << u"Label30"_s
                                << QSize(20, 10);
        QTest::newRow("logo 2") << QPoint(430, 430) << u"logo.PNG"_s << u"Image3"_s << u"LOGO2FLN"_s
                                << QSize(20, 10);
        QTest::newRow("bare cover, turned")
            << QPoint(5, 5) << u"turned.jpg"_s << u"Image1"_s << u"PIXFLN"_s << QSize(10, 20);
        QTest::newRow("off the cover")
            << QPoint(600, 200) << u"logo.PNG"_s << QString() << QString() << QSize();
    }
    void picturesLandWhereDropped()
    {
        QFETCH(QPoint, at);
        QFETCH(QString, file);
        QFETCH(QString, slot);
        QFETCH(QString, label);
        QFETCH(QSize, size);
        const QString path =
            picture(file, file.startsWith(u"turned"_s) ? QImageIOHandler::TransformationRotate90
                                                       : QImageIOHandler::TransformationNone);
        DesignWindow design;
        element(design, "Image1").setLeft(0); // a dropped main picture is centred again
        const QRect box =
            slot.isEmpty() ? QRect() : design.canvas().element(slot).rect().toAlignedRect();
        QRect mark;
        QCOMPARE(drop(design, at, {path}, &mark), !slot.isEmpty());
        QCOMPARE(mark, box);
        for (const char *name : {"Image1", "Image2", "Image3"})
            QCOMPARE(element(design, name).picture().size(),
                     slot == QLatin1String(name) ? size : QSize(0, 0));
        QCOMPARE(element(design, "Image1").left(), slot == u"Image1" ? 31.5f : 0.0f);
        for (const char *name : {"PIXFLN", "Label30", "LOGO2FLN"})
            QCOMPARE(labelText(design, name), label == QLatin1String(name) ? path : QString());
    }

    // The dialogs offer the product's three formats first, then every one read here, in both
    // cases; a dropped file that is no picture still names itself as the button's choice does.
    void pictureDialogFormats()
    {
        DesignWindow design;
        ScriptedDialogs &dialogs = scriptDialogs(design.commonDialog());
        click(design, "Command9");
        const QStringList entries = dialogs.filter.split(u'|');
        QCOMPARE(entries.mid(0, 3),
                 (QStringList{u"Image Files"_s, u"*.jpg;*.gif;*.bmp"_s, u"All Pictures"_s}));
        const QStringList patterns = entries[3].split(u';');
        for (const QString &name : {u"IMG_0001.JPG"_s, u"cover.png"_s, u"scan.TIFF"_s, u"a.webp"_s})
            QVERIFY2(
                std::any_of(
                    patterns.begin(), patterns.end(),
                    [&](const QString &pattern) {
                        return QRegularExpression::fromWildcard(pattern).match(name).hasMatch();
                    }),
                qPrintable(name));
        const QString notPicture = m_dir.filePath(u"notes.txt"_s);
        QVERIFY(writeAll(notPicture, "text"));
        QVERIFY(drop(design, QPoint(40, 420), {notPicture}));
        QCOMPARE(labelText(design, "Label30"), notPicture);
        QVERIFY(element(design, "Image2").picture().isNull());
    }

    // A design dropped anywhere opens as Open does, after the save question; on an entry field
    // it is not typed in. Several files are none, and the user is told.
    void designsAndSeveralFiles()
    {
        const QString sample = dataFile(u"designer/sample.vmd"_s);
        DesignWindow design;
        ScriptedDialogs &dialogs = scriptDialogs(design.commonDialog());
        click(design, "Command4"); // the save question is due now
        QVERIFY(drop(entry(design, "Text1"), QPoint(5, 5), {sample}));
        QCOMPARE(design.designFileName(), QString());
        QVERIFY(design.saveWindow() && design.saveWindow()->isVisible());
        click(*design.saveWindow(), "Command2"); // No
        QCOMPARE(design.designFileName(), sample);
        QCOMPARE(dialogs.files, 0);
        const QString title = entry(design, "Text1").text();
        QVERIFY(!title.contains(u"sample"_s));

        const QString other = picture(u"other.PNG"_s);
        QVERIFY(drop(design, QPoint(200, 200), {other, sample}));
        QVERIFY(message(design, "DropSeveral").contains(u"2 files"_s));
        QCOMPARE(design.designFileName(), sample);
        QCOMPARE(entry(design, "Text1").text(), title);
        QVERIFY(labelText(design, "PIXFLN") != other);
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("opened"); // the design's file afterwards
        QTest::addColumn<QString>("said");   // the message or usage
        const QString sample = dataFile(u"designer/sample.vmd"_s);
        QTest::newRow("none") << QStringList{} << QString() << QString();
        QTest::newRow("good") << QStringList{sample} << sample << QString();
        QTest::newRow("missing") << QStringList{u"/nowhere/gone.vmd"_s} << QString()
                                 << u"could not be opened"_s;
        QTest::newRow("not a file")
            << QStringList{u"/dev/zero"_s} << QString() << u"could not be opened"_s;
        QTest::newRow("damaged") << QStringList{m_damaged} << m_damaged << u"recovery"_s;
        QTest::newRow("two") << QStringList{sample, sample} << QString() << u"usage"_s;
        QTest::newRow("option") << QStringList{u"--help"_s} << QString() << u"usage"_s;
    }
    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, opened);
        QFETCH(QString, said);
        DesignWindow design;
        const QString usage =
            design::openFromCommandLine(design, QStringList{u"vmdesign"_s} + arguments);
        QCOMPARE(design.designFileName(), opened);
        const auto *error = design.findChild<QWidget *>(u"Error"_s);
        const QString shown = usage + message(design, "OpenError") +
                              (error && !error->isHidden() ? u"recovery"_s : QString());
        QVERIFY2(shown.contains(said), qPrintable(u"shown: "_s + shown));
        QCOMPARE(usage.isEmpty(), said != u"usage");
    }
};

VM_TEST_CLASS(DropOpenTest)

#include "drop_open.moc"
