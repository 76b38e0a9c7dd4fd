// SPDX-License-Identifier: GPL-3.0-or-later
// Save and Save As: the design's 75 file values gathered from the window by key, written to the
// design's own file or where the user says.

#include "designer/document/design_window.h"
#include "toolkit/messages.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>

namespace vm::design {

namespace {

const QString DesignFilter = QStringLiteral("Jewel Case Files|*.vmd");
const QString DesignSuffix = QStringLiteral(".vmd");

std::optional<FileValue> elementValue(const Element &element, QStringView property)
{
    if (property == u"Caption")
        return element.caption();
    if (property == u"FontName")
        return element.font().name;
    if (property == u"FontSize")
        return element.font().size;
    if (property == u"FontBold")
        return element.font().bold;
    if (property == u"FontItalic")
        return element.font().italic;
    if (property == u"FontStrikethru")
        return element.font().strikethru;
    if (property == u"FontUnderline")
        return element.font().underline;
    if (property == u"ForeColor")
        return colourToFile(element.foreColor());
    if (property == u"BackColor")
        return colourToFile(element.backColor());
    if (property == u"BorderColor")
        return colourToFile(element.borderColor());
    if (property == u"BorderWidth")
        return qint32(element.borderWidth());
    if (property == u"Width")
        return element.width();
    if (property == u"Height")
        return element.height();
    return std::nullopt;
}

} // namespace

std::optional<FileValue> DesignWindow::fileValue(QStringView key) const
{
    const qsizetype dot = key.indexOf(u'.');
    if (dot <= 0)
        return std::nullopt;
    const QStringView name = key.left(dot);
    const QStringView property = key.mid(dot + 1);
    if (const Element *element = m_canvas->find(name))
        return elementValue(*element, property);

    const auto *control = findChild<QWidget *>(name.toString(), Qt::FindDirectChildrenOnly);
    if (const auto *check = qobject_cast<const QCheckBox *>(control); check && property == u"Value")
        return qint32(check->isChecked() ? 1 : 0);
    if (const auto *option = qobject_cast<const QRadioButton *>(control);
        option && property == u"Value")
        return option->isChecked();
    if (const auto *entry = qobject_cast<const QLineEdit *>(control); entry && property == u"Text")
        return entry->text();
    if (const auto *label = qobject_cast<const QLabel *>(control); label && property == u"Caption")
        return label->text();
    return std::nullopt;
}

FileValues DesignWindow::fileValues() const
{
    FileValues values = emptyFileValues();
    for (const FileKey &key : fileKeys()) {
        const std::optional<FileValue> value = fileValue(key.key);
        Q_ASSERT_X(value, "DesignWindow::fileValues", "a file key names no property");
        if (value)
            values[key.line - 1] = *value;
    }
    return values;
}

void DesignWindow::onCommand2Clicked()
{
    save();
}

void DesignWindow::save()
{
    // A design with a file of its own is saved straight back to it; only a design that has
    // none yet asks where to go.
    if (m_designFileName.isEmpty()) {
        saveAs();
        return;
    }
    writeDesign(m_designFileName, true);
}

void DesignWindow::saveAs()
{
    // Propose the design's own file, so saving again does not start a new one; a fresh design
    // starts as Untitled in the current folder.
    CommonDialog1.fileName = m_designFileName.isEmpty()
                                 ? QDir::current().absoluteFilePath(QStringLiteral("Untitled.vmd"))
                                 : m_designFileName;
    CommonDialog1.filter = DesignFilter;
    if (!CommonDialog1.showSave(this))
        return;
    QString path = CommonDialog1.fileName;
    if (!path.endsWith(DesignSuffix, Qt::CaseInsensitive))
        path += DesignSuffix;
    writeDesign(path, false);
}

void DesignWindow::writeDesign(const QString &path, bool direct)
{
    // The file is replaced whole or not at all: a failed write keeps the old file, and the
    // design keeps the file it had.
    const QString reason = saveDesignFile(path, fileValues());
    if (!reason.isEmpty()) {
        QString message = tr("The design could not be saved as %1.\n\n%2")
                              .arg(QDir::toNativeSeparators(path), reason);
        // Save asked nothing, and there is no button that asks: say which key does.
        if (direct)
            message += tr("\n\nPress Ctrl+Shift+S to save it under another name.");
        showSaveError(message);
        return;
    }
    m_designFileName = path;
}

void DesignWindow::showSaveError(const QString &message)
{
    // Not modal: like the designer's other messages it waits beside the window, and the
    // design stays as it is.
    vm::showMessage(m_saveError, this, tr("Save"), QStringLiteral("SaveError"),
                    QMessageBox::Warning, message);
}

} // namespace vm::design
