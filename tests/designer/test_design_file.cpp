#include "designer/document/design_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace vm::design;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(FileValue)

namespace {

// The values of a freshly started designer (index = line - 1).
FileValues loadValues(const QString &year)
{
    FileValues v = emptyFileValues();
    const QString face = u"MS Sans Serif"_s;
    const qint32 windowText = colourToFile(vm::SystemWindowText);
    v[1] = face, v[2] = 18.0f, v[3] = windowText, v[5] = face, v[6] = 13.5f, v[7] = windowText;
    v[8] = colourToFile(vm::White), v[9] = qint32(4), v[10] = windowText;
    v[14] = 289.0f, v[15] = 393.0f, v[19] = u"2"_s, v[20] = windowText, v[22] = qint32(1);
    v[23] = face, v[24] = 8.25f, v[25] = colourToFile(vm::SystemButtonText);
    v[51] = u"8"_s, v[52] = u"104"_s, v[53] = u"408"_s, v[54] = u"96"_s;
    v[58] = year, v[60] = qint32(1), v[61] = qint32(1), v[63] = true, v[67] = true;
    return v;
}

// The first line whose values differ, 0 when none does.
int differingLine(const FileValues &a, const FileValues &b)
{
    for (int i = 0; i < FileLineCount; ++i) {
        if (a[i] != b[i])
            return i + 1;
    }
    return 0;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestDesignFile : public QObject
{
    Q_OBJECT

private slots:
    // ---- Writing

    void writtenForms_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<FileValue>("value");
        QTest::addColumn<QString>("written");
        QTest::newRow("ticked") << 19 << FileValue(qint32(1)) << " 1 ";
        QTest::newRow("unticked") << 19 << FileValue(qint32(0)) << " 0 ";
        QTest::newRow("negative") << 10 << FileValue(qint32(-3)) << "-3 ";
        QTest::newRow("white") << 9 << FileValue(colourToFile(vm::White)) << " 16777215 ";
        QTest::newRow("system colour")
            << 4 << FileValue(colourToFile(vm::SystemWindowText)) << "-2147483640 ";
        QTest::newRow("size") << 25 << FileValue(8.25f) << " 8.25 ";
        QTest::newRow("true") << 64 << FileValue(true) << "True";
        QTest::newRow("false") << 65 << FileValue(false) << "False";
        QTest::newRow("text as it stands")
            << 1 << FileValue(u"  Señor €, \"2\"\t"_s) << "  Señor €, \"2\"\t";
        QTest::newRow("line breaks") << 51 << FileValue(u"a\r\nb\rc\nd"_s) << "a  b c d";
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
        QCOMPARE(bytes.count("\r\n"), FileLineCount);
        QCOMPARE(bytes.count('\r') + bytes.count('\n'), 2 * FileLineCount);
        QVERIFY(bytes.endsWith("\r\n"));
        QCOMPARE(QString::fromUtf8(bytes.split('\n').at(line - 1).chopped(1)), written);
    }

    // ---- Reading

    void lineEnds_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QStringList{u"a"_s, u"b"_s};
        QTest::newRow("lone CR") << QByteArray("a\rb\r") << QStringList{u"a"_s, u"b"_s};
        QTest::newRow("lone LF") << QByteArray("a\nb\n") << QStringList{u"a"_s, u"b"_s};
        QTest::newRow("mixed, empty lines")
            << QByteArray("a\r\n\r\rb\n\nc") << QStringList{u"a"_s, {}, {}, u"b"_s, {}, u"c"_s};
        QTest::newRow("LF CR") << QByteArray("a\n\rb") << QStringList{u"a"_s, {}, u"b"_s};
        QTest::newRow("empty file") << QByteArray() << QStringList();
        QStringList many;
        for (int n = 1; n <= 80; ++n)
            many << QString::number(n);
        QTest::newRow("80 lines") << many.join(u"\r\n").toLatin1() << many.first(FileLineCount);
    }

