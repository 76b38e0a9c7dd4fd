// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/program_start.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace vm {

namespace {

StartResult failed(const QString &reason)
{
    return {false, reason};
}

} // namespace

StartResult startProgram(const QString &name)
{
    return startProgramIn(QCoreApplication::applicationDirPath(), name);
}

StartResult startProgramIn(const QString &folder, const QString &name)
{
    // A name with a folder part could reach outside `folder`.
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name == QLatin1String(".") ||
        name == QLatin1String(".."))
        return failed(QStringLiteral("\"%1\" is not the name of a program.").arg(name));

    const QString path = QDir(folder).absoluteFilePath(name);
    const QFileInfo info(path);
    if (!info.exists())
        return failed(QStringLiteral("There is no program named %1 in %2.")
                          .arg(name, QDir::toNativeSeparators(QDir(folder).absolutePath())));
    if (info.isDir())
        return failed(
            QStringLiteral("%1 is a folder, not a program.").arg(QDir::toNativeSeparators(path)));
    if (!info.isExecutable())
        return failed(
            QStringLiteral("%1 is not marked as executable.").arg(QDir::toNativeSeparators(path)));

    QProcess process;
    process.setProgram(path);
    // The started program inherits the current folder and environment, as from a shell.
    if (!process.startDetached())
        return failed(QStringLiteral("The system could not run %1 (%2).")
                          .arg(QDir::toNativeSeparators(path), process.errorString()));
    return {true, {}};
}

} // namespace vm
