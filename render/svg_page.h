// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/page_print.h"

#include <QSizeF>
#include <QString>

namespace vm::render {

// A drawing of `size` design pixels (1/96 inch), its texts as text, pictures as they are in
// their boxes, written whole or not at all: an existing file stays as it was when anything
// fails.
PrintResult writeSvgPage(const QString &path, const QSizeF &size, const QString &title,
                         const PagePaint &paint);

} // namespace vm::render
