// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace vm::test {

// A file under tests/data by its path there ("designer/sample.vmd").
QString dataFile(const QString &name);

// Whole-file reads and writes; an empty array or false when they fail.
QByteArray readAll(const QString &path);
bool writeAll(const QString &path, const QByteArray &bytes);

// Makes folders and files under `root`: "a/" is a folder, "a/b.txt" an empty file (its parents
// are made as needed). False when something could not be made.
bool makeTree(const QString &root, const QStringList &entries);

// The process's peak resident memory so far, in KiB (0 where the system does not say).
long peakKiB();

// The year of the system clock, as the programs write it.
QString currentYear();

} // namespace vm::test
