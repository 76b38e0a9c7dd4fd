// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMessageBox>
#include <QPointer>

namespace vm {

// A message beside `parent`, not modal, like every message of the programs: the window stays
// usable and nothing waits for the answer. `box` is the one box of its kind, made on first use
// and reused while the user has not closed it; `name` is its object name.
void showMessage(QPointer<QMessageBox> &box, QWidget *parent, const QString &title,
                 const QString &name, QMessageBox::Icon icon, const QString &text);

} // namespace vm
