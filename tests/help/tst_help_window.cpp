#include "help/help_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTreeWidget>

using namespace Qt::StringLiterals;
using vm::help::HelpWindow;

namespace {

QStringList titles(const QTreeWidget *tree)
{
    QStringList all;
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget *>(tree)); *it; ++it)
        all << (*it)->text(0);
    return all;
}

QTreeWidgetItem *item(QTreeWidget *tree, const QString &title)
{
    const auto found = tree->findItems(title, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

} // namespace

class TestHelpWindow : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        window_ = std::make_unique<HelpWindow>();
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        manual_ = window_->findChild<QTextBrowser *>(QStringLiteral("Manual"));
        contents_ = window_->findChild<QTreeWidget *>(QStringLiteral("Contents"));
        search_ = window_->findChild<QLineEdit *>(QStringLiteral("Search"));
        QVERIFY(manual_ && contents_ && search_);
    }

    void cleanup() { window_.reset(); }

    void manualIsBuiltIn()
    {
        QCOMPARE(window_->windowTitle(), QStringLiteral("Vellumora Instructions"));
        const QString text = manual_->toPlainText();
        QVERIFY2(text.size() > 5000, "the manual did not load from the program's resources");
        for (const char *words : {"Minimize This Form When Checked", "Post Copyright", "Show Box",
                                  "Print Set-Up", "landscape", ".vmd"})
            QVERIFY2(text.contains(QLatin1String(words)), words);
    }

    void contentsListsTheSectionsInOrder()
    {
        const QStringList all = titles(contents_);
        QStringList expected{u"The Vellumora programs"_s, u"Starting the programs"_s,
                             u"Designing a cover"_s,      u"Saving and opening designs"_s,
                             u"Printing a cover"_s,       u"Making an index card"_s,
                             u"If something goes wrong"_s};
        QStringList topLevel;
        for (int i = 0; i < contents_->topLevelItemCount(); ++i)
            topLevel << contents_->topLevelItem(i)->text(0);
        QCOMPARE(topLevel, expected);
        // Sub-sections sit under their section.
        QTreeWidgetItem *layouts = item(contents_, QStringLiteral("Choosing a layout"));
        QVERIFY(layouts);
        QCOMPARE(layouts->parent()->text(0), QStringLiteral("Making an index card"));
        QVERIFY(all.contains(QStringLiteral("Copyright notice")));
    }

    void choosingASectionShowsIt()
    {
        QScrollBar *bar = manual_->verticalScrollBar();
        QCOMPARE(bar->value(), 0);
        QTreeWidgetItem *target = item(contents_, QStringLiteral("Saving and opening designs"));
        QVERIFY(target);
        contents_->setCurrentItem(target);
        QVERIFY(bar->value() > 0);
        // The heading is at the top of the view.
        const QRect heading = manual_->cursorRect();
        QVERIFY2(heading.top() >= 0 && heading.top() < 40,
                 qPrintable(QString::number(heading.top())));
        QCOMPARE(manual_->textCursor().block().text().trimmed(),
                 QStringLiteral("Saving and opening designs"));
    }

    void searchFindsEachPlaceInTurn()
    {
        const QString word = u"landscape"_s;
        const int places = manual_->toPlainText().count(word, Qt::CaseInsensitive);
        QVERIFY(places >= 2);

        search_->setFocus();
        QTest::keyClicks(search_, word);
        QCOMPARE(manual_->textCursor().selectedText().toLower(), word);
        const int first = manual_->textCursor().selectionStart();

        int previous = first;
        for (int i = 1; i < places; ++i) {
            QTest::keyClick(search_, Qt::Key_Return);
            QCOMPARE(manual_->textCursor().selectedText().toLower(), word);
            QVERIFY(manual_->textCursor().selectionStart() > previous);
            previous = manual_->textCursor().selectionStart();
        }
        // After the last place the search starts again at the top.
        QTest::keyClick(search_, Qt::Key_Return);
        QCOMPARE(manual_->textCursor().selectionStart(), first);
        QVERIFY(window_->findChild<QLabel *>(u"SearchState"_s)->text().isEmpty());
    }

    void searchSaysWhenNothingMatches()
    {
        QVERIFY(window_->findNext(QStringLiteral("landscape")));
        const QTextCursor before = manual_->textCursor();
        QVERIFY(!window_->findNext(QStringLiteral("xylophone")));
        QCOMPARE(manual_->textCursor().selectionStart(), before.selectionStart());
        QCOMPARE(window_->findChild<QLabel *>(QStringLiteral("SearchState"))->text(),
                 QStringLiteral("Not found"));
        QVERIFY(window_->findNext(QStringLiteral("LANDSCAPE")));
        QVERIFY(window_->findChild<QLabel *>(QStringLiteral("SearchState"))->text().isEmpty());
    }

private:
    std::unique_ptr<HelpWindow> window_;
    QTextBrowser *manual_ = nullptr;
    QTreeWidget *contents_ = nullptr;
    QLineEdit *search_ = nullptr;
};

QTEST_MAIN(TestHelpWindow)
#include "tst_help_window.moc"
