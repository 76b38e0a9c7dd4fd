// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace vm {

// A file-dialog entry ("Description|*.a;*.b", as CommonDialog::filter writes them) for every
// picture format Qt's image readers take here, each suffix in lower and upper case: some
// platforms' dialogs match names case-sensitively, and cameras write IMG_0001.JPG.
QString everyPictureFilter();

} // namespace vm
