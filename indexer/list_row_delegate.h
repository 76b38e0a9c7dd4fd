// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStyledItemDelegate>

namespace vm::indexer {

// Roles a folder list's rows carry beside their text.
enum ListRole
{
    FolderDepthRole = Qt::UserRole + 1, // indentation level of a folder row
    FolderOpenRole,                     // true for the folders on the way to Path
    FolderPathRole,                     // the full path a folder row opens
};

// Draws one row of a folder or file list: one line of text, a drawn folder sign and its
// indentation for folder rows. Everything is painted with lines and text, so the printed
// card stays sharp at the printer's resolution.
class ListRowDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    static constexpr int Indent = 7;     // pixels per folder level
    static constexpr int SignWidth = 13; // folder sign and the gap after it
};

} // namespace vm::indexer
