// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/work_area.h"

#include <QGuiApplication>
#include <QScreen>

namespace vm {

int workAreaWidthTwips(const QScreen *screen)
{
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return 0;
    return screen->availableGeometry().width() * TwipsPerPixel;
}

} // namespace vm
