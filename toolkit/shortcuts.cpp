// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/shortcuts.h"

#include <QApplication>

namespace vm {

QList<QKeySequence> commandKeys(QKeySequence::StandardKey standard,
                                const QList<QKeySequence> &always)
{
    QList<QKeySequence> keys = always;
    for (const QKeySequence &key : QKeySequence::keyBindings(standard)) {
        if (!keys.contains(key))
            keys << key;
    }
    return keys;
}

QAction *addWindowShortcut(QWidget &window, const QList<QKeySequence> &keys,
                           std::function<void()> command)
{
    auto *action = new QAction(&window);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(action, &QAction::triggered, &window, [command = std::move(command)] {
        // A window manager may leave the keyboard with a window that a modal dialog blocks;
        // the dialog must be answered first, as with the mouse.
        if (QApplication::activeModalWidget())
            return;
        command();
    });
    window.addAction(action);
    return action;
}

} // namespace vm
