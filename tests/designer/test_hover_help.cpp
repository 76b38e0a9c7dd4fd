// Hover help: moving the pointer over a control writes its line into the right caption, and
// the caption keeps it until another line replaces it.

// Pointer moves go to the window they name, not to whichever window lies under a global
// cursor position: the test windows overlap on the offscreen screen.
#define QTEST_QPA_MOUSE_HANDLING

#include "support/design_test_support.h"

#include "designer/windows/hover_texts.h"
#include "designer/windows/save_window.h"
#include "designer/windows/titles_window.h"
#include "toolkit/fonts.h"

#include <QPushButton>
#include <QTest>

using namespace vm;
using namespace vm::test;
using vm::design::DesignWindow;

namespace {

const QString TitleLine = QStringLiteral("Vellumora Custom CD Cover Designer");

QWidget &child(const QWidget &window, const QString &name)
{
    auto *found = window.findChild<QWidget *>(name, Qt::FindDirectChildrenOnly);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return *found;
}

// Leaves the current control first, so that the next move enters a control afresh.
void moveOver(QWidget &window, QWidget &control)
{
    QTest::mouseMove(&window, QPoint(1, 1));
    QTest::mouseMove(&control);
}

void moveOnCanvas(DesignWindow &design, QPoint point)
{
    QTest::mouseMove(&design.canvas(), point);
}

} // namespace

class HoverHelpTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutes(); }

    void designControlsExplainThemselves_data();
    void designControlsExplainThemselves();
    void canvasTextsKeepTheLastLine();
    void titlesFieldsAndBackground_data();
    void titlesFieldsAndBackground();
    void saveBackgroundWritesItsOwnCaption();
    void everyTableNamesAControl();
};

void HoverHelpTest::designControlsExplainThemselves_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("line");
    // A button and a label, the lines exactly as shown, double blanks included; that every
    // control carries its line is checked below.
    QTest::newRow("Command7") << QStringLiteral("Command7")
                              << QStringLiteral(
                                     "Prints design to paper in most ink and laser jet printers. "
                                     " Outside line is CUT zone to fit case.  Also see: Print Set "
                                     "Up.");
    QTest::newRow("Label1") << QStringLiteral("Label1")
                            << QStringLiteral("Changes the thickness of the outer box in pixels.");
}

void HoverHelpTest::designControlsExplainThemselves()
{
    QFETCH(QString, control);
    QFETCH(QString, line);
    DesignWindow design;
    design.show();
    QVERIFY(QTest::qWaitForWindowExposed(&design));

    moveOver(design, child(design, control));
    QCOMPARE(design.windowTitle(), line);
}

void HoverHelpTest::canvasTextsKeepTheLastLine()
{
    DesignWindow design;
    design.show();
    QVERIFY(QTest::qWaitForWindowExposed(&design));
    const Element &image1 = element(design, "Image1");
    const Element &shape2 = element(design, "Shape2");
    entry(design, "Text1").setText(QStringLiteral("Headline"));
    const Element &label2 = element(design, "Label2");

    // From "Print" to "CLR", then onto the main picture and the top line: the CLR line stays.
    moveOver(design, child(design, QStringLiteral("Command7")));
    QVERIFY(design.windowTitle().startsWith(QStringLiteral("Prints design")));
    moveOver(design, child(design, QStringLiteral("Command16")));
    const QString clr = design.windowTitle();
    QVERIFY(clr.startsWith(QStringLiteral("Pressing this button")));
    moveOnCanvas(design, image1.rect().center().toPoint());
    QCOMPARE(design.windowTitle(), clr);
    moveOnCanvas(design, label2.rect().center().toPoint());
    QCOMPARE(design.windowTitle(), clr);

    // The white cover, a rule, the outer box and the grey beside the panel are background.
    moveOnCanvas(design, QPoint(5, 450));
    QCOMPARE(design.windowTitle(), TitleLine);
    design.setWindowTitle(QString());
    moveOnCanvas(design, QPoint(300, 64)); // on the top rule, beside the picture
    QCOMPARE(design.windowTitle(), TitleLine);
    checkBox(design, "Check5").setChecked(true);
    design.setWindowTitle(QString());
    moveOnCanvas(design, QPoint(int(shape2.left()) + 1, 200));
    QCOMPARE(design.windowTitle(), TitleLine);
    design.setWindowTitle(QString());
    moveOnCanvas(design, QPoint(500, 300));
    QCOMPARE(design.windowTitle(), TitleLine);
}

void HoverHelpTest::titlesFieldsAndBackground_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("line");
    const QString song =
        QStringLiteral("Enter your CD song titles or features of your software, etc.");
    QTest::newRow("Text1") << 1 << song;
    QTest::newRow("Text15") << 15 << song;
    QTest::newRow("Text21") << 21
                            << QStringLiteral("Enter publisher name, etc., in this place.  "
                                              "Option to show as small font.");
    QTest::newRow("Text24") << 24
                            << QStringLiteral("Enter misc. information here (you can show this "
                                              "as small or normal size).");
}

void HoverHelpTest::titlesFieldsAndBackground()
{
    QFETCH(int, field);
    QFETCH(QString, line);
    DesignWindow design;
    design.show();
    design.findChild<QPushButton *>(QStringLiteral("Command14"))->click();
    design::TitlesWindow &titles = *design.titlesWindow();
    QVERIFY(QTest::qWaitForWindowExposed(&titles));

    // A field speaks into the editor's own caption.
    moveOver(titles, *titles.field(field));
    QCOMPARE(titles.windowTitle(), line);

    // A field without a line leaves it as it is.
    moveOver(titles, *titles.field(5));
    QCOMPARE(titles.windowTitle(), line);

    // The editor's background speaks into the Design caption.
    design.setWindowTitle(QString());
    QTest::mouseMove(&titles, QPoint(titles.width() - 3, titles.height() - 3));
    QCOMPARE(design.windowTitle(), QStringLiteral("List of Titles"));
    QCOMPARE(titles.windowTitle(), line);
}

void HoverHelpTest::saveBackgroundWritesItsOwnCaption()
{
    DesignWindow design;
    design.show();
    design.findChild<QPushButton *>(QStringLiteral("Command4"))->click();
    design.findChild<QPushButton *>(QStringLiteral("Command4"))->click(); // now it asks
    design::SaveWindow *question = design.saveWindow();
    QVERIFY(question);
    QVERIFY(QTest::qWaitForWindowExposed(question));
    question->setWindowTitle(QStringLiteral("something else"));
    QTest::mouseMove(question, QPoint(question->width() - 3, question->height() - 3));
    QCOMPARE(question->windowTitle(), QStringLiteral("Save It...?"));
    QCOMPARE(design.windowTitle(), QString());
}

void HoverHelpTest::everyTableNamesAControl()
{
    // A misspelt name would leave its control silent.
    DesignWindow design;
    for (const design::HoverText &text : design::designHoverTexts()) {
        QWidget &control = child(design, QLatin1String(text.control));
        QCOMPARE(control.statusTip(), design::hoverLine(text));
    }
    QCOMPARE(design::designHoverTexts().size(), std::size_t(56));
    design.findChild<QPushButton *>(QStringLiteral("Command14"))->click();
    for (const design::HoverText &text : design::titlesHoverTexts())
        QVERIFY(!child(*design.titlesWindow(), QLatin1String(text.control)).statusTip().isEmpty());
    QCOMPARE(design::titlesHoverTexts().size(), std::size_t(11));
}

QTEST_MAIN(HoverHelpTest)
#include "test_hover_help.moc"
