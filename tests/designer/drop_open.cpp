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

using namespace vm::test;
using namespace Qt::StringLiterals;
using vm::design::DesignWindow;

namespace {

// Drags `files` over `target` to `at` and lets go, as a file manager does (its paths as text
// too); whether it was taken as a copy, never a move, and where the drop mark stood.
bool drop(QWidget &target, QPoint at, const QStringList &files, QRect *mark = nullptr)
{
    QMimeData data;
    data.setText(files.join(u'\n'));
    QList<QUrl> urls;
    for (const QString &file : files)
        urls << QUrl::fromLocalFile(file);
    data.setUrls(urls);
    const auto actions = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, {});
    QDragMoveEvent move(at, actions, &data, Qt::LeftButton, {});
    QDropEvent release(at, actions, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&target, &enter);
    QCoreApplication::sendEvent(&target, &move);
    const auto *band = target.window()->findChild<QRubberBand *>();
    if (mark)
        *mark = band && !band->isHidden() ? band->geometry() : QRect();
    QCoreApplication::sendEvent(&target, &release);
    return move.isAccepted() && (!release.isAccepted() || release.dropAction() == Qt::CopyAction);
}

QString shown(const DesignWindow &design, const QString &name) // a message or window shown
{
    const auto *window = design.findChild<QWidget *>(name);
    const auto *box = qobject_cast<const QMessageBox *>(window);
    return !window || window->isHidden() ? QString() : box ? box->text() : name;
}

} // namespace

class DropOpenTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    const QString m_damaged = m_dir.filePath(u"damaged.vmd"_s);

