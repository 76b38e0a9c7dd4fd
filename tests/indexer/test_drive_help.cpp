// The drive list's help line in the title: a click into the list shows it even when the list
// already holds the focus (as it does when the window comes back from the drive-error window),
// while the window's return alone leaves the title as it was.
#include "support/index_fixture.h"

#include <QPushButton>

using namespace vm::indexer;
using namespace vm::indexer::testing;
using namespace Qt::StringLiterals;

class DriveHelpTest : public QObject
{
    Q_OBJECT

private slots:
    void clickAfterTheDriveErrorShowsTheHelp()
    {
        IndexFixture f;
        IndexWindow &w = f.window();
        DriveList *drives = f.drives();
        drives->setDriveSource([&f] { return QList<Drive>{{f.path(u"no-disc"_s), {}}}; });
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        const QString driveHelp = u"Select the drive to index."_s;
        const QString refreshHelp =
            u"Press to refresh the Directories and Files when you change disks."_s;

        drives->setFocus(Qt::TabFocusReason);
        QTest::mouseMove(f.child<QPushButton>(u"Command4"_s));
        QTRY_COMPARE(w.windowTitle(), refreshHelp);

        // The user picks the empty drive; the focus stays in the drive list meanwhile.
        drives->setCurrentIndex(drives->findText(f.path(u"no-disc"_s)));
        QWidget *error = IndexFixture::driveError();
        QVERIFY(error);
        QVERIFY(QTest::qWaitForWindowActive(error));
        IndexFixture::closeTopLevel(u"Form5"_s);
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(QApplication::focusWidget(), drives);
        QCOMPARE(w.windowTitle(), refreshHelp);

        QTest::mouseClick(drives, Qt::LeftButton);
        QCOMPARE(w.windowTitle(), driveHelp);
        drives->hidePopup();
    }
};

QTEST_MAIN(DriveHelpTest)
#include "test_drive_help.moc"
