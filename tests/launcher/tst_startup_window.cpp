#include "launcher/startup_window.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using vm::StartResult;
using vm::launcher::StartupWindow;

namespace {

const QString Description = QStringLiteral(
    " Make custom covers for your jewel boxed CDs complete with graphics and text.  Quickly index "
    "your data CD-R and RW disks showing folders and files.  Print them on plain paper or card "
    "stock.  Cut to fit and you'll soon know what's on EACH ONE of your CDs!  ");
const QString TooNarrow = QStringLiteral(
    "Sorry!  You MUST be running in AT LEAST 600 x 800 screen resolution mode to use these "
    "programs!  Click your right button on the desktop and change SETTINGS to 600 x 800 then run "
    "this program again!");

// A starter that records each request and what the window looked like at that moment.
struct Recorder
{
    QStringList names;
    QList<bool> minimisedAtStart;
    StartupWindow *window = nullptr;

    StartupWindow::Platform platform(int widthTwips = 19200)
    {
        return {[widthTwips] { return widthTwips; },
                [this](const QString &name) {
                    names << name;
                    minimisedAtStart << (window && window->isMinimized());
                    return StartResult{true, {}};
                }};
    }
};

template <typename T> T *child(QWidget *window, const char *name)
{
    auto *widget = window->findChild<T *>(QLatin1String(name));
    if (!widget)
        qFatal("no child %s", name);
    return widget;
}

QList<QMessageBox *> startFailures()
{
    QList<QMessageBox *> boxes;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *box = qobject_cast<QMessageBox *>(w);
            box && box->objectName() == QLatin1String("StartFailure"))
            boxes << box;
    return boxes;
}

void writeFile(const QString &path, const QByteArray &content, bool executable)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    if (executable)
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
}

} // namespace

