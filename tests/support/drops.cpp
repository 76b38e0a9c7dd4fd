// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/drops.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace vm::test {

bool dropFiles(QWidget &target, QPoint at, const QStringList &files)
{
    QMimeData data;
    data.setText(files.join(u'\n'));
    QList<QUrl> urls;
    for (const QString &file : files)
        urls << QUrl::fromLocalFile(file);
    data.setUrls(urls);
    const auto actions = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, {});
    QDragMoveEvent move(at, actions, &data, Qt::LeftButton, {});
    QDropEvent release(at, actions, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&target, &enter);
    // As Qt's own drag does: a move starts out as the enter was answered.
    move.setAccepted(enter.isAccepted());
    QCoreApplication::sendEvent(&target, &move);
    QCoreApplication::sendEvent(&target, &release);
    return move.isAccepted() && (!release.isAccepted() || release.dropAction() == Qt::CopyAction);
}

} // namespace vm::test
