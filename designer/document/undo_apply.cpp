// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and redo, seen from the Design window: the design taken as a value after each command,
// and put back through the path Open takes, so the handlers' cascades set every control as a
// loaded design would. What the file values leave open is then set as recorded.

#include "designer/document/design_window.h"

#include "designer/document/undo_history.h"
#include "designer/windows/pixclear_window.h"
#include "designer/windows/save_window.h"
#include "designer/windows/titles_window.h"

#include <QLabel>
#include <QLineEdit>

namespace vm::design {

namespace {

// The lines of the file that name picture files.
constexpr std::array PictureLines{14, 17, 18};

QString textOf(const FileValue &value)
{
    const auto *text = std::get_if<QString>(&value);
    return text ? *text : QString();
}

// Undo reads no file and no picture file, so Open's path has nothing to tell.
class NothingToTell : public OpenReport
{
    void unreadable(const QString &, const QString &) override {}
    void pictureFailed(const QString &, const QString &) override {}
    void opened(const QList<int> &) override {}
};

} // namespace

void DesignWindow::setUpUndo()
{
    m_undo = new UndoHistory(
        *this, [this] { return takeSnapshot(); },
        [this](const DesignSnapshot &snapshot) { applySnapshot(snapshot); },
        [this](const QWidget *window) {
            return window == this || window == m_titles || window == m_saveWindow ||
                   window == m_pixclear;
        });
}

DesignSnapshot DesignWindow::takeSnapshot()
{
    DesignSnapshot snapshot;
    snapshot.values = fileValues();
    const std::array entries{Text1, Text2, Text3, Text4,  Text5,  Text6,
                             Text7, Text8, Text9, Text10, Text11, Text12};
    for (std::size_t i = 0; i < entries.size(); ++i)
        snapshot.entries[i] = entries[i]->text();
    snapshot.topLineManual = m_shared.TopLineManual;
    snapshot.bottomLineManual = m_shared.BottomLineManual;
    snapshot.coverWidth = m_shared.CoverWidth;
    for (Element *element : m_canvas->stackingOrder())
        snapshot.elements.push_back(ElementState::of(*element));
    return snapshot;
}

void DesignWindow::applySnapshot(const DesignSnapshot &snapshot)
{
    // Undo changes the design, not the file it belongs to nor whether the save question is due.
    const bool armed = m_shared.SavePromptArmed;
    const Action pending = m_shared.PendingAction;
    const QString file = m_designFileName;

    // Open's path, with no picture file to read: the pictures come from memory below. A main
    // picture that changes, or whose box does, is taken off meanwhile, so that the size fields
    // find no picture to decode again from its file.
    FileValues values = snapshot.values;
    for (int line : PictureLines)
        values[line - 1] = QString();
    const auto was = std::find_if(snapshot.elements.begin(), snapshot.elements.end(),
                                  [this](const ElementState &s) { return s.element == Image1; });
    if (was != snapshot.elements.end() && !(ElementState::of(*Image1) == *was))
        Image1->clearPicture();
    NothingToTell report;
    applyDesign(values, report);
    PIXFLN->setText(textOf(snapshot.values[14 - 1]));
    Label30->setText(textOf(snapshot.values[17 - 1]));
    LOGO2FLN->setText(textOf(snapshot.values[18 - 1]));

    // What the values leave open: the entries as typed (handlers run), then the placement
    // flags those handlers set, then the canvas as it was drawn.
    const std::array entries{Text1, Text2, Text3, Text4,  Text5,  Text6,
                             Text7, Text8, Text9, Text10, Text11, Text12};
    for (std::size_t i = 0; i < entries.size(); ++i)
        entries[i]->setText(snapshot.entries[i]);
    m_shared.TopLineManual = snapshot.topLineManual;
    m_shared.BottomLineManual = snapshot.bottomLineManual;
    m_shared.CoverWidth = snapshot.coverWidth;
    for (const ElementState &element : snapshot.elements)
        element.restore();
    const std::vector<Element *> &order = m_canvas->stackingOrder();
    if (!std::equal(order.begin(), order.end(), snapshot.elements.begin(), snapshot.elements.end(),
                    [](const Element *e, const ElementState &s) { return e == s.element; })) {
        for (const ElementState &element : snapshot.elements)
            m_canvas->bringToFront(*element.element);
    }
    // The title editor is a view on the areas.
    if (m_titles) {
        for (int n = 1; n <= TitleAreaCount; ++n)
            m_titles->field(n)->setText(titleArea(n).caption());
    }

    m_shared.SavePromptArmed = armed;
    m_shared.PendingAction = pending;
    m_designFileName = file;
    update();
}

} // namespace vm::design
