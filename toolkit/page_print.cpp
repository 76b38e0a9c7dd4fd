// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/page_print.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace vm {

PrintResult printPage(QPrinter &printer, const QRectF &pageArea, const PagePaint &paint)
{
    PrintResult result;
    if (!printer.isValid()) {
        result.error =
            QCoreApplication::translate("vm::PagePrint", "There is no printer to print on.");
        return result;
    }
    // Qt gives every printer margins of its own (10 pt). The page goes where the device can
    // reach: setting the paper again has the device report its minimum margins for it (none
    // for a PDF file), and those become the margins.
    printer.setPageSize(printer.pageLayout().pageSize());
    printer.setPageMargins(printer.pageLayout().minimumMargins(), printer.pageLayout().units());
    QPainter painter;
    if (!painter.begin(&printer)) {
        result.error =
            QCoreApplication::translate("vm::PagePrint", "The printer could not start the job.");
        return result;
    }
    drawPage(painter, printer.resolution(), pageArea, paint);
    if (!painter.end() || printer.printerState() == QPrinter::Error) {
        result.error = QCoreApplication::translate("vm::PagePrint", "The print job failed.");
    }
    return result;
}

void drawPage(QPainter &painter, qreal dpi, const QRectF &pageArea, const PagePaint &paint)
{
    // The painter's origin is the printable area's top-left corner; one design pixel is
    // 1/96 inch, whatever the device's resolution.
    const qreal scale = dpi / 96.0;
    painter.scale(scale, scale);
    painter.setClipRect(pageArea);
    paint(painter);
}

bool hasPrinters()
{
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

} // namespace vm
