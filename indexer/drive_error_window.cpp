// SPDX-License-Identifier: GPL-3.0-or-later
#include "indexer/drive_error_window.h"

#include "toolkit/colours.h"
#include "toolkit/fonts.h"

#include <QLabel>

namespace vm::indexer {

namespace {
const QString Message =
    QStringLiteral("Drive error!  Drive does not exist or the disk is missing, blank, damaged or "
                   "otherwise unreadable  Try another disk...");
}

DriveErrorWindow::DriveErrorWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QString());
    setFixedSize(355, 125);
    QPalette white = palette();
    white.setColor(QPalette::Window, toQColor(White));
    setPalette(white);
    setAutoFillBackground(true);

    Label1 = new QLabel(Message, this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(32, 16, 281, 89);
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label1->setWordWrap(true);
    Label1->setFont(toQFont({QStringLiteral("MS Sans Serif"), 12, true}));
    QPalette red = Label1->palette();
    red.setColor(QPalette::WindowText, toQColor(0x000000FFu));
    Label1->setPalette(red);
}

} // namespace vm::indexer
