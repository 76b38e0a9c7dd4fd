// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/design_fixture.h"

namespace vm::test {

QByteArray withLine(const QByteArray &file, int n, const QByteArray &value)
{
    QList<QByteArray> lines = file.split('\n');
    lines[n - 1] = value + '\r';
    return lines.join('\n');
}

namespace {

void throughDialog(design::DesignWindow &window, const QString &path, const char *button)
{
    ScriptedDialogs &dialogs = scriptDialogs(window.commonDialog());
    dialogs.chosenFile = path;
    if (button)
        click(window, button);
    else
        pressKey(window, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    if (dialogs.files != 1)
        qWarning("the file dialog was not shown");
}

} // namespace

void openFile(design::DesignWindow &window, const QString &path)
{
    throughDialog(window, path, "Command1");
}

void saveFile(design::DesignWindow &window, const QString &path)
{
    throughDialog(window, path, nullptr);
}

} // namespace vm::test
