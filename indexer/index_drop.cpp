// SPDX-License-Identifier: GPL-3.0-or-later
// Dropping a folder on the index window: Dir1 opens it as if the user had opened it there, and
// the lists linked to Dir1 follow through its change handler. A folder on another drive first
// selects that drive, as the user would before opening the folder.
#include "indexer/index_window.h"

#include "indexer/drive_list.h"
#include "indexer/folder_list.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QStorageInfo>

namespace vm::indexer {

namespace {

// The one folder a drag carries, or nothing.
QString draggedFolder(const QMimeData &data)
{
    const QList<QUrl> urls = data.urls();
    if (urls.size() != 1 || !urls.front().isLocalFile())
        return {};
    const QFileInfo folder(urls.front().toLocalFile());
    return folder.isDir() ? QDir::cleanPath(folder.absoluteFilePath()) : QString();
}

} // namespace

void IndexWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (draggedFolder(*event->mimeData()).isEmpty())
        return event->ignore();
    // Copy, never move: the file manager must not take the folder away after the drop.
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void IndexWindow::dropEvent(QDropEvent *event)
{
    const QString folder = draggedFolder(*event->mimeData());
    if (folder.isEmpty())
        return event->ignore();
    event->setDropAction(Qt::CopyAction);
    event->accept();
    // A folder that cannot be read changes nothing, not even the drive.
    if (!QDir(folder).isReadable())
        return showDriveError();
    QString root = driveRootOf(folder, Drive1->drives());
    if (root.isEmpty())
        root = QStorageInfo(folder).rootPath();
    if (root != Drive1->drive().rootPath)
        Drive1->setDrive(root);
    if (!Dir1->setPath(folder))
        showDriveError();
}

} // namespace vm::indexer
