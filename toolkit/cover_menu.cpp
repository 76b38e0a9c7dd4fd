// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/cover_menu.h"

#include <QCoreApplication>
#include <QMenu>

namespace vm {

void popUpCoverMenu(QWidget *parent, const QPoint &globalPosition,
                    const CoverMenuCommands &commands)
{
    auto *menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("CoverMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const auto add = [menu](const char *text, const MenuCommand &command) {
        if (!command.run)
            return;
        QAction *action = menu->addAction(QCoreApplication::translate("vm::CoverMenu", text));
        action->setEnabled(command.enabled);
        QObject::connect(action, &QAction::triggered, menu, command.run);
    };
    add("Undo", commands.undo);
    add("Redo", commands.redo);
    add("Save As\u2026", commands.saveAs);
    if (!menu->isEmpty())
        menu->addSeparator();
    add("Print Preview\u2026", commands.printPreview);
    add("Export as PDF\u2026", commands.exportPdf);
    add("Export as PNG\u2026", commands.exportPng);
    menu->popup(globalPosition);
}

} // namespace vm
