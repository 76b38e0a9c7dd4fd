// SPDX-License-Identifier: GPL-3.0-or-later
#include "designer/document/command_line.h"

#include "designer/document/design_window.h"

#include <QFileInfo>

namespace vm::design {

QString openFromCommandLine(DesignWindow &window, const QStringList &arguments)
{
    const QStringList files = arguments.mid(1);
    if (files.isEmpty())
        return {};
    // An option is not taken for a file name: "./-x.vmd" still opens a file named so.
    if (files.size() > 1 || files.front().startsWith(u'-'))
        return QStringLiteral("usage: vmdesign [DESIGN.vmd]\n"
                              "Opens the design file if one is named; one file at a time.\n");
    // The full path, as the open dialog gives it: Save proposes it later.
    window.openDesignFile(QFileInfo(files.front()).absoluteFilePath());
    return {};
}

} // namespace vm::design