class TestStartupWindow : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        for (QMessageBox *box : startFailures())
            delete box;
    }

    // The window as the user first sees it (the captions are the program's own text).
    void opensWithItsDesignedFace()
    {
        Recorder recorder;
        StartupWindow window(recorder.platform());
        QCOMPARE(window.windowTitle(), u"Vellumora Program Launcher"_s);
        QCOMPARE(window.size(), QSize(434, 310));
        QVERIFY(!window.windowIcon().isNull());
        QCOMPARE(child<QLabel>(&window, "Image1")->pixmap().deviceIndependentSize(),
                 QSizeF(342, 65));
        QVERIFY(!child<QCheckBox>(&window, "Check1")->isChecked());
    }

    void tabOrderRunsThroughTheButtonsAndTheCheckBox()
    {
        Recorder recorder;
        StartupWindow window(recorder.platform());
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        child<QPushButton>(&window, "Command1")->setFocus();
        for (const char *next : {"Command2", "Check1", "Command3", "Command1"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(next));
        }
    }

    void workAreaWidthCheck_data()
    {
        QTest::addColumn<int>("widthTwips");
        QTest::addColumn<bool>("wideEnough");
        QTest::newRow("exactly 750 px") << 11250 << true;
        QTest::newRow("one twip short") << 11249 << false;
        QTest::newRow("no screen") << 0 << false;
    }

    void workAreaWidthCheck()
    {
        QFETCH(int, widthTwips);
        QFETCH(bool, wideEnough);
        Recorder recorder;
        StartupWindow window(recorder.platform(widthTwips));

        QCOMPARE(child<QPushButton>(&window, "Command1")->isEnabled(), wideEnough);
        QCOMPARE(child<QPushButton>(&window, "Command2")->isEnabled(), wideEnough);
        QCOMPARE(child<QLabel>(&window, "Label2")->text(), wideEnough ? Description : TooNarrow);
        // The instructions stay within reach on any screen.
        QVERIFY(child<QPushButton>(&window, "Command3")->isEnabled());
        QVERIFY(child<QCheckBox>(&window, "Check1")->isEnabled());
    }

    void buttonsStartTheirProgramsByName()
    {
        Recorder recorder;
        StartupWindow window(recorder.platform());
        recorder.window = &window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        for (const char *button : {"Command1", "Command2", "Command3", "Command2"})
            QTest::mouseClick(child<QPushButton>(&window, button), Qt::LeftButton);
        QCOMPARE(recorder.names,
                 QStringList({u"vmindex"_s, u"vmdesign"_s, u"vmhelp"_s, u"vmdesign"_s}));
        // Unchecked: the launcher stays as it was, and keeps going.
        QCOMPARE(recorder.minimisedAtStart, QList<bool>({false, false, false, false}));
        QVERIFY(!window.isMinimized());
        QVERIFY(window.isVisible());
    }

    void checkedBoxMinimisesBeforeTheStart()
    {
        Recorder recorder;
        StartupWindow window(recorder.platform());
        recorder.window = &window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QTest::mouseClick(child<QCheckBox>(&window, "Check1"), Qt::LeftButton);
        QVERIFY(child<QCheckBox>(&window, "Check1")->isChecked());
        QTest::mouseClick(child<QPushButton>(&window, "Command2"), Qt::LeftButton);
        QCOMPARE(recorder.names, QStringList({u"vmdesign"_s}));
        QCOMPARE(recorder.minimisedAtStart, QList<bool>({true}));
        QVERIFY(window.isMinimized());
    }

    void instructionsOpenOnANarrowScreen()
    {
        Recorder recorder;
        StartupWindow window(recorder.platform(11249));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QTest::mouseClick(child<QPushButton>(&window, "Command1"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(&window, "Command2"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(&window, "Command3"), Qt::LeftButton);
        QCOMPARE(recorder.names, QStringList({u"vmhelp"_s}));
    }

    // The real program start against a folder of our own in place of the launcher's folder.
    void aProgramThatCannotStartIsReported()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        StartupWindow::Platform platform{
            [] { return 12000; },
            [&](const QString &name) { return vm::startProgramIn(folder.path(), name); }};
        StartupWindow window(platform);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QTest::mouseClick(child<QPushButton>(&window, "Command2"), Qt::LeftButton);
        QCOMPARE(startFailures().size(), 1);
        QMessageBox *box = startFailures().first();
        QVERIFY(box->isVisible());
        QCOMPARE(box->windowModality(), Qt::NonModal);
        QVERIFY(box->text().contains(QLatin1String("vmdesign")));
        QVERIFY2(box->informativeText().contains(QLatin1String("no program named vmdesign")),
                 qPrintable(box->informativeText()));

        // A second failure reuses the open message and says what failed this time.
        writeFile(folder.filePath(QStringLiteral("vmindex")), "#!/bin/sh\n", false);
        QTest::mouseClick(child<QPushButton>(&window, "Command1"), Qt::LeftButton);
        QCOMPARE(startFailures().size(), 1);
        QVERIFY(box->text().contains(QLatin1String("vmindex")));
        QVERIFY2(box->informativeText().contains(QLatin1String("not marked as executable")),
                 qPrintable(box->informativeText()));

        // The launcher keeps working: a program that is there starts.
        const QString marker = folder.filePath(QStringLiteral("started"));
        writeFile(folder.filePath(QStringLiteral("vmhelp")),
                  "#!/bin/sh\ntouch '" + QFile::encodeName(marker) + "'\n", true);
        box->close();
        QTest::mouseClick(child<QPushButton>(&window, "Command3"), Qt::LeftButton);
        QTRY_VERIFY(QFile::exists(marker));
        QTRY_VERIFY(startFailures().isEmpty());
        QVERIFY(child<QPushButton>(&window, "Command1")->isEnabled());
    }

    void aFailedStartBringsTheMinimisedLauncherBack()
    {
        QTemporaryDir folder;
        StartupWindow::Platform platform{
            [] { return 12000; },
            [&](const QString &name) { return vm::startProgramIn(folder.path(), name); }};
        StartupWindow window(platform);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        child<QCheckBox>(&window, "Check1")->setChecked(true);

        QTest::mouseClick(child<QPushButton>(&window, "Command1"), Qt::LeftButton);
        QVERIFY(!window.isMinimized());
        QCOMPARE(startFailures().size(), 1);
        QVERIFY(startFailures().first()->isVisible());
    }
};

QTEST_MAIN(TestStartupWindow)
#include "tst_startup_window.moc"
