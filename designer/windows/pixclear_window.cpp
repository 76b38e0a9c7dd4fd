// SPDX-License-Identifier: GPL-3.0-or-later
#include "designer/windows/pixclear_window.h"

#include "toolkit/colours.h"
#include "toolkit/fonts.h"
#include "toolkit/numbers.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QPushButton>

namespace vm::design {

PixclearWindow::PixclearWindow(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Pixclear"));
    setWindowTitle(tr("Remove Current Images?"));
    setFont(toQFont(FontSpec{}, this));
    setFixedSize(qRound(twipsToPixels(4680)), qRound(twipsToPixels(2760)));
    // White behind the controls too: they draw no background of their own.
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
    // The captions were fitted to a narrower face; a tighter gap after the box keeps them whole.
    setStyleSheet(QStringLiteral("QCheckBox { spacing: 2px; }"));

    Label1 = new QLabel(tr("To remove an image put a check mark in one or more boxes.  Press OK.  "
                           "If you want to keep the image, leave the boxes UNCHECKED and press "
                           "OK. "),
                        this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(twipsRect(120, 120, 4335, 735));
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette red = Label1->palette();
    red.setColor(QPalette::WindowText, toQColor(rgb(0xFF, 0, 0)));
    Label1->setPalette(red);

    const std::array<QString, 3> captions{tr("Clear or Remove MainPicture"),
                                          tr("Clear or Remove Logo 1"),
                                          tr("Clear or Remove Logo 2")};
    const std::array<QRect, 3> places{twipsRect(1200, 900, 2895, 375),
                                      twipsRect(1200, 1320, 2055, 255),
                                      twipsRect(1200, 1680, 2055, 255)};
    for (int i = 0; i < 3; ++i) {
        m_checks[i] = new QCheckBox(captions[i], this);
        m_checks[i]->setObjectName(QStringLiteral("Check%1").arg(i + 1));
        m_checks[i]->setGeometry(places[i]);
    }

    Command1 = new QPushButton(tr("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(twipsRect(1920, 2160, 615, 375));
    connect(Command1, &QPushButton::clicked, this, &PixclearWindow::okClicked);
}

void PixclearWindow::untick()
{
    for (QCheckBox *box : m_checks)
        box->setChecked(false);
}

void PixclearWindow::showEvent(QShowEvent *event)
{
    // Not left to activation alone: a window manager may refuse this window the focus, and OK
    // would then clear pictures ticked on an earlier visit.
    untick();
    QWidget::showEvent(event);
}

void PixclearWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        untick();
    QWidget::changeEvent(event);
}

} // namespace vm::design
