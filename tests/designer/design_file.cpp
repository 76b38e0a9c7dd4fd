// SPDX-License-Identifier: GPL-3.0-or-later
// The design file as data: the forms values are written in, how any bytes are read back into
// 75 lines (calmly, in bounded memory, never past line 75), how lines convert, and the atomic
// save that leaves the previous file whole when it fails.
#include "designer/document/design_file.h"

#include "support/files.h"
#include "support/test_main.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/fsuid.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace vm::design;
using namespace vm::test;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(FileValue)

class DesignFileTest : public QObject
{
    Q_OBJECT

private slots:
    void writtenForms_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<FileValue>("value");
        QTest::addColumn<QString>("written");
        QTest::newRow("ticked") << 19 << FileValue(qint32(1)) << " 1 ";
        QTest::newRow("system colour")
            << 4 << FileValue(colourToFile(vm::SystemWindowText)) << "-2147483640 ";
        QTest::newRow("size") << 25 << FileValue(8.25f) << " 8.25 ";
        QTest::newRow("true") << 64 << FileValue(true) << "True";
        QTest::newRow("text as it stands")
            << 1 << FileValue(u"  Señor €, \"2\"\t"_s) << "  Señor €, \"2\"\t";
        QTest::newRow("line breaks") << 51 << FileValue(u"a\r\nb\rc\nd"_s) << "a  b c d";
        // The reader takes a byte-order mark off the file's start, so one goes before a first
        // line that starts with U+FEFF, and only then.
        QTest::newRow("U+FEFF first") << 1 << FileValue(u"\uFEFFTop"_s) << u"\uFEFF\uFEFFTop"_s;
        QTest::newRow("U+FEFF later") << 1 << FileValue(u"Top\uFEFF"_s) << u"Top\uFEFF"_s;
        // Values held in another alternative than their line's form.
        QTest::newRow("half to even") << 10 << FileValue(2.5f) << " 2 ";
        QTest::newRow("clamped to 16 bits") << 10 << FileValue(qint32(70000)) << " 32767 ";
        QTest::newRow("number as text") << 20 << FileValue(qint32(5)) << "5";
        QTest::newRow("infinite single") << 3 << FileValue(float(qInf())) << " 0 ";
    }

    void writtenForms()
    {
        QFETCH(int, line);
        QFETCH(FileValue, value);
        QFETCH(QString, written);
        FileValues values = emptyFileValues();
        values[line - 1] = value;
        const QByteArray bytes = encodeDesign(values);
        // Every line ends in CR LF, and no CR or LF stands alone.
        QCOMPARE(bytes.count("\r\n") + bytes.count('\r') + bytes.count('\n'), 3 * FileLineCount);
        QCOMPARE(bytes.split('\n').at(line - 1).chopped(1), written.toUtf8());
    }

    // Any bytes, and any path: the lines read, or why nothing was read.
    void reading_data()
    {
        QTest::addColumn<QString>("kind"); // "file": head, a hole of zero bytes, tail
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<qint64>("hole");
        QTest::addColumn<QByteArray>("tail");
        QTest::addColumn<QString>("error");
        QTest::addColumn<int>("linesRead");
        QTest::addColumn<QStringList>("lines"); // the first lines read
        auto file = [](const char *name, const QByteArray &bytes, int count,
                       const QStringList &lines) {
            QTest::newRow(name) << u"file"_s << bytes << qint64(0) << QByteArray() << QString()
                                << count << lines;
        };
        // LF CR is two ends; the last line needs none.
        file("CR LF, CR, LF, LF CR", "a\r\nb\rc\nd\n\r\re", 7,
             {u"a"_s, u"b"_s, u"c"_s, u"d"_s, {}, {}, u"e"_s});
        file("empty", "", 0, {});
        file("Windows-1252", "Se\xF1or\r\n\x80\x8E\x93q\x94\x9F\x81", 2,
             {u"Señor"_s, u"€Ž“q”Ÿ\u0081"_s});
        file("one bad byte decides", "\xC3\xA9\r\n\xE9", 2, {u"Ã©"_s, u"é"_s});
        file("byte-order mark at the start only", "\xEF\xBB\xBFTop\r\n\xEF\xBB\xBFx", 2,
             {u"Top"_s, u"\uFEFFx"_s});
        file("byte-order mark, then Windows-1252", "\xEF\xBB\xBF\xE9", 1, {u"é"_s});
        file("part of a byte-order mark", "\xEF\xBB", 1, {u"ï»"_s});
        file("U+FEFB, which starts like a byte-order mark", "\xEF\xBB\xBB", 1, {u"\uFEFB"_s});
        file("not UTF-8 only after line 75", "\xC3\xA9" + QByteArray("\r\n").repeated(75) + "\xE9",
             75, {u"é"_s});
        QByteArray noise(64 * 1024, Qt::Uninitialized);
        QRandomGenerator random(75);
        for (char &byte : noise)
            byte = char(random.bounded(256));
        file("random bytes", noise, 75, {});
        file("NUL bytes", QByteArray(4096, '\0'), 1, {QString(4096, QChar())});
        file("UTF-16 with its mark", "\xFF\xFE" + QByteArray("A\0\r\0\n\0", 6).repeated(80), 75,
             {});
        // A CR LF across two reads of the file, after a line cut inside a UTF-8 character:
        // the partial character goes, and the file still reads as UTF-8.
        file("a line end across two reads",
             "first!\r\nx" + QByteArray("\xC3\xA9").repeated(524283) + "\r\nlast\r\n", 3,
             {u"first!"_s, u'x' + QString(FileLineLimit / 2 - 1, u'é'), u"last"_s});
        QTest::newRow("a 100 MB line")
            << u"file"_s << QByteArray() << (qint64(100) << 20) << QByteArray("\r\n 12 \r\n")
            << QString() << 2 << QStringList{QString(FileLineLimit, QChar()), u" 12 "_s};
        QByteArray lines;
        QStringList first75;
        for (int n = 1; n <= 10000; ++n) {
            lines += (n <= 75 ? "é line " : "\xE9 line ") + QByteArray::number(n) + "\r\n";
            if (n <= 75)
                first75 << u"é line %1"_s.arg(n);
        }
        QTest::newRow("10,000 lines, then 16 GiB of nothing")
            << u"file"_s << lines << (qint64(16) << 30) << QByteArray() << QString() << 75
            << first75;
        for (const auto &[kind, error] : {std::pair{"folder", "It is a folder, not a design file."},
                                          {"FIFO", "It is not a regular file."},
                                          {"/dev/zero", "It is not a regular file."},
                                          {"missing", "No such file or directory"},
                                          {"no name", "No file name was given."}})
            QTest::newRow(kind) << QString::fromLatin1(kind) << QByteArray() << qint64(0)
                                << QByteArray() << QString::fromLatin1(error) << 0 << QStringList();
    }

    void reading()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, head);
        QFETCH(qint64, hole);
        QFETCH(QByteArray, tail);
        QFETCH(QString, error);
        QFETCH(int, linesRead);
        QFETCH(QStringList, lines);
        QTemporaryDir dir;
        QString path = dir.filePath(u"design.vmd"_s);
        if (kind == u"file") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(head) == head.size());
            QVERIFY(file.resize(file.size() + hole) && file.seek(file.size()));
            QVERIFY(file.write(tail) == tail.size());
        } else if (kind == u"folder") {
            QVERIFY(QDir().mkdir(path));
        } else if (kind == u"FIFO") {
            // Without a writer, an ordinary open would wait for one for ever.
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (kind != u"missing") {
            path = kind == u"no name" ? QString() : kind;
        }
        const long peakBefore = peakKiB();
        const ReadOutcome read = readDesignFile(path);
        QVERIFY2(peakKiB() - peakBefore < 64 * 1024, "a long line was held in memory");
        QCOMPARE(read.error, error);
        QCOMPARE(read.design.linesRead, linesRead);
        for (int i = 0; i < lines.size(); ++i)
            QCOMPARE(read.design.lines[i], lines[i]);
        // Whatever was made of it saves into a file that reads back the same, every line.
        const ConvertedDesign opened = convertDesign(read.design);
        const ConvertedDesign reopened = convertDesign(decodeDesign(encodeDesign(opened.values)));
        QVERIFY(reopened.rejectedLines.isEmpty());
        QVERIFY(reopened.values == opened.values);
    }

    void conversions_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("text");
        QTest::addColumn<FileValue>("value"); // a rejected line keeps the empty value
        QTest::addColumn<bool>("rejected");
        const FileValue zero(qint32(0));
        QTest::newRow("text whole") << 1 << "  x \t" << FileValue(u"  x \t"_s) << false;
        QTest::newRow("leading number") << 15 << "12.5abc" << FileValue(12.5f) << false;
        QTest::newRow("leading beyond single") << 3 << "1E39" << FileValue(0.0f) << true;
        QTest::newRow("leading beyond 16 bits") << 10 << " 32768 " << zero << true;
        QTest::newRow("strict with text") << 19 << "1x" << zero << true;
        QTest::newRow("strict empty") << 22 << "" << zero << true;
        QTest::newRow("colour 2.5 to even") << 21 << " 2.5 " << FileValue(qint32(2)) << false;
        QTest::newRow("32-bit edge") << 9 << "2147483647" << FileValue(qint32(2147483647)) << false;
        QTest::newRow("colour beyond 32 bits") << 9 << " 2147483648 " << zero << true;
        QTest::newRow("single with text") << 25 << "8pt" << FileValue(0.0f) << true;
        QTest::newRow("truth from number") << 68 << " -1 " << FileValue(true) << false;
        QTest::newRow("truth as word") << 65 << "yes" << FileValue(false) << true;
    }

    void conversions()
    {
        QFETCH(int, line);
        QFETCH(QString, text);
        QFETCH(FileValue, value);
        QFETCH(bool, rejected);
        RawDesign raw = decodeDesign(encodeDesign(emptyFileValues()));
        raw.lines[line - 1] = text;
        const ConvertedDesign converted = convertDesign(raw);
        QCOMPARE(QVariant::fromStdVariant(converted.values[line - 1]),
                 QVariant::fromStdVariant(value));
        QCOMPARE(converted.rejectedLines, rejected ? QList<int>{line} : QList<int>());
    }

    void rejectedLinesAreNamed()
    {
        // Two of thirty lines rejected; the lines a short file lacks are no fault of it.
        QList<QByteArray> lines = encodeDesign(emptyFileValues()).split('\n').first(30);
        lines[3] = "black\r", lines[18] = "yes\r";
        const ConvertedDesign converted = convertDesign(decodeDesign(lines.join('\n')));
        QCOMPARE(converted.rejectedLines, (QList<int>{4, 19}));
        const QString message = rejectedLinesMessage(converted.rejectedLines);
        QVERIFY2(message.contains(u"line 4 (top line colour), line 19 (show the outer box)"_s),
                 qPrintable(message));
        QCOMPARE(rejectedLinesMessage({}), QString());
    }

    void roundTrip()
    {
        FileValues values = emptyFileValues();
        values[0] = u"\uFEFFGrüße € „Live“"_s, values[2] = 0.1f, values[6] = 3.4e38f;
        values[14] = 1e-10f, values[15] = -22.5f, values[3] = colourToFile(0xFF0080);
        values[10] = colourToFile(vm::SystemButtonText), values[9] = qint32(-32768);
        values[52] = u"-12.5"_s, values[64] = true, values[74] = true;
        const ConvertedDesign converted = convertDesign(decodeDesign(encodeDesign(values)));
        QVERIFY(converted.rejectedLines.isEmpty());
        QVERIFY(converted.values == values);
    }

    // A save that fails says why and leaves the folder as it was: the previous file whole and
    // no temporary file beside it.
    void failedSave_data()
    {
        QTest::addColumn<QString>("name"); // in a folder that holds cover.vmd and album.vmd/
        QTest::addColumn<qint64>("sizeLimit");
        QTest::addColumn<QString>("reason");
        QTest::newRow("read-only folder") << u"cover.vmd"_s << qint64(0) << QString();
        // A file size limit holds for root too; the write fails as on a full disk.
        QTest::newRow("full file system") << u"cover.vmd"_s << qint64(1) << u"File too large"_s;
        QTest::newRow("a folder") << u"album.vmd"_s << qint64(0) << u"directory"_s;
    }

    void failedSave()
    {
        QFETCH(QString, name);
        QFETCH(qint64, sizeLimit);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QDir folder(dir.path());
        QVERIFY(writeAll(folder.filePath(u"cover.vmd"_s), "old") && folder.mkdir(u"album.vmd"_s));
        const QStringList before = folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        const bool readOnly = qstrcmp(QTest::currentDataTag(), "read-only folder") == 0;
        if (readOnly)
            QVERIFY(QFile::setPermissions(dir.path(),
                                          QFile::ReadOwner | QFile::ExeOwner | QFile::ExeOther));
        // Root writes through permissions; as the file system user nobody it does not.
        const int fsuid = ::setfsuid(readOnly && ::geteuid() == 0 ? 65534 : uid_t(-1));
        rlimit saved = {};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit = {rlim_t(sizeLimit), saved.rlim_max};
        if (sizeLimit)
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &limit), 0);
        const QString error = saveDesignFile(folder.filePath(name), emptyFileValues());
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
        ::setfsuid(fsuid);
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY2(!error.isEmpty() && error.contains(reason), qPrintable(error));
        QCOMPARE(folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
        QCOMPARE(readAll(folder.filePath(u"cover.vmd"_s)), QByteArray("old"));
    }
};

VM_TEST_CLASS(DesignFileTest)
#include "design_file.moc"
