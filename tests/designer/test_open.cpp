// Open: a saved design comes back whole, hand-written and damaged files load as far as they
// can, a picture that fails leads to the recovery, and nothing that fails stops the program.

#include "support/design_test_support.h"

#include "designer/document/design_file.h"
#include "designer/windows/save_window.h"
#include "toolkit/fonts.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <sys/stat.h>

using namespace vm;
using namespace vm::test;
using vm::design::Action;
using vm::design::DesignWindow;

namespace {

QString labelText(const DesignWindow &design, const char *name)
{
    return control<QLabel>(design, name).text();
}

QWidget *secondaryWindow(const DesignWindow &design, const char *name)
{
    return design.findChild<QWidget *>(QLatin1String(name), Qt::FindDirectChildrenOnly);
}

QMessageBox *message(const DesignWindow &design, const char *name)
{
    return design.findChild<QMessageBox *>(QLatin1String(name));
}

QString picture(const QTemporaryDir &folder, const char *name, QColor colour)
{
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = folder.filePath(QLatin1String(name));
    image.save(path);
    return path;
}

// sample.vmd with some lines replaced, written into `folder`.
QString sampleWith(const QTemporaryDir &folder, const QList<std::pair<int, QString>> &lines)
{
    QByteArray file = readAll(dataFile("sample.vmd"));
    for (const auto &[n, value] : lines)
        file = withLine(file, n, QFile::encodeName(value));
    const QString path = folder.filePath(QStringLiteral("design.vmd"));
    if (!writeAll(path, file))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

void compareValues(const design::FileValues &actual, const design::FileValues &expected)
{
    for (const design::FileKey &key : design::fileKeys()) {
        const bool same = actual[key.line - 1] == expected[key.line - 1];
        QVERIFY2(same,
                 qPrintable(
                     QStringLiteral("line %1 (%2) differs").arg(key.line).arg(key.key.toString())));
    }
}

QList<float> noticeTops(const DesignWindow &design)
{
    return {element(design, "Image4").top(), element(design, "Label28").top(),
            element(design, "Label29").top()};
}

} // namespace

class OpenTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutes(); }

    void savedDesignComesBackWhole();
    void handWrittenDesignAppliesEveryStep();
    void lineEndsAndLengthDoNotMatter_data();
    void lineEndsAndLengthDoNotMatter();
    void shortFileKeepsTheLayoutInForce();
    void olderCodePageIsRead();
    void rejectedValuesAreNamedAndTheRestLoads();
    void unreadableFileLeavesTheDesign();
    void cancelReadsNothing();
    void questionDueAsksBeforeTheDialog();
    void boxLiftsTheNoticeOnceOpenedTwice();
    void failedPictureStillRestoresTheRest_data();
    void failedPictureStillRestoresTheRest();
    void laterPictureFailureKeepsTheEarlierOnes();
    void phonorecordMarkNeedsBothBoxes_data();
    void phonorecordMarkNeedsBothBoxes();
    void tickedCentreKeepsCentring();
    void closingEndsTheProgramWhileErrorShows();
};

