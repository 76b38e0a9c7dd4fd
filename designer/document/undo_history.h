// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "designer/document/design_snapshot.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

class QAction;
class QLineEdit;
class QUndoStack;
class QWidget;

namespace vm::design {

using SharedSnapshot = std::shared_ptr<const DesignSnapshot>;

// The designer's undo history: one step per user command, each the design before and after
// it. Commands are not told about it: it watches the windows' buttons (a click has run its
// handler when `clicked` reaches a slot connected after it) and entry fields (typing is one
// step per visit, closed when the focus leaves the field or another command starts), and
// records a step when the design differs from the last one it knows. Undo and redo hand a
// recorded design back to the window, which applies it as Open does.
class UndoHistory : public QObject
{
    Q_OBJECT

public:
    using Take = std::function<DesignSnapshot()>;
    using Apply = std::function<void(const DesignSnapshot &)>;
    using Ours = std::function<bool(const QWidget *)>; // the windows whose commands count

    // `start` is the design as the program starts it; the window's own buttons are watched
    // from now on, its secondary windows when they first show.
    UndoHistory(QWidget &window, Take take, Apply apply, Ours ours);
    ~UndoHistory() override;

    void undo();
    void redo();
    int count() const; // steps recorded
    int index() const; // steps currently done
    QAction &undoAction() const { return *m_undoAction; }
    QAction &redoAction() const { return *m_redoAction; }

    // The end of a command: a step when the design changed since the last one.
    void record();
    void closeTyping();
    // Before a command: what changed by itself since the last step (a picture reduced to its
    // paper detail once shown) belongs to that step, not to the next.
    void adoptSettled();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    class Step;
    void watch(QWidget &window);
    void typed(QLineEdit *field);
    void apply(const SharedSnapshot &snapshot);

    Take m_take;
    Apply m_apply;
    Ours m_ours;
    QUndoStack *m_stack = nullptr;
    QAction *m_undoAction = nullptr, *m_redoAction = nullptr;
    SharedSnapshot m_current;     // the design after the last step recorded, undone or redone
    QPointer<QLineEdit> m_typing; // the field of the open typing step
    bool m_applying = false;
};

} // namespace vm::design
