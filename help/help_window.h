// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;

namespace vm::help {

// The instructions viewer: the suite's manual, its table of contents and a search field.
class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    explicit HelpWindow(QWidget *parent = nullptr);

    // Selects the next place after the current one where `text` occurs (case ignored),
    // starting again at the top after the last. False when the manual does not contain it.
    bool findNext(const QString &text);

private:
    void buildContents();
    void showSection(QTreeWidgetItem *item);
    void onSearchEdited(const QString &text);
    void showSearchState(bool found);

    QLineEdit *search_ = nullptr;
    QLabel *searchState_ = nullptr;
    QTreeWidget *contents_ = nullptr;
    QTextBrowser *manual_ = nullptr;
};

} // namespace vm::help
