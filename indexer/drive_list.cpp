// SPDX-License-Identifier: GPL-3.0-or-later
#include "indexer/drive_list.h"

#include <QAbstractItemView>
#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>

namespace vm::indexer {

bool isIndexableVolume(const QString &rootPath, const QByteArray &fileSystemType)
{
    if (rootPath == u"/")
        return true;
    static const QByteArrayList pseudo = {
        "autofs",     "binfmt_misc",     "bpf",        "cgroup", "cgroup2",
        "configfs",   "debugfs",         "devfs",      "devpts", "devtmpfs",
        "efivarfs",   "fusectl",         "hugetlbfs",  "mqueue", "nsfs",
        "proc",       "procfs",          "pstore",     "ramfs",  "rootfs",
        "rpc_pipefs", "securityfs",      "selinuxfs",  "sysfs",  "tracefs",
        "nfsd",       "fuse.gvfsd-fuse", "fuse.portal"};
    if (pseudo.contains(fileSystemType))
        return false;
    // Run-time places of the system, except where removable media are mounted on some systems.
    static const QStringList systemPlaces = {QStringLiteral("/proc"),    QStringLiteral("/sys"),
                                             QStringLiteral("/dev"),     QStringLiteral("/run"),
                                             QStringLiteral("/var/run"), QStringLiteral("/snap")};
    if (rootPath.startsWith(u"/run/media/"))
        return true;
    return std::none_of(systemPlaces.begin(), systemPlaces.end(), [&](const QString &place) {
        return rootPath == place || rootPath.startsWith(place + u'/');
    });
}

QList<Drive> mountedDrives()
{
    QList<Drive> drives;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !isIndexableVolume(volume.rootPath(), volume.fileSystemType()))
            continue;
        // A file mounted on a file (a container's host files) is no drive.
        if (!QFileInfo(volume.rootPath()).isDir())
            continue;
        const Drive drive{volume.rootPath(), volume.name()};
        if (!drives.contains(drive))
            drives.append(drive);
    }
    std::stable_sort(drives.begin(), drives.end(), [](const Drive &a, const Drive &b) {
        return a.rootPath == u"/" && b.rootPath != u"/";
    });
    return drives;
}

QString driveRootOf(const QString &path, const QList<Drive> &drives)
{
    QString best;
    for (const Drive &drive : drives) {
        const QString &root = drive.rootPath;
        const bool inside = path == root || root == u"/" ||
                            path.startsWith(root.endsWith(u'/') ? root : root + u'/');
        if (inside && root.size() > best.size())
            best = root;
    }
    return best;
}

QString driveText(const Drive &drive)
{
    return drive.label.isEmpty() ? drive.rootPath
                                 : QStringLiteral("%1  [%2]").arg(drive.rootPath, drive.label);
}

DriveList::DriveList(QWidget *parent) : QComboBox(parent), m_source(mountedDrives)
{
    setSizeAdjustPolicy(QComboBox::AdjustToContentsOnFirstShow);
    connect(this, &QComboBox::currentIndexChanged, this, &DriveList::onCurrentIndexChanged);
    rereadDrives();
}

void DriveList::setDriveSource(std::function<QList<Drive>()> source)
{
    m_source = std::move(source);
    rereadDrives();
}

void DriveList::rereadDrives()
{
    fill(m_source ? m_source() : QList<Drive>());
}

Drive DriveList::drive() const
{
    const int index = currentIndex();
    return index >= 0 && index < m_drives.size() ? m_drives[index] : Drive{};
}

void DriveList::setDrive(const QString &rootPath)
{
    auto found = std::find_if(m_drives.begin(), m_drives.end(),
                              [&](const Drive &drive) { return drive.rootPath == rootPath; });
    if (found == m_drives.end()) {
        QList<Drive> drives = m_drives;
        drives.append(Drive{rootPath, {}});
        fill(drives);
    }
    for (int i = 0; i < m_drives.size(); ++i) {
        if (m_drives[i].rootPath == rootPath)
            setCurrentIndex(i);
    }
}

void DriveList::showPopup()
{
    emit droppingDown();
    rereadDrives();
    // The drop-down may be wider than the narrow box, so long roots and labels read whole.
    view()->setMinimumWidth(view()->sizeHintForColumn(0) + 24);
    QComboBox::showPopup();
}

void DriveList::fill(QList<Drive> drives)
{
    // A drive that went away stays while it is the current one: the list keeps showing the
    // drive the user picked.
    const bool keepCurrent = !m_current.isEmpty() &&
                             std::none_of(drives.begin(), drives.end(),
                                          [&](const Drive &d) { return d.rootPath == m_current; });
    if (keepCurrent)
        drives.append(drive());
    if (drives == m_drives)
        return;
    m_filling = true;
    clear();
    m_drives = drives;
    int current = -1;
    for (int i = 0; i < m_drives.size(); ++i) {
        addItem(driveText(m_drives[i]));
        if (m_drives[i].rootPath == m_current)
            current = i;
    }
    setCurrentIndex(current);
    m_filling = false;
}

void DriveList::onCurrentIndexChanged(int index)
{
    if (m_filling)
        return;
    const QString root =
        index >= 0 && index < m_drives.size() ? m_drives[index].rootPath : QString();
    if (root == m_current)
        return;
    m_current = root;
    emit driveChanged();
}

} // namespace vm::indexer
