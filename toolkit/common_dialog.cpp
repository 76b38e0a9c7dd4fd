// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/common_dialog.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QPrintDialog>
#include <QPrintEngine>
#include <QPrinter>

namespace vm {

QString qtFileFilter(const QString &pipeFilter)
{
    const QStringList parts = pipeFilter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(u';', u' ');
        filters << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
    }
    return filters.join(QStringLiteral(";;"));
}

namespace {

// Where the print engine keeps the queue's own options (print quality, input tray and the
// like, as name and value pairs); Qt's print dialog writes them there.
constexpr auto QueueOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);

} // namespace

// The target first becomes the same kind of printer (a file name or a format may
// change its engine), then takes each engine setting in Qt's order, the page layout last;
// settings an engine does not know it ignores.
void copyPrinterSettings(const QPrinter &from, QPrinter &to)
{
    to.setOutputFileName(from.outputFileName());
    to.setOutputFormat(from.outputFormat());
    if (from.outputFormat() == QPrinter::NativeFormat)
        to.setPrinterName(from.printerName());
    QPrintEngine *const source = from.printEngine();
    QPrintEngine *const target = to.printEngine();
    for (int key = QPrintEngine::PPK_CollateCopies; key <= QPrintEngine::PPK_QPageLayout; ++key) {
        const QVariant value = source->property(QPrintEngine::PrintEnginePropertyKey(key));
        if (value.isValid())
            target->setProperty(QPrintEngine::PrintEnginePropertyKey(key), value);
    }
    if (const QVariant options = source->property(QueueOptions); options.isValid())
        target->setProperty(QueueOptions, options);
}

namespace {

class QtPresenter final : public DialogPresenter
{
public:
    bool open(CommonDialog &dialog, QWidget *parent) override
    {
        const QString name = QFileDialog::getOpenFileName(
            parent, dialog.dialogTitle, dialog.fileName, qtFileFilter(dialog.filter));
        if (name.isEmpty())
            return false;
        dialog.fileName = name;
        return true;
    }

    bool save(CommonDialog &dialog, QWidget *parent) override
    {
        const QString name = QFileDialog::getSaveFileName(
            parent, dialog.dialogTitle, dialog.fileName, qtFileFilter(dialog.filter));
        if (name.isEmpty())
            return false;
        dialog.fileName = name;
        return true;
    }

    bool font(CommonDialog &dialog, QWidget *parent) override
    {
        QFont initial(dialog.fontName);
        initial.setPointSizeF(dialog.fontSize > 0 ? dialog.fontSize : 8.25);
        initial.setBold(dialog.fontBold);
        initial.setItalic(dialog.fontItalic);
        initial.setUnderline(dialog.fontUnderline);
        initial.setStrikeOut(dialog.fontStrikethru);
        QFontDialog fonts(initial, parent);
        // A face that is only a substitute here (the product's own faces are not installed)
        // shows as some installed face, and the dialog shows sizes in whole points (8.25 as 8):
        // what the user leaves as shown keeps the value the design holds.
        const QString shownFace = fonts.currentFont().family();
        const qreal shownSize = fonts.currentFont().pointSizeF();
        if (fonts.exec() != QDialog::Accepted)
            return false;
        const QFont chosen = fonts.selectedFont();
        // Qt's font dialog offers no text colour: with effects on, the colour dialog follows,
        // starting on the seeded colour. Cancelling it cancels the whole choice, so nothing
        // is written before both were answered.
        QColor colour;
        if (dialog.flags & CommonDialog::FontEffects) {
            colour = QColorDialog::getColor(toQColor(dialog.color), parent);
            if (!colour.isValid())
                return false;
        }
        if (chosen.family() != shownFace)
            dialog.fontName = chosen.family();
        if (chosen.pointSizeF() != shownSize || !(dialog.fontSize > 0))
            dialog.fontSize = static_cast<float>(chosen.pointSizeF());
        dialog.fontBold = chosen.bold();
        dialog.fontItalic = chosen.italic();
        if (dialog.flags & CommonDialog::FontEffects) {
            dialog.fontUnderline = chosen.underline();
            dialog.fontStrikethru = chosen.strikeOut();
            dialog.color = fromQColor(colour);
        }
        return true;
    }

    bool colour(CommonDialog &dialog, QWidget *parent) override
    {
        const QColor chosen = QColorDialog::getColor(toQColor(dialog.color), parent);
        if (!chosen.isValid())
            return false;
        dialog.color = fromQColor(chosen);
        return true;
    }

    bool printer(CommonDialog &, QPrinter &printer, QWidget *parent) override
    {
        // The dialog works on a copy of the settings, so cancelling changes nothing.
        QPrinter copy(QPrinter::HighResolution);
        copyPrinterSettings(printer, copy);
        QPrintDialog dialog(&copy, parent);
        dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        copyPrinterSettings(copy, printer);
        return true;
    }
};

} // namespace

CommonDialog::CommonDialog() : m_presenter(std::make_unique<QtPresenter>()) {}

CommonDialog::~CommonDialog() = default;

bool CommonDialog::showOpen(QWidget *parent)
{
    return m_presenter->open(*this, parent);
}

bool CommonDialog::showSave(QWidget *parent)
{
    return m_presenter->save(*this, parent);
}

bool CommonDialog::showFont(QWidget *parent)
{
    return m_presenter->font(*this, parent);
}

bool CommonDialog::showColor(QWidget *parent)
{
    return m_presenter->colour(*this, parent);
}

bool CommonDialog::showPrinter(QPrinter &printer, QWidget *parent)
{
    return m_presenter->printer(*this, printer, parent);
}

void CommonDialog::setPresenter(std::unique_ptr<DialogPresenter> presenter)
{
    m_presenter = std::move(presenter);
}

} // namespace vm
