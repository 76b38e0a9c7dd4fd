// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;

namespace vm::indexer {

// `Form3`: the quick-help card. It has no behaviour; the user closes it.
class HelpCard : public QWidget
{
    Q_OBJECT

public:
    explicit HelpCard(QWidget *parent = nullptr);

private:
    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label3;
    QLabel *Label4;
    QLabel *Label5;
};

} // namespace vm::indexer
