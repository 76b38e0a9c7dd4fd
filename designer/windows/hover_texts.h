// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The designer's hover help: one line per control, written into a window's caption while the
// pointer is over the control. One table per window, the lines exactly as the product shows
// them (double blanks included).

#include <QString>

#include <span>

namespace vm::design {

struct HoverText
{
    const char *control; // object name
    const char *text;    // as written; hoverLine() gives the line shown
};

// The line as the window shows it.
QString hoverLine(const HoverText &text);

// The Design window's buttons, options, check boxes, entry fields and panel labels.
std::span<const HoverText> designHoverTexts();
// The Titles window's fields that have a line (into the Titles caption).
std::span<const HoverText> titlesHoverTexts();

// What the bare backgrounds write: the cover's into the Design caption, the title editor's
// into the Design caption too, the save question's into its own.
QString designTitleLine();
QString titlesBackgroundText();
QString saveBackgroundText();

} // namespace vm::design
