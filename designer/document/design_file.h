// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The design file: 75 lines of text, one document property per line in a fixed order. This
// is pure data code; the window side applies the values and shows the messages.

#include "toolkit/colours.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

#include <array>
#include <variant>

namespace vm::design {

inline constexpr int FileLineCount = 75;

// A line longer than this many bytes is cut; the rest of it is skipped unread into memory.
inline constexpr qsizetype FileLineLimit = 64 * 1024;

// How a value is written: text as it stands; whole numbers and singles with a blank before a
// value that is not negative and one after every number (" 1 ", "-2147483640 ", " 8.25 ");
// truth values as "True" or "False".
enum class WrittenForm
{
    Text,
    Int16,
    Int32,
    Single,
    Truth
};

// How a line is read back. Leading readings take the number at the start of the line and
// never reject text; strict readings want the whole line to be the value.
enum class Reading
{
    Text,
    LeadingNumber,    // single precision
    LeadingRounded16, // rounded, halves to even, into 16 bits
    Strict16,
    Strict32,
    StrictSingle,
    StrictTruth,
};

struct FileKey
{
    int line; // 1 to 75
    QStringView key;
    QStringView meaning; // plain words, for messages
    WrittenForm form;
    Reading reading;
};

// The 75 keys in file order ("Label2.Caption", ... "Label3.FontUnderline"); one table drives
// writing and reading.
const std::array<FileKey, FileLineCount> &fileKeys();

// One value as stored: text, whole number (16- and 32-bit both kept in qint32), single, truth.
// The alternative follows the line's written form: Text -> QString, Int16 and Int32 -> qint32,
// Single -> float, Truth -> bool.
using FileValue = std::variant<QString, qint32, float, bool>;
using FileValues = std::array<FileValue, FileLineCount>;

// The values of a file that has no lines: every line empty, 0 or false, each in the
// alternative of its form.
FileValues emptyFileValues();

// Colours are kept as 0x00BBGGRR or system colour values; the file holds the same bits as a
// signed 32-bit number, so system colours come out negative.
constexpr qint32 colourToFile(vm::ColorRef colour)
{
    return static_cast<qint32>(colour);
}
constexpr vm::ColorRef colourFromFile(qint32 value)
{
    return static_cast<vm::ColorRef>(value);
}

// The file's bytes: each value in its written form, CR LF after every line, UTF-8. A CR or LF
// inside a text is written as a space, so the file always has 75 lines. A first line that
// starts with U+FEFF gets a byte-order mark before it, which the reader takes off again. A value
// held in another alternative than its form's is converted:
// - to text: whole numbers and singles as plain decimal ("12", "8.25"), truths as
//   "True"/"False";
// - to a whole number: a single rounded halves to even, a truth as 1 or 0, a text by its
//   leading number; anything beyond the form's range is clamped to it (a non-finite single
//   gives 0);
// - to a single: whole numbers as they are, a truth as 1 or 0, a text by its leading number;
//   non-finite or out-of-range values give 0;
// - to a truth: a number is true when not 0, a text as the strict truth reading takes it
//   (false when it is not one).
QByteArray encodeDesign(const FileValues &values);

// Writes the file atomically, so a failed save leaves an existing file as it was. Returns an
// empty string on success, else the reason.
QString saveDesignFile(const QString &path, const FileValues &values);

// The lines as read (decoded), and how many the file had (0 to 75).
struct RawDesign
{
    std::array<QString, FileLineCount> lines;
    int linesRead = 0;
};

struct ReadOutcome
{
    RawDesign design;
    QString error; // why the file could not be read; empty on success
    bool ok() const { return error.isEmpty(); }
};

// Reads up to 75 lines. A line ends at CR LF, a lone CR or a lone LF; later lines are not read.
// Each line is cut at FileLineLimit bytes. The file is UTF-8 when everything read is valid
// UTF-8, else Windows-1252; a UTF-8 byte-order mark at its start is skipped. Only regular
// files are read: a folder, a device or a FIFO is refused at once.
ReadOutcome readDesignFile(const QString &path);
// The same from memory.
RawDesign decodeDesign(QByteArrayView bytes);

struct ConvertedDesign
{
    FileValues values;
    QList<int> rejectedLines; // line numbers, ascending
};

// Converts each line as its reading says. A line the file did not have counts as empty, 0 and
// false. A line its reading rejects (text where a number or truth belongs, or a number beyond
// the range of its property) also counts as missing, and is listed.
ConvertedDesign convertDesign(const RawDesign &raw);

// One message naming the rejected lines by number and meaning; empty when there are none.
QString rejectedLinesMessage(const QList<int> &lines);

} // namespace vm::design
