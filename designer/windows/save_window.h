// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace vm::design {

// "Save It...?": asks whether to save before New, Open or closing throws the design away. The
// Design window answers the buttons; this window only shows the question.
class SaveWindow : public QWidget
{
    Q_OBJECT

public:
    explicit SaveWindow(QWidget *parent = nullptr);

signals:
    void yesClicked();
    void noClicked();

private:
    QLabel *Label1 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
};

} // namespace vm::design
