// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/page_export.h"

#include "toolkit/common_dialog.h"

#include <QApplication>
#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QInputDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPdfWriter>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSaveFile>
#include <QThreadPool>
#include <QtMath>

namespace vm {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("vm::PageExport", text);
}

// A print file's resolution (QPrinter::HighResolution writes PDF files at this).
constexpr int PdfResolution = 1200;
constexpr int PngResolutions[] = {150, 300, 600};
constexpr int ProposedPngResolution = 300;

// The lightest compression: a 300 dpi cover with a photo is written in a fifth of the time the
// default level takes, in a file a quarter larger.
constexpr int PngQuality = 80;

PrintResult failure(const QString &reason)
{
    return PrintResult{reason};
}

// Puts the written file in place of the old one. The last of the data leaves the write buffer
// only on the way: a write that fails there must keep the old file too.
PrintResult commit(QSaveFile &file)
{
    if (!file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return failure(reason);
    }
    if (!file.commit())
        return failure(file.errorString());
    return {};
}

// The resolution the user picks for a PNG file; 0 when cancelled.
int askPngResolution(QWidget *parent)
{
    QStringList items;
    int proposed = 0;
    for (const int dpi : PngResolutions) {
        if (dpi == ProposedPngResolution)
            proposed = int(items.size());
        items << tr("%1 dpi").arg(dpi);
    }
    bool ok = false;
    const QString chosen = QInputDialog::getItem(parent, tr("Export as PNG"), tr("Resolution:"),
                                                 items, proposed, false, &ok);
    return ok ? PngResolutions[items.indexOf(chosen)] : 0;
}

void showExportError(QWidget *parent, const QString &path, const QString &reason)
{
    // Not modal, like the programs' other messages; nothing was changed.
    auto *message = new QMessageBox(
        QMessageBox::Warning, tr("Export"),
        tr("The page could not be saved as %1.\n\n%2").arg(QDir::toNativeSeparators(path), reason),
        QMessageBox::Ok, parent);
    message->setObjectName(QStringLiteral("ExportError"));
    message->setWindowModality(Qt::NonModal);
    message->setAttribute(Qt::WA_DeleteOnClose);
    message->show();
}

// `image` as a PNG file, whole or not at all; on any thread.
PrintResult writePngFile(const QString &path, const QImage &image)
{
    // Encoded in memory first: the PNG encoder loses memory when the disk fails under it, and
    // a file of a megabyte or two is cheap to hold.
    QBuffer encoded;
    encoded.open(QIODevice::WriteOnly);
    QImageWriter writer(&encoded, "png");
    writer.setQuality(PngQuality);
    if (!writer.write(image))
        return failure(writer.errorString());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failure(file.errorString());
    if (file.write(encoded.data()) != encoded.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return failure(reason);
    }
    return commit(file);
}

// One thread writes the files, in the order they were asked for; the application waits for it
// when it ends.
QThreadPool &pngWriters()
{
    static QThreadPool *const pool = [] {
        auto *writers = new QThreadPool(QCoreApplication::instance());
        writers->setMaxThreadCount(1);
        return writers;
    }();
    return *pool;
}

} // namespace

QString proposedExportName(const QString &documentFile, const QString &suffix,
                           const QString &folder)
{
    if (documentFile.isEmpty())
        return QDir(folder).absoluteFilePath(QStringLiteral("Untitled") + suffix);
    const QFileInfo document(documentFile);
    return document.dir().absoluteFilePath(document.completeBaseName() + suffix);
}

PrintResult writePdfPage(const QString &path, const QPageLayout &paper, const QRectF &pageArea,
                         const PagePaint &paint)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failure(file.errorString());
    QPdfWriter pdf(&file);
    pdf.setResolution(PdfResolution);
    pdf.setCreator(QCoreApplication::applicationName());
    // A PDF page has no border its device cannot reach: the page starts at the paper's corner.
    QPageLayout layout = paper;
    layout.setMinimumMargins(QMarginsF());
    layout.setMargins(QMarginsF());
    pdf.setPageLayout(layout);
    QPainter painter;
    if (!painter.begin(&pdf))
        return failure(tr("The PDF file could not be started."));
    drawPage(painter, pdf.resolution(), pageArea, paint);
    // The PDF engine does not check its writes; the file does, and keeps the old one then.
    if (!painter.end())
        return failure(tr("The PDF file could not be finished."));
    return commit(file);
}

QImage pageImage(const QRectF &area, qreal dpi, const PagePaint &paint)
{
    const qreal scale = dpi / 96.0;
    QImage image(qRound(area.width() * scale), qRound(area.height() * scale), QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.fill(Qt::white);
    const int dotsPerMetre = qRound(dpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    QPainter painter(&image);
    painter.translate(-area.topLeft() * scale);
    drawPage(painter, dpi, area, paint);
    return image;
}

PrintResult writePngPage(const QString &path, const QRectF &area, qreal dpi, const PagePaint &paint)
{
    const QImage image = pageImage(area, dpi, paint);
    if (image.isNull())
        return failure(tr("There is not enough memory for an image of %1 dpi.").arg(dpi));
    return writePngFile(path, image);
}

PrintResult writePngPageLater(const QString &path, const QRectF &area, qreal dpi,
                              const PagePaint &paint, QWidget *parent)
{
    const QImage image = pageImage(area, dpi, paint);
    if (image.isNull())
        return failure(tr("There is not enough memory for an image of %1 dpi.").arg(dpi));
    pngWriters().start([path, image, parent = QPointer<QWidget>(parent)] {
        const PrintResult result = writePngFile(path, image);
        if (!result.ok())
            QMetaObject::invokeMethod(qApp, [path, parent, result] {
                if (parent)
                    showExportError(parent, path, result.error);
            });
    });
    return {};
}

void finishPngWrites()
{
    pngWriters().waitForDone();
}

void runExport(ExportFormat format, CommonDialog &dialog, QWidget *parent,
               const QString &proposedFile, const PageWriter &write)
{
    const bool png = format == ExportFormat::Png;
    const int dpi = png ? askPngResolution(parent) : PdfResolution;
    if (dpi == 0)
        return;
    const QString suffix = png ? QStringLiteral(".png") : QStringLiteral(".pdf");
    dialog.fileName = proposedFile;
    dialog.filter = png ? tr("PNG images|*.png") : tr("PDF files|*.pdf");
    if (!dialog.showSave(parent) || dialog.fileName.isEmpty())
        return;
    QString path = dialog.fileName;
    if (!path.endsWith(suffix, Qt::CaseInsensitive))
        path += suffix;
    if (const PrintResult result = write(path, dpi); !result.ok())
        showExportError(parent, path, result.error);
}

void showPrintPreview(const QPrinter &settings, QWidget *parent,
                      const std::function<void(QPrinter &)> &paint)
{
    QPrinter printer(QPrinter::HighResolution);
    copyPrinterSettings(settings, printer);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setObjectName(QStringLiteral("PrintPreview"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested,
                     [&paint](QPrinter *target) { paint(*target); });
    preview.exec();
}

} // namespace vm
