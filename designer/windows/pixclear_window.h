// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <array>

class QCheckBox;
class QLabel;
class QPushButton;

namespace vm::design {

// "Remove Current Images?": three boxes, one per picture slot, and OK. The Design window
// answers OK; this window only holds the choice, and forgets it whenever it is shown or becomes
// the active window, so every visit starts with nothing ticked.
class PixclearWindow : public QWidget
{
    Q_OBJECT

public:
    explicit PixclearWindow(QWidget *parent = nullptr);

    // Check1 (main picture), Check2 (logo 1), Check3 (logo 2), by number.
    QCheckBox *check(int n) const { return m_checks.at(n - 1); }

signals:
    void okClicked();

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void untick();

    QLabel *Label1 = nullptr;
    std::array<QCheckBox *, 3> m_checks{};
    QPushButton *Command1 = nullptr;
};

} // namespace vm::design
