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
#include <QPushButton>
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

QString dataFile(const char *name)
{
    return QFINDTESTDATA(QStringLiteral("../data/designer/") + QLatin1String(name));
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The file with line n (1-based, CR LF endings) replaced.
QByteArray withLine(const QByteArray &file, int n, const QByteArray &value)
{
    QList<QByteArray> lines = file.split('\n');
    lines[n - 1] = value + '\r';
    return lines.join('\n');
}

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

void clickButton(const QWidget &window, const char *name)
{
    control<QPushButton>(window, name).click();
}

// Opens `path` through the Open button and a scripted dialog.
void openFile(DesignWindow &design, const QString &path)
{
    ScriptedFileAnswer answer;
    answer.chosen = path;
    scriptFileDialog(design, answer);
    clickButton(design, "Command1");
    if (answer.shown != 1)
        qWarning("the open dialog was not shown");
}

QString picture(const QTemporaryDir &folder, const char *name, QColor colour)
{
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = folder.filePath(QLatin1String(name));
    image.save(path);
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
    void unreadableFileLeavesTheDesign_data();
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
    const QString main = picture(folder, "main.png", Qt::red);
    const QString logo1 = picture(folder, "logo1.png", Qt::green);
    const QString logo2 = picture(folder, "logo2.png", Qt::blue);
    control<QLabel>(source, "PIXFLN").setText(main);
    control<QLabel>(source, "Label30").setText(logo1);
    control<QLabel>(source, "LOGO2FLN").setText(logo2);
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
    checkBox(source, "Check9").setChecked(true);
    checkBox(source, "Check10").setChecked(true);
    checkBox(source, "Check11").setChecked(true);
    entry(source, "Text11").setText(QStringLiteral("1999"));
    entry(source, "Text12").setText(QStringLiteral("Holder"));
    checkBox(source, "Check15").setChecked(true);
    checkBox(source, "Check3").setChecked(true);
    checkBox(source, "Check4").setChecked(true);

    const design::FileValues saved = source.fileValues();
    const design::FileValues fresh = DesignWindow().fileValues();
    for (const design::FileKey &key : design::fileKeys())
        QVERIFY2(saved[key.line - 1] != fresh[key.line - 1], qPrintable(key.key.toString()));

    const QString path = folder.filePath(QStringLiteral("whole.vmd"));
    ScriptedFileAnswer saveAnswer;
    saveAnswer.chosen = path;
    scriptFileDialog(source, saveAnswer);
    clickButton(source, "Command2");

    DesignWindow opened;
    ScriptedFileAnswer answer;
    answer.chosen = path;
    scriptFileDialog(opened, answer);
    clickButton(opened, "Command1");

    QCOMPARE(answer.filter, QStringLiteral("Jewel Case Files|*.vmd"));
    QCOMPARE(answer.proposed, QString());
    compareValues(opened.fileValues(), saved);
    // What the file does not hold is rebuilt from what it does.
    QCOMPARE(entry(opened, "Text7").text(), QStringLiteral("300"));
    QCOMPARE(entry(opened, "Text8").text(), QStringLiteral("200"));
    QCOMPARE(entry(opened, "Text3").text(), QStringLiteral("6"));
    QCOMPARE(opened.shared().CoverWidth, 519.0f);
    QCOMPARE(element(opened, "Image1").left(), 109.5f);
    QCOMPARE(element(opened, "Image1").top(), 128.0f);
    QCOMPARE(element(opened, "Image1").picture().pixelColor(0, 0), QColor(Qt::red));
    QCOMPARE(element(opened, "Image3").picture().pixelColor(0, 0), QColor(Qt::blue));
    QCOMPARE(element(opened, "Label4").font().name, QStringLiteral("Arial"));
    QCOMPARE(element(opened, "Label27").alignment(), Qt::Alignment(Qt::AlignHCenter));
    QCOMPARE(element(opened, "Label28").top(), 436.0f);

    QCOMPARE(opened.shared().SavePromptArmed, true);
    QCOMPARE(opened.shared().PendingAction, Action::Open);
    QVERIFY(!secondaryWindow(opened, "Wait")->isVisible());
    QVERIFY(!secondaryWindow(opened, "Error"));
    QVERIFY(!message(opened, "OpenRejected"));

    // Save now proposes the opened file.
    clickButton(opened, "Command2");
    QCOMPARE(answer.proposed, path);
}

void OpenTest::handWrittenDesignAppliesEveryStep()
{
    DesignWindow design;
    openFile(design, dataFile("sample.vmd"));

    QCOMPARE(entry(design, "Text1").text(), QStringLiteral("Sample Top"));
    const Element &label2 = element(design, "Label2");
    QCOMPARE(label2.caption(), QStringLiteral("Sample Top"));
    QCOMPARE(label2.font(), (FontSpec{QStringLiteral("Arial"), 14.0f, true, false, true, false}));
    QCOMPARE(label2.foreColor(), rgb(0, 128, 0));
    QCOMPARE(label2.hasBorder(), true);
    QCOMPARE(label2.top(), 12.0f);
    QCOMPARE(label2.left(), 40.0f); // the file's place, though the line centres as it is typed
    const Element &label3 = element(design, "Label3");
    QCOMPARE(label3.font(), (FontSpec{QStringLiteral("Times New Roman"), 10.5f, false, true}));
    QCOMPARE(label3.foreColor(), rgb(255, 0, 0));
    QCOMPARE(label3.left(), 90.0f);

    // Back cover; the rules, their entry and the box.
    QVERIFY(option(design, "Option4").isChecked());
    QVERIFY(!option(design, "Option1").isChecked());
    QCOMPARE(design.shared().CoverWidth, 519.0f);
    QCOMPARE(element(design, "Shape1").width(), 519.0f);
    QCOMPARE(element(design, "Line1").borderWidth(), 3);
    QCOMPARE(element(design, "Line2").borderColor(), SystemWindowText);
    QCOMPARE(entry(design, "Text3").text(), QStringLiteral("3"));
    QVERIFY(element(design, "Line1").isVisible());
    QVERIFY(!element(design, "Line2").isVisible());
    QVERIFY(element(design, "Shape2").isVisible());
    QCOMPARE(element(design, "Shape2").borderWidth(), 5);
    QCOMPARE(element(design, "Shape2").borderColor(), rgb(128, 128, 128));

    // "&HFF" is a width of 255 by its leading number; the picture is centred and its entries
    // show the size as whole numbers.
    const Element &image1 = element(design, "Image1");
    QCOMPARE(image1.width(), 255.0f);
    QCOMPARE(image1.height(), 200.0f);
    QCOMPARE(image1.left(), 132.0f);
    QCOMPARE(image1.top(), 128.0f);
    QCOMPARE(entry(design, "Text7").text(), QStringLiteral("255"));
    QCOMPARE(entry(design, "Text8").text(), QStringLiteral("200"));

    // Titles in the titles' font; the lower block small, in the bottom line's colour, centred.
    QCOMPARE(element(design, "Label4").caption(), QStringLiteral("Title 1"));
    QCOMPARE(element(design, "Label27").caption(), QStringLiteral("Misc information"));
    for (const char *name : {"Label4", "Label9", "Label10", "Label11", "Label23", "Label24"}) {
        QCOMPARE(element(design, name).foreColor(), rgb(0, 0, 255));
        QCOMPARE(element(design, name).font().name, QStringLiteral("Arial"));
        QVERIFY(element(design, name).isVisible());
    }
    QCOMPARE(element(design, "Label23").font().size, 10.0f);
    for (const char *name : {"Label25", "Label26", "Label27"})
        QCOMPARE(element(design, name).foreColor(), rgb(255, 0, 0));
    QCOMPARE(element(design, "Label24").font().size, 7.0f);
    QCOMPARE(element(design, "Label26").font().size, 7.0f);
    QCOMPARE(element(design, "Label27").font().size, 6.0f);
    QCOMPARE(element(design, "Label27").alignment(), Qt::Alignment(Qt::AlignHCenter));

    // The notice: posted with the mark, in the titles' colour, lifted by the 5-pixel box.
    QVERIFY(checkBox(design, "Check9").isChecked());
    QCOMPARE(entry(design, "Text11").text(), QStringLiteral("1998"));
    QCOMPARE(entry(design, "Text12").text(), QStringLiteral("Holder"));
    QVERIFY(element(design, "Image4").isVisible());
    QCOMPARE(element(design, "Label29").foreColor(), rgb(0, 0, 255));
    for (const char *name : {"Image4", "Label28", "Label29"})
        QCOMPARE(element(design, name).top(), 436.0f);

    QCOMPARE(design.designFileName(), dataFile("sample.vmd"));
    QVERIFY(!message(design, "OpenRejected"));
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
    QByteArray noLastEnd = crlf;
    noLastEnd.chop(2);
    QTest::newRow("LF only") << lf;
    QTest::newRow("CR only") << cr;
    QTest::newRow("no end after the last line") << noLastEnd;
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
    entry(design, "Text1").setText(QStringLiteral("Old"));
    design.titleArea(1).setCaption(QStringLiteral("Old title"));
    openFile(design, dataFile("short.vmd"));

    QCOMPARE(element(design, "Label2").caption(), QStringLiteral("Sample Top"));
    QCOMPARE(element(design, "Label3").foreColor(), rgb(255, 0, 0));
    QCOMPARE(element(design, "Line1").borderWidth(), 3);
    QCOMPARE(design.titleArea(1).caption(), QString());
    QVERIFY(!checkBox(design, "Check13").isChecked());
    QVERIFY(!checkBox(design, "Check6").isChecked());
    QCOMPARE(element(design, "Label2").top(), 0.0f);
    QCOMPARE(element(design, "Label2").font().bold, false);

    // Neither cover chosen: the back layout stays in force and stays shown as chosen.
    QVERIFY(option(design, "Option4").isChecked());
    QCOMPARE(design.shared().CoverWidth, 519.0f);
    QCOMPARE(element(design, "Shape1").width(), 519.0f);
    QCOMPARE(element(design, "Line1").x2(), 495.0f);

    QVERIFY(!message(design, "OpenRejected"));
    QCOMPARE(design.shared().SavePromptArmed, true);
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
    QVERIFY(!checkBox(design, "Check7").isChecked());
    QVERIFY(!element(design, "Label4").isVisible());
    QCOMPARE(element(design, "Label4").caption(), QStringLiteral("Title 1"));
    QVERIFY(option(design, "Option4").isChecked());
    QCOMPARE(element(design, "Label3").foreColor(), rgb(255, 0, 0));

    QMessageBox *rejected = message(design, "OpenRejected");
    QVERIFY(rejected);
    QVERIFY(rejected->isVisible());
    QVERIFY(!rejected->isModal());
    const QString text = rejected->text();
    QVERIFY2(text.contains(QStringLiteral("line 4 (top line colour)")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("line 22 (show the titles)")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("line 64")), qPrintable(text));
    QVERIFY(!text.contains(QStringLiteral("line 16")));
    QVERIFY(!secondaryWindow(design, "Wait")->isVisible());
    QCOMPARE(design.shared().SavePromptArmed, true);
}

void OpenTest::unreadableFileLeavesTheDesign_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("fifo");
    QTest::newRow("missing") << QStringLiteral("gone.vmd") << false;
    QTest::newRow("folder") << QStringLiteral("folder.vmd") << false;
    QTest::newRow("FIFO") << QStringLiteral("pipe.vmd") << true;
}

