// SPDX-License-Identifier: GPL-3.0-or-later
#include "designer/windows/save_window.h"

#include "toolkit/colours.h"
#include "toolkit/fonts.h"
#include "toolkit/numbers.h"

#include <QLabel>
#include <QPushButton>

namespace vm::design {

namespace {

} // namespace

SaveWindow::SaveWindow(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Save"));
    setWindowTitle(tr("Save It...?"));
    setFont(toQFont(FontSpec{}, this));
    setFixedSize(qRound(twipsToPixels(4635)), qRound(twipsToPixels(1905)));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    Label1 = new QLabel(tr("Did you want to save your current work before opening or starting "
                           "a new project...?"),
                        this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(twipsRect(240, 0, 4095, 1215));
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setFont(toQFont(FontSpec{QStringLiteral("MS Sans Serif"), 13.5f}, this));
    QPalette red = Label1->palette();
    red.setColor(QPalette::WindowText, toQColor(rgb(0xFF, 0, 0)));
    Label1->setPalette(red);

    const QFont buttonFont = toQFont(FontSpec{QStringLiteral("MS Sans Serif"), 12.0f, true}, this);
    Command1 = new QPushButton(tr("Yes"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(twipsRect(720, 1320, 855, 375));
    Command1->setFont(buttonFont);
    Command2 = new QPushButton(tr("No"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setGeometry(twipsRect(3000, 1320, 855, 390));
    Command2->setFont(buttonFont);

    connect(Command1, &QPushButton::clicked, this, &SaveWindow::yesClicked);
    connect(Command2, &QPushButton::clicked, this, &SaveWindow::noClicked);
}

} // namespace vm::design
