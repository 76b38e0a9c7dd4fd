// SPDX-License-Identifier: GPL-3.0-or-later
#include "indexer/file_list.h"

namespace vm::indexer {

void FileListModel::setListing(std::shared_ptr<const FolderListing> listing)
{
    beginResetModel();
    m_listing = std::move(listing);
    endResetModel();
}

int FileListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_listing ? 0 : int(m_listing->files.size());
}

QVariant FileListModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || !m_listing ||
        index.row() >= m_listing->files.size())
        return {};
    return displayName(m_listing->files[index.row()]);
}

FileList::FileList(FolderListingCache &cache, QWidget *parent) : ListingView(cache, parent)
{
    setModel(&m_model);
}

void FileList::showListing(const std::shared_ptr<const FolderListing> &listing)
{
    m_model.setListing(listing);
}

} // namespace vm::indexer
