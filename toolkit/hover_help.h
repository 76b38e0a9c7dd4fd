// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

namespace vm {

// Explains controls in a window's caption: while the pointer is over a control, its help line
// becomes the caption of `captionWindow`, and stays there until another line replaces it.
// The lines ride on status tips, so one filter serves every control of a window.
class HoverHelp : public QObject
{
    Q_OBJECT

public:
    explicit HoverHelp(QWidget *captionWindow);

    // Gives `control` its help line. The control must already sit in its window.
    void add(QWidget *control, const QString &line);

    // Writes a line into the caption directly (for drawn elements that are not widgets).
    void show(const QString &line);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWidget> m_captionWindow;
};

} // namespace vm