void OpenTest::savedDesignComesBackWhole()
{
    QTemporaryDir folder;
    DesignWindow source;
    // Every one of the 75 values away from what a fresh design holds.
    option(source, "Option4").setChecked(true);
    checkBox(source, "Check13").setChecked(false);
    checkBox(source, "Check14").setChecked(false);
    entry(source, "Text1").setText(QStringLiteral("Top line"));
    entry(source, "Text2").setText(QStringLiteral("Bottom line"));
    Element &label2 = element(source, "Label2");
    label2.setFont(FontSpec{QStringLiteral("Arial"), 12.5f, false, true, true, true});
    label2.setForeColor(rgb(10, 20, 30));
    Element &label3 = element(source, "Label3");
    label3.setFont(FontSpec{QStringLiteral("Liberation Serif"), 9.75f, true, true, true, true});
    label3.setForeColor(rgb(200, 0, 0));
    element(source, "Shape1").setBackColor(rgb(250, 240, 230));
    entry(source, "Text3").setText(QStringLiteral("6"));
    element(source, "Line1").setBorderColor(rgb(0, 128, 0));
    element(source, "Line2").setBorderColor(rgb(0, 128, 0));
    checkBox(source, "Check1").setChecked(true);
    checkBox(source, "Check2").setChecked(true);
    control<QLabel>(source, "PIXFLN").setText(picture(folder, "main.png", Qt::red));
    control<QLabel>(source, "Label30").setText(picture(folder, "logo1.png", Qt::green));
    control<QLabel>(source, "LOGO2FLN").setText(picture(folder, "logo2.png", Qt::blue));
    entry(source, "Text7").setText(QStringLiteral("300"));
    entry(source, "Text8").setText(QStringLiteral("200"));
    checkBox(source, "Check5").setChecked(true);
    entry(source, "Text10").setText(QStringLiteral("5"));
    element(source, "Shape2").setBorderColor(rgb(1, 2, 3));
    checkBox(source, "Check7").setChecked(true);
    checkBox(source, "Check6").setChecked(false);
    Element &label10 = element(source, "Label10");
    label10.setFont(FontSpec{QStringLiteral("Arial"), 11.0f});
    label10.setForeColor(rgb(0, 0, 255));
    checkBox(source, "Check8").setChecked(true);
    for (int n = 1; n <= DesignWindow::TitleAreaCount; ++n)
        source.titleArea(n).setCaption(QStringLiteral("Title %1 é").arg(n));
    entry(source, "Text5").setText(QStringLiteral("12"));
    entry(source, "Text6").setText(QStringLiteral("20.5"));
    entry(source, "Text4").setText(QStringLiteral("401"));
    entry(source, "Text9").setText(QStringLiteral("77"));
    for (const char *name : {"Check9", "Check10", "Check11", "Check15", "Check3", "Check4"})
        checkBox(source, name).setChecked(true);
    entry(source, "Text11").setText(QStringLiteral("1999"));
    entry(source, "Text12").setText(QStringLiteral("Holder"));

    const design::FileValues saved = source.fileValues();
    const design::FileValues fresh = DesignWindow().fileValues();
    for (const design::FileKey &key : design::fileKeys())
        QVERIFY2(saved[key.line - 1] != fresh[key.line - 1], qPrintable(key.key.toString()));

    const QString path = folder.filePath(QStringLiteral("whole.vmd"));
    saveFile(source, path);
    DesignWindow opened;
    ScriptedFileAnswer answer;
    answer.chosen = path;
    scriptFileDialog(opened, answer);
    click(opened, "Command1");

    QCOMPARE(answer.filter, QStringLiteral("Jewel Case Files|*.vmd"));
    compareValues(opened.fileValues(), saved);
    // What the file does not hold is rebuilt from what it does.
    QCOMPARE(entry(opened, "Text7").text(), QStringLiteral("300"));
    QCOMPARE(entry(opened, "Text3").text(), QStringLiteral("6"));
    QCOMPARE(element(opened, "Image1").rect(), QRectF(109.5, 128, 300, 200));
    QCOMPARE(element(opened, "Image1").picture().pixelColor(0, 0), QColor(Qt::red));
    QCOMPARE(element(opened, "Image3").picture().pixelColor(0, 0), QColor(Qt::blue));
    QCOMPARE(element(opened, "Label4").font().name, QStringLiteral("Arial"));
    QCOMPARE(element(opened, "Label27").alignment(), Qt::Alignment(Qt::AlignHCenter));
    QCOMPARE(noticeTops(opened), (QList<float>{436, 436, 436}));
    QCOMPARE(opened.shared().SavePromptArmed, true);
    QVERIFY(!secondaryWindow(opened, "Wait")->isVisible());
    QVERIFY(!secondaryWindow(opened, "Error"));
    QVERIFY(!message(opened, "OpenRejected"));

    // Save now proposes the opened file.
    click(opened, "Command2");
    QCOMPARE(answer.proposed, path);
}

