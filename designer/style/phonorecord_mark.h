// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

namespace vm::design {

// The phonorecord mark: a grey circled P, 100 by 100 pixels, drawn once. The cover shows it
// stretched into a 6-pixel box, and the printer gets the whole bitmap, so it stays crisp on
// paper. Outside the circle it is transparent and sits on any background colour.
const QImage &phonorecordMark();

} // namespace vm::design
