// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/colours.h"

#include <QString>

namespace vm::design {

// The action that waits behind the save question.
enum class Action
{
    None = 0,
    Open = 1,
    New = 2,
    Close = 3
};

// Variables shared by every window of the designer (one set per running designer). They keep
// the names the handlers and the saved designs speak of.
struct SharedVariables
{
    float CoverWidth = 456;       // width of the cover area; every horizontal centring uses it
    bool SavePromptArmed = false; // the save question is due before New, Open and close
    Action PendingAction = Action::None; // 1 Open, 2 New, 3 close
    bool TopLineManual = false;          // false: typing the top line re-centres it
    bool BottomLineManual = false;       // the same for the bottom line
    ColorRef DefaultInk = Black;         // default colour of rules, box and texts
    QString DefaultFontName;             // the window's default face, read at start-up
    float DefaultFontSize = 8.25f;       // the window's default size, read at start-up
    float DefaultTitleFontSize = 8.25f;  // the title areas' size, read at start-up
};

} // namespace vm::design
