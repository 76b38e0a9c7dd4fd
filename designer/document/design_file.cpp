// SPDX-License-Identifier: GPL-3.0-or-later
#include "designer/document/design_file.h"

#include "toolkit/numbers.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace vm::design {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("vm::design", text);
}

// ---- Writing

// The number a value stands for, whatever it is held as: a text by its leading number.
double numberOf(const FileValue &value)
{
    if (const auto *whole = std::get_if<qint32>(&value))
        return *whole;
    if (const auto *single = std::get_if<float>(&value))
        return *single;
    if (const auto *truth = std::get_if<bool>(&value))
        return *truth ? 1 : 0;
    return vm::leadingNumber(std::get<QString>(value));
}

// Rounded halves to even and clamped to [low, high], so that whatever is written reads back.
qint32 wholeNumber(const FileValue &value, qint32 low, qint32 high)
{
    const double number = numberOf(value);
    if (!std::isfinite(number))
        return 0;
    return static_cast<qint32>(std::clamp(std::nearbyint(number), double(low), double(high)));
}

float singleNumber(const FileValue &value)
{
    const double number = numberOf(value);
    return vm::fitsSingle(number) ? static_cast<float>(number) : 0.0f;
}

bool truth(const FileValue &value)
{
    if (const auto *text = std::get_if<QString>(&value))
        return vm::strictBool(*text).value_or(false);
    return numberOf(value) != 0;
}

QString truthText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

// Numbers carry a blank where a minus would stand, and one after.
QString numberText(const QString &digits)
{
    return digits.startsWith(u'-') ? digits + u' ' : u' ' + digits + u' ';
}

QString writtenText(const FileValue &value, WrittenForm form)
{
    switch (form) {
    case WrittenForm::Text:
        if (const auto *text = std::get_if<QString>(&value))
            return *text;
        if (const auto *whole = std::get_if<qint32>(&value))
            return QString::number(*whole);
        if (const auto *single = std::get_if<float>(&value))
            return vm::singleText(*single);
        return truthText(std::get<bool>(value));
    case WrittenForm::Int16:
        return numberText(QString::number(wholeNumber(value, std::numeric_limits<qint16>::min(),
                                                      std::numeric_limits<qint16>::max())));
    case WrittenForm::Int32:
        return numberText(QString::number(wholeNumber(value, std::numeric_limits<qint32>::min(),
                                                      std::numeric_limits<qint32>::max())));
    case WrittenForm::Single:
        return numberText(vm::singleText(singleNumber(value)));
    case WrittenForm::Truth:
        return truthText(truth(value));
    }
    return {};
}

// ---- Reading

constexpr qsizetype ReadChunk = 64 * 1024;
constexpr char ByteOrderMark[] = "\xEF\xBB\xBF";

// Splits bytes into at most 75 lines as they arrive, so a file is read chunk by chunk and no
// further than its last needed line. A CR LF that straddles two chunks is one line end.
class LineSplitter
{
public:
    std::array<QByteArray, FileLineCount> lines;
    std::array<bool, FileLineCount> cut = {};
    int count = 0; // finished lines

    bool done() const { return count == FileLineCount; }

    void feed(QByteArrayView bytes)
    {
        const char *p = bytes.data();
        const char *const end = p + bytes.size();
        if (!bomDone) {
            while (p < end && bomSeen < 3 && *p == ByteOrderMark[bomSeen]) {
                ++bomSeen;
                ++p;
            }
            if (bomSeen == 3) {
                bomDone = true;
            } else if (p < end) {
                bomDone = true; // the bytes seen so far were text after all
                take(ByteOrderMark, bomSeen);
            }
        }
        if (afterCr && p < end) {
            afterCr = false;
            if (*p == '\n')
                ++p;
        }
        while (p < end && !done()) {
            const char *stop = lineEnd(p, end);
            take(p, stop - p);
            if (stop == end)
                break;
            if (*stop == '\r') {
                if (stop + 1 == end)
                    afterCr = true;
                else if (stop[1] == '\n')
                    ++stop;
            }
            ++count;
            p = stop + 1;
        }
    }

    void finish()
    {
        if (!bomDone) {
            bomDone = true;
            take(ByteOrderMark, bomSeen);
        }
        // A last line without a line end still counts.
        if (!done() && !lines[count].isEmpty())
            ++count;
    }

private:
    int bomSeen = 0;
    bool bomDone = false;
    bool afterCr = false;

