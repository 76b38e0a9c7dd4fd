// Each program's application id against the files the desktop finds by it: its desktop entry,
// its icon, the suite's AppStream entry, and what the program tells the desktop at start.
#include "support/test_main.h"

#include "toolkit/application_id.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The text of a file in data/.
QString dataFile(const QString &name)
{
    QFile file(QStringLiteral(VM_DATA_DIR "/") + name);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The value of `key` in the entry's main group.
QString entryValue(const QString &entry, const QString &key)
{
    const QString main = entry.section(u"\n["_s, 0, 0);
    for (const QString &line : main.split(u'\n'))
        if (line.startsWith(key + u'='))
            return line.mid(key.size() + 1);
    return {};
}

} // namespace

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
        const QString entry = dataFile(id + u".desktop"_s);
        QVERIFY2(!entry.isEmpty(), qPrintable(id));
        QCOMPARE(entryValue(entry, u"Exec"_s).section(u' ', 0, 0), program);
        QCOMPARE(entryValue(entry, u"Icon"_s), id);
        QVERIFY(!dataFile(u"icons/"_s + id + u".svg"_s).isEmpty());
        // One menu category for the whole suite; the manual is an action of the launcher's.
        QVERIFY(entryValue(entry, u"Categories"_s).startsWith(u"Graphics;Publishing;"_s));
        QCOMPARE(entryValue(entry, u"NoDisplay"_s) == u"true"_s, !inMenu);
        const QString metainfo = dataFile(vm::appid::Launcher + u".metainfo.xml"_s);
        QVERIFY(metainfo.contains(u"<binary>"_s + program + u"</binary>"_s));
        QCOMPARE(metainfo.contains(u">"_s + id + u".desktop</launchable>"_s), inMenu);

        QGuiApplication::setDesktopFileName({});
        QApplication::setWindowIcon({});
        vm::setUpApplication(id);
        QCOMPARE(QGuiApplication::desktopFileName(), id);
        const QImage own = QIcon(u":/icons/%1.svg"_s.arg(id)).pixmap(32).toImage();
        QVERIFY(!own.isNull());
        QCOMPARE(QApplication::windowIcon().pixmap(32).toImage(), own);
    }
    void manualAction()
    {
        const QString launcher = dataFile(vm::appid::Launcher + u".desktop"_s);
        QVERIFY(entryValue(launcher, u"Actions"_s).split(u';').contains(u"manual"_s));
        QVERIFY(launcher.contains(u"[Desktop Action manual]\nName=Instructions\nExec=vmhelp\n"_s));
    }
};
VM_TEST_CLASS(DesktopEntries)

#include "desktop_entries.moc"
