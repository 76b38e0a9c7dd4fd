// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/common_dialog.h"
#include "toolkit/fonts.h"

#include <QKeySequence>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QDialog;
class QMenu;
class QWidget;
class QPoint;

namespace vm::test {

// A dialog presenter that answers from a script instead of showing dialogs, and records what
// the program showed each dialog with.
class ScriptedDialogs final : public DialogPresenter
{
public:
    // Open and save dialogs: the name the user picks; empty cancels, as with the real dialog.
    QString chosenFile;
    // Font and colour dialogs: what the user does with the dialog's fields; none cancels.
    std::function<void(CommonDialog &)> chooseStyle;
    // The printer dialog: what the user does with the settings; none cancels.
    std::function<void(QPrinter &)> choosePrinter;

    int files = 0, fonts = 0, colours = 0, printers = 0; // dialogs shown
    QString proposedFile, filter;                        // the last file dialog's name and filter
    FontSpec seenFont;       // the last font dialog's face, size and style flags
    ColorRef seenColour = 0; // the last font or colour dialog's colour
    int seenFlags = -1;      // and its option word

    bool open(CommonDialog &dialog, QWidget *) override { return file(dialog); }
    bool save(CommonDialog &dialog, QWidget *) override { return file(dialog); }
    bool font(CommonDialog &dialog, QWidget *) override;
    bool colour(CommonDialog &dialog, QWidget *) override;
    bool printer(CommonDialog &dialog, QPrinter &printer, QWidget *) override;

private:
    bool file(CommonDialog &dialog);
    bool style(CommonDialog &dialog);
};

// Puts a new scripted presenter into `dialog`; it lives as long as the dialog does.
ScriptedDialogs &scriptDialogs(CommonDialog &dialog);

// Answers the real modal dialogs the next call shows, one step each as they come up: a step
// may edit its dialog, and returns whether to accept it. The class name of each dialog answered
// is added to `shown` when given (it must outlive the dialogs).
using DialogStep = std::function<bool(QDialog *)>;
void answerModalDialogs(QList<DialogStep> steps, QStringList *shown = nullptr);

// Presses `key` on `window` as a user does: the window shown and active, the key sent to it
// (an empty key only makes the window active).
void pressKey(QWidget &window, const QKeySequence &key);

// Right-clicks `widget` at `at` (the context-menu event the right button sends) and returns
// the menu that popped up, if any; `entry` runs one of its entries and closes it.
QMenu *rightClickMenu(QWidget &widget, const QPoint &at);
void chooseEntry(QMenu &menu, const QString &entry);

} // namespace vm::test
