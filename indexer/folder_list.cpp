// SPDX-License-Identifier: GPL-3.0-or-later
#include "indexer/folder_list.h"

#include "indexer/list_row_delegate.h"

#include <QDir>
#include <QKeyEvent>

namespace vm::indexer {

void FolderListModel::setListing(std::shared_ptr<const FolderListing> listing)
{
    beginResetModel();
    m_listing = std::move(listing);
    m_chain.clear();
    if (m_listing) {
        m_chain << m_listing->volumeRoot;
        m_chain
            << m_listing->path.mid(m_listing->volumeRoot.size()).split(u'/', Qt::SkipEmptyParts);
    }
    endResetModel();
}

int FolderListModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid() || !m_listing)
        return 0;
    return int(m_chain.size() + m_listing->folders.size());
}

QString FolderListModel::folderPath(int row) const
{
    if (!m_listing || row < 0 || row >= rowCount())
        return {};
    if (row >= m_chain.size())
        return QDir::cleanPath(m_listing->path + u'/' + m_listing->folders[row - m_chain.size()]);
    QString path = m_chain.front();
    for (int level = 1; level <= row; ++level)
        path += u'/' + m_chain[level];
    return QDir::cleanPath(path);
}

QVariant FolderListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !m_listing || index.row() >= rowCount())
        return {};
    const int row = index.row();
    const bool inChain = row < m_chain.size();
    switch (role) {
    case Qt::DisplayRole:
        return displayName(inChain ? m_chain[row] : m_listing->folders[row - m_chain.size()]);
    case FolderDepthRole:
        return inChain ? row : int(m_chain.size());
    case FolderOpenRole:
        return inChain;
    case FolderPathRole:
        return folderPath(row);
    default:
        return {};
    }
}

FolderList::FolderList(FolderListingCache &cache, QWidget *parent) : ListingView(cache, parent)
{
    setModel(&m_model);
    connect(this, &QAbstractItemView::doubleClicked, this, &FolderList::openRow);
}

void FolderList::showListing(const std::shared_ptr<const FolderListing> &listing)
{
    m_model.setListing(listing);
    // Path itself is the marked row, as in any folder list.
    selectionModel()->setCurrentIndex(m_model.index(m_model.pathRow()),
                                      QItemSelectionModel::ClearAndSelect);
}

void FolderList::keyPressEvent(QKeyEvent *event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        currentIndex().isValid()) {
        openRow(currentIndex());
        return;
    }
    ListingView::keyPressEvent(event);
}

void FolderList::openRow(const QModelIndex &index)
{
    const QString target = m_model.folderPath(index.row());
    if (target.isEmpty())
        return;
    if (!setPath(target))
        emit openFailed(target);
}

} // namespace vm::indexer
