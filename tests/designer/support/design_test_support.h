#pragma once

#include "designer/document/design_window.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QString>

#include <memory>

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
inline vm::Element &element(const design::DesignWindow &window, const char *name)
{
    return window.canvas().element(QString::fromLatin1(name));
}

inline void click(const QWidget &window, const char *name)
{
    control<QPushButton>(window, name).click();
}

QString currentYear();

// Files: a test data file by name, whole-file reads and writes, and a design file (CR LF
// endings) with its line n (1-based) replaced.
QString dataFile(const char *name);
QByteArray readAll(const QString &path);
bool writeAll(const QString &path, const QByteArray &bytes);
QByteArray withLine(const QByteArray &file, int n, const QByteArray &value);

// A file dialog that answers as the test says: the name to choose, or cancel. It records the
// name the program proposed when it showed the dialog.
struct ScriptedFileAnswer
{
    bool cancel = false;
    QString chosen;
    QString proposed;
    QString filter;
    int shown = 0;
};

// Puts a scripted presenter into the window's common dialog; the answer object stays owned by
// the test and must outlive the window's use of it.
void scriptFileDialog(design::DesignWindow &window, ScriptedFileAnswer &answer);

// Opens or saves `path` through the Open or Save button and a scripted dialog.
void openFile(design::DesignWindow &window, const QString &path);
void saveFile(design::DesignWindow &window, const QString &path);

} // namespace vm::test