void OpenTest::unreadableFileLeavesTheDesign()
{
    QFETCH(QString, name);
    QFETCH(bool, fifo);
    QTemporaryDir folder;
    const QString path = folder.filePath(name);
    if (name == QStringLiteral("folder.vmd"))
        QVERIFY(QDir(folder.path()).mkdir(name));
    if (fifo)
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);

    DesignWindow design;
    const QString main = picture(folder, "main.png", Qt::red);
    control<QLabel>(design, "PIXFLN").setText(main);
    element(design, "Image1").setPicture(QImage(main));
    entry(design, "Text1").setText(QStringLiteral("Kept"));
    openFile(design, path);

    QMessageBox *error = message(design, "OpenError");
    QVERIFY(error);
    QVERIFY(error->isVisible());
    QVERIFY(!error->isModal());
    QVERIFY(error->text().contains(name));
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
    checkBox(design, "Check5").setChecked(true);
    entry(design, "Text10").setText(QStringLiteral("6"));
    checkBox(design, "Check5").setChecked(false);
    checkBox(design, "Check5").setChecked(true);
    QVERIFY(element(design, "Label28").top() < 439);
    entry(design, "Text1").setText(QStringLiteral("Kept"));

    ScriptedFileAnswer answer;
    answer.cancel = true;
    scriptFileDialog(design, answer);
    clickButton(design, "Command1");

    QCOMPARE(answer.shown, 1);
    QCOMPARE(design.shared().PendingAction, Action::Open);
    for (const char *name : {"Image4", "Label28", "Label29"})
        QCOMPARE(element(design, name).top(), 439.0f);
    QCOMPARE(element(design, "Label2").caption(), QStringLiteral("Kept"));
    QCOMPARE(design.shared().SavePromptArmed, false);
    QVERIFY(!secondaryWindow(design, "Wait"));
}

