// SPDX-License-Identifier: GPL-3.0-or-later
// The instructions viewer: contents made from the manual's headings, a section chosen there
// shown at the top, and a search that goes from place to place and round again.
#include "help/help_window.h"

#include "support/test_main.h"

#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTreeWidget>

using namespace Qt::StringLiterals;
using vm::help::HelpWindow;

class HelpWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void contentsLeadToTheirSections()
    {
        HelpWindow window;
        window.show();
        auto *manual = window.findChild<QTextBrowser *>(u"Manual"_s);
        auto *contents = window.findChild<QTreeWidget *>(u"Contents"_s);
        // Sub-sections sit under their section, as in the manual built into the program.
        const auto found = contents->findItems(u"Choosing a layout"_s, Qt::MatchRecursive);
        QVERIFY(found.size() == 1 && found[0]->parent());
        QCOMPARE(found[0]->parent()->text(0), u"Making an index card"_s);
        contents->setCurrentItem(found[0]);
        QCOMPARE(manual->textCursor().block().text().trimmed(), u"Choosing a layout"_s);
        QVERIFY(manual->verticalScrollBar()->value() > 0);
        QVERIFY2(qAbs(manual->cursorRect().top()) < 40, "the heading is not at the top");
    }

    void searchGoesFromPlaceToPlaceAndRound()
    {
        HelpWindow window;
        auto *manual = window.findChild<QTextBrowser *>(u"Manual"_s);
        auto *search = window.findChild<QLineEdit *>(u"Search"_s);
        auto *state = window.findChild<QLabel *>(u"SearchState"_s);
        const int places = manual->toPlainText().count(u"landscape"_s, Qt::CaseInsensitive);
        QVERIFY(places >= 2);
        QTest::keyClicks(search, u"LANDSCAPE"_s); // case is ignored
        const int first = manual->textCursor().selectionStart();
        for (int i = 1, previous = first; i <= places; ++i) {
            QTest::keyClick(search, Qt::Key_Return);
            // On to the next place; after the last, round to the first.
            const int now = manual->textCursor().selectionStart();
            QVERIFY(i < places ? now > previous : now == first);
            QCOMPARE(manual->textCursor().selectedText().toLower(), u"landscape"_s);
            previous = now;
        }
        // Nothing found: said, and the place found last stays.
        QVERIFY(state->text().isEmpty() && !window.findNext(u"xylophone"_s));
        QCOMPARE(manual->textCursor().selectionStart(), first);
        QVERIFY(!state->text().isEmpty());
        QVERIFY(window.findNext(u"landscape"_s) && state->text().isEmpty());
    }
};
VM_TEST_CLASS(HelpWindowTest)

#include "help_window.moc"
