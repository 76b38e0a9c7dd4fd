// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>

class QPaintDevice;

namespace vm {

// The suite's windows name the faces of the desktop they were drawn on. Those faces are not
// installed here, so each is mapped once, for every program, to a close face that is.
void installFontSubstitutes();

// A font described as the product stores it: face, size in points, style flags.
struct FontSpec
{
    QString name = QStringLiteral("MS Sans Serif");
    float size = 8.25f;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethru = false;

    bool operator==(const FontSpec &) const = default;
};

// Text is drawn no larger than this, whatever size a design holds.
inline constexpr float LargestFontPoints = 2160.0f;

// A QFont for the style whose text, painted on `device` through a painter scaled by
// device-dpi / 96, has the same size as on a 96-dpi screen. With no device it is the
// 96-dpi font that widgets and measurements use.
QFont toQFont(const FontSpec &style, const QPaintDevice *device = nullptr);

// The 96-dpi device that text is measured on, so sizes never depend on the screen.
const QPaintDevice &measuringDevice();

} // namespace vm
