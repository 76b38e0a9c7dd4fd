// SPDX-License-Identifier: GPL-3.0-or-later
#include "designer/document/design_snapshot.h"

#include <bit>
#include <cstdint>

namespace vm::design {

namespace {

// Bit for bit: a value that is not a number must still equal itself, or every command would
// look like a change.
bool same(float a, float b)
{
    return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

// By identity: comparing a photo's pixels would cost more than the whole step.
bool same(const QImage &a, const QImage &b)
{
    return a.cacheKey() == b.cacheKey() || (a.isNull() && b.isNull());
}

bool same(const FileValue &a, const FileValue &b)
{
    if (a.index() != b.index())
        return false;
    if (const auto *single = std::get_if<float>(&a))
        return same(*single, std::get<float>(b));
    return a == b;
}

bool sameFont(const FontSpec &a, const FontSpec &b)
{
    return a.name == b.name && same(a.size, b.size) && a.bold == b.bold && a.italic == b.italic &&
           a.underline == b.underline && a.strikethru == b.strikethru;
}

} // namespace

ElementState ElementState::of(Element &element)
{
    ElementState s;
    s.element = &element;
    s.visible = element.isVisible();
    s.left = element.left();
    s.top = element.top();
    s.width = element.width();
    s.height = element.height();
    s.caption = element.caption();
    s.font = element.font();
    s.foreColor = element.foreColor();
    s.border = element.hasBorder();
    s.alignment = element.alignment();
    s.autoSize = element.autoSize();
    s.picture = element.picture();
    s.x1 = element.x1();
    s.y1 = element.y1();
    s.x2 = element.x2();
    s.y2 = element.y2();
    s.borderWidth = element.borderWidth();
    s.borderColor = element.borderColor();
    s.borderStyle = element.borderStyle();
    s.backColor = element.backColor();
    s.filled = element.isFilled();
    return s;
}

void ElementState::restore() const
{
    Element &e = *element;
    // Size rules first: an auto-sized text takes its size from its font and caption.
    if (e.autoSize() != autoSize)
        e.setAutoSize(autoSize);
    if (!sameFont(e.font(), font))
        e.setFont(font);
    e.setCaption(caption);
    if (!same(e.left(), left) || !same(e.top(), top) || !same(e.width(), width) ||
        !same(e.height(), height))
        e.setGeometry(left, top, width, height);
    if (!same(e.x1(), x1) || !same(e.y1(), y1) || !same(e.x2(), x2) || !same(e.y2(), y2))
        e.setLine(x1, y1, x2, y2);
    if (e.foreColor() != foreColor)
        e.setForeColor(foreColor);
    if (e.hasBorder() != border)
        e.setBorder(border);
    if (e.alignment() != alignment)
        e.setAlignment(alignment);
    if (!same(e.picture(), picture))
        e.setPicture(picture);
    if (e.borderWidth() != borderWidth)
        e.setBorderWidth(borderWidth);
    if (e.borderColor() != borderColor)
        e.setBorderColor(borderColor);
    if (e.borderStyle() != borderStyle)
        e.setBorderStyle(borderStyle);
    if (e.backColor() != backColor)
        e.setBackColor(backColor);
    if (e.isFilled() != filled)
        e.setFilled(filled);
    e.setVisible(visible);
}

bool ElementState::operator==(const ElementState &o) const
{
    return element == o.element && visible == o.visible && same(left, o.left) && same(top, o.top) &&
           same(width, o.width) && same(height, o.height) && caption == o.caption &&
           sameFont(font, o.font) && foreColor == o.foreColor && border == o.border &&
           alignment == o.alignment && autoSize == o.autoSize && same(picture, o.picture) &&
           same(x1, o.x1) && same(y1, o.y1) && same(x2, o.x2) && same(y2, o.y2) &&
           borderWidth == o.borderWidth && borderColor == o.borderColor &&
           borderStyle == o.borderStyle && backColor == o.backColor && filled == o.filled;
}

bool DesignSnapshot::operator==(const DesignSnapshot &o) const
{
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (!same(values[i], o.values[i]))
            return false;
    }
    return entries == o.entries && topLineManual == o.topLineManual &&
           bottomLineManual == o.bottomLineManual && same(coverWidth, o.coverWidth) &&
           elements == o.elements;
}

} // namespace vm::design
