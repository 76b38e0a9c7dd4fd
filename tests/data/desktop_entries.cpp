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
        QTest::addColumn<QString>("program");
        QTest::addColumn<bool>("inMenu");
        QTest::newRow("launcher") << vm::appid::Launcher << u"vmlaunch"_s << true;
        QTest::newRow("designer") << vm::appid::Designer << u"vmdesign"_s << true;
        QTest::newRow("index") << vm::appid::IndexCreator << u"vmindex"_s << true;
        QTest::newRow("manual") << vm::appid::Manual << u"vmhelp"_s << false;
    }
    void entry()
    {
        QFETCH(QString, id);
        QFETCH(QString, program);
        QFETCH(bool, inMenu);
        QSettings entry(QStringLiteral(VM_DATA_DIR "/") + id + u".desktop"_s, QSettings::IniFormat);
        entry.beginGroup(u"Desktop Entry"_s);
        QCOMPARE(entry.value(u"Exec"_s).toString().section(u' ', 0, 0), program);
        QCOMPARE(entry.value(u"Icon"_s).toString(), id);
        // One menu category for the suite; the manual is an action of the launcher's entry.
        // (QSettings reads up to the first ";": the first, main category.)
        QCOMPARE(entry.value(u"Categories"_s).toString(), u"Graphics"_s);
        QCOMPARE(entry.value(u"NoDisplay"_s).toBool(), !inMenu);
        QFile metainfo(QStringLiteral(VM_DATA_DIR "/") + vm::appid::Launcher + u".metainfo.xml"_s);
        QVERIFY(metainfo.open(QIODevice::ReadOnly));
        const QString software = QString::fromUtf8(metainfo.readAll());
        QVERIFY(software.contains(u"<binary>"_s + program + u"</binary>"_s));
        QCOMPARE(software.contains(u">"_s + id + u".desktop</launchable>"_s), inMenu);

        QApplication::setWindowIcon({});
        vm::setUpApplication(id);
        QCOMPARE(QGuiApplication::desktopFileName(), id);
        const QImage own = QIcon(u":/icons/%1.svg"_s.arg(id)).pixmap(32).toImage();
        QVERIFY(!own.isNull());
        QCOMPARE(QApplication::windowIcon().pixmap(32).toImage(), own);
    }
};
VM_TEST_CLASS(DesktopEntries)

#include "desktop_entries.moc"
