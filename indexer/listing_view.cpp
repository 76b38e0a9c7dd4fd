// SPDX-License-Identifier: GPL-3.0-or-later
#include "indexer/listing_view.h"

#include "indexer/list_row_delegate.h"

namespace vm::indexer {

ListingView::ListingView(FolderListingCache &cache, QWidget *parent)
    : QListView(parent), m_cache(cache)
{
    // Every row has the same height, so a folder of any size lays out without measuring
    // its rows one by one.
    setUniformItemSizes(true);
    setLayoutMode(QListView::SinglePass);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setItemDelegate(new ListRowDelegate(this));
}

bool ListingView::setPath(const QString &path)
{
    // The change and everything it cascades into share the folders they read.
    FolderListingCache::Change change(m_cache);
    if (!m_path.isEmpty() && path == m_path)
        return true;
    auto listing = m_cache.listing(path);
    if (!listing->ok())
        return false;
    if (listing->path == m_path)
        return true;
    m_path = listing->path;
    m_listing = std::move(listing);
    showListing(m_listing);
    emit pathChanged();
    return true;
}

bool ListingView::reread()
{
    FolderListingCache::Change change(m_cache);
    auto listing = m_cache.listing(m_path);
    if (!listing->ok())
        return false;
    m_listing = std::move(listing);
    showListing(m_listing);
    return true;
}

} // namespace vm::indexer
