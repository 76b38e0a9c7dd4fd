// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/help_window.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QShortcut>
#include <QSplitter>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vm::help {

namespace {

const QString Caption = QStringLiteral("Vellumora Instructions");
const QString SearchHint = QStringLiteral("Search the instructions");
const QString NotFound = QStringLiteral("Not found");
const QString ManualResource = QStringLiteral(":/help/manual.html");

// Where a contents entry leads: the position of its heading in the document.
constexpr int PositionRole = Qt::UserRole;

} // namespace

HelpWindow::HelpWindow(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(Caption);
    setWindowIcon(QIcon(QStringLiteral(":/help/vmhelp.svg")));
    resize(820, 600);

    search_ = new QLineEdit(this);
    search_->setObjectName(QStringLiteral("Search"));
    search_->setPlaceholderText(SearchHint);
    search_->setClearButtonEnabled(true);

    searchState_ = new QLabel(this);
    searchState_->setObjectName(QStringLiteral("SearchState"));
    searchState_->hide();

    contents_ = new QTreeWidget(this);
    contents_->setObjectName(QStringLiteral("Contents"));
    contents_->setHeaderHidden(true);
    contents_->setRootIsDecorated(false);
    contents_->setIndentation(14);

    manual_ = new QTextBrowser(this);
    manual_->setObjectName(QStringLiteral("Manual"));
    manual_->setOpenExternalLinks(true);
    QFile file(ManualResource);
    if (file.open(QIODevice::ReadOnly))
        manual_->setHtml(QString::fromUtf8(file.readAll()));

    auto *side = new QWidget(this);
    auto *sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    sideLayout->addWidget(search_);
    sideLayout->addWidget(searchState_);
    sideLayout->addWidget(contents_, 1);

    auto *splitter = new QSplitter(this);
    splitter->addWidget(side);
    splitter->addWidget(manual_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({230, 590});

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(splitter);

    buildContents();

    connect(contents_, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *item) { showSection(item); });
    connect(contents_, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem *item) { showSection(item); });
    connect(search_, &QLineEdit::textChanged, this, &HelpWindow::onSearchEdited);
    connect(search_, &QLineEdit::returnPressed, this, [this] { findNext(search_->text()); });

    auto *focusSearch = new QShortcut(QKeySequence::Find, this);
    connect(focusSearch, &QShortcut::activated, this, [this] {
        search_->setFocus();
        search_->selectAll();
    });
    auto *again = new QShortcut(QKeySequence::FindNext, this);
    connect(again, &QShortcut::activated, this, [this] { findNext(search_->text()); });

    search_->setFocus();
}

void HelpWindow::buildContents()
{
    // The manual's own headings make the contents, so the two cannot disagree.
    QTreeWidgetItem *section = nullptr;
    for (QTextBlock block = manual_->document()->begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level < 2 || level > 3)
            continue;
        const QString title = block.text().simplified();
        QTreeWidgetItem *item =
            (level == 3 && section) ? new QTreeWidgetItem(section) : new QTreeWidgetItem(contents_);
        item->setText(0, title);
        item->setData(0, PositionRole, block.position());
        if (level == 2)
            section = item;
    }
    contents_->expandAll();
}

void HelpWindow::showSection(QTreeWidgetItem *item)
{
    if (!item)
        return;
    const QTextBlock block = manual_->document()->findBlock(item->data(0, PositionRole).toInt());
    // The cursor moves too, so a search goes on from the section shown.
    QTextCursor cursor(block);
    manual_->setTextCursor(cursor);
    const QRectF where = manual_->document()->documentLayout()->blockBoundingRect(block);
    manual_->verticalScrollBar()->setValue(int(where.top()));
}

bool HelpWindow::findNext(const QString &text)
{
    if (text.isEmpty()) {
        showSearchState(true);
        return false;
    }
    bool found = manual_->find(text);
    if (!found) {
        // Past the last place: go round to the top once.
        const QTextCursor kept = manual_->textCursor();
        manual_->moveCursor(QTextCursor::Start);
        found = manual_->find(text);
        if (!found)
            manual_->setTextCursor(kept);
    }
    showSearchState(found);
    return found;
}

void HelpWindow::onSearchEdited(const QString &text)
{
    // Typing refines the current match: search again from where it starts.
    QTextCursor cursor = manual_->textCursor();
    cursor.setPosition(cursor.selectionStart());
    manual_->setTextCursor(cursor);
    if (text.isEmpty()) {
        showSearchState(true);
        return;
    }
    findNext(text);
}

void HelpWindow::showSearchState(bool found)
{
    searchState_->setText(found ? QString() : NotFound);
    searchState_->setVisible(!found);
    if (found) {
        search_->setPalette(QPalette());
        return;
    }
    QPalette missing = search_->palette();
    missing.setColor(QPalette::Base, QColor(0xFF, 0xE4, 0xE1));
    search_->setPalette(missing);
}

} // namespace vm::help
