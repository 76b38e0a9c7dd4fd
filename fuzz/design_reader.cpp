// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzzes the design-file reader with any bytes, from memory and from a file. Beyond the
// sanitizers it checks what the reader promises: no read past the 75th line, no line held
// longer than the cut, the same lines whether the bytes come in one piece or in chunks, and
// values that, once saved, read back without a rejected line and save the same again.

#include "designer/document/design_file.h"

#include <QByteArray>
#include <QString>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sys/mman.h>
#include <type_traits>
#include <unistd.h>

using namespace vm::design;

// The reader's read() calls come here (the target is linked with --wrap=read), so the bytes
// it takes from the file can be counted.
extern "C" ssize_t __real_read(int fd, void *buffer, size_t size);
static qint64 bytesTaken = 0;
extern "C" ssize_t __wrap_read(int fd, void *buffer, size_t size)
{
    const ssize_t got = __real_read(fd, buffer, size);
    if (got > 0)
        bytesTaken += got;
    return got;
}

namespace {

// The reader takes the file in chunks of this size.
constexpr qsizetype ReadChunk = 64 * 1024;

void check(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "design_reader: %s\n", what);
        std::abort();
    }
}

// Where the 75th line ends (CR LF, a lone CR or a lone LF ends a line), or the size of
// shorter input. Kept out of the coverage feedback: it is the check, not the code under test.
__attribute__((no_sanitize("coverage"))) qsizetype endOfLastLine(QByteArrayView bytes)
{
    const char *const begin = bytes.data();
    const char *const end = begin + bytes.size();
    int lines = 0;
    for (const char *p = begin; p < end; ++p) {
        if (*p != '\r' && *p != '\n')
            continue;
        if (*p == '\r' && p + 1 < end && p[1] == '\n')
            ++p;
        if (++lines == FileLineCount)
            return p + 1 - begin;
    }
    return bytes.size();
}

bool sameLines(const RawDesign &a, const RawDesign &b)
{
    return a.linesRead == b.linesRead && a.lines == b.lines;
}

// A file in memory, reached by a path like any other.
class MemoryFile
{
public:
    explicit MemoryFile(QByteArrayView bytes) : m_fd(::memfd_create("design", MFD_CLOEXEC))
    {
        check(m_fd >= 0, "memfd_create failed");
        for (qsizetype done = 0; done < bytes.size();) {
            const ssize_t written = ::write(m_fd, bytes.data() + done, bytes.size() - done);
            check(written > 0, "writing the memory file failed");
            done += written;
        }
    }
    ~MemoryFile() { ::close(m_fd); }
    QString path() const { return QStringLiteral("/proc/self/fd/%1").arg(m_fd); }

private:
    int m_fd;
};

RawDesign readThroughFile(QByteArrayView bytes)
{
    const MemoryFile file(bytes);
    bytesTaken = 0;
    const ReadOutcome outcome = readDesignFile(file.path());
    check(outcome.ok(), "a regular file was refused");
    const qsizetype end = endOfLastLine(bytes);
    const qsizetype allowed = (end + ReadChunk - 1) / ReadChunk * ReadChunk;
    check(bytesTaken <= allowed, "the reader read past the 75th line");
    return outcome.design;
}

void checkBounds(const RawDesign &raw)
{
    check(raw.linesRead >= 0 && raw.linesRead <= FileLineCount, "line count out of range");
    for (int i = 0; i < FileLineCount; ++i) {
        check(raw.lines[i].size() <= FileLineLimit, "a line longer than the cut");
        check(i < raw.linesRead || raw.lines[i].isEmpty(), "text in a line that was not read");
        check(!raw.lines[i].contains(u'\r') && !raw.lines[i].contains(u'\n'),
              "a line end inside a line");
    }
}

QString shown(const FileValue &value)
{
    return std::visit(
        [](const auto &v) {
            if constexpr (std::is_same_v<std::decay_t<decltype(v)>, QString>)
                return QString::fromLatin1(v.toUtf8().toPercentEncoding(" "));
            else
                return QString::number(double(v), 'g', 9);
        },
        value);
}

bool closeSingles(const FileValue &a, const FileValue &b)
{
    const float x = std::get<float>(a);
    const float y = std::get<float>(b);
    // Singles are written with 7 significant digits, which can move a value by half a unit in
    // the seventh digit on the way back.
    return x == y || std::fabs(x - y) <= 6e-7f * std::max(std::fabs(x), std::fabs(y));
}

// What the window would hold after opening the bytes saves into a file that opens without
// complaint and saves the same again.
void checkSaveRoundTrip(const RawDesign &raw)
{
    const ConvertedDesign opened = convertDesign(raw);
    for (const int line : opened.rejectedLines)
        check(line >= 1 && line <= raw.linesRead, "a line listed that was not read");
    (void)rejectedLinesMessage(opened.rejectedLines);

    const QByteArray saved = encodeDesign(opened.values);
    const RawDesign reread = decodeDesign(saved);
    check(reread.linesRead == FileLineCount, "a saved file without 75 lines");
    const ConvertedDesign reopened = convertDesign(reread);
    check(reopened.rejectedLines.isEmpty(), "a saved file with rejected lines");
    for (const FileKey &key : fileKeys()) {
        const FileValue &before = opened.values[key.line - 1];
        const FileValue &after = reopened.values[key.line - 1];
        if (key.form == WrittenForm::Single ? closeSingles(before, after) : before == after)
            continue;
        std::fprintf(stderr, "design_reader: line %d saved as \"%s\", read back as \"%s\"\n",
                     key.line, qPrintable(shown(before)), qPrintable(shown(after)));
        check(false, "a value changed between save and open");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView input(reinterpret_cast<const char *>(data), qsizetype(size));

    const RawDesign inMemory = decodeDesign(input);
    checkBounds(inMemory);
    check(sameLines(readThroughFile(input), inMemory), "file and memory readings differ");
    checkSaveRoundTrip(inMemory);

    // The same bytes placed across the reader's chunk boundary, behind a long first line.
    const qsizetype shift = qsizetype(size % 256);
    QByteArray shifted(ReadChunk - shift - 2, 'x');
    shifted += "\r\n";
    shifted += input;
    const RawDesign shiftedInMemory = decodeDesign(shifted);
    checkBounds(shiftedInMemory);
    check(sameLines(readThroughFile(shifted), shiftedInMemory),
          "chunked and whole readings differ");

    // The bytes at the end of a line that is cut, inside two-byte characters.
    QByteArray cut = QByteArray("\xC3\xA9").repeated((FileLineLimit - shift) / 2);
    cut += input;
    const RawDesign cutInMemory = decodeDesign(cut);
    checkBounds(cutInMemory);
    check(sameLines(readThroughFile(cut), cutInMemory), "a cut line reads differently");
    return 0;
}
