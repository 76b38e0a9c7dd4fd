// SPDX-License-Identifier: GPL-3.0-or-later
// Print, Print Set-Up and the help card.
#include "indexer/index_window.h"

#include "indexer/cut_line.h"
#include "indexer/drive_list.h"
#include "indexer/help_card.h"
#include "indexer/index_texts.h"
#include "indexer/listing_view.h"

#include "toolkit/page_print.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPicture>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>

namespace vm::indexer {

using namespace texts;

void IndexWindow::paintCard(QPainter &painter)
{
    // Rendered straight onto a printer, widgets arrive as one picture at the printer's
    // resolution. Recorded first and then replayed, their names and frames stay text and
    // lines on paper.
    QPicture card;
    render(&card, QPoint(), QRegion(rect()), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    // A replayed picture grows by its target's resolution on its own; the painter is already
    // scaled to it.
    const QPaintDevice *target = painter.device();
    painter.save();
    if (target && target->logicalDpiX() > 0 && target->logicalDpiY() > 0)
        painter.scale(qreal(card.logicalDpiX()) / target->logicalDpiX(),
                      qreal(card.logicalDpiY()) / target->logicalDpiY());
    painter.drawPicture(0, 0, card);
    painter.restore();
}

void IndexWindow::onCommand1Clicked()
{
    QPrinter *target = &printer();
    std::unique_ptr<QPrinter> pdf;
    // A printer set up to print to a file needs no printer; with neither, offer a PDF file.
    if (target->outputFileName().isEmpty() && !hasPrinters()) {
        pdf = pdfPrinterFromUser();
        if (!pdf)
            return;
        target = pdf.get();
    }

    const PrintResult result = printCard(*target);
    // A print that fails ends quietly, but a file the user named and did not get is said.
    if (pdf && !result.ok() && m_pdfOffer.failed)
        m_pdfOffer.failed(this, pdf->outputFileName());
}

PrintResult IndexWindow::printCard(QPrinter &target)
{
    return sendCardPage([&target](const QRectF &page, const PagePaint &paint) {
        return printPage(target, page, paint);
    });
}

PrintResult IndexWindow::sendCardPage(const CardPageSender &send)
{
    // Printing leaves the title alone, and the focus where it was.
    const QString title = windowTitle();
    const QPointer<QWidget> focused = focusWidget();
    // A control about to be hidden would hand its focus on down the chain, and the list
    // that caught it would print with a focus frame.
    if (focused && focused != this && !qobject_cast<ListingView *>(focused))
        focused->clearFocus();
    // The restoration runs on every way out of the print job.
    const auto restore = qScopeGuard([&] {
        restoreAfterPrint();
        if (windowTitle() != title)
            setWindowTitle(title);
        if (focused && !focused->hasFocus())
            focused->setFocus(Qt::OtherFocusReason);
    });
    hideForPrint();
    return send(QRectF(rect()), [this](QPainter &painter) { paintCard(painter); });
}

std::unique_ptr<QPrinter> IndexWindow::pdfPrinterFromUser()
{
    if (!m_pdfOffer.ask || !m_pdfOffer.ask(this))
        return {};
    CommonDialog1.dialogTitle = SavePdfTitle;
    CommonDialog1.filter = PdfFilter;
    if (CommonDialog1.fileName.isEmpty())
        CommonDialog1.fileName = QDir::home().filePath(PdfDefaultName);
    if (!CommonDialog1.showSave(this))
        return {};
    QString fileName = CommonDialog1.fileName;
    if (QFileInfo(fileName).suffix().isEmpty())
        fileName += QStringLiteral(".pdf");
    auto pdf = std::make_unique<QPrinter>(QPrinter::HighResolution);
    pdf->setOutputFormat(QPrinter::PdfFormat);
    pdf->setOutputFileName(fileName);
    // Paper and orientation as set up, so a two-side card can be saved on landscape paper.
    pdf->setPageLayout(printer().pageLayout());
    return pdf;
}

void IndexWindow::hideForPrint()
{
    for (QWidget *control : {static_cast<QWidget *>(Command1), static_cast<QWidget *>(Command2),
                             static_cast<QWidget *>(Command3), static_cast<QWidget *>(Command4),
                             static_cast<QWidget *>(Drive1)})
        control->hide();
    for (QRadioButton *option : Option)
        option->hide();
    // On paper the marks lie over the lists: the upper tick at x = 438 falls inside the
    // second side's first column.
    for (CutLine *line : {Line1, Line2, Line3}) {
        line->raise();
        line->show();
    }
}

void IndexWindow::restoreAfterPrint()
{
    for (CutLine *line : {Line1, Line2, Line3})
        line->hide();
    // Back under the lists, in their own order.
    for (CutLine *line : {Line3, Line2, Line1})
        line->lower();
    Command1->show();
    Drive1->show();
    for (int n = 1; n <= 18; ++n)
        Option[n - 1]->show();
    Command2->show();
    Command3->show();
    Command4->show();
    Option[18]->show();
    Option[19]->show();
}

void IndexWindow::onCommand2Clicked()
{
    // Cancelling leaves the settings as they were.
    CommonDialog1.showPrinter(printer(), this);
}

void IndexWindow::onCommand3Clicked()
{
    if (!Form3) {
        Form3 = new HelpCard;
        Form3->setAttribute(Qt::WA_DeleteOnClose);
    }
    Form3->show();
    Form3->raise();
    Form3->activateWindow();
}

} // namespace vm::indexer
