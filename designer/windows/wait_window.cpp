// SPDX-License-Identifier: GPL-3.0-or-later
#include "designer/windows/wait_window.h"

#include "toolkit/colours.h"
#include "toolkit/fonts.h"
#include "toolkit/numbers.h"

#include <QLabel>

namespace vm::design {

WaitWindow::WaitWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Wait"));
    setWindowTitle(tr("Opening File"));
    setFixedSize(qRound(twipsToPixels(2715)), qRound(twipsToPixels(555)));

    Label1 = new QLabel(tr("Wait...."), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(rect());
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setFont(toQFont(FontSpec{QStringLiteral("MS Sans Serif"), 18.0f, true}, this));
    QPalette red = Label1->palette();
    red.setColor(QPalette::WindowText, toQColor(rgb(0xFF, 0, 0)));
    Label1->setPalette(red);
}

} // namespace vm::design
