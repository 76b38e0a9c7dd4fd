// SPDX-License-Identifier: GPL-3.0-or-later
#include "designer/windows/error_window.h"

#include "toolkit/colours.h"
#include "toolkit/fonts.h"
#include "toolkit/numbers.h"

#include <QLabel>

namespace vm::design {

ErrorWindow::ErrorWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Error"));
    setWindowTitle(tr("File Import Error"));
    setFixedSize(qRound(twipsToPixels(4380)), qRound(twipsToPixels(1680)));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    Label1 = new QLabel(tr("File Load Error!  More than likely an image file is no longer "
                           "located in the directory specified by the Vellumora file..."),
                        this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(rect().adjusted(8, 8, -8, -8));
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setFont(toQFont(FontSpec{QStringLiteral("MS Sans Serif"), 12.0f, true}, this));
    QPalette red = Label1->palette();
    red.setColor(QPalette::WindowText, toQColor(rgb(0xFF, 0, 0)));
    Label1->setPalette(red);
}

} // namespace vm::design
