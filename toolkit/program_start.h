// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace vm {

// The outcome of starting a program: started, or the reason it was not, worded for the user.
struct StartResult
{
    bool started = false;
    QString error;

    explicit operator bool() const { return started; }
};

// Starts the program `name` (a bare file name, no folder) from the folder this program runs
// from, detached and without arguments, and returns at once. The current folder and PATH are
// never searched, so a file of that name elsewhere cannot be started in its place.
StartResult startProgram(const QString &name);

// The same from a given folder.
StartResult startProgramIn(const QString &folder, const QString &name);

} // namespace vm
