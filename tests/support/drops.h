// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QStringList>

class QWidget;

namespace vm::test {

// Drags `files` over `target` to `at` and lets go, as a file manager does (its paths as text
// too). True when the drag was welcome there and the drop, if taken, was a copy, never a move.
bool dropFiles(QWidget &target, QPoint at, const QStringList &files);

} // namespace vm::test
