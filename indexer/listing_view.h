// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "indexer/folder_listing.h"

#include <QListView>

#include <memory>

namespace vm::indexer {

// What folder lists and file lists have in common: a Path, a change signal raised at once on
// every change of it, and a re-read. The rows come from a listing shared with every other
// list on the same folder; a list holds a model over that listing, not one item per name.
class ListingView : public QListView
{
    Q_OBJECT

public:
    QString path() const { return m_path; }

    // Moves the list to `path`. False when the folder cannot be read; the list then keeps its
    // Path and contents and raises nothing. Setting the folder the list already shows
    // changes nothing.
    bool setPath(const QString &path);

    // Reads Path again, without moving and without raising the change signal. False when it
    // cannot be read; the list then keeps what it showed.
    bool reread();

    const std::shared_ptr<const FolderListing> &listing() const { return m_listing; }

signals:
    void pathChanged();

protected:
    ListingView(FolderListingCache &cache, QWidget *parent);

    // Shows a new listing of the list's folder.
    virtual void showListing(const std::shared_ptr<const FolderListing> &listing) = 0;

private:
    FolderListingCache &m_cache;
    QString m_path;
    std::shared_ptr<const FolderListing> m_listing;
};

} // namespace vm::indexer
