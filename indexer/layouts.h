// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QStringView>

#include <array>

namespace vm::indexer {

// The twelve folder and file lists of the index window, as bits of a layout's visible set.
namespace lists {
inline constexpr unsigned Dir1 = 1u << 0;
inline constexpr unsigned Dir2 = 1u << 1;
inline constexpr unsigned Dir3 = 1u << 2;
inline constexpr unsigned Dir4 = 1u << 3;
inline constexpr unsigned Dir5 = 1u << 4;
inline constexpr unsigned Dir6 = 1u << 5;
inline constexpr unsigned File1 = 1u << 6;
inline constexpr unsigned File2 = 1u << 7;
inline constexpr unsigned File3 = 1u << 8;
inline constexpr unsigned File4 = 1u << 9;
inline constexpr unsigned File5 = 1u << 10;
inline constexpr unsigned File6 = 1u << 11;
inline constexpr unsigned AllDirs = Dir1 | Dir2 | Dir3 | Dir4 | Dir5 | Dir6;
// The bit of `Dir`n and of `File`n (n = 1 ... 6).
constexpr unsigned dir(int n)
{
    return Dir1 << (n - 1);
}
constexpr unsigned file(int n)
{
    return File1 << (n - 1);
}
} // namespace lists

// How the lists follow `Dir1`.
enum class Linking
{
    Linked,   // every list follows Dir1
    Unlinked, // only File1 follows Dir1
    Pairs,    // File1 follows Dir1, File4 follows Dir3, File6 follows Dir5
};

// One arrangement of the card. Geometry in window pixels; the window's outer width in twips.
struct Layout
{
    int number;
    QStringView description; // the title-bar line of its button
    int sides;
    int windowWidthTwips;
    int line1Right;   // x of the right-hand end of the bottom cutting line
    int dir1Height;   // 0 where Dir1 is hidden; its height is then left as it was
    QRect file3;      // null where File3 is hidden; its place is then left as it was
    unsigned visible; // every other folder and file list is hidden
    Linking linking;
};

extern const std::array<Layout, 20> Layouts;

// Layout n (1 ... 20).
const Layout &cardLayout(int number);

// The client width a layout's outer width stands for: the outer widths were set for frames
// four pixels wide on each side.
constexpr int clientWidth(const Layout &layout)
{
    return layout.windowWidthTwips / 15 - 8;
}

} // namespace vm::indexer
