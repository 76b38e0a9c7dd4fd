// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

namespace vm::design {

// What Open has to tell while it reads and applies a design file. The Design window shows it
// in its windows (the Wait window, the Error window, a message); a program without windows
// writes it as lines instead. Either way the reading and applying are the same.
class OpenReport
{
public:
    virtual ~OpenReport() = default;
    // Before the file is read.
    virtual void reading() {}
    // The file could not be read; the design is as it was.
    virtual void unreadable(const QString &path, const QString &reason) = 0;
    // A picture of the design could not be loaded: the recovery applies the rest without it.
    virtual void pictureFailed(const QString &picture, const QString &reason) = 0;
    // The design is applied; `rejectedLines` were left empty.
    virtual void opened(const QList<int> &rejectedLines) = 0;
};

} // namespace vm::design
