#pragma once

#include "indexer/drive_list.h"
#include "indexer/index_window.h"

#include "toolkit/common_dialog.h"

#include <QApplication>
#include <QListView>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

namespace vm::indexer::testing {

// Makes folders and files under `root`: "a/" is a folder, "a/b.txt" a file (its parents are
// made as needed). Returns false when something could not be made.
bool makeTree(const QString &root, const QStringList &entries);

// Everything a test of the index window needs: a temporary folder that is the current folder
// while the window lives, and the window with made-up drives and scripted dialogs.
class IndexFixture
{
public:
    // `entries` are made under the temporary folder before the window starts on it.
    explicit IndexFixture(const QStringList &entries = {});
    ~IndexFixture();

    QString path(const QString &relative = {}) const;
    IndexWindow &window() { return *m_window; }

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
};

// A dialog presenter that answers from a script instead of showing dialogs, and counts what
// was asked of it.
class ScriptedDialogs : public DialogPresenter
{
public:
    std::function<bool(CommonDialog &)> onSave;
    std::function<bool(QPrinter &)> onPrinter;
    int saves = 0;
    int printers = 0;

    bool open(CommonDialog &, QWidget *) override { return false; }
    bool save(CommonDialog &dialog, QWidget *) override
    {
        ++saves;
        return onSave ? onSave(dialog) : false;
    }
    bool font(CommonDialog &, QWidget *) override { return false; }
    bool colour(CommonDialog &, QWidget *) override { return false; }
    bool printer(CommonDialog &, QPrinter &printer, QWidget *) override
    {
        ++printers;
        return onPrinter ? onPrinter(printer) : false;
    }
};

} // namespace vm::indexer::testing
