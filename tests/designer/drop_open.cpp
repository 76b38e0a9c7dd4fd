// SPDX-License-Identifier: GPL-3.0-or-later
// Files brought in from outside the dialogs: pictures and designs dropped on the Design
// window, the picture dialogs' formats, and a design named on the command line.
#include "support/design_fixture.h"
#include "support/drops.h"
#include "support/test_main.h"

#include "designer/document/command_line.h"
#include "designer/windows/save_window.h"

#include <QImageWriter>
#include <QMessageBox>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>

using namespace vm::test;
using namespace Qt::StringLiterals;
using vm::design::DesignWindow;

namespace {

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
    void picturesLandWhereDropped_data()
    {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QString>("file"); // turned: stored on its side
        QTest::addColumn<int>("slot");     // the box filled: 1 main picture, 2 and 3 the logos
        QTest::newRow("main box") << QPoint(200, 200) << u"IMG_0001.JPG"_s << 1;
        QTest::newRow("logo 1") << QPoint(40, 420) << u"logo.PNG"_s << 2;
        QTest::newRow("logo 2") << QPoint(430, 430) << u"logo.PNG"_s << 3;
        QTest::newRow("bare cover") << QPoint(5, 5) << u"turned.jpg"_s << 1;
        QTest::newRow("off the cover") << QPoint(600, 200) << u"logo.PNG"_s << 0;
    }
    void picturesLandWhereDropped()
    {
        QFETCH(QPoint, at);
        QFETCH(QString, file);
        QFETCH(int, slot);
        QImageWriter writer(m_dir.filePath(file), file.endsWith(u"PNG"_s) ? "png" : "jpeg");
        const bool turned = file.startsWith(u"turned"_s);
        writer.setTransformation(turned ? QImageIOHandler::TransformationRotate90
                                        : QImageIOHandler::TransformationNone);
        QImage image(20, 10, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(writer.write(image));
        DesignWindow design;
        element(design, "Image1").setLeft(0); // a dropped main picture is centred again
        const char *boxes[] = {"", "Image1", "Image2", "Image3"};
        const char *labels[] = {"", "PIXFLN", "Label30", "LOGO2FLN"};
        QCOMPARE(dropFiles(design, at, {writer.fileName()}), slot > 0);
        for (int n = 1; n <= 3; ++n) {
            QCOMPARE(element(design, boxes[n]).picture().size(), n != slot ? QSize(0, 0)
                                                                 : turned  ? QSize(10, 20)
                                                                           : QSize(20, 10));
            QCOMPARE(labelText(design, labels[n]), n == slot ? writer.fileName() : QString());
        }
        QCOMPARE(element(design, "Image1").left(), slot == 1 ? 31.5f : 0.0f);
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
        for (const char *pattern : {"*.JPG", "*.png", "*.TIFF", "*.webp"})
            QVERIFY2(entries[3].split(u';').contains(QLatin1String(pattern)), pattern);
        const QString notPicture = m_dir.filePath(u"notes.txt"_s);
        QVERIFY(writeAll(notPicture, "text") && dropFiles(design, QPoint(40, 420), {notPicture}));
        QCOMPARE(labelText(design, "Label30"), notPicture);
        QVERIFY(element(design, "Image2").picture().isNull());
    }

    // A design dropped anywhere, an entry field too, opens as Open does after the save
    // question. Several files are none, and the user is told.
    void designsAndSeveralFiles()
    {
        const QString sample = dataFile(u"designer/sample.vmd"_s);
        DesignWindow design;
        scriptDialogs(design.commonDialog()); // Open's dialog would cancel
        click(design, "Command4");            // the save question is due now
        QVERIFY(dropFiles(entry(design, "Text1"), QPoint(5, 5), {sample}));
        QVERIFY(design.designFileName().isEmpty() && design.saveWindow() &&
                design.saveWindow()->isVisible());
        click(*design.saveWindow(), "Command2"); // No
        QCOMPARE(design.designFileName(), sample);
        QCOMPARE(entry(design, "Text1").text(), u"Sample Top"_s);
        QVERIFY(dropFiles(design, QPoint(200, 200), {m_damaged, sample}));
        QVERIFY(shown(design, u"DropSeveral"_s).contains(u"2 files"_s));
        QCOMPARE(design.designFileName(), sample);
    }

    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("opened"); // the design's file afterwards
        QTest::addColumn<QString>("said");   // the message, window or usage shown
        const QString sample = dataFile(u"designer/sample.vmd"_s);
        QVERIFY(writeAll(m_damaged, withLine(readAll(sample), 14, "/nowhere/gone.jpg")));
        QTest::newRow("none") << QStringList{} << QString() << QString();
        QTest::newRow("good") << QStringList{sample} << sample << QString();
        QTest::newRow("missing") << QStringList{u"/nowhere/gone.vmd"_s} << QString() << u"could"_s;
        QTest::newRow("damaged") << QStringList{m_damaged} << m_damaged << u"Error"_s;
        QTest::newRow("two") << QStringList{sample, sample} << QString() << u"usage"_s;
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
    }
};

VM_TEST_CLASS(DropOpenTest)

#include "drop_open.moc"
