// Save: the dialog's proposal, the 75 lines of the design file, and a save that fails.

#include "support/design_test_support.h"

#include "designer/document/design_file.h"
#include "designer/windows/titles_window.h"
#include "toolkit/fonts.h"

#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace vm;
using namespace vm::test;
using vm::design::DesignWindow;

namespace {

QList<QByteArray> fileLines(const QByteArray &bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QByteArray &line : lines) {
        if (!line.endsWith('\r'))
            return {}; // every line must end in CR LF
        line.chop(1);
    }
    return lines;
}

} // namespace

class SaveTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutes(); }

    void freshDesignMatchesHandWrittenFile();
    void editedDesignKeepsSeventyFiveLines();
    void dialogProposesTheDesignsFile();
    void cancelWritesNothing();
    void failureIsReportedAndChangesNothing();
};

void SaveTest::freshDesignMatchesHandWrittenFile()
{
    const QString expectedPath = dataFile("start_up.vmd");
    QVERIFY(!expectedPath.isEmpty());
    QTemporaryDir folder;
    DesignWindow design;
    entry(design, "Text11").setText(QStringLiteral("2001")); // the file was written in 2001
    ScriptedFileAnswer answer;
    answer.chosen = folder.filePath(QStringLiteral("fresh.vmd"));
    scriptFileDialog(design, answer);
    click(design, "Command2");

    const QByteArray written = readAll(answer.chosen);
    const QByteArray expected = readAll(expectedPath);
    const QList<QByteArray> writtenLines = fileLines(written);
    const QList<QByteArray> expectedLines = fileLines(expected);
    QCOMPARE(expectedLines.size(), 75);
    QCOMPARE(written.size(), expected.size()); // nothing after line 75, every line CR LF
    for (int i = 0; i < 75; ++i)
        QVERIFY2(writtenLines[i] == expectedLines[i],
                 qPrintable(QStringLiteral("line %1: \"%2\" instead of \"%3\"")
                                .arg(i + 1)
                                .arg(QString::fromUtf8(writtenLines[i]),
                                     QString::fromUtf8(expectedLines[i]))));
    // Saving changes nothing of the design.
    QCOMPARE(design.shared().SavePromptArmed, false);
    QVERIFY(!design.findChild<QMessageBox *>(QStringLiteral("SaveError")));
}

void SaveTest::editedDesignKeepsSeventyFiveLines()
{
    QTemporaryDir folder;
    DesignWindow design;
    click(design, "Command4");
    option(design, "Option4").setChecked(true);
    entry(design, "Text1").setText(QStringLiteral("Grüße"));
    checkBox(design, "Check5").setChecked(true);
    checkBox(design, "Check13").setChecked(false);
    entry(design, "Text3").setText(QStringLiteral("3.5"));
    element(design, "Label3").setForeColor(rgb(0, 0, 255));
    // A break inside a title would shift every later line.
    design.titleArea(2).setCaption(QStringLiteral("two\r\nlines"));
    design.titleArea(24).setCaption(QStringLiteral("last"));

    ScriptedFileAnswer answer;
    answer.chosen = folder.filePath(QStringLiteral("edited.vmd"));
    scriptFileDialog(design, answer);
    click(design, "Command2");

    // One line each (the forms are test_design_file's); a break inside a title is a blank.
    const QList<QByteArray> lines = fileLines(readAll(answer.chosen));
    QCOMPARE(lines.size(), 75);
    QCOMPARE(lines[0], QStringLiteral("Grüße").toUtf8());
    QCOMPARE(lines[9], QByteArray(" 4 "));
    QCOMPARE(lines[28], QByteArray("two  lines"));
    QCOMPARE(lines[50], QByteArray("last"));
    QCOMPARE(lines[63], QByteArray("False"));
}

void SaveTest::dialogProposesTheDesignsFile()
{
    QTemporaryDir folder;
    DesignWindow design;
    ScriptedFileAnswer answer;
    answer.chosen = folder.filePath(QStringLiteral("cover"));
    scriptFileDialog(design, answer);
    click(design, "Command2");

    QCOMPARE(answer.proposed, QDir::current().absoluteFilePath(QStringLiteral("Untitled.vmd")));
    QCOMPARE(answer.filter, QStringLiteral("Jewel Case Files|*.vmd"));
    // The extension is added when the name lacks it.
    const QString saved = folder.filePath(QStringLiteral("cover.vmd"));
    QVERIFY(QFile::exists(saved));
    QVERIFY(!QFile::exists(answer.chosen));
    QCOMPARE(design.designFileName(), saved);

    // The next save proposes the same file, and replaces it.
    entry(design, "Text1").setText(QStringLiteral("Second"));
    answer.chosen = saved;
    click(design, "Command2");
    QCOMPARE(answer.proposed, saved);
    QCOMPARE(fileLines(readAll(saved)).value(0), QByteArray("Second"));
}

void SaveTest::cancelWritesNothing()
{
    QTemporaryDir folder;
    DesignWindow design;
    ScriptedFileAnswer answer;
    answer.cancel = true;
    scriptFileDialog(design, answer);
    click(design, "Command2");
    QCOMPARE(answer.shown, 1);
    QVERIFY(QDir(folder.path()).isEmpty());
    QCOMPARE(design.designFileName(), QString());
}

void SaveTest::failureIsReportedAndChangesNothing()
{
    QTemporaryDir folder;
    DesignWindow design;
    entry(design, "Text1").setText(QStringLiteral("Kept"));
    ScriptedFileAnswer answer;
    answer.chosen = folder.filePath(QStringLiteral("no such folder/cover.vmd"));
    scriptFileDialog(design, answer);
    click(design, "Command2");

    auto *message = design.findChild<QMessageBox *>(QStringLiteral("SaveError"));
    QVERIFY(message);
    QVERIFY(message->isVisible());
    QVERIFY(!message->isModal());
    QVERIFY(message->text().contains(QStringLiteral("cover.vmd")));
    QCOMPARE(element(design, "Label2").caption(), QStringLiteral("Kept"));
    QCOMPARE(design.designFileName(), QString());
    QVERIFY(!QFile::exists(answer.chosen));
}

QTEST_MAIN(SaveTest)
#include "test_save.moc"
