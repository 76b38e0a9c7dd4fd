// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;

namespace vm::design {

// "File Import Error": tells that a picture of an opened design could not be loaded. It stays
// until the user closes it; no controls, no reactions.
class ErrorWindow : public QWidget
{
    Q_OBJECT

public:
    explicit ErrorWindow(QWidget *parent = nullptr);

private:
    QLabel *Label1 = nullptr;
};

} // namespace vm::design
