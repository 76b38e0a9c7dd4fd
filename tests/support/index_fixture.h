// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/dialogs.h"
#include "support/files.h"

#include "indexer/drive_list.h"
#include "indexer/index_window.h"

#include <QApplication>
#include <QListView>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace vm::test {

// Everything a test of the index window needs: a temporary folder that is the current folder
// while the window lives, and the window with made-up drives and scripted dialogs.
class IndexFixture
{
public:
    using IndexWindow = indexer::IndexWindow;
    using ListingView = indexer::ListingView;
    using DriveList = indexer::DriveList;

    // `entries` are made under the temporary folder before the window starts on it.
    explicit IndexFixture(const QStringList &entries = {});
    ~IndexFixture();

    QString path(const QString &relative = {}) const;
    IndexWindow &window() { return *m_window; }
    // The window's dialogs, answered from a script.
    ScriptedDialogs &dialogs() { return *m_dialogs; }

    template <typename T> T *child(const QString &name) const
    {
        return m_window->findChild<T *>(name);
    }
    ListingView *list(const QString &name) const;
    DriveList *drives() const { return child<DriveList>(QStringLiteral("Drive1")); }

    // Chooses a layout as a click on its button does.
    void chooseLayout(int number);
    // The names of the visible folder and file lists, in the order Dir1 ... Dir6, File1 ...
    QStringList visibleLists() const;
    // The display text of every row of a list.
    QStringList rows(const QString &listName) const;

    // The drive-error window, when it is open.
    static QWidget *driveError();
    static QWidget *helpCard();
    static void closeTopLevel(const QString &name);

private:
    QString m_previousCurrent;
    QTemporaryDir m_dir;
    std::unique_ptr<IndexWindow> m_window;
    ScriptedDialogs *m_dialogs = nullptr;
};

} // namespace vm::test
