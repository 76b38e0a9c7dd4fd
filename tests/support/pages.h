// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QRect>
#include <QString>

namespace vm::test {

// Looking at a printed PDF with the poppler tools. Each returns nothing (empty, null, -1) when
// the tool is missing or fails; tests check `havePdfTools()` first and skip with its reason.
// No print server, unless one was named: the tests decide where pages go, and the case without
// a printer is reachable. Call before the first printer is made.
void withoutPrintServer();

QString missingPdfTool(); // the first of pdfinfo, pdftoppm, pdftotext, pdfimages not installed
int pdfPageCount(const QString &pdf);
// The first page as the printer would put it on paper, at `dpi` (96: one design pixel a pixel).
QImage renderPdfPage(const QString &pdf, int dpi = 96);
QString pdfText(const QString &pdf);

struct PdfImage
{
    int width = 0, height = 0;
    int xPpi = 0, yPpi = 0; // its detail on the page, in pixels per inch
};
QList<PdfImage> pdfImages(const QString &pdf);

// Looking at pages and canvas images. Two colours differ clearly when their channels differ
// by more than a little in all (text edges come from different rasterisers).
bool clearlyDifferent(QRgb a, QRgb b);
// The box around every pixel of `area` that differs clearly from `background`; empty if none.
QRect inkBox(const QImage &image, const QRect &area, const QColor &background = Qt::white);

} // namespace vm::test
