// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/fonts.h"

#include <QImage>
#include <QPaintDevice>

#include <algorithm>
#include <cmath>

namespace vm {

void installFontSubstitutes()
{
    // Metric-compatible or close faces from Debian's font packages.
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("MS Serif"), {QStringLiteral("Liberation Serif"),
                                                            QStringLiteral("DejaVu Serif")});
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(
        QStringLiteral("Times New Roman"),
        {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
    QFont::insertSubstitutions(QStringLiteral("Courier New"), {QStringLiteral("Liberation Mono"),
                                                               QStringLiteral("DejaVu Sans Mono")});
    QFont::insertSubstitutions(QStringLiteral("Braggadocio"), {QStringLiteral("DejaVu Serif"),
                                                               QStringLiteral("Liberation Serif")});
}

const QPaintDevice &measuringDevice()
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
        // 96 dpi exactly: 96 / 0.0254 dots per metre.
        image.setDotsPerMeterX(3780);
        image.setDotsPerMeterY(3780);
        return image;
    }();
    return device;
}

QFont toQFont(const FontSpec &style, const QPaintDevice *device)
{
    QFont font(style.name);
    const int dpi = device ? device->logicalDpiY() : 96;
    // A stored size can be anything a file held; text is drawn between 1 and 2160 points
    // (the largest size font dialogs offer), so an absurd size can neither vanish nor
    // overflow the text measurements.
    const double points = std::isfinite(style.size) && style.size > 0
                              ? std::clamp(double(style.size), 1.0, double(LargestFontPoints))
                              : 8.25;
    font.setPointSizeF(points * 96.0 / (dpi > 0 ? dpi : 96));
    font.setBold(style.bold);
    font.setItalic(style.italic);
    font.setUnderline(style.underline);
    font.setStrikeOut(style.strikethru);
    return font;
}

} // namespace vm
