#include "indexer/folder_listing.h"

#include <QDir>
#include <QFile>
#include <QStorageInfo>

#include <algorithm>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <vector>

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

// The last part of an entry's path, without making a path object of its own for it.
std::string_view nameOf(const fs::directory_entry &entry)
{
    const std::string &path = entry.path().native();
    const auto slash = path.rfind('/');
    return std::string_view(path).substr(slash == std::string::npos ? 0 : slash + 1);
}

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
    fs::directory_iterator entry(folder, error);
    if (error) {
        listing.error = errorText(error);
        return listing;
    }
    // The type of most entries comes with the directory read itself; only links (and file
    // systems that do not report types) cost a look-up of their own.
    for (; entry != fs::directory_iterator(); entry.increment(error)) {
        const std::string_view name = nameOf(*entry);
        if (name.empty() || name.front() == '.')
            continue;
        std::error_code typeError;
        if (entry->is_directory(typeError))
            listing.folders.append(decodedName(name));
        else if (entry->is_regular_file(typeError))
            listing.files.append(decodedName(name));
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
