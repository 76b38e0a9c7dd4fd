// SPDX-License-Identifier: GPL-3.0-or-later
#include "indexer/layouts.h"

#include <algorithm>

namespace vm::indexer {

using namespace lists;

namespace {
constexpr int OneSide = 6795;
constexpr int TwoSides = 12000;
constexpr QRect NoFile3;
} // namespace

// clang-format off
const std::array<Layout, 20> Layouts = {{
    {1, u"1-side.  1 full folder column plus 2 full file columns.  Linked left.",
     1, OneSide, 440, 396, NoFile3, Dir1 | File1 | File2, Linking::Linked},
    {2, u"1-side: 1/2 folder column plus 2 1/2 file columns.  Linked left.",
     1, OneSide, 440, 200, QRect(0, 208, 130, 205), Dir1 | File3 | File1 | File2, Linking::Linked},
    {3, u"1-side: 1 folder plus almost 3 full file columns.  Linked left.",
     1, OneSide, 440, 45, QRect(0, 50, 130, 353), Dir1 | File3 | File1 | File2, Linking::Linked},
    {4, u"2-sides: 1 folder plus almost 6 full file columns.  Linked left.",
     2, TwoSides, 775, 45, QRect(0, 50, 130, 353),
     Dir1 | File3 | File1 | File2 | File4 | File5 | File6, Linking::Linked},
    {5, u"2-sides: 1/2 folder column plus 5 1/2 file columns.  Linked left.",
     2, TwoSides, 775, 200, QRect(0, 205, 129, 200),
     Dir1 | File3 | File1 | File2 | File4 | File5 | File6, Linking::Linked},
    {6, u"2-sides: 1 folder plus 5 file columns.  Linked left.",
     2, TwoSides, 775, 396, NoFile3, Dir1 | File1 | File2 | File4 | File5 | File6,
     Linking::Linked},
    {7, u"2-sides: 2 folder columns plus 4 file columns.  Linked left.",
     2, TwoSides, 775, 396, NoFile3, Dir1 | Dir2 | File2 | File4 | File5 | File6,
     Linking::Linked},
    {8, u"2-sides: 3 folder columns plus 3 file columns.  Linked left.",
     2, TwoSides, 775, 396, NoFile3, Dir1 | Dir2 | Dir3 | File4 | File5 | File6,
     Linking::Linked},
    {9, u"2-sides: 4 folder columns plus 2 file columns.  Linked left.",
     2, TwoSides, 775, 396, NoFile3, Dir1 | Dir2 | Dir3 | Dir4 | File5 | File6,
     Linking::Linked},
    {10, u"2-sides: 5 folder columns plus 1 file column.  Linked left.",
     2, TwoSides, 775, 396, NoFile3, Dir1 | Dir2 | Dir3 | Dir4 | Dir5 | File6, Linking::Linked},
    {11, u"2-sides: 6 folder columns and no file columns.  Linked left.",
     2, TwoSides, 775, 396, NoFile3, AllDirs, Linking::Linked},
    {12, u"2-sides: 3 independent sets of folder/file columns.  Not linked.",
     2, TwoSides, 775, 396, NoFile3, Dir1 | File1 | Dir3 | File4 | Dir5 | File6, Linking::Pairs},
    {13, u"2-sides: 6 indepedent folder columns, no file column.  Not linked.",
     2, TwoSides, 775, 396, NoFile3, AllDirs, Linking::Unlinked},
    // Called two-sided, but its three columns end at x = 394 and it prints on one side.
    {14, u"2-sides: 3 independent folder columns and no file column.  Not Linked.",
     1, OneSide, 440, 396, NoFile3, Dir1 | Dir2 | Dir3, Linking::Unlinked},
    {15, u"1-side: 3 left-linked folder columns, no file column.",
     1, OneSide, 440, 396, NoFile3, Dir1 | Dir2 | Dir3, Linking::Linked},
    {16, u"1-side: 2 folder columns and 1 file column.  Linked left.",
     1, OneSide, 440, 396, NoFile3, Dir1 | Dir2 | File2, Linking::Linked},
    {17, u"1-side: No folders, 3 file columns linked to the last folder opened.",
     1, OneSide, 440, 0, QRect(0, 0, 129, 405), File3 | File1 | File2, Linking::Linked},
    {18, u"1-side: 1 folder column and 1 linked file column.",
     1, OneSide, 440, 396, NoFile3, Dir1 | File1, Linking::Linked},
    {19, u"1-side: 1/2 folder column and 1/2 file column.",
     1, OneSide, 440, 195, QRect(0, 202, 129, 200), Dir1 | File3, Linking::Linked},
    {20, u"1-side: 1/2 folder column and no file column.",
     1, OneSide, 440, 195, NoFile3, Dir1, Linking::Linked},
}};
// clang-format on

const Layout &cardLayout(int number)
{
    return Layouts[std::clamp(number, 1, int(Layouts.size())) - 1];
}

} // namespace vm::indexer
