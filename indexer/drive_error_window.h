// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;

namespace vm::indexer {

// `Form5`: says that a drive or disc could not be read. It has no behaviour; the user closes
// it.
class DriveErrorWindow : public QWidget
{
    Q_OBJECT

public:
    explicit DriveErrorWindow(QWidget *parent = nullptr);

private:
    QLabel *Label1;
};

} // namespace vm::indexer
