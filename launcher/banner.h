// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>

namespace vm::launcher {

// The launcher's banner, 342 x 65 pixels: a disc on the left, a jewel case with its insert on
// the right, and a calm band between them where the product title stands.
QPixmap drawBanner(qreal devicePixelRatio = 1.0);

} // namespace vm::launcher
