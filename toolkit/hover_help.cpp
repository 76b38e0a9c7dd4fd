// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/hover_help.h"

#include <QEvent>
#include <QStatusTipEvent>
#include <QWidget>

namespace vm {

HoverHelp::HoverHelp(QWidget *captionWindow)
    : QObject(captionWindow), m_captionWindow(captionWindow)
{
}

void HoverHelp::add(QWidget *control, const QString &line)
{
    control->setStatusTip(line);
    // Status tips travel from the control up to its window, so filtering the window once
    // catches every control in it. Installing twice is harmless: Qt keeps one entry.
    control->window()->installEventFilter(this);
}

void HoverHelp::show(const QString &line)
{
    if (m_captionWindow && m_captionWindow->windowTitle() != line)
        m_captionWindow->setWindowTitle(line);
}

bool HoverHelp::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::StatusTip) {
        // Leaving a control sends an empty tip; the caption keeps the last line.
        const QString tip = static_cast<QStatusTipEvent *>(event)->tip();
        if (!tip.isEmpty())
            show(tip);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace vm
