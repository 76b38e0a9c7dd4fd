// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/files.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vm::test {

QString dataFile(const QString &name)
{
    return QStringLiteral(VM_TEST_DATA "/") + name;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool makeTree(const QString &root, const QStringList &entries)
{
    QDir base(root);
    for (const QString &entry : entries) {
        if (entry.endsWith(u'/')) {
            if (!base.mkpath(entry))
                return false;
            continue;
        }
        const QString parent = QFileInfo(entry).path();
        if (!parent.isEmpty() && parent != u"." && !base.mkpath(parent))
            return false;
        if (!writeAll(base.filePath(entry), {}))
            return false;
    }
    return true;
}

long peakKiB()
{
    const QList<QByteArray> lines = readAll(QStringLiteral("/proc/self/status")).split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return 0;
}

QString currentYear()
{
    return QString::number(QDate::currentDate().year());
}

} // namespace vm::test