private slots:
    void initTestCase()
    {
        const QByteArray sample = readAll(dataFile(u"designer/sample.vmd"_s));
        QVERIFY(writeAll(m_damaged, withLine(sample, 14, "/nowhere/gone.jpg")));
    }

    void picturesLandWhereDropped_data()
    {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QString>("file");  // turned: stored on its side
        QTest::addColumn<QString>("slot");  // the box filled, or none
        QTest::addColumn<QString>("label"); // its path label
        QTest::newRow("main box") << QPoint(200, 200) << u"IMG_0001.JPG"_s << u"Image1"_s
                                  << u"PIXFLN"_s;
        QTest::newRow("logo 1") << QPoint(40, 420) << u"logo.PNG"_s << u"Image2"_s << u"Label30"_s;
        QTest::newRow("logo 2") << QPoint(430, 430) << u"logo.PNG"_s << u"Image3"_s
                                << u"LOGO2FLN"_s;
        QTest::newRow("bare cover")
            << QPoint(5, 5) << u"turned.jpg"_s << u"Image1"_s << u"PIXFLN"_s;
        QTest::newRow("off the cover")
            << QPoint(600, 200) << u"logo.PNG"_s << QString() << QString();
    }
    void picturesLandWhereDropped()
    {
        QFETCH(QPoint, at);
        QFETCH(QString, file);
        QFETCH(QString, slot);
        QFETCH(QString, label);
        QImageWriter writer(m_dir.filePath(file), file.endsWith(u"PNG"_s) ? "png" : "jpeg");
        const bool turned = file.startsWith(u"turned"_s);
        writer.setTransformation(turned ? QImageIOHandler::TransformationRotate90
                                        : QImageIOHandler::TransformationNone);
        QImage image(20, 10, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(writer.write(image));
        DesignWindow design;
        element(design, "Image1").setLeft(0); // a dropped main picture is centred again
        const QRect box =
            slot.isEmpty() ? QRect() : element(design, qPrintable(slot)).rect().toAlignedRect();
        QRect mark;
        QCOMPARE(drop(design, at, {writer.fileName()}, &mark), !slot.isEmpty());
        QCOMPARE(mark, box);
        for (const char *name : {"Image1", "Image2", "Image3"})
            QCOMPARE(element(design, name).picture().size(), slot != QLatin1String(name)
                                                                 ? QSize(0, 0)
                                                             : turned ? QSize(10, 20)
                                                                      : QSize(20, 10));
        QCOMPARE(element(design, "Image1").left(), slot == u"Image1" ? 31.5f : 0.0f);
        for (const char *name : {"PIXFLN", "Label30", "LOGO2FLN"})
            QCOMPARE(labelText(design, name),
                     label == QLatin1String(name) ? writer.fileName() : QString());
    }

    // The product's three formats first, then every one read here, in both cases; a dropped
    // file that is no picture still names itself, as the button's choice does.
    void pictureDialogFormats()
    {
        DesignWindow design;
        ScriptedDialogs &dialogs = scriptDialogs(design.commonDialog());
        click(design, "Command9");
        const QStringList entries = dialogs.filter.split(u'|');
        QCOMPARE(entries.mid(0, 3),
                 (QStringList{u"Image Files"_s, u"*.jpg;*.gif;*.bmp"_s, u"All Pictures"_s}));
        for (const QString &name : {u"IMG_0001.JPG"_s, u"cover.png"_s, u"scan.TIFF"_s, u"a.webp"_s})
            QVERIFY2(entries[3].split(u';').indexOf(
                         QRegularExpression(u"^\\*\\."_s + name.section(u'.', 1) + u'$')) >= 0,
                     qPrintable(name));
        const QString notPicture = m_dir.filePath(u"notes.txt"_s);
        QVERIFY(writeAll(notPicture, "text") && drop(design, QPoint(40, 420), {notPicture}));
        QCOMPARE(labelText(design, "Label30"), notPicture);
        QVERIFY(element(design, "Image2").picture().isNull());
    }

    // A design dropped anywhere, an entry field too, opens as Open does after the save
    // question. Several files are none, and the user is told.
    void designsAndSeveralFiles()
    {
        const QString sample = dataFile(u"designer/sample.vmd"_s);
        DesignWindow design;
        ScriptedDialogs &dialogs = scriptDialogs(design.commonDialog());
        click(design, "Command4"); // the save question is due now
        QVERIFY(drop(entry(design, "Text1"), QPoint(5, 5), {sample}));
        QVERIFY(design.designFileName().isEmpty() && design.saveWindow()->isVisible());
        click(*design.saveWindow(), "Command2"); // No
        QCOMPARE(design.designFileName(), sample);
        QCOMPARE(dialogs.files, 0);
        QCOMPARE(entry(design, "Text1").text(), u"Sample Top"_s);
        QVERIFY(drop(design, QPoint(200, 200), {m_damaged, sample}));
        QVERIFY(shown(design, u"DropSeveral"_s).contains(u"2 files"_s));
        QCOMPARE(design.designFileName(), sample);
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("opened"); // the design's file afterwards
        QTest::addColumn<QString>("said");   // the message, window or usage shown
        const QString sample = dataFile(u"designer/sample.vmd"_s);
        QTest::newRow("none") << QStringList{} << QString() << QString();
        QTest::newRow("good") << QStringList{sample} << sample << QString();
        QTest::newRow("missing") << QStringList{u"/nowhere/gone.vmd"_s} << QString() << u"could"_s;
        QTest::newRow("not a file") << QStringList{u"/dev/zero"_s} << QString() << u"could"_s;
        QTest::newRow("damaged") << QStringList{m_damaged} << m_damaged << u"Error"_s;
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
            vm::design::openFromCommandLine(design, QStringList{u"vmdesign"_s} + arguments);
        QCOMPARE(design.designFileName(), opened);
        const QString all = usage + shown(design, u"OpenError"_s) + shown(design, u"Error"_s);
        QVERIFY2(said.isEmpty() ? all.isEmpty() : all.contains(said), qPrintable(all));
        QCOMPARE(usage.isEmpty(), said != u"usage");
    }
};

VM_TEST_CLASS(DropOpenTest)

#include "drop_open.moc"
