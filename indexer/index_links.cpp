// SPDX-License-Identifier: GPL-3.0-or-later
// The drive list, the links between the lists, and Refresh.
#include "indexer/index_window.h"

#include "indexer/drive_error_window.h"
#include "indexer/drive_list.h"
#include "indexer/file_list.h"
#include "indexer/folder_list.h"

#include <QDir>

namespace vm::indexer {

QString IndexWindow::folderForDrive(const QString &rootPath) const
{
    // A drive opens on its current folder: the process's own for the drive that holds it,
    // the root for every other drive.
    const QString current = QDir::currentPath();
    return driveRootOf(current, Drive1->drives()) == rootPath ? current : rootPath;
}

void IndexWindow::onDrive1Changed()
{
    // On failure every list keeps its folder, and the drive list the drive the user picked.
    if (!Dir1->setPath(folderForDrive(Drive1->drive().rootPath)))
        showDriveError();
}

void IndexWindow::onDir1Changed()
{
    const QString path = Dir1->path();
    File1->setPath(path);
    if (cardLayout(selectedLayout()).linking != Linking::Linked)
        return;
    // Hidden lists too, so a layout chosen later shows the same folder.
    for (ListingView *view : std::initializer_list<ListingView *>{File2, File3, File4, File5, File6,
                                                                  Dir2, Dir3, Dir4, Dir5, Dir6})
        view->setPath(path);
}

void IndexWindow::onDir3Changed()
{
    if (cardLayout(selectedLayout()).linking == Linking::Pairs)
        File4->setPath(Dir3->path());
}

void IndexWindow::onDir5Changed()
{
    if (cardLayout(selectedLayout()).linking == Linking::Pairs)
        File6->setPath(Dir5->path());
}

void IndexWindow::onDirOpenFailed()
{
    showDriveError();
}

void IndexWindow::onCommand4Clicked()
{
    // One read per folder for the whole refresh; the first list that cannot be read ends it,
    // and the lists after it keep what they showed.
    FolderListingCache::Change change(m_listings);
    for (ListingView *view : listsInOrder()) {
        if (!view->reread()) {
            showDriveError();
            return;
        }
    }
}

void IndexWindow::showDriveError()
{
    if (!Form5) {
        Form5 = new DriveErrorWindow;
        Form5->setAttribute(Qt::WA_DeleteOnClose);
    }
    Form5->show();
    Form5->raise();
    Form5->activateWindow();
}

} // namespace vm::indexer
