// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;

namespace vm::design {

// "Opening File": shown while a design file is read and applied. No controls, no reactions.
class WaitWindow : public QWidget
{
    Q_OBJECT

public:
    explicit WaitWindow(QWidget *parent = nullptr);

private:
    QLabel *Label1 = nullptr;
};

} // namespace vm::design
