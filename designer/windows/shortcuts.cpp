// SPDX-License-Identifier: GPL-3.0-or-later
// Keys for the designer's commands. Each key clicks the command's button, so it does exactly
// what the button does, the save question included; Save As and the manual have keys only.

#include "designer/document/design_window.h"

#include "toolkit/messages.h"
#include "toolkit/program_start.h"
#include "toolkit/shortcuts.h"

#include <QMessageBox>
#include <QPushButton>

namespace vm::design {

void DesignWindow::setUpShortcuts()
{
    const auto clickOn = [](QPushButton *button) { return [button] { button->click(); }; };
    addWindowShortcut(*this, commandKeys(QKeySequence::New, {Qt::CTRL | Qt::Key_N}),
                      clickOn(Command4));
    addWindowShortcut(*this, commandKeys(QKeySequence::Open, {Qt::CTRL | Qt::Key_O}),
                      clickOn(Command1));
    addWindowShortcut(*this, commandKeys(QKeySequence::Save, {Qt::CTRL | Qt::Key_S}),
                      clickOn(Command2));
    addWindowShortcut(*this, commandKeys(QKeySequence::SaveAs, {Qt::CTRL | Qt::SHIFT | Qt::Key_S}),
                      [this] { saveAs(); });
    addWindowShortcut(*this, commandKeys(QKeySequence::Print, {Qt::CTRL | Qt::Key_P}),
                      clickOn(Command7));
    // The window frame's close path: the save question may hold it.
    addWindowShortcut(
        *this, commandKeys(QKeySequence::Close, {Qt::CTRL | Qt::Key_W, Qt::CTRL | Qt::Key_Q}),
        [this] { close(); });
    addWindowShortcut(*this, commandKeys(QKeySequence::HelpContents, {Qt::Key_F1}),
                      [this] { startManual(); });
}

void DesignWindow::startManual()
{
    // As the launcher starts it: from this program's own folder.
    const StartResult started = startProgram(QStringLiteral("vmhelp"));
    if (started)
        return;
    vm::showMessage(m_manualError, this, tr("Instructions"), QStringLiteral("ManualError"),
                    QMessageBox::Warning,
                    tr("Could not start vmhelp, the instructions.\n\n%1").arg(started.error));
}

} // namespace vm::design
