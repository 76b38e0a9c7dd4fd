// SPDX-License-Identifier: GPL-3.0-or-later
// The launcher: the desktop width check, the start buttons and the minimise box, the message
// when a program cannot start; and the program start beneath, which runs only what lies beside.
#include "launcher/startup_window.h"

#include "support/design_fixture.h"
#include "support/test_main.h"

#include <QCoreApplication>
#include <QDir>
#include <QMessageBox>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

using namespace vm::test;
using namespace Qt::StringLiterals;
using vm::launcher::StartupWindow;

namespace {

// The launcher on a desktop `widthTwips` wide; its program start records what it started.
struct Launcher
{
    explicit Launcher(int width = 12000) : widthTwips(width) {}
    int widthTwips;
    QStringList started;
    QString failure;
    StartupWindow window{{[this] { return widthTwips; },
                          [this](const QString &name) {
                              started << (window.isMinimized() ? u"minimised "_s + name : name);
                              return vm::StartResult{failure.isEmpty(), failure};
                          }}};
};

bool writeProgram(const QString &path, const QByteArray &text, bool executable = true)
{
    return writeAll(path, text) &&
           (!executable || QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner));
}

} // namespace

class StartupWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void workAreaWidthCheck_data()
    {
        QTest::addColumn<int>("widthTwips");
        QTest::addColumn<bool>("wideEnough");
        QTest::newRow("exactly 750 pixels") << 11250 << true;
        QTest::newRow("one twip short") << 11249 << false;
    }

    void workAreaWidthCheck()
    {
        QFETCH(int, widthTwips);
        QFETCH(bool, wideEnough);
        Launcher launcher(widthTwips);
        const QWidget &window = launcher.window;
        QCOMPARE(control<QPushButton>(window, "Command1").isEnabled(), wideEnough);
        QCOMPARE(control<QPushButton>(window, "Command2").isEnabled(), wideEnough);
        QCOMPARE(labelText(window, "Label2").startsWith(u"Sorry!"_s), !wideEnough);
        // The instructions stay within reach on any screen.
        QVERIFY(control<QPushButton>(window, "Command3").isEnabled() &&
                checkBox(window, "Check1").isEnabled());
    }

    void buttonsStartTheirProgramsByName()
    {
        Launcher launcher;
        for (const char *button : {"Command1", "Command2", "Command3", "Command2"})
            click(launcher.window, button);
        checkBox(launcher.window, "Check1").setChecked(true);
        click(launcher.window, "Command1");
        QCOMPARE(launcher.started, (QStringList{u"vmindex"_s, u"vmdesign"_s, u"vmhelp"_s,
                                                u"vmdesign"_s, u"minimised vmindex"_s}));
    }

    void aFailedStartIsSaid()
    {
        Launcher launcher;
        StartupWindow &window = launcher.window;
        launcher.failure = u"There is no program named vmdesign here."_s;
        checkBox(window, "Check1").setChecked(true);
        click(window, "Command2");
        // Minimised for the start, then back: the message must not be all there is on screen.
        QVERIFY(launcher.started.last().startsWith(u"minimised"_s) && !window.isMinimized());
        auto *box = window.findChild<QMessageBox *>(u"StartFailure"_s);
        QVERIFY(box && box->isVisible() && !box->isModal() && box->text().contains(u"vmdesign"_s));
        QCOMPARE(box->informativeText(), launcher.failure);
        // One message at a time, saying what failed last, until the user closes it.
        click(window, "Command1");
        QVERIFY(window.findChildren<QMessageBox *>().size() == 1 &&
                box->text().contains(u"vmindex"_s));
        box->close();
        QTRY_VERIFY(!window.findChild<QMessageBox *>());
        click(window, "Command3");
        QVERIFY(window.findChild<QMessageBox *>()->isVisible());
    }

    // From the folder beside the running program, whatever the current folder holds, without
    // arguments, and left to run on its own.
    void startsWhatLiesBesideItOnly()
    {
        QTemporaryDir folder;
        QVERIFY(writeProgram(folder.filePath(u"vmhelp"_s),
                             "#!/bin/sh\necho \"$(pwd) $#\" > report\n"
                             "while [ -e hold ]; do sleep 0.05; done; touch finished\n"));
        QVERIFY(writeProgram(folder.filePath(u"vm-probe"_s), "#!/bin/sh\ntouch ran\n"));
        QVERIFY(writeAll(folder.filePath(u"hold"_s), {}));
        const auto back = qScopeGuard([before = QDir::currentPath()] { QDir::setCurrent(before); });
        QVERIFY(QDir::setCurrent(folder.path()));
        const vm::StartResult beside = vm::startProgram(u"vm-probe"_s);
        QVERIFY2(beside.error.contains(QCoreApplication::applicationDirPath()),
                 qPrintable(beside.error));
        QVERIFY(vm::startProgramIn(folder.path(), u"vmhelp"_s));
        QTRY_COMPARE(readAll(u"report"_s), QFile::encodeName(QDir::currentPath()) + " 0\n");
        QVERIFY(QFile::remove(u"hold"_s));
        QTRY_VERIFY(QFile::exists(u"finished"_s) && !QFile::exists(u"ran"_s));
    }

    void refusesWhatItCannotStart_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << "vmindex" << u"There is no program named vmindex in"_s;
        QTest::newRow("not executable") << "plain" << u"plain is not marked as executable"_s;
        QTest::newRow("a folder") << "folder" << u"folder is a folder, not a program"_s;
        QTest::newRow("not a program") << "garbage" << u"The system could not run"_s;
        QTest::newRow("a path outside") << "../outside" << u"is not the name of a program"_s;
        QTest::newRow("empty") << "" << u"is not the name of a program"_s;
    }

    void refusesWhatItCannotStart()
    {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        QTemporaryDir root;
        const QString bin = root.filePath(u"bin/"_s), ran = root.filePath(u"ran"_s);
        const QByteArray touch = "#!/bin/sh\ntouch '" + QFile::encodeName(ran) + "'\n";
        QVERIFY(makeTree(bin, {u"folder/"_s}) && writeProgram(bin + u"plain"_s, touch, false));
        QVERIFY(writeProgram(root.filePath(u"outside"_s), touch));
        QVERIFY(writeProgram(bin + u"garbage"_s, "\177ELF, not really"));
        const vm::StartResult result = vm::startProgramIn(bin, name);
        QVERIFY2(!result && result.error.contains(reason), qPrintable(result.error));
        QTest::qWait(100);
        QVERIFY(!QFile::exists(ran));
    }
};
VM_TEST_CLASS(StartupWindowTest)

#include "startup_window.moc"
