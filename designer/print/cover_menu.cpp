// SPDX-License-Identifier: GPL-3.0-or-later
// The cover's context menu: Print Preview and the exports show and write the very page Print
// sends; the panel stays as it is.

#include "designer/document/design_window.h"
#include "designer/document/undo_history.h"

#include "toolkit/cover_menu.h"
#include "toolkit/page_export.h"

#include <QDir>
#include <QPrinter>

namespace vm::design {

void DesignWindow::setUpCoverMenu()
{
    m_canvas->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_canvas, &Canvas::customContextMenuRequested, this,
            &DesignWindow::onCanvasMenuRequested);
}

void DesignWindow::onCanvasMenuRequested(const QPoint &position)
{
    const auto command = [this](void (DesignWindow::*run)(), bool enabled = true) {
        return vm::MenuCommand{[this, run] { (this->*run)(); }, enabled};
    };
    // Opening the menu ends the typing in a field, as any other command does: Undo then takes
    // back that typing first.
    m_undo->closeTyping();
    vm::CoverMenuCommands commands;
    commands.undo = {[this] { m_undo->undo(); }, m_undo->index() > 0};
    commands.redo = {[this] { m_undo->redo(); }, m_undo->index() < m_undo->count()};
    commands.saveAs = command(&DesignWindow::saveAs);
    commands.printPreview = command(&DesignWindow::showPrintPreview);
    commands.exportPdf = command(&DesignWindow::exportPdf);
    commands.exportPng = command(&DesignWindow::exportPng);
    vm::popUpCoverMenu(this, m_canvas->mapToGlobal(position), commands);
}

void DesignWindow::showPrintPreview()
{
    vm::showPrintPreview(printer(), this, [this](QPrinter &target) {
        // Printing from the preview is a Print: a failure is said as Print says it.
        const vm::PrintResult result = printCover(target);
        if (!result.ok())
            showPrintError(target.outputFileName().isEmpty()
                               ? target.printerName()
                               : QDir::toNativeSeparators(target.outputFileName()),
                           result.error);
    });
}

void DesignWindow::exportPdf()
{
    // On the paper of the printer settings, as Print's PDF file would be.
    vm::runExport(
        vm::ExportFormat::Pdf, CommonDialog1, this,
        vm::proposedExportName(m_designFileName, QStringLiteral(".pdf"), QDir::currentPath()),
        [this](const QString &path, int) {
            return sendCoverPage([&](const QRectF &page, const vm::PagePaint &paint) {
                return vm::writePdfPage(path, printer().pageLayout(), page, paint);
            });
        });
}

void DesignWindow::exportPng()
{
    // The cover alone, cut where the user cuts it: at its outer edge, the cutting line inside.
    vm::runExport(
        vm::ExportFormat::Png, CommonDialog1, this,
        vm::proposedExportName(m_designFileName, QStringLiteral(".png"), QDir::currentPath()),
        [this](const QString &path, int dpi) {
            return sendCoverPage([&](const QRectF &, const vm::PagePaint &paint) {
                return vm::writePngPageLater(path, coverCut(), dpi, paint, this);
            });
        });
}

} // namespace vm::design