    static const char *lineEnd(const char *p, const char *end)
    {
        const auto *lf = static_cast<const char *>(std::memchr(p, '\n', end - p));
        const char *crEnd = lf ? lf : end;
        const auto *cr = static_cast<const char *>(std::memchr(p, '\r', crEnd - p));
        return cr ? cr : crEnd;
    }

    void take(const char *p, qsizetype size)
    {
        QByteArray &line = lines[count];
        const qsizetype room = FileLineLimit - line.size();
        if (size > room) {
            size = room;
            cut[count] = true;
        }
        line.append(p, size);
    }
};

// A line cut at the byte limit may end inside a UTF-8 sequence; that partial character is
// dropped rather than taken as a sign of another encoding.
QByteArrayView withoutPartialCharacter(QByteArrayView bytes)
{
    for (qsizetype back = 1; back <= qMin<qsizetype>(4, bytes.size()); ++back) {
        const auto c = static_cast<uchar>(bytes[bytes.size() - back]);
        if ((c & 0xC0) == 0x80)
            continue; // continuation byte
        const qsizetype length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        return length > back ? bytes.first(bytes.size() - back) : bytes;
    }
    return bytes;
}

// Windows-1252 differs from Latin-1 only in 0x80-0x9F. Qt knows the code page only when built
// with ICU; this table stands in otherwise (the five unassigned bytes stay C1 controls, as
// ICU and web browsers decode them).
constexpr char16_t Windows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString fromWindows1252Table(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<uchar>(bytes[i]);
        text[i] = c >= 0x80 && c < 0xA0 ? QChar(Windows1252High[c - 0x80]) : QChar(char16_t(c));
    }
    return text;
}

// The whole file is one encoding: UTF-8 when every line read is valid UTF-8, else the code
// page older design files were written in.
RawDesign decodeLines(const LineSplitter &splitter)
{
    RawDesign raw;
    raw.linesRead = splitter.count;
    // The mark was already taken off the file's start; one at a line's start is text.
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless |
                                                    QStringConverter::Flag::ConvertInitialBom);
    for (int i = 0; i < splitter.count && !utf8.hasError(); ++i) {
        QByteArrayView bytes = splitter.lines[i];
        if (splitter.cut[i])
            bytes = withoutPartialCharacter(bytes);
        raw.lines[i] = utf8(bytes);
    }
    if (utf8.hasError()) {
        QStringDecoder windows1252("windows-1252", QStringConverter::Flag::Stateless);
        for (int i = 0; i < splitter.count; ++i) {
            raw.lines[i] = windows1252.isValid() ? QString(windows1252(splitter.lines[i]))
                                                 : fromWindows1252Table(splitter.lines[i]);
        }
    }
    return raw;
}

// Closes a descriptor on every way out.
struct Descriptor
{
    int fd;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// ---- Converting

std::optional<qint32> roundToInt32(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value); // the default mode rounds halves to even
    if (rounded < std::numeric_limits<qint32>::min() ||
        rounded > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return static_cast<qint32>(rounded);
}

std::optional<FileValue> asSingle(double number)
{
    if (!vm::fitsSingle(number))
        return std::nullopt;
    return static_cast<float>(number);
}

std::optional<FileValue> asInt16(std::optional<double> number)
{
    if (!number)
        return std::nullopt;
    if (const auto whole = vm::roundToInt16(*number))
        return qint32(*whole);
    return std::nullopt;
}

// The line's value, or nothing when its reading rejects it. Leading readings take any text,
// but a number beyond what the property can hold is rejected all the same.
std::optional<FileValue> convertLine(const QString &line, Reading reading)
{
    switch (reading) {
    case Reading::Text:
        return line;
    case Reading::LeadingNumber:
        return asSingle(vm::leadingNumber(line));
    case Reading::LeadingRounded16:
        return asInt16(vm::leadingNumber(line));
    case Reading::Strict16:
        return asInt16(vm::strictNumber(line));
    case Reading::Strict32:
        if (const auto number = vm::strictNumber(line)) {
            if (const auto whole = roundToInt32(*number))
                return *whole;
        }
        return std::nullopt;
    case Reading::StrictSingle:
        if (const auto number = vm::strictNumber(line))
            return asSingle(*number);
        return std::nullopt;
    case Reading::StrictTruth:
        if (const auto value = vm::strictBool(line))
            return *value;
        return std::nullopt;
    }
    return std::nullopt;
}

} // namespace

