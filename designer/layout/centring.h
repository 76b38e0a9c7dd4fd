// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>

namespace vm::design {

// The left of an element of width `width` centred on a cover of width `cover`. The handlers
// differ in how they round it, and saved designs hold the positions they produced, so each
// keeps its own form. They agree for every element narrower than the cover.

// Truncated toward zero; negative when the element is wider than the cover.
inline float centreTruncated(float cover, float width)
{
    return std::trunc((cover - width) / 2);
}

// Truncated toward zero, then made positive: a wide element starts half its overflow in.
inline float centreAbsolute(float cover, float width)
{
    return std::fabs(centreTruncated(cover, width));
}

// Exact, halves kept.
inline float centreExact(float cover, float width)
{
    return (cover - width) / 2;
}

} // namespace vm::design
