// What New resets, what Open and the font dialog leave alone, and when a picture is read again:
// the screen, the fields and the saved file keep agreeing.

#include "support/design_test_support.h"

#include "designer/windows/pixclear_window.h"
#include "designer/windows/titles_window.h"
#include "toolkit/fonts.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace vm;
using namespace vm::test;
using vm::design::DesignWindow;
using vm::design::PixclearWindow;

namespace {

// Accepts `count` modal dialogs as they come up, each after `edit` has seen it.
void acceptDialogs(int count, const std::function<void(QDialog *)> &edit)
{
    QTimer::singleShot(10, [count, edit] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return acceptDialogs(count, edit);
        edit(dialog);
        if (count > 1)
            acceptDialogs(count - 1, edit);
        dialog->accept();
    });
}

// sample.vmd with some lines replaced, written into `folder`.
QString sampleWith(const QTemporaryDir &folder, const QList<std::pair<int, QString>> &lines)
{
    QByteArray file = readAll(dataFile("sample.vmd"));
    for (const auto &[n, value] : lines)
        file = withLine(file, n, value.toUtf8());
    const QString path = folder.filePath(QStringLiteral("design.vmd"));
    if (!writeAll(path, file))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

QList<float> noticeTops(const DesignWindow &design)
{
    return {element(design, "Image4").top(), element(design, "Label28").top(),
            element(design, "Label29").top()};
}

bool setModified(const QString &path, const QDateTime &time)
{
    QFile file(path);
    return file.open(QIODevice::Append) &&
           file.setFileTime(time, QFileDevice::FileModificationTime);
}

} // namespace

class ResetAndReloadTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutes(); }

    void fontDialogKeepsSizesLeftAlone_data();
    void fontDialogKeepsSizesLeftAlone();
    void newDesignSavesAsItShows();
    void newDesignIsUntitled();
    void openThatReadsNothingMovesNothing_data();
    void openThatReadsNothingMovesNothing();
    void fieldsHoldWholeFileLines();
    void clearingWindowShowsUnticked();
    void changedPictureFileIsNotReadAgain_data();
    void changedPictureFileIsNotReadAgain();
    void openedBoxGetsItsDetail();
};

void ResetAndReloadTest::fontDialogKeepsSizesLeftAlone_data()
{
    QTest::addColumn<QByteArray>("button");
    QTest::addColumn<QByteArray>("label");
    QTest::addColumn<int>("picked"); // 0: the size is left as the dialog shows it
    QTest::addColumn<float>("size");
    QTest::newRow("bottom line left")
        << QByteArray("Command10") << QByteArray("Label3") << 0 << 13.5f;
    QTest::newRow("titles left") << QByteArray("Command15") << QByteArray("Label10") << 0 << 8.25f;
    QTest::newRow("bottom line picked")
        << QByteArray("Command10") << QByteArray("Label3") << 20 << 20.0f;
}

void ResetAndReloadTest::fontDialogKeepsSizesLeftAlone()
{
    QFETCH(QByteArray, button);
    QFETCH(QByteArray, label);
    QFETCH(int, picked);
    QFETCH(float, size);
    DesignWindow design; // Qt's own font dialog, then the colour dialog
    acceptDialogs(2, [picked](QDialog *dialog) {
        auto *fonts = qobject_cast<QFontDialog *>(dialog);
        if (fonts && picked) {
            QFont font = fonts->currentFont();
            font.setPointSize(picked);
            fonts->setCurrentFont(font);
        }
    });
    click(design, button.constData());
    QCOMPARE(element(design, label.constData()).font().size, size);
}

void ResetAndReloadTest::newDesignSavesAsItShows()
{
    // An old design with its own title font and colour, "Lower Black" and a 5-pixel box.
    QTemporaryDir folder;
    DesignWindow design;
    checkBox(design, "Check12").setChecked(false);
    openFile(design, dataFile("sample.vmd"));
    click(design, "Command4");
    QCOMPARE(entry(design, "Text10").text(), QStringLiteral("2"));

    for (int n = 1; n <= DesignWindow::TitleAreaCount; ++n)
        design.titleArea(n).setCaption(QStringLiteral("Title %1").arg(n));
    const QImage shown = design.canvas().render(QRect(0, 0, 456, 456));
    const QString path = folder.filePath(QStringLiteral("new.vmd"));
    saveFile(design, path);
    openFile(design, path);
    QVERIFY(design.canvas().render(QRect(0, 0, 456, 456)) == shown);
    QCOMPARE(element(design, "Shape2").borderWidth(), 2);
}

void ResetAndReloadTest::newDesignIsUntitled()
{
    DesignWindow design;
    checkBox(design, "Check12").setChecked(false);
    openFile(design, dataFile("sample.vmd"));
    click(design, "Command4");
    ScriptedFileAnswer answer;
    answer.cancel = true;
    scriptFileDialog(design, answer);
    click(design, "Command2");
    QCOMPARE(answer.proposed, QDir::current().absoluteFilePath(QStringLiteral("Untitled.vmd")));
}

