// Each program's application id against the files the desktop finds by it, and what the
// program tells the desktop at start.
#include "support/test_main.h"

#include "toolkit/application_id.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QSettings>
#include <QTest>

using namespace Qt::StringLiterals;

class DesktopEntries : public QObject
{
    Q_OBJECT

private slots:
    void entry_data()
    {
        QTest::addColumn<QString>("id");
        QTest::newRow("launcher") << vm::appid::Launcher;
        QTest::newRow("designer") << vm::appid::Designer;
        QTest::newRow("index") << vm::appid::IndexCreator;
        QTest::newRow("manual") << vm::appid::Manual;
    }
    void entry()
    {
        QFETCH(QString, id);
        QSettings entry(QStringLiteral(VM_DATA_DIR "/") + id + u".desktop"_s, QSettings::IniFormat);
        QCOMPARE(entry.value(u"Desktop Entry/Icon"_s).toString(), id);
        // One main menu category for the suite (QSettings reads up to the first ";"); the
        // manual is an action of the launcher's entry, and the software centre launches the rest.
        QCOMPARE(entry.value(u"Desktop Entry/Categories"_s).toString(), u"Graphics"_s);
        QCOMPARE(entry.value(u"Desktop Entry/NoDisplay"_s).toBool(), id == vm::appid::Manual);
        QFile metainfo(QStringLiteral(VM_DATA_DIR "/") + vm::appid::Launcher + u".metainfo.xml"_s);
        QVERIFY(metainfo.open(QIODevice::ReadOnly));
        QCOMPARE(metainfo.readAll().contains(id.toUtf8() + ".desktop<"), id != vm::appid::Manual);

        vm::setUpApplication(id);
        QCOMPARE(QGuiApplication::desktopFileName(), id);
        QCOMPARE(QApplication::windowIcon().pixmap(32).toImage(),
                 QIcon(u":/icons/"_s + id + u".svg"_s).pixmap(32).toImage());
    }
};
VM_TEST_CLASS(DesktopEntries)

#include "desktop_entries.moc"
