// The designer's other windows: the title editor, the picture slots with the window that
// clears them, and hover help in the captions.

// Pointer moves go to the window they name, not to whichever window lies under a global
// cursor position: the test windows overlap on the offscreen screen.
#define QTEST_QPA_MOUSE_HANDLING

#include "support/design_fixture.h"
#include "support/test_main.h"

#include "designer/windows/hover_texts.h"
#include "designer/windows/pixclear_window.h"
#include "designer/windows/save_window.h"
#include "designer/windows/titles_window.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

using namespace vm;
using namespace vm::test;
using namespace Qt::StringLiterals;
using vm::design::DesignWindow;
using vm::design::PixclearWindow;
using vm::design::TitlesWindow;

namespace {

TitlesWindow &openEditor(DesignWindow &design)
{
    click(design, "Command14");
    return *design.titlesWindow();
}

PixclearWindow *pixclearWindow()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *pixclear = qobject_cast<PixclearWindow *>(window))
            return pixclear;
    }
    return nullptr;
}

// A picture of one colour, saved under `dir`.
QString picture(const QTemporaryDir &dir, const char *name, QSize size = {4, 4})
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::red);
    const QString path = dir.filePath(QString::fromLatin1(name));
    return image.save(path) ? path : QString();
}

QString hoverLine(const char *control)
{
    for (const auto &text : design::designHoverTexts()) {
        if (qstrcmp(text.control, control) == 0)
            return design::hoverLine(text);
    }
    return {};
}

// Leaves the current control first, so that the next move enters a control afresh.
void moveOver(QWidget &window, const char *name)
{
    QTest::mouseMove(&window, QPoint(1, 1));
    QTest::mouseMove(&control<QWidget>(window, name));
}

} // namespace

class TitlesTest : public QObject
{
    Q_OBJECT

private slots:
    void fieldsWriteThroughToTheAreas()
    {
        DesignWindow design;
        design.titleArea(3).setCaption(u"From a file"_s);
        QPointer<TitlesWindow> titles = &openEditor(design);
        QVERIFY(titles->isVisible());
        QCOMPARE(titles->field(3)->text(), u"From a file"_s);
        QTest::keyClicks(titles->field(7), u"Ab"_s);
        QCOMPARE(element(design, "Label10").caption(), u"Ab"_s);
        for (int n = 1; n <= TitlesWindow::FieldCount; ++n)
            titles->field(n)->setText(u"Title %1"_s.arg(n));
        for (int n = 1; n <= TitlesWindow::FieldCount; ++n)
            QCOMPARE(design.titleArea(n).caption(), u"Title %1"_s.arg(n));
        // A closed editor is made anew and filled from the cover again.
        titles->close();
        QTRY_VERIFY(!titles);
        QCOMPARE(openEditor(design).field(24)->text(), u"Title 24"_s);
    }

    void enterMovesDownOrAcross()
    {
        // From field n, down or across (the two columns side by side): the field Enter
        // moves to, 0 for none.
        const int rows[][3] = {{1, 1, 11},  {10, 1, 20}, {11, 1, 2},  {19, 1, 10},
                               {20, 1, 21}, {1, 0, 2},   {10, 0, 11}, {20, 0, 21},
                               {23, 1, 24}, {24, 1, 0},  {24, 0, 0}};
        for (const auto &[n, across, next] : rows)
            QCOMPARE(TitlesWindow::enterTarget(n, across), next);
        // Enter moves the focus there and types nothing; in the last field it goes nowhere.
        DesignWindow design;
        TitlesWindow &titles = openEditor(design);
        control<QCheckBox>(titles, "Check1").setChecked(true);
        titles.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&titles));
        for (const auto &[from, to] : {std::pair{10, 20}, {24, 24}}) {
            titles.field(from)->setFocus();
            QTest::keyClick(titles.field(from), Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), titles.field(to));
            QCOMPARE(titles.field(from)->text(), QString());
        }
    }

    void showTitlesHidesAndShowsAll()
    {
        DesignWindow design;
        for (int n = 1; n <= DesignWindow::TitleAreaCount; ++n)
            design.titleArea(n).setCaption(u"Title"_s);
        for (bool shown : {true, false, true}) {
            checkBox(design, "Check7").setChecked(shown);
            for (int n = 1; n <= DesignWindow::TitleAreaCount; ++n)
                QVERIFY(design.titleArea(n).isVisible() == shown &&
                        design.titleArea(n).caption() == u"Title");
        }
    }
};

VM_TEST_CLASS(TitlesTest)

