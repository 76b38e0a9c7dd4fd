// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QScreen;

namespace vm {

// Window layouts are measured in twips, 15 to the pixel, whatever the screen's resolution.
inline constexpr int TwipsPerPixel = 15;

// The usable width of the desktop on `screen` (the screen minus docked panels) in twips.
// With no screen it is the primary screen; with no screen at all, 0.
int workAreaWidthTwips(const QScreen *screen = nullptr);

} // namespace vm
