// SPDX-License-Identifier: GPL-3.0-or-later
// Drag and drop: a picture file dropped on the cover fills a slot through the same function as
// the slot's button, a design file dropped anywhere opens through Open's own path. While the
// file is dragged, the box it would fill is marked and the cursor says whether it may land.

#include "designer/document/design_window.h"
#include "designer/document/undo_history.h"
#include "toolkit/messages.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QRubberBand>

#include <functional>

namespace vm::design {

namespace {

const QString DesignSuffix = QStringLiteral("vmd");

// The entry fields take dropped text of their own accord; a dragged file is the window's
// instead, so that a design dropped on a field opens rather than its name being typed in. The
// events are handed over directly: Qt sends the rest of a drag to the widget that took its
// start, so a relayed event sent through the application would come back here.
class FileDropRelay final : public QObject
{
public:
    using Handler = std::function<void(QDropEvent &)>;
    FileDropRelay(QWidget *window, Handler handler)
        : QObject(window), m_window(window), m_handler(std::move(handler))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const auto type = event->type();
        if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
            return false;
        auto *drop = static_cast<QDropEvent *>(event);
        if (!drop->mimeData()->hasUrls())
            return false;
        const QPointF at = static_cast<QWidget *>(watched)->mapTo(m_window, drop->position());
        if (type == QEvent::Drop) {
            QDropEvent relayed(at, drop->possibleActions(), drop->mimeData(), drop->buttons(),
                               drop->modifiers());
            relay(relayed, *drop);
        } else {
            QDragMoveEvent relayed(at.toPoint(), drop->possibleActions(), drop->mimeData(),
                                   drop->buttons(), drop->modifiers(), type);
            relay(relayed, *drop);
        }
        return true;
    }

private:
    void relay(QDropEvent &relayed, QDropEvent &original)
    {
        m_handler(relayed);
        original.setDropAction(relayed.dropAction());
        original.setAccepted(relayed.isAccepted());
    }

    QWidget *m_window;
    Handler m_handler;
};

} // namespace

struct DesignWindow::DropPlan
{
    enum Kind
    {
        Nothing, // not a file, a folder, or a picture off the cover: refused at once
        Picture, // into `slot` (1 main picture, 2 Logo 1, 3 Logo 2)
        Design,  // opened as Open does
        Several  // taken to the end, where the user is told to drop one file
    } kind = Nothing;
    QString path;
    int slot = 0;
    const vm::Element *box = nullptr; // the box to mark while dragging
};

DesignWindow::DropPlan DesignWindow::planDrop(const QDropEvent &event) const
{
    DropPlan plan;
    const QList<QUrl> urls = event.mimeData()->urls();
    if (urls.size() > 1) {
        plan.kind = DropPlan::Several;
        return plan;
    }
    if (urls.size() != 1 || !urls.front().isLocalFile())
        return plan;
    plan.path = urls.front().toLocalFile();
    const QFileInfo file(plan.path);
    if (file.isDir())
        return plan;
    if (file.suffix().compare(DesignSuffix, Qt::CaseInsensitive) == 0) {
        plan.kind = DropPlan::Design;
        return plan;
    }
    // Pictures land on the cover only: the logo whose box is under the pointer (the front
    // one where they overlap), anywhere else the main picture.
    const QPointF at = m_canvas->mapFrom(this, event.position());
    if (!Shape1->rect().contains(at))
        return plan;
    plan.kind = DropPlan::Picture;
    plan.slot = 1;
    plan.box = Image1;
    const auto &order = m_canvas->stackingOrder();
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        if ((*it == Image2 || *it == Image3) && (*it)->isVisible() && (*it)->rect().contains(at)) {
            plan.slot = *it == Image2 ? 2 : 3;
            plan.box = *it;
            break;
        }
    }
    return plan;
}

void DesignWindow::showDropTarget(const vm::Element *box)
{
    if (!box || !box->isVisible()) {
        if (m_dropMark)
            m_dropMark->hide();
        return;
    }
    if (!m_dropMark) {
        m_dropMark = new QRubberBand(QRubberBand::Rectangle, m_canvas);
        m_dropMark->setObjectName(QStringLiteral("DropTarget"));
    }
    m_dropMark->setGeometry(box->rect().toAlignedRect());
    m_dropMark->show();
}

void DesignWindow::setUpDropping()
{
    setAcceptDrops(true);
    auto *relay = new FileDropRelay(this, [this](QDropEvent &event) {
        if (event.type() == QEvent::Drop)
            dropEvent(&event);
        else
            dragMoveEvent(static_cast<QDragMoveEvent *>(&event));
    });
    for (QLineEdit *field : findChildren<QLineEdit *>())
        field->installEventFilter(relay);
}

void DesignWindow::dragEnterEvent(QDragEnterEvent *event)
{
    dragMoveEvent(event);
    // A drag that may land somewhere on the window is followed as it moves.
    if (!event->isAccepted() && event->mimeData()->hasUrls())
        event->accept(QRect());
}

void DesignWindow::dragMoveEvent(QDragMoveEvent *event)
{
    const DropPlan plan = planDrop(*event);
    showDropTarget(plan.box);
    // An empty rectangle: every move is asked again, as the target changes with the place.
    if (plan.kind == DropPlan::Nothing) {
        event->ignore(QRect());
        return;
    }
    // Copy, never move: the file manager must not take the file away after the drop.
    event->setDropAction(Qt::CopyAction);
    event->accept(QRect());
}

void DesignWindow::dragLeaveEvent(QDragLeaveEvent *)
{
    showDropTarget(nullptr);
}

void DesignWindow::dropEvent(QDropEvent *event)
{
    showDropTarget(nullptr);
    const DropPlan plan = planDrop(*event);
    if (plan.kind == DropPlan::Nothing) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    // A drop is a command of its own: one undo step, typing before it closed.
    m_undo->closeTyping();
    m_undo->adoptSettled();
    switch (plan.kind) {
    case DropPlan::Picture:
        fillPictureSlot(plan.slot, plan.path);
        break;
    case DropPlan::Design:
        openDropped(plan.path);
        break;
    case DropPlan::Several:
        vm::showMessage(m_dropMessage, this, tr("Drop"), QStringLiteral("DropSeveral"),
                        QMessageBox::Information,
                        tr("Please drop one file at a time: a picture onto the cover, "
                           "or a design file anywhere on the window.\n\n"
                           "%1 files were dropped; none of them was taken.")
                            .arg(event->mimeData()->urls().size()));
        break;
    case DropPlan::Nothing:
        break;
    }
    m_undo->record();
}

void DesignWindow::openDropped(const QString &path)
{
    // As Open: the save question first, and "No" then opens this file.
    if (holdForSaveQuestion(Action::Open)) {
        m_droppedDesign = path;
        return;
    }
    openDesignFile(path);
}

} // namespace vm::design