class PicturesTest : public QObject
{
    Q_OBJECT

private slots:
    void buttonsFillTheirSlots()
    {
        QTemporaryDir dir;
        const QString red = picture(dir, "red.bmp"), notes = dir.filePath(u"notes.jpg"_s);
        QVERIFY(writeAll(notes, "not a picture at all"));
        const char *const buttons[][3] = {{"Command8", "Image1", "PIXFLN"},
                                          {"Command9", "Image2", "Label30"},
                                          {"Command12", "Image3", "LOGO2FLN"}};
        for (const auto &[button, box, path] : buttons) {
            DesignWindow design;
            ScriptedDialogs &dialogs = scriptDialogs(design.commonDialog());
            dialogs.chosenFile = red;
            click(design, button);
            QCOMPARE(dialogs.filter, u"Image Files|*.jpg;*.gif;*.bmp"_s);
            QCOMPARE(labelText(design, path), red);
            for (const char *other : {"Image1", "Image2", "Image3"})
                QCOMPARE(element(design, other).picture().isNull(), qstrcmp(box, other) != 0);
            // Not a picture: the label names it, the slot keeps its picture. Cancelled:
            // nothing changes.
            for (const QString &chosen : {notes, QString()}) {
                dialogs.chosenFile = chosen;
                click(design, button);
                QCOMPARE(labelText(design, path), notes);
                QCOMPARE(element(design, box).picture().pixelColor(0, 0), QColor(Qt::red));
            }
        }
    }

    void mainPictureIsCentred()
    {
        QTemporaryDir dir;
        for (const auto &[back, left] : {std::pair{false, 78.0f}, {true, 109.5f}}) {
            DesignWindow design;
            option(design, back ? "Option4" : "Option1").setChecked(true);
            // A 300 x 200 box away from the centre; its size fields still say 393 x 289.
            Element &image1 = element(design, "Image1");
            image1.setGeometry(0, 0, 300, 200);
            ScriptedDialogs &dialogs = scriptDialogs(design.commonDialog());
            dialogs.chosenFile = picture(dir, "main.bmp", {60, 40});
            click(design, "Command8");
            QCOMPARE(image1.rect(), QRectF(left, 128, 300, 200));
            QCOMPARE(entry(design, "Text7").text(), u"393"_s);
            // A failed load leaves the box where it was.
            image1.setLeft(5);
            dialogs.chosenFile = dir.filePath(u"gone.bmp"_s);
            click(design, "Command8");
            QCOMPARE(image1.left(), 5.0f);
        }
    }

    void growingBoxDecodesMoreDetail()
    {
        // A photo decodes at the detail its box needs at 600 dpi: 393 x 289 pixels need
        // 2457 x 1807, which five eighths of 4000 x 3000 give.
        QTemporaryDir dir;
        const QString path = picture(dir, "photo.jpg", {4000, 3000});
        DesignWindow design;
        scriptDialogs(design.commonDialog()).chosenFile = path;
        click(design, "Command8");
        const Element &image1 = element(design, "Image1");
        QCOMPARE(image1.picture().size(), QSize(2500, 1875));
        // A smaller box keeps what it has; a wider one decodes again; with the file gone, the
        // picture stays as it was.
        entry(design, "Text7").setText(u"200"_s);
        QCOMPARE(image1.picture().size(), QSize(2500, 1875));
        entry(design, "Text7").setText(u"600"_s);
        QCOMPARE(image1.picture().size(), QSize(4000, 3000));
        QVERIFY(QFile::remove(path));
        entry(design, "Text8").setText(u"456"_s);
        QCOMPARE(image1.picture().size(), QSize(4000, 3000));
    }

    void clearingWindow()
    {
        QTemporaryDir dir;
        DesignWindow design;
        scriptDialogs(design.commonDialog()).chosenFile = picture(dir, "all.bmp");
        for (const char *button : {"Command8", "Command9", "Command12"})
            click(design, button);
        Element &image1 = element(design, "Image1");
        image1.setLeft(7);
        auto filled = [&] {
            QList<bool> result;
            for (const auto &[box, path] :
                 {std::pair{"Image1", "PIXFLN"}, {"Image2", "Label30"}, {"Image3", "LOGO2FLN"}})
                result << (!element(design, box).picture().isNull() &&
                           !labelText(design, path).isEmpty());
            return result;
        };
        // Only the slots ticked are emptied; the window hides, and the next "CLR" shows the
        // same one again.
        click(design, "Command16");
        PixclearWindow *pixclear = pixclearWindow();
        QVERIFY(pixclear && pixclear->isVisible());
        pixclear->check(3)->setChecked(true);
        click(*pixclear, "Command1");
        QVERIFY(!pixclear->isVisible());
        QCOMPARE(filled(), (QList{true, true, false}));
        click(design, "Command16");
        QCOMPARE(pixclearWindow(), pixclear);
        pixclear->check(1)->setChecked(true);
        click(*pixclear, "Command1");
        QCOMPARE(filled(), (QList{false, true, false}));
        QCOMPARE(image1.rect(), QRectF(7, 83.5, 393, 289)); // the box stays as it was
    }