void OpenTest::handWrittenDesignAppliesEveryStep()
{
    DesignWindow design;
    openFile(design, dataFile("sample.vmd"));

    const Element &label2 = element(design, "Label2");
    QCOMPARE(label2.caption(), QStringLiteral("Sample Top"));
    QCOMPARE(label2.font(), (FontSpec{QStringLiteral("Arial"), 14.0f, true, false, true, false}));
    QCOMPARE(label2.foreColor(), rgb(0, 128, 0));
    QCOMPARE(label2.left(), 40.0f); // the file's place, though the line centres as it is typed

    // Back cover; one rule hidden, the other 3 thick; the 5-pixel box.
    QCOMPARE(design.shared().CoverWidth, 519.0f);
    QCOMPARE(element(design, "Shape1").width(), 519.0f);
    QCOMPARE(entry(design, "Text3").text(), QStringLiteral("3"));
    QVERIFY(!element(design, "Line2").isVisible());
    QCOMPARE(element(design, "Shape2").borderWidth(), 5);

    // "&HFF" is a width of 255 by its leading number; the picture is centred and its entries
    // show the size as whole numbers.
    QCOMPARE(element(design, "Image1").rect(), QRectF(132, 128, 255, 200));
    QCOMPARE(entry(design, "Text7").text(), QStringLiteral("255"));

    // Titles in the titles' font; the lower block small, in the bottom line's colour, centred.
    QCOMPARE(element(design, "Label23").font(), (FontSpec{QStringLiteral("Arial"), 10.0f}));
    QCOMPARE(element(design, "Label23").foreColor(), rgb(0, 0, 255));
    QVERIFY(element(design, "Label23").isVisible());
    QCOMPARE(element(design, "Label26").foreColor(), rgb(255, 0, 0));
    QCOMPARE(element(design, "Label24").font().size, 7.0f);
    QCOMPARE(element(design, "Label27").font().size, 6.0f);
    QCOMPARE(element(design, "Label27").alignment(), Qt::Alignment(Qt::AlignHCenter));

    // The notice: posted with the mark, in the titles' colour, lifted by the 5-pixel box.
    QVERIFY(element(design, "Image4").isVisible());
    QCOMPARE(element(design, "Label29").foreColor(), rgb(0, 0, 255));
    QCOMPARE(noticeTops(design), (QList<float>{436, 436, 436}));
    QCOMPARE(design.designFileName(), dataFile("sample.vmd"));
}

void OpenTest::lineEndsAndLengthDoNotMatter_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray crlf = readAll(dataFile("sample.vmd"));
    QVERIFY(crlf.count("\r\n") == 75);
    QByteArray lf = crlf;
    lf.replace("\r\n", "\n");
    QByteArray cr = crlf;
    cr.replace("\r\n", "\r");
    QTest::newRow("LF only") << lf;
    QTest::newRow("CR only") << cr;
    QTest::newRow("no end after the last line") << crlf.chopped(2);
    // Lines 76 to 80 would change the cover if they were read.
    QTest::newRow("80 lines") << readAll(dataFile("long.vmd"));
}

void OpenTest::lineEndsAndLengthDoNotMatter()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("variant.vmd"));
    QVERIFY(writeAll(path, bytes));

    DesignWindow reference;
    openFile(reference, dataFile("sample.vmd"));
    DesignWindow design;
    openFile(design, path);
    compareValues(design.fileValues(), reference.fileValues());
    QVERIFY(!message(design, "OpenRejected"));
}

