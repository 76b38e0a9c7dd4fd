// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QComboBox>
#include <QList>
#include <QString>

#include <functional>

namespace vm::indexer {

// A drive is the root of a mounted volume: the root file system, a disc, a stick, another
// partition.
struct Drive
{
    QString rootPath;
    QString label;

    bool operator==(const Drive &) const = default;
};

// True for volumes a user keeps files on; false for the kernel's own pseudo file systems and
// for what is mounted among the system's run-time places.
bool isIndexableVolume(const QString &rootPath, const QByteArray &fileSystemType);

// The machine's mounted volumes that are drives, the root file system first.
QList<Drive> mountedDrives();

// The root of the drive that holds `path`: the longest drive root it lies in.
QString driveRootOf(const QString &path, const QList<Drive> &drives);

// How a drive reads in the list: its root, then its label in brackets.
QString driveText(const Drive &drive);

// The drive list (`Drive1`). Raises driveChanged when its current drive changes, by the user
// or the program; re-reading the volumes (each time the list drops down, so a disc put in
// since shows up) keeps the current drive and raises nothing.
class DriveList : public QComboBox
{
    Q_OBJECT

public:
    explicit DriveList(QWidget *parent);

    // Where the volumes come from; tests give made-up drives. Reads them at once.
    void setDriveSource(std::function<QList<Drive>()> source);
    void rereadDrives();

    QList<Drive> drives() const { return m_drives; }
    Drive drive() const;
    // Selects the drive with this root, adding it when the volumes did not list it.
    void setDrive(const QString &rootPath);

    void showPopup() override;

signals:
    void driveChanged();
    // The list is about to drop down, by a click or from the keyboard: the user is at it,
    // whether or not the focus moved.
    void droppingDown();

private:
    void fill(QList<Drive> drives);
    void onCurrentIndexChanged(int index);

    std::function<QList<Drive>()> m_source;
    QList<Drive> m_drives;
    QString m_current;
    bool m_filling = false;
};

} // namespace vm::indexer
