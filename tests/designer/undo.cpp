// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and redo in the designer: each kind of change goes back and forth exactly, typing is one
// step per visit to a field, and going back opens no dialog and leaves the save question alone.

// Pointer moves go to the window they name (the test windows overlap offscreen).
#define QTEST_QPA_MOUSE_HANDLING

#include "support/design_fixture.h"
#include "support/drops.h"
#include "support/test_main.h"

#include "designer/document/undo_history.h"
#include "designer/windows/pixclear_window.h"
#include "designer/windows/titles_window.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

using namespace vm;
using namespace vm::test;
using namespace Qt::StringLiterals;
using vm::design::DesignWindow;

namespace {

// What the user has: the file Save would write, and the cover as drawn.
using Look = std::pair<QByteArray, QImage>;
Look look(DesignWindow &design)
{
    QCoreApplication::processEvents();
    return {design::encodeDesign(design.fileValues()),
            design.canvas().render(design.canvas().rect())};
}

struct Scene
{
    DesignWindow &design;
    ScriptedDialogs &dialogs;
    QString picture;
};
void type(Scene &s, const char *field, const QString &text)
{
    QTest::keyClicks(&entry(s.design, field), text);
}
void choosePicture(Scene &s)
{
    s.dialogs.chosenFile = s.picture;
    click(s.design, "Command8");
}
void styleWith(Scene &s, const char *button, void (*choose)(CommonDialog &))
{
    s.dialogs.chooseStyle = choose;
    click(s.design, button);
}

const struct
{
    const char *name;
    void (*setup)(Scene &), (*step)(Scene &);
} Cases[] = {
    {"typing a size", nullptr, [](Scene &s) { type(s, "Text7", u"0"_s); }},
    {"check box", nullptr, [](Scene &s) { checkBox(s.design, "Check9").click(); }},
    {"cover option", nullptr, [](Scene &s) { option(s.design, "Option4").click(); }},
    {"centring off, line typed", [](Scene &s) { checkBox(s.design, "Check13").click(); },
     [](Scene &s) { type(s, "Text1", u"Left"_s); }},
    {"font", [](Scene &s) { type(s, "Text1", u"Top"_s); },
     [](Scene &s) { styleWith(s, "Command5", [](CommonDialog &d) { d.fontSize = 20; }); }},
    {"colour", nullptr,
     [](Scene &s) { styleWith(s, "Command3", [](CommonDialog &d) { d.color = 0xFF; }); }},
    {"picture chosen", nullptr, choosePicture},
    {"picture dropped", nullptr,
     [](Scene &s) { dropFiles(s.design, QPoint(200, 200), {s.picture}); }},
    {"picture cleared, file gone", choosePicture,
     [](Scene &s) {
         click(s.design, "Command16");
         QFile::remove(s.picture);
         for (QWidget *window : QApplication::topLevelWidgets()) {
             if (auto *pixclear = qobject_cast<design::PixclearWindow *>(window)) {
                 pixclear->check(1)->setChecked(true);
                 click(*pixclear, "Command1");
             }
         }
     }},
    {"list of titles", [](Scene &s) { click(s.design, "Command14"); },
     [](Scene &s) { QTest::keyClicks(s.design.titlesWindow()->field(3), u"Track"_s); }},
    {"open", [](Scene &s) { saveFile(s.design, s.picture + u".vmd"_s); },
     [](Scene &s) {
         writeAll(s.picture + u".vmd"_s, withLine(readAll(s.picture + u".vmd"_s), 1, "Opened"));
         openFile(s.design, s.picture + u".vmd"_s);
     }},
    {"new", [](Scene &s) { type(s, "Text2", u"Old"_s); },
     [](Scene &s) { click(s.design, "Command4"); }},
};

} // namespace