void OpenTest::questionDueAsksBeforeTheDialog()
{
    DesignWindow design;
    clickButton(design, "Command4"); // New arms the question
    QVERIFY(design.shared().SavePromptArmed);
    ScriptedFileAnswer answer;
    answer.chosen = dataFile("sample.vmd");
    scriptFileDialog(design, answer);

    clickButton(design, "Command1");
    QCOMPARE(answer.shown, 0);
    QCOMPARE(design.shared().PendingAction, Action::Open);
    design::SaveWindow *question = design.saveWindow();
    QVERIFY(question && question->isVisible());
    QCOMPARE(element(design, "Label2").caption(), QString());

    // "No" goes on with Open.
    clickButton(*question, "Command2");
    QCOMPARE(answer.shown, 1);
    QVERIFY(!question->isVisible());
    QCOMPARE(element(design, "Label2").caption(), QStringLiteral("Sample Top"));
    QCOMPARE(design.shared().SavePromptArmed, true);
}

void OpenTest::boxLiftsTheNoticeOnceOpenedTwice()
{
    QTemporaryDir folder;
    const QByteArray sample = readAll(dataFile("sample.vmd"));
    const QByteArray missing =
        withLine(sample, 14, QFile::encodeName(folder.filePath(QStringLiteral("gone.jpg"))));
    const QString intact = folder.filePath(QStringLiteral("intact.vmd"));
    const QString failing = folder.filePath(QStringLiteral("failing.vmd"));
    QVERIFY(writeAll(intact, sample));
    QVERIFY(writeAll(failing, missing));

    DesignWindow design;
    checkBox(design, "Check12").setChecked(false); // no question between the opens
    for (const QString &path : {intact, intact, failing, failing, intact}) {
        openFile(design, path);
        for (const char *name : {"Image4", "Label28", "Label29"})
            QCOMPARE(element(design, name).top(), 436.0f);
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

    QByteArray file = readAll(dataFile("sample.vmd"));
    file = withLine(file, 14, QFile::encodeName(bad));
    file = withLine(file, 17, QFile::encodeName(logo));
    const QString path = folder.filePath(QStringLiteral("design.vmd"));
    QVERIFY(writeAll(path, file));

    DesignWindow design;
    const Element &image1 = element(design, "Image1");
    const QRectF boxBefore = image1.rect();
    openFile(design, path);

    QWidget *error = secondaryWindow(design, "Error");
    QVERIFY(error);
    QVERIFY(error->isVisible());
    QCOMPARE(error->windowTitle(), QStringLiteral("File Import Error"));
    QVERIFY(!secondaryWindow(design, "Wait")->isVisible());

    // The failed picture and the logo after it stay empty; their paths stay named.
    QVERIFY(image1.picture().isNull());
    QVERIFY(element(design, "Image2").picture().isNull());
    QCOMPARE(labelText(design, "PIXFLN"), bad);
    QCOMPARE(labelText(design, "Label30"), logo);
    // The picture keeps the box it had (re-placed only by the layout switch).
    QCOMPARE(image1.width(), float(boxBefore.width()));
    QCOMPARE(image1.height(), float(boxBefore.height()));
    QCOMPARE(image1.left(), 63.0f);
    QCOMPARE(entry(design, "Text7").text(), QStringLiteral("393"));

    // The rest of the design is restored.
    QVERIFY(option(design, "Option4").isChecked());
    QCOMPARE(design.shared().CoverWidth, 519.0f);
    QVERIFY(checkBox(design, "Check3").isChecked());
    QCOMPARE(element(design, "Label4").caption(), QStringLiteral("Title 1"));
    QCOMPARE(element(design, "Label26").font().name, QStringLiteral("Arial"));
    QCOMPARE(element(design, "Label26").foreColor(), rgb(255, 0, 0)); // "Lower Black"
    QCOMPARE(element(design, "Label24").foreColor(), rgb(0, 0, 255));
    QCOMPARE(element(design, "Label24").font().size, 7.0f); // "Lower Small"
    QCOMPARE(element(design, "Label27").font().size, 6.0f);
    QCOMPARE(element(design, "Label27").alignment(),
             Qt::Alignment(Qt::AlignHCenter)); // "Center Lower"
    QVERIFY(element(design, "Image4").isVisible());
    QCOMPARE(element(design, "Label29").top(), 436.0f);
    QCOMPARE(design.shared().SavePromptArmed, true);
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
    const QString main = picture(folder, "main.png", Qt::red);
    const QString logo1 = picture(folder, "logo1.png", Qt::green);
    const QString gone = folder.filePath(QStringLiteral("gone.bmp"));
    QByteArray file = readAll(dataFile("sample.vmd"));
    file = withLine(file, 14, QFile::encodeName(main));
    file = withLine(file, 17, QFile::encodeName(logo1));
    file = withLine(file, 18, QFile::encodeName(gone));
    const QString path = folder.filePath(QStringLiteral("design.vmd"));
    QVERIFY(writeAll(path, file));

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
    QTest::addColumn<QByteArray>("posted");
    QTest::addColumn<QByteArray>("mark");
    QTest::addColumn<bool>("shown");
    QTest::newRow("both") << QByteArray(" 1 ") << QByteArray(" 1 ") << true;
    QTest::newRow("posted only") << QByteArray(" 1 ") << QByteArray(" 0 ") << false;
    QTest::newRow("mark only") << QByteArray(" 0 ") << QByteArray(" 1 ") << false;
    QTest::newRow("any non-zero ticks") << QByteArray(" 2 ") << QByteArray("-1 ") << true;
}

void OpenTest::phonorecordMarkNeedsBothBoxes()
{
    QFETCH(QByteArray, posted);
    QFETCH(QByteArray, mark);
    QFETCH(bool, shown);
    QTemporaryDir folder;
    QByteArray file = readAll(dataFile("sample.vmd"));
    file = withLine(withLine(file, 56, posted), 57, mark);
    const QString path = folder.filePath(QStringLiteral("mark.vmd"));
    QVERIFY(writeAll(path, file));

    DesignWindow design;
    checkBox(design, "Check9").setChecked(!shown);
    openFile(design, path);
    QCOMPARE(element(design, "Image4").isVisible(), shown);
}

void OpenTest::tickedCentreKeepsCentring()
{
    // "Center" stays ticked through the load: typing the top line still centres it.
    DesignWindow design;
    QVERIFY(checkBox(design, "Check13").isChecked());
    openFile(design, dataFile("sample.vmd"));
    QVERIFY(checkBox(design, "Check13").isChecked());
    QCOMPARE(element(design, "Label2").left(), 40.0f);
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
    const QByteArray file = withLine(readAll(dataFile("sample.vmd")), 14, "/nowhere/gone.jpg");
    const QString path = folder.filePath(QStringLiteral("design.vmd"));
    QVERIFY(writeAll(path, file));

    auto *design = new DesignWindow;
    design->setAttribute(Qt::WA_DeleteOnClose);
    design->show();
    openFile(*design, path);
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