FileValues emptyFileValues()
{
    FileValues values;
    for (const FileKey &key : fileKeys()) {
        FileValue &value = values[key.line - 1];
        switch (key.form) {
        case WrittenForm::Text:
            value = QString();
            break;
        case WrittenForm::Int16:
        case WrittenForm::Int32:
            value = qint32(0);
            break;
        case WrittenForm::Single:
            value = 0.0f;
            break;
        case WrittenForm::Truth:
            value = false;
            break;
        }
    }
    return values;
}

QByteArray encodeDesign(const FileValues &values)
{
    QByteArray bytes;
    for (const FileKey &key : fileKeys()) {
        QString text = writtenText(values[key.line - 1], key.form);
        // The format has no escaping: a line break inside a value would shift every later line.
        text.replace(u'\r', u' ').replace(u'\n', u' ');
        bytes += text.toUtf8();
        bytes += "\r\n";
    }
    // The reader takes a byte-order mark at the file's start off; a first line that starts
    // with U+FEFF would lose it, unless a mark goes before it.
    if (bytes.startsWith(ByteOrderMark))
        bytes.prepend(ByteOrderMark);
    return bytes;
}

QString saveDesignFile(const QString &path, const FileValues &values)
{
    QSaveFile file(path);
    // Unbuffered: with Qt's write buffer, a write that fails while commit() flushes it goes
    // unreported, and commit() replaces the old file with a short one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    const QByteArray bytes = encodeDesign(values);
    // A short write (a nearly full disk) is followed by one that fails and says why.
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0) {
            const QString error = file.errorString();
            file.cancelWriting();
            return error;
        }
        done += written;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

RawDesign decodeDesign(QByteArrayView bytes)
{
    LineSplitter splitter;
    splitter.feed(bytes);
    splitter.finish();
    return decodeLines(splitter);
}

ReadOutcome readDesignFile(const QString &path)
{
    ReadOutcome outcome;
    if (path.isEmpty()) {
        outcome.error = tr("No file name was given.");
        return outcome;
    }
    // Open without blocking and check what was opened: a FIFO would wait for a writer and a
    // device could be read forever.
    const Descriptor file{
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (file.fd < 0) {
        outcome.error = systemError(errno);
        return outcome;
    }
    struct stat info = {};
    if (::fstat(file.fd, &info) != 0) {
        outcome.error = systemError(errno);
        return outcome;
    }
    if (!S_ISREG(info.st_mode)) {
        outcome.error = S_ISDIR(info.st_mode) ? tr("It is a folder, not a design file.")
                                              : tr("It is not a regular file.");
        return outcome;
    }

    LineSplitter splitter;
    QByteArray chunk(ReadChunk, Qt::Uninitialized);
    while (!splitter.done()) {
        const ssize_t got = ::read(file.fd, chunk.data(), chunk.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            outcome.error = systemError(errno);
            return outcome;
        }
        if (got == 0)
            break;
        splitter.feed(QByteArrayView(chunk.constData(), got));
    }
    splitter.finish();
    outcome.design = decodeLines(splitter);
    return outcome;
}

ConvertedDesign convertDesign(const RawDesign &raw)
{
    ConvertedDesign converted{emptyFileValues(), {}};
    const int present = std::clamp(raw.linesRead, 0, FileLineCount);
    for (int i = 0; i < present; ++i) {
        const FileKey &key = fileKeys()[i];
        if (auto value = convertLine(raw.lines[i], key.reading))
            converted.values[i] = std::move(*value);
        else
            converted.rejectedLines.append(key.line);
    }
    return converted;
}

QString rejectedLinesMessage(const QList<int> &lines)
{
    if (lines.isEmpty())
        return {};
    QStringList named;
    for (const int line : lines) {
        if (line >= 1 && line <= FileLineCount)
            named.append(tr("line %1 (%2)").arg(line).arg(fileKeys()[line - 1].meaning));
        else
            named.append(tr("line %1").arg(line));
    }
    return tr("Some lines of the design file could not be read and were left empty: %1.")
        .arg(named.join(QStringLiteral(", ")));
}

} // namespace vm::design