void OpenTest::shortFileKeepsTheLayoutInForce()
{
    // Ten lines: everything after them is empty, 0 and false, and none of that is an error.
    DesignWindow design;
    option(design, "Option4").setChecked(true);
    design.titleArea(1).setCaption(QStringLiteral("Old title"));
    openFile(design, dataFile("short.vmd"));

    QCOMPARE(element(design, "Label2").caption(), QStringLiteral("Sample Top"));
    QCOMPARE(element(design, "Line1").borderWidth(), 3);
    QCOMPARE(design.titleArea(1).caption(), QString());
    QVERIFY(!checkBox(design, "Check13").isChecked());
    QCOMPARE(element(design, "Label2").top(), 0.0f);

    // Neither cover chosen: the back layout stays in force and stays shown as chosen.
    QVERIFY(option(design, "Option4").isChecked());
    QCOMPARE(design.shared().CoverWidth, 519.0f);
    QCOMPARE(element(design, "Line1").x2(), 495.0f);
    QVERIFY(!message(design, "OpenRejected"));
}

void OpenTest::olderCodePageIsRead()
{
    DesignWindow design;
    openFile(design, dataFile("windows1252.vmd"));
    QCOMPARE(element(design, "Label2").caption(), QStringLiteral("Café € 5"));
    QCOMPARE(design.titleArea(1).caption(), QStringLiteral("Señor “quoted”"));
}

void OpenTest::rejectedValuesAreNamedAndTheRestLoads()
{
    DesignWindow design;
    element(design, "Label2").setForeColor(rgb(9, 9, 9));
    openFile(design, dataFile("rejected.vmd"));

    // The rejected lines count as missing; the rest of the design is there.
    QCOMPARE(element(design, "Label2").foreColor(), Black);
    QVERIFY(!element(design, "Label4").isVisible());
    QVERIFY(option(design, "Option4").isChecked());
    QCOMPARE(element(design, "Label3").foreColor(), rgb(255, 0, 0));

    QMessageBox *rejected = message(design, "OpenRejected");
    QVERIFY(rejected && rejected->isVisible() && !rejected->isModal());
    const QString text = rejected->text();
    QVERIFY2(text.contains(QStringLiteral("line 4 (top line colour)")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("line 22 (show the titles)")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("line 64")), qPrintable(text));
    QVERIFY(!text.contains(QStringLiteral("line 16")));
    QVERIFY(!secondaryWindow(design, "Wait")->isVisible());
}

void OpenTest::unreadableFileLeavesTheDesign()
{
    // Which files are refused, and why, is the reader's business (test_design_file).
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("gone.vmd"));
    DesignWindow design;
    const QString main = picture(folder, "main.png", Qt::red);
    control<QLabel>(design, "PIXFLN").setText(main);
    element(design, "Image1").setPicture(QImage(main));
    entry(design, "Text1").setText(QStringLiteral("Kept"));
    openFile(design, path);

    QMessageBox *error = message(design, "OpenError");
    QVERIFY(error && error->isVisible() && !error->isModal());
    QVERIFY(error->text().contains(QStringLiteral("gone.vmd")));
    QVERIFY(!secondaryWindow(design, "Wait")->isVisible());
    // The design is as it was, pictures and paths included.
    QCOMPARE(element(design, "Label2").caption(), QStringLiteral("Kept"));
    QCOMPARE(labelText(design, "PIXFLN"), main);
    QVERIFY(!element(design, "Image1").picture().isNull());
    QCOMPARE(design.shared().SavePromptArmed, false);
    QCOMPARE(design.designFileName(), QString());
}

void OpenTest::cancelReadsNothing()
{
    DesignWindow design;
    entry(design, "Text1").setText(QStringLiteral("Kept"));

    ScriptedFileAnswer answer;
    answer.cancel = true;
    scriptFileDialog(design, answer);
    click(design, "Command1");

    QCOMPARE(answer.shown, 1);
    QCOMPARE(element(design, "Label2").caption(), QStringLiteral("Kept"));
    QCOMPARE(design.shared().SavePromptArmed, false);
    QVERIFY(!secondaryWindow(design, "Wait"));
}

