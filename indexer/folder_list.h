// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "indexer/listing_view.h"

#include <QAbstractListModel>

namespace vm::indexer {

// The rows of a folder list: the chain of folders from the volume's root down to Path, then
// the sub-folders of Path, one level further in.
class FolderListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    void setListing(std::shared_ptr<const FolderListing> listing);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    // The row of Path itself, the last folder of the chain.
    int pathRow() const { return int(m_chain.size()) - 1; }
    QString folderPath(int row) const;

private:
    std::shared_ptr<const FolderListing> m_listing;
    QStringList m_chain; // the volume's root, then one name per level down to Path
};

// A folder list (`Dir1` ... `Dir6`): shows a folder's place and its sub-folders; opening an
// entry (double-click or Enter) moves the list there.
class FolderList : public ListingView
{
    Q_OBJECT

public:
    FolderList(FolderListingCache &cache, QWidget *parent);

signals:
    // The user opened a folder that cannot be read; the list stayed where it was.
    void openFailed(const QString &path);

protected:
    void showListing(const std::shared_ptr<const FolderListing> &listing) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void openRow(const QModelIndex &index);

    FolderListModel m_model;
};

} // namespace vm::indexer
