// SPDX-License-Identifier: GPL-3.0-or-later
// Open: the open dialog, the file read whole before anything of the design changes, and its
// values applied (open_apply.cpp). The Wait window stands while it runs; whatever fails, the
// program goes on and tells the user what happened.

#include "designer/document/design_window.h"

#include "designer/windows/error_window.h"
#include "designer/windows/wait_window.h"
#include "toolkit/messages.h"

#include <QDir>
#include <QLabel>
#include <QMessageBox>

namespace vm::design {

namespace {

const QString DesignFilter = QStringLiteral("Jewel Case Files|*.vmd");

// One message box beside the window reused for every message of Open.
void showMessage(QPointer<QMessageBox> &box, QWidget *parent, const QString &name,
                 QMessageBox::Icon icon, const QString &text)
{
    vm::showMessage(box, parent, QObject::tr("Open"), name, icon, text);
}

} // namespace

void DesignWindow::onCommand1Clicked()
{
    open();
}

void DesignWindow::open()
{
    // Nothing on screen changes until a file is read: the load itself puts the copyright
    // group back on its base line, so a cancelled Open leaves it where the box put it.
    // A dropped design still waiting behind the save question gives way to this Open.
    m_droppedDesign.clear();
    if (holdForSaveQuestion(Action::Open))
        return;

    CommonDialog1.fileName.clear();
    CommonDialog1.filter = DesignFilter;
    if (!CommonDialog1.showOpen(this) || CommonDialog1.fileName.isEmpty())
        return;
    openDesignFile(CommonDialog1.fileName);
}

// Open in the window: the Wait window while the file is read, a message when it cannot be, the
// Error window for a picture that fails, and a message naming the lines left empty.
class DesignWindow::OpenWindows : public OpenReport
{
public:
    explicit OpenWindows(DesignWindow &window) : m_window(window) {}

    void reading() override
    {
        WaitWindow &wait = m_window.ensureWaitWindow();
        wait.show();
        wait.repaint();
    }
    void unreadable(const QString &path, const QString &reason) override
    {
        hideWaitWindow();
        showMessage(m_window.m_openMessage, &m_window, QStringLiteral("OpenError"),
                    QMessageBox::Warning,
                    tr("The design file %1 could not be opened.\n\n%2")
                        .arg(QDir::toNativeSeparators(path), reason));
    }
    void pictureFailed(const QString &, const QString &) override
    {
        ErrorWindow &error = m_window.ensureErrorWindow();
        error.show();
        error.raise();
    }
    void opened(const QList<int> &rejectedLines) override
    {
        hideWaitWindow();
        if (!rejectedLines.isEmpty())
            showMessage(m_window.m_openMessage, &m_window, QStringLiteral("OpenRejected"),
                        QMessageBox::Information, rejectedLinesMessage(rejectedLines));
    }

private:
    void hideWaitWindow()
    {
        if (m_window.m_waitWindow)
            m_window.m_waitWindow->hide();
    }
    DesignWindow &m_window;
};

void DesignWindow::openDesignFile(const QString &path)
{
    OpenWindows windows(*this);
    openDesignFile(path, windows);
}

bool DesignWindow::openDesignFile(const QString &path, OpenReport &report)
{
    report.reading();
    // The file is read before the current design is touched: a file that cannot be read
    // leaves the design as it was, pictures and paths included.
    const ReadOutcome read = readDesignFile(path);
    if (!read.ok()) {
        report.unreadable(path, read.error);
        return false;
    }
    const ConvertedDesign converted = convertDesign(read.design);

    Image1->clearPicture();
    Image2->clearPicture();
    Image3->clearPicture();
    Label2->setCaption(QString());
    PIXFLN->clear();
    LOGO2FLN->clear();
    Label30->clear();

    applyDesign(converted.values, report);

    update();
    m_shared.SavePromptArmed = true;
    m_designFileName = path;
    report.opened(converted.rejectedLines);
    return true;
}

WaitWindow &DesignWindow::ensureWaitWindow()
{
    // A window of its own, owned by the Design window so that it ends with the program.
    if (!m_waitWindow) {
        m_waitWindow = new WaitWindow(this);
        m_waitWindow->setAttribute(Qt::WA_DeleteOnClose);
    }
    return *m_waitWindow;
}

ErrorWindow &DesignWindow::ensureErrorWindow()
{
    if (!m_errorWindow) {
        m_errorWindow = new ErrorWindow(this);
        m_errorWindow->setAttribute(Qt::WA_DeleteOnClose);
    }
    return *m_errorWindow;
}

} // namespace vm::design