void OpenTest::questionDueAsksBeforeTheDialog()
{
    DesignWindow design;
    click(design, "Command4"); // New arms the question
    ScriptedFileAnswer answer;
    answer.chosen = dataFile("sample.vmd");
    scriptFileDialog(design, answer);

    click(design, "Command1");
    QCOMPARE(answer.shown, 0);
    QCOMPARE(design.shared().PendingAction, Action::Open);
    design::SaveWindow *question = design.saveWindow();
    QVERIFY(question && question->isVisible());

    // "No" goes on with Open.
    click(*question, "Command2");
    QCOMPARE(answer.shown, 1);
    QCOMPARE(element(design, "Label2").caption(), QStringLiteral("Sample Top"));
}

void OpenTest::boxLiftsTheNoticeOnceOpenedTwice()
{
    QTemporaryDir intactFolder, failingFolder;
    const QString intact = sampleWith(intactFolder, {});
    const QString failing =
        sampleWith(failingFolder, {{14, failingFolder.filePath(QStringLiteral("gone.jpg"))}});

    DesignWindow design;
    checkBox(design, "Check12").setChecked(false); // no question between the opens
    for (const QString &path : {intact, intact, failing, failing, intact}) {
        openFile(design, path);
        QCOMPARE(noticeTops(design), (QList<float>{436, 436, 436}));
    }
}

void OpenTest::failedPictureStillRestoresTheRest_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing file") << QStringLiteral("missing");
    QTest::newRow("not a picture") << QStringLiteral("text");
    QTest::newRow("folder") << QStringLiteral("folder");
    QTest::newRow("FIFO") << QStringLiteral("fifo");
}

void OpenTest::failedPictureStillRestoresTheRest()
{
    QFETCH(QString, kind);
    QTemporaryDir folder;
    QString bad = folder.filePath(QStringLiteral("bad.jpg"));
    if (kind == QStringLiteral("text"))
        QVERIFY(writeAll(bad, "not a picture"));
    if (kind == QStringLiteral("folder"))
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("bad.jpg")));
    if (kind == QStringLiteral("fifo"))
        QCOMPARE(::mkfifo(QFile::encodeName(bad).constData(), 0600), 0);
    const QString logo = picture(folder, "logo.png", Qt::green);
    const QString path = sampleWith(folder, {{14, bad}, {17, logo}});

    DesignWindow design;
    const Element &image1 = element(design, "Image1");
    const QSizeF sizeBefore = image1.rect().size();
    openFile(design, path);

    QWidget *error = secondaryWindow(design, "Error");
    QVERIFY(error && error->isVisible());
    QCOMPARE(error->windowTitle(), QStringLiteral("File Import Error"));
    QVERIFY(!secondaryWindow(design, "Wait")->isVisible());

    // The failed picture and the logo after it stay empty; their paths stay named.
    QVERIFY(image1.picture().isNull());
    QVERIFY(element(design, "Image2").picture().isNull());
    QCOMPARE(labelText(design, "PIXFLN"), bad);
    QCOMPARE(labelText(design, "Label30"), logo);
    // The picture keeps the box it had (re-placed only by the layout switch).
    QCOMPARE(image1.rect(), QRectF(QPointF(63, 83.5), sizeBefore));
    QCOMPARE(entry(design, "Text7").text(), QStringLiteral("393"));

    // The steps after the pictures (titles, lower block, notice) still ran.
    QCOMPARE(element(design, "Label4").caption(), QStringLiteral("Title 1"));
    QCOMPARE(element(design, "Label26").foreColor(), rgb(255, 0, 0));
    QCOMPARE(element(design, "Label24").font().size, 7.0f);
    QCOMPARE(element(design, "Label27").alignment(), Qt::Alignment(Qt::AlignHCenter));
    QCOMPARE(element(design, "Label29").top(), 436.0f);
    QCOMPARE(design.designFileName(), path);

    // A second failure shows the same window again.
    error->hide();
    checkBox(design, "Check12").setChecked(false);
    openFile(design, path);
    QCOMPARE(secondaryWindow(design, "Error"), error);
    QVERIFY(error->isVisible());
}

