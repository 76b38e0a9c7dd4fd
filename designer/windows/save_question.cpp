// SPDX-License-Identifier: GPL-3.0-or-later
// The save question: before New, Open or closing throws the design away, ask whether to save
// it, when "Save Prompt" is on and the design has been started or opened since.

#include "designer/document/design_window.h"

#include "designer/windows/pixclear_window.h"
#include "designer/windows/save_window.h"
#include "designer/windows/titles_window.h"

#include <QCheckBox>

#include <utility>

namespace vm::design {

SaveWindow *DesignWindow::saveWindow() const
{
    return m_saveWindow;
}

SaveWindow &DesignWindow::ensureSaveWindow()
{
    if (!m_saveWindow) {
        m_saveWindow = new SaveWindow;
        m_saveWindow->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_saveWindow, &SaveWindow::yesClicked, this, &DesignWindow::onSaveCommand1Clicked);
        connect(m_saveWindow, &SaveWindow::noClicked, this, &DesignWindow::onSaveCommand2Clicked);
        addSaveHoverHelp(*m_saveWindow);
    }
    return *m_saveWindow;
}

bool DesignWindow::holdForSaveQuestion(Action action)
{
    // Asking again replaces the waiting action; the same window shows the question.
    m_shared.PendingAction = action;
    if (!(Check12->isChecked() && m_shared.SavePromptArmed))
        return false;
    SaveWindow &question = ensureSaveWindow();
    question.show();
    question.activateWindow();
    return true;
}

void DesignWindow::onCheck12Toggled(bool checked)
{
    m_shared.SavePromptArmed = checked;
}

void DesignWindow::onSaveCommand1Clicked()
{
    // The waiting action is not resumed: the user starts it again and is asked again.
    m_shared.SavePromptArmed = true;
    m_saveWindow->hide();
    save();
}

void DesignWindow::onSaveCommand2Clicked()
{
    const Action waiting = m_shared.PendingAction;
    m_shared.SavePromptArmed = false;
    m_saveWindow->hide();
    switch (waiting) {
    case Action::Open:
        // A dropped design opens itself; the Open button's asks for its file.
        if (!m_droppedDesign.isEmpty())
            openDesignFile(std::exchange(m_droppedDesign, QString()));
        else
            open();
        break;
    case Action::New:
        newDesign();
        break;
    case Action::Close:
        close(); // passes the question now, and closes the other windows too
        break;
    case Action::None:
        break;
    }
}

void DesignWindow::closeSecondaryWindows()
{
    if (m_titles)
        m_titles->close();
    if (m_saveWindow)
        m_saveWindow->close();
    if (m_pixclear)
        m_pixclear->close();
}

} // namespace vm::design
