// SPDX-License-Identifier: GPL-3.0-or-later
// The card's context menu: Print Preview and the exports show and write the very card Print
// sends, marks included.
#include "indexer/index_window.h"

#include "indexer/cut_line.h"

#include "toolkit/cover_menu.h"
#include "toolkit/page_export.h"

#include <QDir>
#include <QPrinter>

namespace vm::indexer {

void IndexWindow::setUpCardMenu()
{
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, &IndexWindow::onCardMenuRequested);
}

void IndexWindow::onCardMenuRequested(const QPoint &position)
{
    // The lists keep the right button to themselves: only the card's background has the menu.
    if (childAt(position))
        return;
    CoverMenuCommands commands;
    commands.printPreview.run = [this] { showPrintPreview(); };
    commands.exportPdf.run = [this] { exportPdf(); };
    commands.exportPng.run = [this] { exportPng(); };
    popUpCoverMenu(this, mapToGlobal(position), commands);
}

void IndexWindow::showPrintPreview()
{
    // Print says nothing when it fails; neither does printing from the preview.
    vm::showPrintPreview(printer(), this, [this](QPrinter &target) { printCard(target); });
}

void IndexWindow::exportPdf()
{
    // On the paper and in the orientation set up, as Print's PDF file would be.
    runExport(ExportFormat::Pdf, CommonDialog1, this,
              proposedExportName({}, QStringLiteral(".pdf"), QDir::homePath()),
              [this](const QString &path, int) {
                  return sendCardPage([&](const QRectF &page, const PagePaint &paint) {
                      return writePdfPage(path, printer().pageLayout(), page, paint);
                  });
              });
}

void IndexWindow::exportPng()
{
    // The card out to its cutting marks: the bottom line's right end and the ticks' foot.
    const QRectF card(QPointF(0, 0), QPointF(Line1->from().x() + 1, Line2->to().y() + 1));
    runExport(ExportFormat::Png, CommonDialog1, this,
              proposedExportName({}, QStringLiteral(".png"), QDir::homePath()),
              [&](const QString &path, int dpi) {
                  return sendCardPage([&](const QRectF &, const PagePaint &paint) {
                      return writePngPageLater(path, card, dpi, paint, this);
                  });
              });
}

} // namespace vm::indexer
