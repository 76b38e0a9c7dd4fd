// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/dialogs.h"

#include "toolkit/page_export.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QMenu>
#include <QTest>
#include <QTimer>

namespace vm::test {

bool ScriptedDialogs::file(CommonDialog &dialog)
{
    ++files;
    proposedFile = dialog.fileName;
    filter = dialog.filter;
    if (chosenFile.isEmpty())
        return false;
    dialog.fileName = chosenFile;
    return true;
}

bool ScriptedDialogs::style(CommonDialog &dialog)
{
    seenColour = dialog.color;
    seenFlags = dialog.flags;
    if (!chooseStyle)
        return false;
    chooseStyle(dialog);
    return true;
}

bool ScriptedDialogs::font(CommonDialog &dialog, QWidget *)
{
    ++fonts;
    seenFont = FontSpec{dialog.fontName,   dialog.fontSize,      dialog.fontBold,
                        dialog.fontItalic, dialog.fontUnderline, dialog.fontStrikethru};
    return style(dialog);
}

bool ScriptedDialogs::colour(CommonDialog &dialog, QWidget *)
{
    ++colours;
    return style(dialog);
}

bool ScriptedDialogs::printer(CommonDialog &, QPrinter &printer, QWidget *)
{
    ++printers;
    if (!choosePrinter)
        return false;
    choosePrinter(printer);
    return true;
}

ScriptedDialogs &scriptDialogs(CommonDialog &dialog)
{
    auto scripted = std::make_unique<ScriptedDialogs>();
    ScriptedDialogs &answers = *scripted;
    dialog.setPresenter(std::move(scripted));
    return answers;
}

void answerModalDialogs(QList<DialogStep> steps, QStringList *shown)
{
    if (steps.isEmpty())
        return;
    QTimer::singleShot(10, [steps, shown]() mutable {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog) {
            answerModalDialogs(steps, shown); // not up yet
            return;
        }
        if (shown)
            *shown << QString::fromLatin1(dialog->metaObject()->className());
        const bool accept = steps.takeFirst()(dialog);
        answerModalDialogs(steps, shown);
        accept ? dialog->accept() : dialog->reject();
    });
}

void pressKey(QWidget &window, const QKeySequence &key)
{
    window.show();
    window.activateWindow();
    if (QTest::qWaitForWindowActive(&window) && !key.isEmpty())
        QTest::keyClick(&window, key[0].key(), key[0].keyboardModifiers());
}

QMenu *rightClickMenu(QWidget &widget, const QPoint &at)
{
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, widget.mapToGlobal(at));
    QApplication::sendEvent(&widget, &event);
    return qobject_cast<QMenu *>(QApplication::activePopupWidget());
}

void chooseEntry(QMenu &menu, const QString &entry)
{
    menu.close();
    for (QAction *action : menu.actions())
        action->text() == entry ? action->trigger() : void();
    // An exported picture is written in the background; its file and messages are awaited.
    finishPngWrites();
    QCoreApplication::processEvents();
}

} // namespace vm::test
