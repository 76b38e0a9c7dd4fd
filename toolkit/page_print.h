// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRectF>
#include <QString>

#include <functional>

class QPainter;
class QPrinter;

namespace vm {

struct PrintResult
{
    QString error; // empty when the page was sent
    bool ok() const { return error.isEmpty(); }
};

// Draws a page in design pixels (1/96 inch) onto a painter.
using PagePaint = std::function<void(QPainter &)>;

// Prints one page: `paint` draws in design pixels (1/96 inch), which land at true size at the
// top-left of the printable area, rendered at the printer's own resolution (text and lines
// stay vector, pictures keep their detail). The printer's margins become the least its device
// needs for the paper, so the page adds none. Only `pageArea` (design pixels) reaches the
// paper, as a window's edges cut off on screen whatever lies beyond its client area.
PrintResult printPage(QPrinter &printer, const QRectF &pageArea, const PagePaint &paint);

// The page as printPage draws it, on a painter already begun on a device of `dpi`: scaled to
// true size and cut to `pageArea`. Exports draw through it to look exactly like the print.
void drawPage(QPainter &painter, qreal dpi, const QRectF &pageArea, const PagePaint &paint);

// True when the system has at least one printer to print on.
bool hasPrinters();

} // namespace vm
