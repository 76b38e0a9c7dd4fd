// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/dialogs.h"
#include "support/files.h"

#include "designer/document/design_window.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QString>

namespace vm::test {

// Controls of a window by object name; the test fails loudly when one is missing.
template <typename Control> Control &control(const QWidget &window, const char *name)
{
    auto *found = window.findChild<Control *>(QLatin1String(name), Qt::FindDirectChildrenOnly);
    if (!found)
        qFatal("no control %s", name);
    return *found;
}

inline QLineEdit &entry(const QWidget &window, const char *name)
{
    return control<QLineEdit>(window, name);
}
inline QCheckBox &checkBox(const QWidget &window, const char *name)
{
    return control<QCheckBox>(window, name);
}
inline QRadioButton &option(const QWidget &window, const char *name)
{
    return control<QRadioButton>(window, name);
}
inline QString labelText(const QWidget &window, const char *name)
{
    return control<QLabel>(window, name).text();
}
inline vm::Element &element(const design::DesignWindow &window, const char *name)
{
    return window.canvas().element(QString::fromLatin1(name));
}
inline void click(const QWidget &window, const char *name)
{
    control<QPushButton>(window, name).click();
}

// A design file (CR LF endings) with its line n (1-based) replaced.
QByteArray withLine(const QByteArray &file, int n, const QByteArray &value);

// Opens `path` through the Open button, or saves the design as `path` through Save As (its
// key, the window shown and active), each with a scripted file dialog (a scripted presenter
// replaces the window's dialogs).
void openFile(design::DesignWindow &window, const QString &path);
void saveFile(design::DesignWindow &window, const QString &path);

} // namespace vm::test
