// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/application_id.h"

#include <QApplication>
#include <QIcon>

namespace vm {

void setUpApplication(const QString &id)
{
    QGuiApplication::setDesktopFileName(id);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(id)));
}

} // namespace vm
