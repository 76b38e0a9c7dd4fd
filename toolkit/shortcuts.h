// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAction>
#include <QKeySequence>
#include <QList>
#include <QWidget>

#include <functional>

namespace vm {

// The keys of a standard command on this platform, and `always` besides: the keys the manual
// names work on every desktop, and a desktop's own keys for the command work too.
QList<QKeySequence> commandKeys(QKeySequence::StandardKey standard,
                                const QList<QKeySequence> &always = {});

// A command of `window` that only keys reach: no menu, no button. It runs `command` while the
// window is the active one and no modal dialog is up, wherever the focus is in the window.
// Commands should click their button or call the handler the button calls, so a key cannot
// do anything the button would not.
QAction *addWindowShortcut(QWidget &window, const QList<QKeySequence> &keys,
                           std::function<void()> command);

} // namespace vm