void OpenTest::laterPictureFailureKeepsTheEarlierOnes()
{
    QTemporaryDir folder;
    const QString gone = folder.filePath(QStringLiteral("gone.bmp"));
    const QString path = sampleWith(folder, {{14, picture(folder, "main.png", Qt::red)},
                                             {17, picture(folder, "logo1.png", Qt::green)},
                                             {18, gone}});
    DesignWindow design;
    openFile(design, path);
    QVERIFY(secondaryWindow(design, "Error")->isVisible());
    QVERIFY(!element(design, "Image1").picture().isNull());
    QVERIFY(!element(design, "Image2").picture().isNull());
    QVERIFY(element(design, "Image3").picture().isNull());
    QCOMPARE(labelText(design, "LOGO2FLN"), gone);
    // The main picture took its size from the file; the steps after the failure (centring,
    // the size entries) did not run.
    QCOMPARE(element(design, "Image1").width(), 255.0f);
    QCOMPARE(entry(design, "Text7").text(), QStringLiteral("393"));
}

void OpenTest::phonorecordMarkNeedsBothBoxes_data()
{
    QTest::addColumn<QString>("posted");
    QTest::addColumn<QString>("mark");
    QTest::addColumn<bool>("shown");
    QTest::newRow("both") << " 1 "
                          << " 1 " << true;
    QTest::newRow("posted only") << " 1 "
                                 << " 0 " << false;
    QTest::newRow("mark only") << " 0 "
                               << " 1 " << false;
    QTest::newRow("any non-zero ticks") << " 2 "
                                        << "-1 " << true;
}

void OpenTest::phonorecordMarkNeedsBothBoxes()
{
    QFETCH(QString, posted);
    QFETCH(QString, mark);
    QFETCH(bool, shown);
    QTemporaryDir folder;
    DesignWindow design;
    checkBox(design, "Check9").setChecked(!shown);
    openFile(design, sampleWith(folder, {{56, posted}, {57, mark}}));
    QCOMPARE(element(design, "Image4").isVisible(), shown);
}

void OpenTest::tickedCentreKeepsCentring()
{
    // "Center" stays ticked through the load: typing the top line still centres it.
    DesignWindow design;
    openFile(design, dataFile("sample.vmd"));
    QVERIFY(checkBox(design, "Check13").isChecked());
    entry(design, "Text1").setText(QStringLiteral("Retyped"));
    const Element &label2 = element(design, "Label2");
    QCOMPARE(label2.left(), std::trunc((519 - label2.width()) / 2));

    // The bottom line's "Center" is clear in the file: it stays where the file put it.
    entry(design, "Text2").setText(QStringLiteral("Retyped too"));
    QCOMPARE(element(design, "Label3").left(), 90.0f);
}

void OpenTest::closingEndsTheProgramWhileErrorShows()
{
    QTemporaryDir folder;
    auto *design = new DesignWindow;
    design->setAttribute(Qt::WA_DeleteOnClose);
    design->show();
    openFile(*design, sampleWith(folder, {{14, QStringLiteral("/nowhere/gone.jpg")}}));
    QPointer<QWidget> error = secondaryWindow(*design, "Error");
    QPointer<QWidget> wait = secondaryWindow(*design, "Wait");
    QVERIFY(error && error->isVisible());

    // The Error window does not keep the program running, and goes with the Design window.
    checkBox(*design, "Check12").setChecked(false);
    QTimer::singleShot(0, design, [design] { design->close(); });
    QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(1); });
    QCOMPARE(QApplication::exec(), 0);
    QTRY_VERIFY(!error);
    QVERIFY(!wait);
}

QTEST_MAIN(OpenTest)
#include "test_open.moc"
