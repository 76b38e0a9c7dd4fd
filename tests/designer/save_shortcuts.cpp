// Save writes the design's own file without asking, Save As always asks, and every key runs
// what its button runs, the save question included.
#include "support/design_fixture.h"
#include "support/test_main.h"

#include "designer/windows/save_window.h"

#include <QDialog>
#include <QDir>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using namespace vm::test;
using vm::design::DesignWindow;
using namespace Qt::StringLiterals;

class SaveAndKeysTest : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    const QString m_file = m_dir.filePath(u"cover.vmd"_s),
                  m_sample = dataFile(u"designer/sample.vmd"_s);

private slots:
    void init() { QVERIFY(QFile::remove(m_file) | QFile::copy(m_sample, m_file)); }

    void saveWritesTheDesignsFile_data()
    {
        QTest::addColumn<QString>("how");
        for (const char *how : {"button", "Ctrl+S", "the question's Yes", "file deleted since"})
            QTest::newRow(how) << QString::fromLatin1(how);
    }

    void saveWritesTheDesignsFile()
    {
        QFETCH(QString, how);
        DesignWindow design;
        openFile(design, m_file); // arms the question
        ScriptedDialogs &dialogs = scriptDialogs(design.commonDialog());
        entry(design, "Text1").setText(u"Changed"_s);
        if (how.startsWith(u"file deleted"))
            QVERIFY(QFile::remove(m_file));
        if (how == u"Ctrl+S")
            pressKey(design, QKeySequence(how));
        else if (how.startsWith(u"the question")) {
            click(design, "Command4");
            click(*design.saveWindow(), "Command1");
        } else
            click(design, "Command2");
        QCOMPARE(dialogs.files, 0);
        QCOMPARE(readAll(m_file).left(9), "Changed\r\n");
        QVERIFY(!design.findChild<QMessageBox *>(u"SaveError"_s));
    }

    // Save As proposes the design's file and makes the chosen one the design's; New forgets it.
    void saveAsAsksAndNewForgets()
    {
        DesignWindow design;
        checkBox(design, "Check12").setChecked(false);
        openFile(design, m_file);
        ScriptedDialogs &dialogs = scriptDialogs(design.commonDialog());
        dialogs.chosenFile = m_dir.filePath(u"other"_s);
        for (const QString &proposed : {m_file, dialogs.chosenFile + u".vmd"_s}) {
            pressKey(design, QKeySequence(u"Ctrl+Shift+S"_s));
            QCOMPARE(dialogs.proposedFile, proposed);
        }
        click(design, "Command4");
        click(design, "Command2");
        QCOMPARE(dialogs.files, 3);
        QCOMPARE(dialogs.proposedFile, QDir::current().absoluteFilePath(u"Untitled.vmd"_s));
        QCOMPARE(readAll(m_file), readAll(m_sample));
    }

    void failedSaveSaysWhyAndKeepsAll_data()
    {
        QTest::addColumn<QString>("key");
        QTest::newRow("Save on a full disc") << u"Ctrl+S"_s;
        QTest::newRow("Save As onto a folder") << u"Ctrl+Shift+S"_s;
    }

    void failedSaveSaysWhyAndKeepsAll()
    {
        QFETCH(QString, key);
        const bool direct = key == u"Ctrl+S";
        DesignWindow design;
        openFile(design, m_file);
        entry(design, "Text1").setText(u"Kept"_s);
        const QString folder = m_dir.filePath(u"folder.vmd"_s);
        QVERIFY(QDir().mkpath(folder));
        scriptDialogs(design.commonDialog()).chosenFile = folder;
        // A file size limit holds for root too; the write fails as on a full disc.
        rlimit saved{}, limit{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        limit = {direct ? 1 : saved.rlim_cur, saved.rlim_max};
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &limit);
        pressKey(design, QKeySequence(key));
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
        const auto *error = design.findChild<QMessageBox *>(u"SaveError"_s);
        QVERIFY(error && error->isVisible());
        QVERIFY2(error->text().contains(direct ? u"File too large"_s : folder),
                 qPrintable(error->text()));
        QCOMPARE(error->text().contains(u"Ctrl+Shift+S"_s), direct);
        QCOMPARE(readAll(m_file), readAll(m_sample));
        QCOMPARE(design.designFileName(), m_file);
        QCOMPARE(element(design, "Label2").caption(), u"Kept"_s);
    }

    void keysRunTheirCommands_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("armed");     // the save question is due
        QTest::addColumn<QString>("result"); // what came of it
        QTest::newRow("New") << u"Ctrl+N"_s << false << u"new"_s;
        QTest::newRow("New, asked") << u"Ctrl+N"_s << true << u"question"_s;
        QTest::newRow("Open") << u"Ctrl+O"_s << false << u"dialog 1"_s;
        QTest::newRow("Open, asked") << u"Ctrl+O"_s << true << u"question"_s;
        QTest::newRow("Save") << u"Ctrl+S"_s << true << u"dialog 1"_s;
        QTest::newRow("Save As") << u"Ctrl+Shift+S"_s << false << u"dialog 1"_s;
        QTest::newRow("Print") << u"Ctrl+P"_s << false << u"printed"_s;
        QTest::newRow("Close") << u"Ctrl+W"_s << false << u"closed"_s;
        QTest::newRow("Close, asked") << u"Ctrl+W"_s << true << u"question"_s;
        QTest::newRow("Quit") << u"Ctrl+Q"_s << false << u"closed"_s;
        QTest::newRow("Quit, asked") << u"Ctrl+Q"_s << true << u"question"_s;
        QTest::newRow("Help") << u"F1"_s << false << u"manual"_s;
        QTest::newRow("under a modal dialog") << u"Ctrl+Shift+S"_s << false << QString();
    }

    void keysRunTheirCommands()
    {
        QFETCH(QString, key);
        QFETCH(bool, armed);
        QFETCH(QString, result);
        DesignWindow design;
        checkBox(design, "Check12").setChecked(armed);
        click(design, "Command4");
        entry(design, "Text1").setText(u"Mine"_s);
        ScriptedDialogs &dialogs = scriptDialogs(design.commonDialog()); // each dialog cancelled
        const QString pdf = m_dir.filePath(u"page.pdf"_s);
        design.printer().setOutputFileName(pdf);
        QDialog modal;
        modal.setModal(true);
        if (result.isEmpty()) {
            pressKey(design, {}); // active, then blocked
            modal.show();
            QTest::keyClick(&design, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        } else
            pressKey(design, QKeySequence(key));
        QStringList happened;
        if (dialogs.files > 0)
            happened << u"dialog %1"_s.arg(dialogs.files);
        if (design.saveWindow() && design.saveWindow()->isVisible())
            happened << u"question"_s;
        if (!design.isVisible())
            happened << u"closed"_s;
        if (element(design, "Label2").caption().isEmpty())
            happened << u"new"_s;
        if (QFile::remove(pdf))
            happened << u"printed"_s;
        if (const auto *box = design.findChild<QMessageBox *>(u"ManualError"_s))
            happened << (box->text().contains(u"named vmhelp"_s) ? u"manual"_s : box->text());
        QCOMPARE(happened.join(u' '), result);
    }
};

VM_TEST_CLASS(SaveAndKeysTest)
#include "save_shortcuts.moc"
