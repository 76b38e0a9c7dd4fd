// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "indexer/listing_view.h"

#include <QAbstractListModel>

namespace vm::indexer {

// The rows of a file list: the file names of a listing, in its order.
class FileListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    void setListing(std::shared_ptr<const FolderListing> listing);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

private:
    std::shared_ptr<const FolderListing> m_listing;
};

// A file list (`File1` ... `File6`): every file name of its folder.
class FileList : public ListingView
{
    Q_OBJECT

public:
    FileList(FolderListingCache &cache, QWidget *parent);

protected:
    void showListing(const std::shared_ptr<const FolderListing> &listing) override;

private:
    FileListModel m_model;
};

} // namespace vm::indexer
