// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

namespace vm {

// Entry fields hold decimal text; their value is the number at the start of the text. Blanks
// (spaces, tabs, line breaks) are skipped wherever they stand, then an optional sign, digits,
// a decimal point ".", further digits and an exponent (E or D) are taken; reading stops at
// the first character that cannot continue the number. "&H" and "&O" start hexadecimal and
// octal numbers. Text with no number at its start gives 0 ("abc" -> 0, "12abc" -> 12).
// An exponent beyond the double range gives an infinity; callers that need a finite value
// check for it.
double leadingNumber(QStringView text);

// Strict readers for stored values: the whole text (blanks around it allowed) must be the
// value, else nothing. Numbers take the same forms as leadingNumber.
std::optional<double> strictNumber(QStringView text);
// "True"/"False" in any case, or a number (0 is false, anything else true).
std::optional<bool> strictBool(QStringView text);

// True when the value is finite and within the single-precision range.
bool fitsSingle(double value);

// The shortest decimal text of a single-precision value: up to 7 significant digits, "." as
// the point, no leading blank, trailing zeros dropped, "E+08" style exponents for very large
// or small values (104, 31.5, -22, 8.25, 0.1).
QString singleText(float value);

// Rounds to the nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4);
// nothing when the result is outside the 16-bit signed range or the value is not finite.
std::optional<std::int16_t> roundToInt16(double value);

// Window layouts are drawn in twips, 15 to the pixel, whatever the screen's density.
inline constexpr int TwipsPerPixel = 15;
constexpr double twipsToPixels(double twips)
{
    return twips / TwipsPerPixel;
}
constexpr double pixelsToTwips(double pixels)
{
    return pixels * TwipsPerPixel;
}
// A control's place and size as a window layout gives them in twips, in whole pixels.
QRect twipsRect(int left, int top, int width, int height);

} // namespace vm
