// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>

namespace vm::indexer {

// What one read of a folder found. Lists that show the same folder share one listing; it
// never changes after the read.
struct FolderListing
{
    QString path;        // absolute, clean, symbolic links resolved
    QString volumeRoot;  // root of the volume that holds the folder
    QStringList folders; // sub-folders, sorted without regard to case
    QStringList files;   // file names, sorted the same way
    QString error;       // empty when the folder could be read

    bool ok() const { return error.isEmpty(); }
};

// Reads the folder's sub-folders and files. Hidden entries (names starting with ".") and
// special files (devices, pipes, sockets, broken links) are left out. Never throws; an
// unreadable, missing or vanished folder gives a listing with an error.
FolderListing readFolder(const QString &path);

// The order of every list: case-insensitive, ties ("a" and "A") broken by exact comparison
// so the order does not depend on the order the folder was read in.
void sortNames(QStringList &names);

// The text a list shows for a name: control characters (a name may hold a line break) are
// shown as U+FFFD so every row stays one line.
QString displayName(const QString &name);

// Hands out listings so that all lists set to one folder during one change share one read.
// A change is a list's Path change together with every change it cascades into; outside a
// change every request reads the folder afresh.
class FolderListingCache
{
public:
    class Change
    {
    public:
        explicit Change(FolderListingCache &cache);
        ~Change();
        Change(const Change &) = delete;
        Change &operator=(const Change &) = delete;

    private:
        FolderListingCache &m_cache;
    };

    std::shared_ptr<const FolderListing> listing(const QString &path);

    // How many times a folder was read (for tests and measurements).
    int reads() const { return m_reads; }

private:
    int m_depth = 0;
    int m_reads = 0;
    QHash<QString, std::shared_ptr<const FolderListing>> m_fresh;
};

} // namespace vm::indexer