void ResetAndReloadTest::openThatReadsNothingMovesNothing_data()
{
    QTest::addColumn<QString>("outcome");
    QTest::newRow("cancelled") << QStringLiteral("cancel");
    QTest::newRow("save question") << QStringLiteral("question");
    QTest::newRow("unreadable") << QStringLiteral("unreadable");
}

void ResetAndReloadTest::openThatReadsNothingMovesNothing()
{
    QFETCH(QString, outcome);
    DesignWindow design;
    if (outcome == QStringLiteral("question"))
        click(design, "Command4"); // arms the question
    // The box's border covers the notice by 4 pixels: the group stands 4 higher.
    entry(design, "Text10").setText(QStringLiteral("6"));
    checkBox(design, "Check5").setChecked(true);
    const QList<float> lifted = noticeTops(design);
    QCOMPARE(lifted.first(), 435.0f);

    ScriptedFileAnswer answer;
    answer.cancel = outcome == QStringLiteral("cancel");
    answer.chosen = QDir::temp().filePath(QStringLiteral("no-such-folder/none.vmd"));
    scriptFileDialog(design, answer);
    click(design, "Command1");
    QCOMPARE(answer.shown, outcome == QStringLiteral("question") ? 0 : 1);
    QCOMPARE(noticeTops(design), lifted);
}

void ResetAndReloadTest::fieldsHoldWholeFileLines()
{
    // Values as long as a line of the file may be: top line, first title, misc. text, holder.
    const QString longest(design::FileLineLimit, u'x');
    const QList<int> lines{1, 28, 51, 60};
    QTemporaryDir folder;
    QList<std::pair<int, QString>> replaced;
    for (int n : lines)
        replaced.append({n, longest});
    DesignWindow design;
    openFile(design, sampleWith(folder, replaced));
    click(design, "Command14"); // the editor's fields write back into the titles

    QCOMPARE(entry(design, "Text1").text().size(), longest.size());
    const design::FileValues saved = design.fileValues();
    for (int n : lines)
        QCOMPARE(std::get<QString>(saved[n - 1]).size(), longest.size());
}

void ResetAndReloadTest::clearingWindowShowsUnticked()
{
    DesignWindow design;
    click(design, "Command16");
    PixclearWindow *pixclear = nullptr;
    for (QWidget *window : QApplication::topLevelWidgets())
        pixclear = pixclear ? pixclear : qobject_cast<PixclearWindow *>(window);
    QVERIFY(pixclear);
    pixclear->check(2)->setChecked(true);
    pixclear->findChild<QPushButton *>(QStringLiteral("Command1"))->click(); // OK hides it

    // Unticked as it shows, before any activation (which a window manager may refuse).
    click(design, "Command16");
    QVERIFY(pixclear->isVisible() && !pixclear->isActiveWindow());
    QVERIFY(!pixclear->check(2)->isChecked());
}

void ResetAndReloadTest::changedPictureFileIsNotReadAgain_data()
{
    QTest::addColumn<bool>("replaced"); // another picture with the old time; else only touched
    QTest::newRow("replaced") << true;
    QTest::newRow("touched") << false;
}

void ResetAndReloadTest::changedPictureFileIsNotReadAgain()
{
    QFETCH(bool, replaced);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("photo.jpg"));
    QImage photo(4000, 3000, QImage::Format_RGB32);
    photo.fill(Qt::darkGreen);
    QVERIFY(photo.save(path));
    const QDateTime modified = QFileInfo(path).lastModified();

    DesignWindow design;
    ScriptedFileAnswer answer;
    answer.chosen = path;
    scriptFileDialog(design, answer);
    click(design, "Command8");
    const Element &image1 = element(design, "Image1");
    QCOMPARE(image1.picture().size(), QSize(2500, 1875)); // the detail a 393 x 289 box needs

    if (replaced) {
        QImage other(3000, 3000, QImage::Format_RGB32);
        other.fill(Qt::red);
        QVERIFY(other.save(path));
    }
    QVERIFY(setModified(path, replaced ? modified : modified.addSecs(10)));
    entry(design, "Text7").setText(QStringLiteral("600")); // outgrows the decoded picture
    QCOMPARE(image1.picture().size(), QSize(2500, 1875));
}

void ResetAndReloadTest::openedBoxGetsItsDetail()
{
    // A 600 x 456 box needs 3750 x 2850 pixels; logo 1 is missing, so Open ends in recovery.
    QTemporaryDir folder;
    const QString photoPath = folder.filePath(QStringLiteral("photo.jpg"));
    QImage photo(4000, 3000, QImage::Format_RGB32);
    photo.fill(Qt::darkGreen);
    QVERIFY(photo.save(photoPath));
    const QString path = sampleWith(folder, {{14, photoPath},
                                             {15, QStringLiteral(" 456 ")},
                                             {16, QStringLiteral(" 600 ")},
                                             {17, folder.filePath(QStringLiteral("gone.bmp"))}});
    DesignWindow design;
    openFile(design, path);
    const Element &image1 = element(design, "Image1");
    QCOMPARE(image1.rect().size(), QSizeF(600, 456));
    QCOMPARE(image1.picture().size(), QSize(4000, 3000));
}

QTEST_MAIN(ResetAndReloadTest)
#include "test_reset_and_reload.moc"
