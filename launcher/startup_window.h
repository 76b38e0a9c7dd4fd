// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolkit/program_start.h"
#include "toolkit/single_instance.h"

#include <QWidget>

#include <functional>

class QCheckBox;
class QLabel;
class QMessageBox;
class QPushButton;

namespace vm::launcher {

class WrappingButton;

// The launcher window: checks that the desktop is wide enough for the working programs and
// starts them, or the instructions, by name.
class StartupWindow : public QWidget
{
    Q_OBJECT

public:
    // What the window asks of the system. An empty member means the real operation.
    struct Platform
    {
        std::function<int()> workAreaWidthTwips;
        std::function<StartResult(const QString &name)> startProgram;
    };

    explicit StartupWindow(Platform platform = {}, QWidget *parent = nullptr);

private:
    void build();
    void onLoad();
    void onCommand1Clicked();
    void onCommand2Clicked();
    void onCommand3Clicked();
    void start(const QString &name, const QString &role);
    void showStartFailure(const QString &name, const QString &role, const QString &reason);

    Platform platform_;

    QLabel *Image1 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label4 = nullptr;
    WrappingButton *Command1 = nullptr;
    WrappingButton *Command2 = nullptr;
    QPushButton *Command3 = nullptr;
    QCheckBox *Check1 = nullptr;

    SingleInstance<QMessageBox> startFailure_;
};

} // namespace vm::launcher
