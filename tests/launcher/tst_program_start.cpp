#include "toolkit/program_start.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using vm::startProgram;
using vm::startProgramIn;

namespace {

bool writeScript(const QString &path, const QByteArray &body, bool executable = true)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write("#!/bin/sh\n" + body);
    file.close();
    return !executable || file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
}

QByteArray quoted(const QString &path)
{
    return "'" + QFile::encodeName(path) + "'";
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestProgramStart : public QObject
{
    Q_OBJECT

private slots:
    void startsDetachedWithoutArgumentsInTheCurrentFolder()
    {
        QTemporaryDir folder;
        QTemporaryDir current;
        QVERIFY(folder.isValid() && current.isValid());
        const QString started = folder.filePath(QStringLiteral("started"));
        const QString hold = folder.filePath(QStringLiteral("hold"));
        const QString finished = folder.filePath(QStringLiteral("finished"));
        // The program reports its folder and argument count, then waits until released.
        QVERIFY(writeScript(folder.filePath(QStringLiteral("vmhelp")),
                            "echo \"$(pwd) $#\" > " + quoted(started + u".tmp"_s) + "\nmv " +
                                quoted(started + u".tmp"_s) + " " + quoted(started) +
                                "\nwhile [ -e " + quoted(hold) + " ]; do sleep 0.05; done\ntouch " +
                                quoted(finished) + "\n"));
        QVERIFY(writeScript(hold, ""));

        const QString before = QDir::currentPath();
        QDir::setCurrent(current.path());
        const vm::StartResult result = startProgramIn(folder.path(), QStringLiteral("vmhelp"));
        QDir::setCurrent(before);

        QVERIFY2(result.started, qPrintable(result.error));
        QVERIFY(result.error.isEmpty());
        QTRY_VERIFY(QFile::exists(started));
        // Returned while the program still runs: nothing waits for it.
        QVERIFY(!QFile::exists(finished));
        QCOMPARE(readAll(started).trimmed(),
                 QFile::encodeName(QDir(current.path()).canonicalPath()) + " 0");
        QFile::remove(hold);
        QTRY_VERIFY(QFile::exists(finished));
    }

    void refusesWhatItCannotStart_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << "vmindex"
                                 << "There is no program named vmindex in";
        QTest::newRow("not executable") << "plain"
                                        << "is not marked as executable";
        QTest::newRow("a folder") << "folder"
                                  << "is a folder, not a program";
        QTest::newRow("not a program") << "garbage"
                                       << "The system could not run";
        QTest::newRow("path outside") << "../outside"
                                      << "is not the name of a program";
        QTest::newRow("empty") << ""
                               << "is not the name of a program";
    }

    void refusesWhatItCannotStart()
    {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        QTemporaryDir root;
        QVERIFY(root.isValid());
        const QString marker = root.filePath(QStringLiteral("ran"));
        QDir(root.path()).mkpath(QStringLiteral("bin/folder"));
        const QString bin = root.filePath(QStringLiteral("bin"));
        QVERIFY(writeScript(bin + u"/plain"_s, "touch " + quoted(marker) + "\n", false));
        QVERIFY(writeScript(root.filePath(QStringLiteral("outside")),
                            "touch " + quoted(marker) + "\n"));
        QFile garbage(bin + u"/garbage"_s);
        QVERIFY(garbage.open(QIODevice::WriteOnly));
        garbage.write("\x7f"
                      "ELF not really");
        garbage.close();
        garbage.setPermissions(garbage.permissions() | QFileDevice::ExeOwner);

        const vm::StartResult result = startProgramIn(bin, name);
        QVERIFY(!result);
        QVERIFY2(result.error.contains(reason), qPrintable(result.error));
        if (!name.isEmpty() && !name.contains(QLatin1Char('/')))
            QVERIFY2(result.error.contains(name), qPrintable(result.error));
        QTest::qWait(100);
        QVERIFY(!QFile::exists(marker));
    }

    // A program of that name in the current folder or on PATH must not be started instead of
    // the one beside this program.
    void looksOnlyBesideTheRunningProgram()
    {
        QTemporaryDir current;
        QVERIFY(current.isValid());
        const QString name = QStringLiteral("vm-probe-not-installed");
        const QString marker = current.filePath(QStringLiteral("ran"));
        QVERIFY(writeScript(current.filePath(name), "touch " + quoted(marker) + "\n"));
        QVERIFY(!QFile::exists(QCoreApplication::applicationDirPath() + u"/"_s + name));

        const QString before = QDir::currentPath();
        const QByteArray path = qgetenv("PATH");
        QDir::setCurrent(current.path());
        qputenv("PATH", QFile::encodeName(current.path()) + ":" + path);
        const vm::StartResult result = startProgram(name);
        qputenv("PATH", path);
        QDir::setCurrent(before);

        QVERIFY(!result);
        QVERIFY2(
            result.error.contains(QDir::toNativeSeparators(QCoreApplication::applicationDirPath())),
            qPrintable(result.error));
        QTest::qWait(100);
        QVERIFY(!QFile::exists(marker));
    }
};

QTEST_GUILESS_MAIN(TestProgramStart)
#include "tst_program_start.moc"
