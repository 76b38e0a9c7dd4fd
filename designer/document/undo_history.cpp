// SPDX-License-Identifier: GPL-3.0-or-later
#include "designer/document/undo_history.h"

#include "toolkit/shortcuts.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QUndoStack>

namespace vm::design {

namespace {

const char *const WatchedProperty = "vm-undo-watched";

bool isUndoOrRedo(const QKeyEvent &key, const QAction &undo, const QAction &redo)
{
    const QKeySequence pressed(key.keyCombination());
    return undo.shortcuts().contains(pressed) || redo.shortcuts().contains(pressed);
}

} // namespace

// A recorded step. Pushing it runs redo() once, when the design already is `after`.
class UndoHistory::Step : public QUndoCommand
{
public:
    Step(UndoHistory &history, SharedSnapshot before, SharedSnapshot after)
        : m_history(history), m_before(std::move(before)), m_after(std::move(after))
    {
    }
    void undo() override { m_history.apply(m_before); }
    void redo() override
    {
        if (m_pushed)
            m_history.apply(m_after);
        m_pushed = true;
    }
    const SharedSnapshot &after() const { return m_after; }
    void settle(SharedSnapshot after) { m_after = std::move(after); }

private:
    UndoHistory &m_history;
    SharedSnapshot m_before, m_after;
    bool m_pushed = false;
};

UndoHistory::UndoHistory(QWidget &window, Take take, Apply apply, Ours ours)
    : QObject(&window), m_take(std::move(take)), m_apply(std::move(apply)), m_ours(std::move(ours)),
      m_stack(new QUndoStack(this))
{
    m_current = std::make_shared<const DesignSnapshot>(m_take());

    // No menu shows them: they answer the keyboard in the designer's windows.
    m_undoAction = new QAction(this);
    m_undoAction->setShortcuts(
        vm::commandKeys(QKeySequence::Undo, {QKeySequence(Qt::CTRL | Qt::Key_Z)}));
    m_redoAction = new QAction(this);
    m_redoAction->setShortcuts(
        vm::commandKeys(QKeySequence::Redo, {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                                             QKeySequence(Qt::CTRL | Qt::Key_Y)}));
    for (QAction *action : {m_undoAction, m_redoAction})
        action->setShortcutContext(Qt::WindowShortcut);
    connect(m_undoAction, &QAction::triggered, this, &UndoHistory::undo);
    connect(m_redoAction, &QAction::triggered, this, &UndoHistory::redo);

    watch(window);
    qApp->installEventFilter(this);
}

UndoHistory::~UndoHistory()
{
    qApp->removeEventFilter(this);
}

void UndoHistory::watch(QWidget &window)
{
    if (window.property(WatchedProperty).toBool())
        return;
    window.setProperty(WatchedProperty, true);
    window.addAction(m_undoAction);
    window.addAction(m_redoAction);
    // Connected after the window's handlers, so these slots run once a command is done.
    for (QAbstractButton *button : window.findChildren<QAbstractButton *>()) {
        connect(button, &QAbstractButton::pressed, this, [this] {
            closeTyping();
            adoptSettled();
        });
        connect(button, &QAbstractButton::clicked, this, &UndoHistory::record);
    }
    for (QLineEdit *field : window.findChildren<QLineEdit *>())
        connect(field, &QLineEdit::textEdited, this, [this, field] { typed(field); });
}

bool UndoHistory::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Show:
        // A secondary window is made on first use, its handlers connected before it shows.
        if (auto *window = qobject_cast<QWidget *>(watched);
            window && window->isWindow() && m_ours(window))
            watch(*window);
        break;
    case QEvent::FocusIn:
        if (auto *field = qobject_cast<QLineEdit *>(watched); field && m_ours(field->window()))
            adoptSettled();
        break;
    case QEvent::FocusOut:
        if (watched == m_typing)
            closeTyping();
        break;
    case QEvent::ShortcutOverride:
        // An entry field would take these keys for its own undo of the text.
        if (auto *field = qobject_cast<QLineEdit *>(watched);
            field && m_ours(field->window()) &&
            isUndoOrRedo(*static_cast<QKeyEvent *>(event), *m_undoAction, *m_redoAction))
            return true;
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void UndoHistory::typed(QLineEdit *field)
{
    if (m_typing != field)
        closeTyping();
    m_typing = field;
}

void UndoHistory::closeTyping()
{
    if (!m_typing)
        return;
    m_typing = nullptr;
    record();
}

void UndoHistory::record()
{
    if (m_applying)
        return;
    auto now = std::make_shared<const DesignSnapshot>(m_take());
    if (*now == *m_current)
        return;
    m_stack->push(new Step(*this, m_current, now));
    m_current = std::move(now);
}

void UndoHistory::adoptSettled()
{
    if (m_applying || m_typing)
        return;
    auto now = std::make_shared<const DesignSnapshot>(m_take());
    if (*now == *m_current)
        return;
    // The last step is where the design got what settles after it.
    if (m_stack->index() == m_stack->count() && m_stack->count() > 0) {
        auto *last = static_cast<const Step *>(m_stack->command(m_stack->count() - 1));
        if (last->after() == m_current)
            const_cast<Step *>(last)->settle(now);
    }
    m_current = std::move(now);
}

void UndoHistory::undo()
{
    closeTyping();
    adoptSettled();
    m_stack->undo();
}

void UndoHistory::redo()
{
    closeTyping();
    adoptSettled();
    m_stack->redo();
}

int UndoHistory::count() const
{
    return m_stack->count();
}

int UndoHistory::index() const
{
    return m_stack->index();
}

void UndoHistory::apply(const SharedSnapshot &snapshot)
{
    const QScopedValueRollback applying(m_applying, true);
    m_apply(*snapshot);
    m_current = snapshot;
}

} // namespace vm::design
