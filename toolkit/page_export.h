// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/page_print.h"

#include <QImage>
#include <QPageLayout>
#include <QString>

#include <functional>

class QPrinter;
class QWidget;

namespace vm {

class CommonDialog;

// The file an export proposes: beside the document with `suffix` in place of its own ("cover.vmd"
// gives "cover.pdf"), or "Untitled" with `suffix` in `folder` while the document has no file.
QString proposedExportName(const QString &documentFile, const QString &suffix,
                           const QString &folder);

// The page as printPage puts it on `paper` when the printer is a PDF file (no unprintable
// border, 1200 dpi: vector text and rules, pictures at most 600 dpi of their box), written
// whole or not at all: an existing file stays as it was when anything fails.
PrintResult writePdfPage(const QString &path, const QPageLayout &paper, const QRectF &pageArea,
                         const PagePaint &paint);

// `area` of the page at `dpi` on white, with the resolution stored in the image, so that it
// prints at true size. Null when the memory for it cannot be had.
QImage pageImage(const QRectF &area, qreal dpi, const PagePaint &paint);
// That image written as a PNG file, whole or not at all.
PrintResult writePngPage(const QString &path, const QRectF &area, qreal dpi,
                         const PagePaint &paint);
// The same with the file written in the background: encoding a PNG takes several times as long
// as drawing the page, and the window need not wait for it. What fails before the drawing is
// done is returned; a failure of the writing is said in a message beside `parent` once known.
// The program does not end while such a file is being written.
PrintResult writePngPageLater(const QString &path, const QRectF &area, qreal dpi,
                              const PagePaint &paint, QWidget *parent);
// Waits until every file writePngPageLater began is written (its messages follow as events).
void finishPngWrites();

// The export commands' flow, the same in every program: the file asked for through the
// window's dialog object (and for a PNG the resolution), then `write`, and a failure said in a
// message that names the file and the reason.
enum class ExportFormat
{
    Pdf,
    Png
};
using PageWriter = std::function<PrintResult(const QString &path, int dpi)>;
void runExport(ExportFormat format, CommonDialog &dialog, QWidget *parent,
               const QString &proposedFile, const PageWriter &write);

// Qt's print preview of the page on a copy of `settings` (its paper, orientation and printer):
// what is changed or printed from the preview leaves the program's own settings alone. `paint`
// draws the page on the printer it is given, as Print would.
void showPrintPreview(const QPrinter &settings, QWidget *parent,
                      const std::function<void(QPrinter &)> &paint);

} // namespace vm