class UndoTest : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data()
    {
        QTest::addColumn<int>("n");
        for (int n = 0; n < int(std::size(Cases)); ++n)
            QTest::newRow(Cases[n].name) << n;
    }

    // Going back and forth opens no window and leaves the save question and the file alone.
    void roundTrip()
    {
        QFETCH(int, n);
        QTemporaryDir dir;
        QImage red(40, 30, QImage::Format_RGB32);
        red.fill(Qt::red);
        QVERIFY(red.save(dir.filePath(u"red.bmp"_s)));
        DesignWindow design;
        Scene s{design, scriptDialogs(design.commonDialog()), dir.filePath(u"red.bmp"_s)};
        design::UndoHistory &history = design.undoHistory();
        if (Cases[n].setup)
            Cases[n].setup(s);
        history.closeTyping();
        const Look before = look(design);
        const int steps = history.count();
        Cases[n].step(s);
        history.closeTyping();
        const Look after = look(design);
        const auto asked = [&] {
            return std::tuple{design.shared().SavePromptArmed, design.designFileName(),
                              QApplication::topLevelWidgets().count()};
        };
        const auto question = asked();
        const ScriptedDialogs &dialogs = scriptDialogs(design.commonDialog());
        QVERIFY(after != before);
        QCOMPARE(history.count(), steps + 1);
        history.undo();
        QVERIFY(look(design) == before);
        QVERIFY(asked() == question);
        history.redo();
        QVERIFY(look(design) == after);
        QVERIFY(asked() == question);
        QCOMPARE(dialogs.files + dialogs.fonts + dialogs.colours, 0);
    }

    void hundredSteps()
    {
        DesignWindow design;
        design::UndoHistory &history = design.undoHistory();
        QLineEdit &text1 = entry(design, "Text1");
        for (int i = 0; i < 100; ++i)
            QTest::keyClicks(&text1, u"x"_s), history.closeTyping();
        for (int i = 0; i <= 100; ++i) // one more than there are: nothing happens
            history.undo();
        QCOMPARE(text1.text(), QString());
        for (int i = 0; i < 100; ++i)
            history.redo();
        QCOMPARE(text1.text(), QString(100, u'x'));
    }

    // The focus leaving a field or another command closes the step; typing that ends where it
    // began is no step; the keys undo the design, not the field's own text.
    void typingAndKeys()
    {
        DesignWindow design;
        design.show();
        QVERIFY(QTest::qWaitForWindowActive(&design));
        design::UndoHistory &history = design.undoHistory();
        QLineEdit &text1 = entry(design, "Text1"), &text2 = entry(design, "Text2");
        auto visit = [](QLineEdit &field, const QString &text) {
            field.setFocus();
            QTest::keyClicks(&field, text);
        };
        visit(text1, u"ab"_s);
        visit(text2, u"cd"_s);
        visit(text1, u"e"_s);
        checkBox(design, "Check3").click();
        QCOMPARE(history.count(), 4);
        QTest::keySequence(&text1, QKeySequence::Undo);
        QVERIFY(text1.text() == u"abe"_s && !checkBox(design, "Check3").isChecked());
        QTest::keySequence(&text1, QKeySequence(Qt::CTRL | Qt::Key_Z));
        QTest::keySequence(&text1, QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(text1.text() + text2.text(), u"ab"_s);
        visit(text1, u"z\b"_s);
        text2.setFocus();
        QCOMPARE(history.count(), 4);
        QTest::keySequence(&text1, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
        QTest::keySequence(&text1, QKeySequence(Qt::CTRL | Qt::Key_Y));
        QCOMPARE(history.index(), 3);
        QCOMPARE(text1.text(), u"abe"_s);
        // In the title editor too.
        click(design, "Command14");
        design::TitlesWindow &titles = *design.titlesWindow();
        QVERIFY(QTest::qWaitForWindowActive(&titles));
        QTest::keySequence(titles.field(1), QKeySequence::Undo);
        QCOMPARE(history.index(), 2);
    }
};
VM_TEST_CLASS(UndoTest)

#include "undo.moc"
