// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPalette>

#include <cstdint>

namespace vm {

// Colours are stored as 0x00BBGGRR values, or as a system colour: 0x80000000 plus the
// index of a desktop colour, resolved only when drawn and stored as it is.
using ColorRef = std::uint32_t;

inline constexpr ColorRef SystemColourFlag = 0x80000000u;
inline constexpr ColorRef SystemWindowText = 0x80000008u;
inline constexpr ColorRef SystemButtonText = 0x80000012u;
inline constexpr ColorRef White = 0x00FFFFFFu;
inline constexpr ColorRef Black = 0x00000000u;

constexpr bool isSystemColour(ColorRef value)
{
    return (value & SystemColourFlag) != 0;
}

constexpr ColorRef rgb(int red, int green, int blue)
{
    return ColorRef(red & 0xFF) | ColorRef(green & 0xFF) << 8 | ColorRef(blue & 0xFF) << 16;
}

// The colour to draw: a system colour through the palette, any other value as 0x00BBGGRR.
QColor toQColor(ColorRef value, const QPalette &palette);
QColor toQColor(ColorRef value); // with the application's palette

// The stored value of an opaque colour (alpha is dropped).
ColorRef fromQColor(const QColor &colour);

} // namespace vm
