// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/colours.h"

#include <QString>

#include <memory>

class QPrinter;
class QWidget;

namespace vm {

class CommonDialog;

// Shows the dialogs of a CommonDialog. The product uses Qt's own dialogs; tests put a
// scripted presenter in its place. Each call returns false when the user cancelled, and then
// must leave the dialog's fields as they were.
class DialogPresenter
{
public:
    virtual ~DialogPresenter() = default;
    virtual bool open(CommonDialog &dialog, QWidget *parent) = 0;
    virtual bool save(CommonDialog &dialog, QWidget *parent) = 0;
    virtual bool font(CommonDialog &dialog, QWidget *parent) = 0;
    virtual bool colour(CommonDialog &dialog, QWidget *parent) = 0;
    virtual bool printer(CommonDialog &dialog, QPrinter &printer, QWidget *parent) = 0;
};

// One dialog object per window serves all its file, font, colour and printer dialogs. Each
// use writes only the fields it needs; every other field keeps its last value.
class CommonDialog
{
public:
    CommonDialog();
    ~CommonDialog();

    // Files. The filter is written as pairs "Description|*.a;*.b|Other|*.c".
    QString fileName;
    QString filter;
    QString dialogTitle;

    // Fonts.
    QString fontName = QStringLiteral("MS Sans Serif");
    float fontSize = 8.25f;
    bool fontBold = false;
    bool fontItalic = false;
    bool fontUnderline = false;
    bool fontStrikethru = false;

    // Colours; also the text colour of the font dialog.
    ColorRef color = Black;

    // Option word; its meaning belongs to each use (see the flags below).
    int flags = 0;

    bool showOpen(QWidget *parent);
    bool showSave(QWidget *parent);
    bool showFont(QWidget *parent);
    bool showColor(QWidget *parent);
    bool showPrinter(QPrinter &printer, QWidget *parent);

    void setPresenter(std::unique_ptr<DialogPresenter> presenter);
    DialogPresenter &presenter() { return *m_presenter; }

    // Option word bits honoured by the font dialog.
    static constexpr int FontEffects = 0x100; // offer underline, strike-through and colour
    static constexpr int FontScreenAndPrinter = 0x3;

private:
    std::unique_ptr<DialogPresenter> m_presenter;
};

// Copies every setting of one printer to another, so that nothing the user chose is left
// behind: a dialog or a preview works on a copy, and only what is confirmed comes back.
void copyPrinterSettings(const QPrinter &from, QPrinter &to);

// "Description|*.a;*.b" pairs as Qt's dialogs write filters: "Description (*.a *.b)".
QString qtFileFilter(const QString &pipeFilter);

} // namespace vm
