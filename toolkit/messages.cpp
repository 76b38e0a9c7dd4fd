// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/messages.h"

namespace vm {

void showMessage(QPointer<QMessageBox> &box, QWidget *parent, const QString &title,
                 const QString &name, QMessageBox::Icon icon, const QString &text)
{
    if (!box) {
        box = new QMessageBox(icon, title, QString(), QMessageBox::Ok, parent);
        box->setWindowModality(Qt::NonModal);
        box->setAttribute(Qt::WA_DeleteOnClose);
    }
    box->setObjectName(name);
    box->setIcon(icon);
    box->setText(text);
    box->show();
}

} // namespace vm
