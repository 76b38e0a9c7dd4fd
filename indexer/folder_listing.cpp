// SPDX-License-Identifier: GPL-3.0-or-later
#include "indexer/folder_listing.h"

#include <QDir>
#include <QFile>
#include <QStorageInfo>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <memory>
#include <string_view>
#include <system_error>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace vm::indexer {

namespace fs = std::filesystem;

namespace {

QString errorText(const std::error_code &error)
{
    return QString::fromLocal8Bit(error.message());
}

QString decodedName(std::string_view name)
{
    return QFile::decodeName(QByteArray::fromRawData(name.data(), qsizetype(name.size())));
}

// The type of an entry: from the directory read itself where the file system reports it, else
// (links, file systems that do not) from a look-up that follows links. 0 when it is neither a
// folder nor a regular file, or a broken link.
unsigned char entryType(int folder, const dirent &entry)
{
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN)
        return entry.d_type == DT_DIR || entry.d_type == DT_REG ? entry.d_type : 0;
    struct stat info = {};
    if (::fstatat(folder, entry.d_name, &info, 0) != 0)
        return 0;
    return S_ISDIR(info.st_mode) ? DT_DIR : S_ISREG(info.st_mode) ? DT_REG : 0;
}

struct CloseFolder
{
    void operator()(DIR *folder) const { ::closedir(folder); }
};

} // namespace

FolderListing readFolder(const QString &path)
{
    FolderListing listing;
    if (path.isEmpty()) {
        listing.error = QStringLiteral("No folder");
        return listing;
    }
    std::error_code error;
    const fs::path folder = fs::canonical(fs::path(QFile::encodeName(path).toStdString()), error);
    if (error) {
        listing.error = errorText(error);
        return listing;
    }
    // A plain directory read: std::filesystem's iterator makes a whole path object for every
    // entry, about 15 % of the time a drive change into a folder of 100,000 files takes.
    const std::unique_ptr<DIR, CloseFolder> read(::opendir(folder.c_str()));
    if (!read) {
        listing.error = errorText(std::error_code(errno, std::generic_category()));
        return listing;
    }
    for (;;) {
        errno = 0;
        const dirent *entry = ::readdir(read.get());
        if (!entry) {
            if (errno != 0)
                error = std::error_code(errno, std::generic_category());
            break;
        }
        if (entry->d_name[0] == '.')
            continue;
        const unsigned char type = entryType(::dirfd(read.get()), *entry);
        if (type == DT_DIR)
            listing.folders.append(decodedName(entry->d_name));
        else if (type == DT_REG)
            listing.files.append(decodedName(entry->d_name));
    }
    // A read that breaks off (a disc pulled out halfway) is a failure, not a short folder.
    if (error) {
        listing.error = errorText(error);
        listing.folders.clear();
        listing.files.clear();
        return listing;
    }
    sortNames(listing.folders);
    sortNames(listing.files);
    listing.path = QFile::decodeName(QByteArray::fromStdString(folder.native()));
    const QStorageInfo volume(listing.path);
    listing.volumeRoot = volume.isValid() ? volume.rootPath() : QStringLiteral("/");
    if (!listing.path.startsWith(listing.volumeRoot))
        listing.volumeRoot = QStringLiteral("/");
    return listing;
}

void sortNames(QStringList &names)
{
    // Folding each name once costs less than folding both names at every comparison.
    struct Keyed
    {
        QString key;
        QString name;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(std::size_t(names.size()));
    for (QString &name : names) {
        QString key = name.toCaseFolded();
        keyed.push_back({std::move(key), std::move(name)});
    }
    std::sort(keyed.begin(), keyed.end(), [](const Keyed &a, const Keyed &b) {
        const int order = a.key.compare(b.key);
        return order != 0 ? order < 0 : a.name < b.name;
    });
    for (qsizetype i = 0; i < names.size(); ++i)
        names[i] = std::move(keyed[std::size_t(i)].name);
}

QString displayName(const QString &name)
{
    const auto control = [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; };
    if (std::none_of(name.begin(), name.end(), control))
        return name;
    QString shown = name;
    std::replace_if(shown.begin(), shown.end(), control, QChar(QChar::ReplacementCharacter));
    return shown;
}

FolderListingCache::Change::Change(FolderListingCache &cache) : m_cache(cache)
{
    ++m_cache.m_depth;
}

FolderListingCache::Change::~Change()
{
    // The next change reads every folder afresh: the disc may have changed in between.
    if (--m_cache.m_depth == 0)
        m_cache.m_fresh.clear();
}

std::shared_ptr<const FolderListing> FolderListingCache::listing(const QString &path)
{
    const QString key = QDir::cleanPath(path);
    if (m_depth > 0) {
        const auto found = m_fresh.constFind(key);
        if (found != m_fresh.constEnd())
            return *found;
    }
    auto listing = std::make_shared<const FolderListing>(readFolder(key));
    ++m_reads;
    if (m_depth > 0) {
        m_fresh.insert(key, listing);
        if (listing->ok())
            m_fresh.insert(listing->path, listing);
    }
    return listing;
}

} // namespace vm::indexer
