// SPDX-License-Identifier: GPL-3.0-or-later
// The cover's 24 text areas and their editor, seen from the Design window.

#include "designer/document/design_window.h"

#include "designer/windows/titles_window.h"

#include <QLineEdit>

namespace vm::design {

TitlesWindow *DesignWindow::titlesWindow() const
{
    return m_titles;
}

TitlesWindow &DesignWindow::ensureTitlesWindow()
{
    if (!m_titles) {
        TitlesWindow::Areas areas;
        for (int n = 1; n <= TitleAreaCount; ++n)
            areas[n - 1] = &titleArea(n);
        m_titles = new TitlesWindow(areas);
        m_titles->setAttribute(Qt::WA_DeleteOnClose);
        addTitlesHoverHelp(*m_titles);
    }
    return *m_titles;
}

void DesignWindow::onCommand14Clicked()
{
    // The areas hold the titles; the editor shows what they hold now (after Open, too).
    TitlesWindow &titles = ensureTitlesWindow();
    for (int n = 1; n <= TitleAreaCount; ++n)
        titles.field(n)->setText(titleArea(n).caption());
    titles.show();
    titles.activateWindow();
}

void DesignWindow::onCheck7Toggled(bool checked)
{
    for (int n = 1; n <= TitleAreaCount; ++n)
        titleArea(n).setVisible(checked);
}

} // namespace vm::design