    void clearingWindowUnticksWhenActivated()
    {
        DesignWindow design;
        design.show();
        QVERIFY(QTest::qWaitForWindowExposed(&design));
        click(design, "Command16");
        PixclearWindow *pixclear = pixclearWindow();
        QVERIFY(QTest::qWaitForWindowActive(pixclear));
        for (int n = 1; n <= 3; ++n)
            pixclear->check(n)->setChecked(true);
        design.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&design));
        QVERIFY(pixclear->check(2)->isChecked()); // kept while another window is active
        pixclear->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(pixclear));
        for (int n = 1; n <= 3; ++n)
            QVERIFY(!pixclear->check(n)->isChecked());
    }
};

VM_TEST_CLASS(PicturesTest)

class HoverHelpTest : public QObject
{
    Q_OBJECT

private slots:
    void everyLineReachesItsControl()
    {
        // A misspelt name would leave its control silent.
        DesignWindow design;
        for (const auto &text : design::designHoverTexts())
            QCOMPARE(control<QWidget>(design, text.control).statusTip(), design::hoverLine(text));
        TitlesWindow &titles = openEditor(design);
        for (const auto &text : design::titlesHoverTexts())
            QCOMPARE(control<QWidget>(titles, text.control).statusTip(), design::hoverLine(text));
    }

    void designCaption()
    {
        DesignWindow design;
        design.show();
        QVERIFY(QTest::qWaitForWindowExposed(&design));
        QCOMPARE(design.windowTitle(), QString());
        entry(design, "Text1").setText(u"Headline"_s);
        // From "Print" to "CLR", then onto the main picture and the top line: the CLR line
        // stays, since texts and pictures have no line of their own.
        moveOver(design, "Command7");
        QCOMPARE(design.windowTitle(), hoverLine("Command7"));
        moveOver(design, "Command16");
        for (const char *name : {"Image1", "Label2"}) {
            QTest::mouseMove(&design.canvas(), element(design, name).rect().center().toPoint());
            QCOMPARE(design.windowTitle(), hoverLine("Command16"));
        }
        // The white cover, a rule, the outer box and the grey beside the panel are background.
        checkBox(design, "Check5").setChecked(true);
        for (const QPoint &at :
             {QPoint(5, 450), QPoint(300, 64), QPoint(7, 200), QPoint(500, 300)}) {
            design.setWindowTitle(QString());
            QTest::mouseMove(&design.canvas(), at);
            QCOMPARE(design.windowTitle(), design::designTitleLine());
        }
    }

    void titlesAndSaveCaptions()
    {
        DesignWindow design;
        design.show();
        TitlesWindow &titles = openEditor(design);
        QVERIFY(QTest::qWaitForWindowExposed(&titles));
        // A field speaks into the editor's own caption; a field without a line leaves it.
        moveOver(titles, "Text21");
        const QString line = titles.field(21)->statusTip();
        QCOMPARE(titles.windowTitle(), line);
        moveOver(titles, "Text5");
        QCOMPARE(titles.windowTitle(), line);
        // The editor's background speaks into the Design caption.
        QTest::mouseMove(&titles, QPoint(titles.width() - 3, titles.height() - 3));
        QCOMPARE(design.windowTitle(), design::titlesBackgroundText());
        QCOMPARE(titles.windowTitle(), line);
        // The save question's background writes its own caption.
        click(design, "Command4");
        click(design, "Command4"); // now it asks
        design::SaveWindow *question = design.saveWindow();
        QVERIFY(QTest::qWaitForWindowExposed(question));
        question->setWindowTitle(QString());
        QTest::mouseMove(question, QPoint(question->width() - 3, question->height() - 3));
        QCOMPARE(question->windowTitle(), design::saveBackgroundText());
        QCOMPARE(design.windowTitle(), design::titlesBackgroundText());
    }
};

VM_TEST_CLASS(HoverHelpTest)
#include "windows.moc"
