// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/numbers.h"

#include <QtGlobal>

#include <charconv>
#include <cmath>
#include <limits>

namespace vm {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

// Reads a number from the front of `text`, skipping blanks anywhere. Returns the value and
// how many characters were consumed (0 when no number was found).
struct Scan
{
    double value = 0;
    qsizetype used = 0; // characters consumed, blanks included
    bool found = false;
};

Scan scanRadix(QStringView text, qsizetype pos, int radix)
{
    Scan scan;
    quint64 value = 0;
    for (; pos < text.size(); ++pos) {
        const QChar c = text[pos];
        if (isBlank(c))
            continue;
        int d = -1;
        if (c >= u'0' && c <= u'9')
            d = c.unicode() - u'0';
        else if (radix == 16 && c.toLower() >= u'a' && c.toLower() <= u'f')
            d = c.toLower().unicode() - u'a' + 10;
        if (d < 0 || d >= radix)
            break;
        if (value <= 0xFFFFFFFFu)
            value = value * radix + d;
    }
    scan.used = pos;
    scan.found = true; // "&H" alone reads as 0
    // Hexadecimal and octal values are 16-bit when they fit, else 32-bit, both signed.
    if (value > 0xFFFFFFFFu)
        scan.value = std::numeric_limits<double>::infinity();
    else if (value <= 0xFFFF)
        scan.value = static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
    else
        scan.value = static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    return scan;
}

Scan scanNumber(QStringView text)
{
    qsizetype pos = 0;
    auto skipBlanks = [&] {
        while (pos < text.size() && isBlank(text[pos]))
            ++pos;
    };
    skipBlanks();
    if (pos + 1 < text.size() && text[pos] == u'&') {
        const QChar kind = text[pos + 1].toUpper();
        if (kind == u'H')
            return scanRadix(text, pos + 2, 16);
        if (kind == u'O')
            return scanRadix(text, pos + 2, 8);
    }

    // Gather the number's characters (without blanks) and let the C library convert them.
    std::string digits;
    qsizetype end = pos;
    if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-')) {
        digits += char(text[pos].unicode());
        ++pos;
    }
    bool mantissa = false;
    bool point = false;
    for (; pos < text.size(); ++pos) {
        const QChar c = text[pos];
        if (isBlank(c))
            continue;
        if (c >= u'0' && c <= u'9') {
            digits += char(c.unicode());
            mantissa = true;
            end = pos + 1;
        } else if (c == u'.' && !point) {
            digits += '.';
            point = true;
            end = pos + 1;
        } else {
            break;
        }
    }
    Scan scan;
    if (!mantissa)
        return scan;
    // An exponent counts only when at least one digit follows it.
    if (pos < text.size()) {
        const QChar e = text[pos].toUpper();
        if (e == u'E' || e == u'D') {
            qsizetype p = pos + 1;
            std::string exponent = "e";
            while (p < text.size() && isBlank(text[p]))
                ++p;
            if (p < text.size() && (text[p] == u'+' || text[p] == u'-'))
                exponent += char(text[p++].unicode());
            bool expDigits = false;
            for (; p < text.size(); ++p) {
                const QChar c = text[p];
                if (isBlank(c))
                    continue;
                if (c < u'0' || c > u'9')
                    break;
                // Keep the exponent short enough for strtod while preserving overflow.
                if (exponent.size() < 8)
                    exponent += char(c.unicode());
                expDigits = true;
                end = p + 1;
            }
            if (expDigits)
                digits += exponent;
        }
    }
    // from_chars ignores the process locale, so "." is the point everywhere.
    const char *first = digits.data();
    if (*first == '+')
        ++first;
    double value = 0;
    const auto [ptr, error] = std::from_chars(first, digits.data() + digits.size(), value);
    if (error == std::errc::result_out_of_range) {
        const bool tiny = digits.find("e-") != std::string::npos;
        value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
        if (digits[0] == '-')
            value = -value;
    }
    Q_UNUSED(ptr);
    scan.value = value;
    scan.used = end;
    scan.found = true;
    return scan;
}

} // namespace

double leadingNumber(QStringView text)
{
    const Scan scan = scanNumber(text);
    return scan.found ? scan.value : 0.0;
}

std::optional<double> strictNumber(QStringView text)
{
    const Scan scan = scanNumber(text);
    if (!scan.found)
        return std::nullopt;
    for (qsizetype i = scan.used; i < text.size(); ++i) {
        if (!isBlank(text[i]))
            return std::nullopt;
    }
    return scan.value;
}

std::optional<bool> strictBool(QStringView text)
{
    const QStringView trimmed = text.trimmed();
    if (trimmed.compare(u"True", Qt::CaseInsensitive) == 0)
        return true;
    if (trimmed.compare(u"False", Qt::CaseInsensitive) == 0)
        return false;
    if (const auto number = strictNumber(trimmed))
        return *number != 0;
    return std::nullopt;
}

bool fitsSingle(double value)
{
    return std::isfinite(value) && std::fabs(value) <= std::numeric_limits<float>::max();
}

QString singleText(float value)
{
    if (value == 0 || !std::isfinite(value))
        return QStringLiteral("0"); // also for -0, which would read as "-0"
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value),
                                      std::chars_format::general, 7);
    QString text = QString::fromLatin1(buffer, result.ptr - buffer);
    return text.replace(u'e', u'E');
}

std::optional<std::int16_t> roundToInt16(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value); // the default mode rounds halves to even
    if (rounded < std::numeric_limits<std::int16_t>::min() ||
        rounded > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(qRound(twipsToPixels(left)), qRound(twipsToPixels(top)),
                 qRound(twipsToPixels(width)), qRound(twipsToPixels(height)));
}

} // namespace vm
