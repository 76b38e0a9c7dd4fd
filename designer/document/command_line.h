// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

namespace vm::design {

class DesignWindow;

// What `vmdesign [DESIGN.vmd]` does with its arguments (the program's name first, Qt's own
// options already taken out): one file is opened as Open opens it, none changes nothing.
// Anything else opens nothing and returns the usage text for the caller to print.
QString openFromCommandLine(DesignWindow &window, const QStringList &arguments);

} // namespace vm::design
