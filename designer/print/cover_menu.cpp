// The cover's context menu: Print Preview and the exports show and write the very page Print
// sends; the panel stays as it is.

#include "designer/document/design_window.h"

#include "toolkit/cover_menu.h"
#include "toolkit/page_export.h"

#include <QDir>
#include <QPrinter>

namespace vm::design {

// ---- Stand-ins for undo, redo and Save As until the editing commands arrive: the menu shows
// their entries greyed. Replace these four lines with the real commands.
constexpr bool EditingCommandsExist = false;
void DesignWindow::undoStep() {}
void DesignWindow::redoStep() {}
void DesignWindow::saveAs() {}
// ---- End of the stand-ins.

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
    vm::CoverMenuCommands commands;
    commands.undo = command(&DesignWindow::undoStep, EditingCommandsExist);
    commands.redo = command(&DesignWindow::redoStep, EditingCommandsExist);
    commands.saveAs = command(&DesignWindow::saveAs, EditingCommandsExist);
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
                return vm::writePngPage(path, Shape1->rect(), dpi, paint);
            });
        });
}

} // namespace vm::design
