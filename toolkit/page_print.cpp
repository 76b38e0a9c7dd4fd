#include "toolkit/page_print.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace vm {

PrintResult printPage(QPrinter &printer, const std::function<void(QPainter &)> &paint)
{
    PrintResult result;
    if (!printer.isValid()) {
        result.error =
            QCoreApplication::translate("vm::PagePrint", "There is no printer to print on.");
        return result;
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        result.error =
            QCoreApplication::translate("vm::PagePrint", "The printer could not start the job.");
        return result;
    }
    // The painter's origin is the printable area's top-left corner; one design pixel is
    // 1/96 inch, whatever the printer's resolution.
    const qreal scale = printer.resolution() / 96.0;
    painter.scale(scale, scale);
    paint(painter);
    if (!painter.end() || printer.printerState() == QPrinter::Error) {
        result.error = QCoreApplication::translate("vm::PagePrint", "The print job failed.");
    }
    return result;
}

bool hasPrinters()
{
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

} // namespace vm
