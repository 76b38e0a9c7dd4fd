// SPDX-License-Identifier: GPL-3.0-or-later
// Keys for the index window's commands. Each key clicks the command's button, so it does
// exactly what the button does.

#include "indexer/index_window.h"

#include "toolkit/shortcuts.h"

#include <QPushButton>

namespace vm::indexer {

void IndexWindow::setUpShortcuts()
{
    const auto clickOn = [](QPushButton *button) { return [button] { button->click(); }; };
    addWindowShortcut(*this, commandKeys(QKeySequence::Print, {Qt::CTRL | Qt::Key_P}),
                      clickOn(Command1));
    addWindowShortcut(*this, commandKeys(QKeySequence::Refresh, {Qt::Key_F5}), clickOn(Command4));
    addWindowShortcut(*this, commandKeys(QKeySequence::HelpContents, {Qt::Key_F1}),
                      clickOn(Command3));
    addWindowShortcut(
        *this, commandKeys(QKeySequence::Close, {Qt::CTRL | Qt::Key_W, Qt::CTRL | Qt::Key_Q}),
        [this] { close(); });
}

} // namespace vm::indexer
