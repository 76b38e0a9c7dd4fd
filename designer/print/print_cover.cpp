// SPDX-License-Identifier: GPL-3.0-or-later
// Printing the cover: the window's own image, with every panel control hidden, one page at
// true size (1 pixel = 1/96 inch) at the top-left of the printable area.

#include "designer/document/design_window.h"

#include "designer/windows/titles_window.h"
#include "toolkit/messages.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

#include <utility>
#include <vector>

namespace vm::design {

namespace {

// The page image is the whole client area; outside the cover it prints white.
const QRectF PageImage(0, 0, 754, 487);

const QString PdfFilter = QStringLiteral("PDF Files|*.pdf");
const QString PdfSuffix = QStringLiteral(".pdf");

bool printsToFile(const QPrinter &printer)
{
    return printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
}

} // namespace

QPrinter &DesignWindow::printer()
{
    // The system's default printer, with its defaults, until "Print Set Up" changes it.
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

void DesignWindow::onCommand11Clicked()
{
    // The dialog works on a copy: only a confirmed choice reaches the printer.
    CommonDialog1.showPrinter(printer(), this);
}

void DesignWindow::onCommand7Clicked()
{
    if (!printsToFile(printer()) && !vm::hasPrinters()) {
        // A print that silently went nowhere would read as success.
        askToSavePageAsPdf();
        return;
    }
    const vm::PrintResult result = printCover(printer());
    if (!result.ok()) {
        QString target = printsToFile(printer())
                             ? QDir::toNativeSeparators(printer().outputFileName())
                             : printer().printerName();
        if (target.isEmpty())
            target = tr("the printer");
        showPrintError(target, result.error);
    }
}

vm::PrintResult DesignWindow::printCover(QPrinter &target)
{
    return sendCoverPage([&target](const QRectF &page, const vm::PagePaint &paint) {
        return vm::printPage(target, page, paint);
    });
}

QRectF DesignWindow::coverCut() const
{
    return Shape1->rect();
}

vm::PrintResult DesignWindow::sendCoverPage(const CoverPageSender &send, bool paperDetail)
{
    // Paper, preview and export get every picture's full detail, even right after the picture
    // was chosen.
    if (paperDetail)
        finishPictures();
    // Kept before anything changes, so that writing them back finds the user's choice.
    const bool front = Option1->isChecked();
    const bool back = Option4->isChecked();
    const QColor screenBackground = m_canvas->background();
    // Hiding the panel takes the focus away; the user goes on where they were.
    const QPointer<QWidget> focused = focusWidget();

    m_canvas->setBackground(Qt::white);
    // It stays hidden afterwards; "Enter Title Names" shows it again.
    ensureTitlesWindow().hide();

    QWidget *const panel[] = {
        Command1, Command2,  Command3,  Command4,  Command5,  Command6,  Command7,  Command8,
        Command9, Command10, Command11, Command12, Command13, Command14, Command15, Command16,
        Check1,   Check2,    Check3,    Check4,    Check5,    Check6,    Check7,    Check8,
        Check9,   Check10,   Check11,   Check12,   Check13,   Check14,   Check15,   Text1,
        Text2,    Text3,     Text4,     Text5,     Text6,     Text7,     Text8,     Text9,
        Text10,   Text11,    Text12,    Option1,   Option4,   Label1,    Label30,   PIXFLN,
        LOGO2FLN, LTHICK,    TLLR,      TLUD,      BLLR,      BLUD,      PIXW,      PIXH};
    static_assert(std::size(panel) == 56);
    // Each control comes back as it was: the copyright fields and boxes are hidden while
    // "Post Copyright" is clear, and printing must not show them.
    std::vector<std::pair<QWidget *, bool>> wasShown;
    wasShown.reserve(std::size(panel));
    for (QWidget *widget : panel) {
        wasShown.emplace_back(widget, !widget->isHidden());
        widget->hide();
    }
    // The page is drawn from the elements, not grabbed from the screen; repainting now only
    // lets the user see what goes on paper while the job is made.
    if (isVisible())
        repaint();

    const vm::PrintResult result =
        send(PageImage, [this](QPainter &painter) { m_canvas->paint(painter, PageImage); });

    for (const auto &[widget, shown] : wasShown)
        widget->setVisible(shown);
    m_canvas->setBackground(screenBackground);
    if (focused && focused->isVisible())
        focused->setFocus();
    // The same values again: no option changes, so the layout switch does not run and no
    // element moves.
    Option1->setChecked(front);
    Option4->setChecked(back);
    return result;
}

void DesignWindow::askToSavePageAsPdf()
{
    if (!m_printQuestion) {
        m_printQuestion = new QMessageBox(
            QMessageBox::Question, tr("Print"),
            tr("There is no printer to print on.\n\nSave the page as a PDF file instead?"),
            QMessageBox::Yes | QMessageBox::No, this);
        m_printQuestion->setObjectName(QStringLiteral("PrintToPdfQuestion"));
        m_printQuestion->setDefaultButton(QMessageBox::Yes);
        m_printQuestion->setWindowModality(Qt::NonModal);
        m_printQuestion->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_printQuestion, &QMessageBox::finished, this,
                &DesignWindow::onPrintQuestionFinished);
    }
    m_printQuestion->show();
    m_printQuestion->raise();
}

void DesignWindow::onPrintQuestionFinished(int answer)
{
    if (answer == QMessageBox::Yes)
        savePageAsPdf();
}

void DesignWindow::savePageAsPdf()
{
    // Named after the design when it has a file, beside it.
    CommonDialog1.fileName =
        m_designFileName.isEmpty()
            ? QDir::current().absoluteFilePath(QStringLiteral("Untitled.pdf"))
            : QFileInfo(m_designFileName)
                  .dir()
                  .absoluteFilePath(QFileInfo(m_designFileName).completeBaseName() + PdfSuffix);
    CommonDialog1.filter = PdfFilter;
    if (!CommonDialog1.showSave(this))
        return;
    QString path = CommonDialog1.fileName;
    if (!path.endsWith(PdfSuffix, Qt::CaseInsensitive))
        path += PdfSuffix;

    // A printer of its own: the file is this page's only, and the next "Print" still goes
    // where Print Set Up said. The paper is the one the settings name.
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setPageLayout(printer().pageLayout());
    pdf.setOutputFileName(path);
    const vm::PrintResult result = printCover(pdf);
    if (!result.ok())
        showPrintError(QDir::toNativeSeparators(path), result.error);
}

void DesignWindow::showPrintError(const QString &target, const QString &reason)
{
    // Not modal, like the designer's other messages; the window is already as it was.
    vm::showMessage(m_printError, this, tr("Print"), QStringLiteral("PrintError"),
                    QMessageBox::Warning,
                    tr("The cover could not be printed on %1.\n\n%2").arg(target, reason));
}

} // namespace vm::design
