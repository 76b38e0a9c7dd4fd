// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPushButton>

namespace vm::launcher {

// A push button whose caption wraps onto several lines and stays centred, for the launcher's
// large square start buttons. text() is the caption exactly as given.
class WrappingButton : public QPushButton
{
    Q_OBJECT

public:
    explicit WrappingButton(const QString &text, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace vm::launcher
