// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>

#include <functional>

class QWidget;

namespace vm {

// The context menu of a cover or card: its entries in the order every program shows them.
// An entry without a command is left out; a disabled one shows greyed.
struct MenuCommand
{
    std::function<void()> run;
    bool enabled = true;
};

struct CoverMenuCommands
{
    MenuCommand undo, redo, saveAs;
    MenuCommand printPreview, exportPdf, exportPng;
};

// Pops the menu up at `globalPosition` without waiting; it deletes itself when it closes.
void popUpCoverMenu(QWidget *parent, const QPoint &globalPosition,
                    const CoverMenuCommands &commands);

} // namespace vm