    void lineEnds()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        const RawDesign raw = decodeDesign(bytes);
        QCOMPARE(raw.linesRead, lines.size());
        for (int i = 0; i < FileLineCount; ++i)
            QCOMPARE(raw.lines[i], lines.value(i));
    }

    void encodings_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("UTF-8") << QByteArray("Se\xC3\xB1or\r\n\xE2\x82\xAC") << u"Señor"_s
                               << u"€"_s;
        QTest::newRow("Windows-1252") << QByteArray("Se\xF1or\r\n\x80\x8E\x93q\x94\x9F\x81")
                                      << u"Señor"_s << u"€Ž“q”Ÿ\u0081"_s;
        QTest::newRow("one bad byte decides")
            << QByteArray("\xC3\xA9\r\n\xE9") << u"Ã©"_s << u"é"_s;
        QTest::newRow("BOM at start only")
            << QByteArray("\xEF\xBB\xBFTop\r\n\xEF\xBB\xBFx") << u"Top"_s << u"\uFEFFx"_s;
        QTest::newRow("BOM, then 1252") << QByteArray("\xEF\xBB\xBF\xE9") << u"é"_s << QString();
        QTest::newRow("part of a BOM") << QByteArray("\xEF\xBB") << u"ï»"_s << QString();
        QTest::newRow("after line 75 unread")
            << QByteArray("\xC3\xA9") + QByteArray("\r\n").repeated(75) + "\xE9" << u"é"_s
            << QString();
    }

    void encodings()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, first);
        QFETCH(QString, second);
        const RawDesign raw = decodeDesign(bytes);
        QCOMPARE(raw.lines[0], first);
        QCOMPARE(raw.lines[1], second);
    }

    void longLinesAreCut()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"long.vmd"_s);
        // A 1 MB line of two-byte characters, cut inside one: the partial character goes and
        // the file still reads as UTF-8. Its CR LF straddles 1 MiB, and so two reads.
        const QByteArray bytes =
            "first!\r\nx" + QByteArray("\xC3\xA9").repeated(524283) + "\r\nlast\r\n";
        QCOMPARE(bytes.indexOf("\r\nlast"), (1 << 20) - 1);
        QVERIFY(writeFile(path, bytes));
        ReadOutcome read = readDesignFile(path);
        QVERIFY(read.ok());
        QCOMPARE(read.design.linesRead, 3);
        QCOMPARE(read.design.lines[1], u'x' + QString(FileLineLimit / 2 - 1, u'é'));
        QCOMPARE(read.design.lines[2], u"last"_s);

        // 256 MB of NUL bytes (a sparse file) in one line are skipped, not held.
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("first\r\n") == 7);
        QVERIFY(file.resize(7 + (256 << 20)) && file.seek(file.size()));
        QVERIFY(file.write("\r\nlast\r\n") == 8);
        file.close();
        auto peakKiB = [] {
            rusage usage = {};
            getrusage(RUSAGE_SELF, &usage);
            return usage.ru_maxrss;
        };
        const long before = peakKiB();
        read = readDesignFile(path);
        QVERIFY2(peakKiB() - before < 64 * 1024, "the long line was held in memory");
        QCOMPARE(read.design.linesRead, 3);
        QCOMPARE(read.design.lines[1], QString(FileLineLimit, QChar()));
        QCOMPARE(read.design.lines[2], u"last"_s);
    }

    void refusesWhatIsNotAFile_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("error");
        QTest::newRow("missing") << "missing.vmd"
                                 << "No such file or directory";
        QTest::newRow("folder") << "folder"
                                << "It is a folder, not a design file.";
        QTest::newRow("FIFO") << "fifo"
                              << "It is not a regular file.";
        QTest::newRow("endless device") << "/dev/zero"
                                        << "It is not a regular file.";
        QTest::newRow("no name") << ""
                                 << "No file name was given.";
    }

    void refusesWhatIsNotAFile()
    {
        QFETCH(QString, path);
        QFETCH(QString, error);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(u"folder"_s));
        // A FIFO without a writer would hold an ordinary open for ever.
        QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath(u"fifo"_s)).constData(), 0600), 0);
        const ReadOutcome read =
            readDesignFile(path.isEmpty() ? path : QDir(dir.path()).filePath(path));
        QCOMPARE(read.error, error);
    }

    // ---- Converting

    void conversions_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("text");
        QTest::addColumn<FileValue>("value"); // a rejected line keeps the empty value
        QTest::addColumn<bool>("rejected");
        const FileValue zero(qint32(0));
        QTest::newRow("text whole") << 1 << "  x \t" << FileValue(u"  x \t"_s) << false;
        QTest::newRow("leading 12") << 3 << " 12 " << FileValue(12.0f) << false;
        QTest::newRow("leading empty") << 3 << "" << FileValue(0.0f) << false;
        QTest::newRow("leading 12.5abc") << 15 << "12.5abc" << FileValue(12.5f) << false;
        QTest::newRow("leading no number") << 16 << "abc" << FileValue(0.0f) << false;
        QTest::newRow("leading too big") << 3 << "1E39" << FileValue(0.0f) << true;
        QTest::newRow("leading 2.5 to even") << 10 << " 2.5 " << FileValue(qint32(2)) << false;
        QTest::newRow("leading 70000") << 10 << " 70000 " << zero << true;
        QTest::newRow("strict with text") << 19 << "1x" << zero << true;
        QTest::newRow("strict empty") << 22 << "" << zero << true;
        QTest::newRow("system colour")
            << 4 << "-2147483640 " << FileValue(qint32(-2147483640)) << false;
        QTest::newRow("hex colour") << 9 << "&HFFFFFF" << FileValue(qint32(0xFFFFFF)) << false;
        QTest::newRow("colour 3.5 to even") << 21 << " 3.5 " << FileValue(qint32(4)) << false;
        QTest::newRow("colour beyond 32 bits") << 9 << " 4294967295 " << zero << true;
        QTest::newRow("single with text") << 25 << "8pt" << FileValue(0.0f) << true;
        QTest::newRow("truth any case") << 64 << "tRUE" << FileValue(true) << false;
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

    void rejectedLinesAreListed()
    {
        QList<QByteArray> lines = encodeDesign(loadValues(u"2024"_s)).split('\n');
        lines[3] = "black\r", lines[18] = "yes\r", lines[63] = "front\r";
        const ConvertedDesign converted = convertDesign(decodeDesign(lines.join('\n')));
        QCOMPARE(converted.rejectedLines, (QList<int>{4, 19, 64}));
        FileValues expected = loadValues(u"2024"_s);
        expected[3] = qint32(0), expected[18] = qint32(0), expected[63] = false;
        QCOMPARE(differingLine(converted.values, expected), 0);
        QCOMPARE(rejectedLinesMessage(converted.rejectedLines),
                 u"Some lines of the design file could not be read and were left empty: line 4 "
                 u"(top line colour), line 19 (show the outer box), line 64 (front cover "
                 u"chosen)."_s);
        QCOMPARE(rejectedLinesMessage({}), QString());

        // Lines a short file does not have are no fault of the file.
        const ConvertedDesign short30 = convertDesign(decodeDesign(lines.first(30).join('\n')));
        QCOMPARE(short30.rejectedLines, (QList<int>{4, 19}));
        expected = emptyFileValues();
        std::copy_n(converted.values.begin(), 30, expected.begin());
        QCOMPARE(differingLine(short30.values, expected), 0);
    }

    void roundTrip()
    {
        FileValues values = loadValues(u"2031"_s);
        values[0] = u"Grüße € „Live“"_s, values[2] = 0.1f, values[6] = 3.4e38f;
        values[14] = 1e-10f, values[15] = -22.5f, values[3] = colourToFile(0xFF0080);
        values[9] = qint32(-32768), values[52] = u"-12.5"_s, values[64] = true;
        QCOMPARE(differingLine(convertDesign(decodeDesign(encodeDesign(values))).values, values),
                 0);

        QTemporaryDir dir;
        const QString path = dir.filePath(u"design.vmd"_s);
        QCOMPARE(saveDesignFile(path, values), QString());
        const ReadOutcome read = readDesignFile(path);
        QVERIFY(read.ok());
        const ConvertedDesign converted = convertDesign(read.design);
        QCOMPARE(differingLine(converted.values, values), 0);
        QVERIFY(converted.rejectedLines.isEmpty());
        QCOMPARE(colourFromFile(std::get<qint32>(converted.values[3])), vm::ColorRef(0xFF0080));
    }

    // ---- Saving

    void saveFailureKeepsOldFile()
    {
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath(u"plain"_s), "not a folder"));
        QVERIFY(!saveDesignFile(dir.filePath(u"plain/design.vmd"_s), {}).isEmpty());

        // A full disk, made with a file size limit that holds for root as well.
        const QString path = dir.filePath(u"design.vmd"_s);
        QVERIFY(writeFile(path, "old"));
        rlimit limit = {};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &limit), 0);
        const rlimit small = {64, limit.rlim_max};
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        const QString error = saveDesignFile(path, loadValues(u"2024"_s));
        setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, oldHandler);
        QCOMPARE(error, u"File too large"_s);
        QCOMPARE(readFile(path), QByteArray("old"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
                 (QStringList{u"design.vmd"_s, u"plain"_s}));
    }

    void saveIntoReadOnlyFolder()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"design.vmd"_s);
        QVERIFY(writeFile(path, "old"));
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        const bool writable = ::access(QFile::encodeName(dir.path()).constData(), W_OK) == 0;
        const QString error = writable ? QString() : saveDesignFile(path, loadValues(u"2024"_s));
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (writable)
            QSKIP("This user writes into read-only folders (root); the test above covers that.");
        QVERIFY(!error.isEmpty());
        QCOMPARE(readFile(path), QByteArray("old"));
    }
};

QTEST_APPLESS_MAIN(TestDesignFile)
#include "test_design_file.moc"
