// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/colours.h"

#include <QGuiApplication>

namespace vm {

namespace {

// The desktop colour indexes the suite can meet, mapped onto palette roles.
QColor systemColour(unsigned index, const QPalette &palette)
{
    switch (index) {
    case 1:  // desktop
    case 15: // button face
        return palette.color(QPalette::Button);
    case 5: // window background
        return palette.color(QPalette::Base);
    case 12: // application workspace
    case 4:  // menu
        return palette.color(QPalette::Window);
    case 13: // highlight
        return palette.color(QPalette::Highlight);
    case 14: // highlighted text
        return palette.color(QPalette::HighlightedText);
    case 16: // button shadow
        return palette.color(QPalette::Dark);
    case 17: // disabled text
        return palette.color(QPalette::Disabled, QPalette::Text);
    case 18: // button text
        return palette.color(QPalette::ButtonText);
    case 20: // button highlight
        return palette.color(QPalette::Light);
    case 23: // tooltip text
        return palette.color(QPalette::ToolTipText);
    case 24: // tooltip background
        return palette.color(QPalette::ToolTipBase);
    case 7: // menu text
    case 8: // window text
    case 9: // caption text
    default:
        return palette.color(QPalette::WindowText);
    }
}

} // namespace

QColor toQColor(ColorRef value, const QPalette &palette)
{
    if (isSystemColour(value))
        return systemColour(value & 0xFFu, palette);
    return QColor(int(value & 0xFF), int(value >> 8 & 0xFF), int(value >> 16 & 0xFF));
}

QColor toQColor(ColorRef value)
{
    return toQColor(value, QGuiApplication::palette());
}

ColorRef fromQColor(const QColor &colour)
{
    const QColor c = colour.toRgb();
    return rgb(c.red(), c.green(), c.blue());
}

} // namespace vm
