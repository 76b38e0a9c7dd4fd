// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "designer/document/design_file.h"
#include "toolkit/canvas.h"

#include <array>
#include <vector>

namespace vm::design {

// What one canvas element draws, read through its getters. The picture is the element's own
// QImage: copies share its pixels, so a snapshot costs no picture memory of its own.
struct ElementState
{
    Element *element = nullptr;
    bool visible = true;
    float left = 0, top = 0, width = 0, height = 0;
    QString caption;
    FontSpec font;
    ColorRef foreColor = 0;
    bool border = false;
    Qt::Alignment alignment;
    bool autoSize = true;
    QImage picture;
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    int borderWidth = 0;
    ColorRef borderColor = 0;
    Qt::PenStyle borderStyle = Qt::SolidLine;
    ColorRef backColor = 0;
    bool filled = false;

    static ElementState of(Element &element);
    // Writes only what differs, so an unchanged picture keeps its scaled copy for the screen.
    void restore() const;
    bool operator==(const ElementState &other) const;
};

// The design as a value: what Save writes, the entries as typed, the placement flags, and
// what the canvas draws, in its stacking order. The file values are the design; the rest is
// what they leave to chance (a line placed by hand, a group lifted by the box, a half-typed
// size), so that going back shows exactly what was there.
struct DesignSnapshot
{
    FileValues values;
    std::array<QString, 12> entries; // Text1 ... Text12 of the panel
    bool topLineManual = false, bottomLineManual = false;
    float coverWidth = 0;
    std::vector<ElementState> elements; // back to front

    bool operator==(const DesignSnapshot &other) const;
};

} // namespace vm::design
