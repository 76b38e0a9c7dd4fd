// The Design window as it starts, New, and the save question in front of New and closing.

#include "support/design_test_support.h"

#include "designer/windows/save_window.h"
#include "designer/windows/titles_window.h"
#include "toolkit/fonts.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace vm;
using namespace vm::test;
using vm::design::Action;
using vm::design::DesignWindow;

class DesignDocumentTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutes(); }

    void startUpState();
    void startUpPanelPlaces_data();
    void startUpPanelPlaces();
    void startUpImage();

    void newResetsTheDesign();
    void newKeepsLayoutAndPlaces();
    void saveQuestionBeforeNew();
    void saveQuestionAnswers();
    void saveQuestionBeforeClosing();
};

void DesignDocumentTest::startUpState()
{
    DesignWindow design;
    QCOMPARE(design.size(), QSize(754, 487));
    QCOMPARE(design.windowTitle(), QString());

    // Entries as the start-up sequence fills them.
    const std::pair<const char *, QString> entries[] = {{"Text5", QStringLiteral("8")},
                                                        {"Text6", QStringLiteral("104")},
                                                        {"Text7", QStringLiteral("393")},
                                                        {"Text8", QStringLiteral("289")},
                                                        {"Text4", QStringLiteral("408")},
                                                        {"Text9", QStringLiteral("96")},
                                                        {"Text3", QStringLiteral("4")},
                                                        {"Text10", QStringLiteral("2")},
                                                        {"Text11", currentYear()},
                                                        {"Text1", QString()},
                                                        {"Text2", QString()},
                                                        {"Text12", QString()}};
    for (const auto &[name, text] : entries)
        QVERIFY2(entry(design, name).text() == text, name);

    // The size entries centre the picture on the cover at start-up already.
    const Element &image1 = element(design, "Image1");
    QCOMPARE(image1.rect(), QRectF(31.5, 83.5, 393, 289));
    QCOMPARE(element(design, "Label2").rect().topLeft(), QPointF(104, 8));
    QCOMPARE(element(design, "Label3").rect().topLeft(), QPointF(96, 408));
    QCOMPARE(element(design, "Label2").font(),
             (FontSpec{QStringLiteral("MS Sans Serif"), 18, true}));
    QCOMPARE(element(design, "Label3").font().size, 13.5f);
    QCOMPARE(element(design, "Shape2").rect(), QRectF(6, 6, 441, 443));

    // Shown: the cover and both rules; everything else waits for its option.
    for (const char *name : {"Shape1", "Line1", "Line2", "Label2", "Label3", "Image1"})
        QVERIFY2(element(design, name).isVisible(), name);
    QVERIFY(!element(design, "Shape2").isVisible());
    for (int number = 4; number <= 29; ++number)
        QVERIFY(!design.canvas().element(QStringLiteral("Label%1").arg(number)).isVisible());
    QVERIFY(!element(design, "Image4").isVisible());
    for (const char *name : {"Check10", "Check11"})
        QVERIFY2(checkBox(design, name).isHidden(), name);
    for (const char *name : {"Text11", "Text12"})
        QVERIFY2(entry(design, name).isHidden(), name);

    QVERIFY(option(design, "Option1").isChecked());
    QVERIFY(!option(design, "Option4").isChecked());
    for (const char *name : {"Check6", "Check12", "Check13", "Check14"})
        QVERIFY2(checkBox(design, name).isChecked(), name);
    for (const char *name : {"Check1", "Check2", "Check3", "Check4", "Check5", "Check7", "Check8",
                             "Check9", "Check10", "Check11", "Check15"})
        QVERIFY2(!checkBox(design, name).isChecked(), name);

    QCOMPARE(design.shared().CoverWidth, 456.0f);
    QCOMPARE(design.shared().SavePromptArmed, false);

    // The top line starts behind the main picture; the title columns in front of logo 1.
    QStringList order;
    for (const Element *e : design.canvas().stackingOrder())
        order << e->name();
    QCOMPARE(order.join(u' '),
             QStringLiteral("Shape1 Label2 Line1 Line2 Image1 Image2 Label27 Label28 Label29 "
                            "Label10 Label11 Label12 Label13 Label14 Label15 Label16 Label17 "
                            "Label18 Label19 Label20 Label21 Label22 Label23 Label24 Label25 "
                            "Label26 Image3 Shape2 Label3 Label4 Label5 Label6 Label7 Label8 "
                            "Label9 Image4"));
}

void DesignDocumentTest::startUpPanelPlaces_data()
{
    // Places drawn in twips, shown in pixels (15 twips each): a sample from each part.
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("place");
    QTest::addColumn<QString>("caption");
    QTest::newRow("Command5") << "Command5" << QRect(544, 3, 65, 17) << "Top Font";
    QTest::newRow("Text1") << "Text1" << QRect(528, 24, 217, 19) << "";
    QTest::newRow("PIXFLN") << "PIXFLN" << QRect(544, 162, 201, 20) << "";
    QTest::newRow("Command14") << "Command14" << QRect(544, 410, 97, 17) << "Enter Title Names";
    QTest::newRow("Option1") << "Option1" << QRect(64, 464, 89, 17) << "Front Cover";
    QTest::newRow("Command2") << "Command2" << QRect(688, 464, 41, 17) << "Save";
}

void DesignDocumentTest::startUpPanelPlaces()
{
    QFETCH(QString, name);
    QFETCH(QRect, place);
    QFETCH(QString, caption);
    DesignWindow design;
    auto *control = design.findChild<QWidget *>(name, Qt::FindDirectChildrenOnly);
    QVERIFY(control);
    QCOMPARE(control->geometry(), place);
    QString text;
    if (auto *button = qobject_cast<QAbstractButton *>(control))
        text = button->text();
    else if (auto *label = qobject_cast<QLabel *>(control))
        text = label->text();
    QCOMPARE(text, caption);
}

void DesignDocumentTest::startUpImage()
{
    DesignWindow design;
    const QImage image = design.canvas().render(QRect(0, 0, 754, 487));
    const QRgb white = qRgb(255, 255, 255), black = qRgb(0, 0, 0), grey = qRgb(0xC0, 0xC0, 0xC0);
    auto at = [&](int x, int y) { return image.pixel(x, y) & 0xFFFFFF; };
    auto rgb = [](QRgb c) { return c & 0xFFFFFF; };

    // A white square 456 by 456 on the grey window.
    QCOMPARE(at(455, 455), rgb(white));
    QCOMPARE(at(456, 200), rgb(grey));
    QCOMPARE(at(200, 456), rgb(grey));
    // Both rules 4 pixels thick from 24 to 432, at 64 and 392; nothing else is drawn yet.
    for (int y : {64, 392}) {
        QCOMPARE(image.copy(24, y - 2, 408, 4), image.copy(24, y - 2, 1, 1).scaled(408, 4));
        QCOMPARE(at(24, y), rgb(black));
        QCOMPARE(at(23, y), rgb(white));
        QCOMPARE(at(432, y), rgb(white));
        QCOMPARE(at(200, y - 3), rgb(white));
        QCOMPARE(at(200, y + 2), rgb(white));
    }
    QCOMPARE(at(228, 228), rgb(white));
}

void DesignDocumentTest::newResetsTheDesign()
{
    DesignWindow design;
    // Change a good deal of the design first.
    entry(design, "Text1").setText(QStringLiteral("Headline"));
    entry(design, "Text2").setText(QStringLiteral("Bottom"));
    entry(design, "Text3").setText(QStringLiteral("7"));
    entry(design, "Text10").setText(QStringLiteral("5"));
    entry(design, "Text12").setText(QStringLiteral("Holder"));
    entry(design, "Text11").setText(QStringLiteral("1999"));
    for (const char *name : {"Check1", "Check2", "Check3", "Check4", "Check5", "Check8"})
        checkBox(design, name).setChecked(true);
    checkBox(design, "Check6").setChecked(false);
    checkBox(design, "Check13").setChecked(false);
    element(design, "Shape1").setBackColor(rgb(255, 0, 0));
    element(design, "Label10").setFontSize(14);
    element(design, "Label2").setFontItalic(true);
    element(design, "Image1").setPicture(QImage(8, 8, QImage::Format_RGB32));
    design.titleArea(5).setCaption(QStringLiteral("Song"));
    checkBox(design, "Check12").setChecked(false);
    click(design, "Command4");

    // The lines empty, in the window's default font, keeping their style flags.
    const Element &label2 = element(design, "Label2");
    QCOMPARE(label2.caption(), QString());
    QCOMPARE(entry(design, "Text1").text(), QString());
    QCOMPARE(label2.font(), (FontSpec{QStringLiteral("MS Sans Serif"), 8.25f, true, true}));
    QCOMPARE(element(design, "Label3").font().size, 8.25f);
    QCOMPARE(element(design, "Label10").font().size, 8.25f);
    QVERIFY(!label2.hasBorder());
    QCOMPARE(element(design, "Shape1").backColor(), White);
    QCOMPARE(element(design, "Shape2").borderWidth(), 2);
    QVERIFY(!element(design, "Shape2").isVisible());
    QCOMPARE(element(design, "Line2").borderWidth(), 4);
    QVERIFY(element(design, "Line1").isVisible() && element(design, "Line2").isVisible());
    QCOMPARE(entry(design, "Text3").text(), QStringLiteral("4"));
    QVERIFY(element(design, "Image1").picture().isNull());
    QCOMPARE(element(design, "Label29").top(), 439.0f);
    QVERIFY(checkBox(design, "Check13").isChecked() && checkBox(design, "Check6").isChecked());
    QVERIFY(!checkBox(design, "Check8").isChecked());

    // The title areas are shown (but empty); the editor stays hidden.
    QVERIFY(checkBox(design, "Check7").isChecked());
    QVERIFY(design.titleArea(5).isVisible());
    QCOMPARE(design.titleArea(5).caption(), QString());
    QVERIFY(!design.titlesWindow()->isVisible());

    // The copyright line is rebuilt although the notice stays hidden.
    QCOMPARE(element(design, "Label29").caption(),
             currentYear() + QStringLiteral("  All Rights Reserved."));
    QVERIFY(!element(design, "Label29").isVisible());

    // Kept: the save prompt setting.
    QVERIFY(!checkBox(design, "Check12").isChecked());
    QCOMPARE(design.shared().SavePromptArmed, true);
}

void DesignDocumentTest::newKeepsLayoutAndPlaces()
{
    DesignWindow design;
    option(design, "Option4").setChecked(true);
    entry(design, "Text7").setText(QStringLiteral("300"));
    entry(design, "Text5").setText(QStringLiteral("20"));
    entry(design, "Text1").setText(QStringLiteral("Wide"));
    click(design, "Command4");

    QVERIFY(option(design, "Option4").isChecked());
    QCOMPARE(design.shared().CoverWidth, 519.0f);
    QCOMPARE(element(design, "Shape1").width(), 519.0f);
    QCOMPARE(element(design, "Image1").width(), 300.0f);
    QCOMPARE(entry(design, "Text7").text(), QStringLiteral("300"));
    QCOMPARE(element(design, "Label2").top(), 20.0f);
}

void DesignDocumentTest::saveQuestionBeforeNew()
{
    DesignWindow design;
    QPushButton *newButton = design.findChild<QPushButton *>(QStringLiteral("Command4"));

    // Right after start-up the question is not due yet.
    newButton->click();
    QVERIFY(!design.saveWindow());
    QCOMPARE(design.shared().SavePromptArmed, true);

    // Now it is: New changes nothing until it is answered.
    entry(design, "Text1").setText(QStringLiteral("Keep me"));
    checkBox(design, "Check5").setChecked(true);
    newButton->click();
    QVERIFY(design.saveWindow());
    QVERIFY(design.saveWindow()->isVisible());
    QCOMPARE(design.shared().PendingAction, Action::New);
    QCOMPARE(element(design, "Label2").caption(), QStringLiteral("Keep me"));
    QVERIFY(checkBox(design, "Check5").isChecked());

    // With "Save Prompt" clear, New never asks.
    design.saveWindow()->close();
    checkBox(design, "Check12").setChecked(false);
    newButton->click();
    QCOMPARE(element(design, "Label2").caption(), QString());
    entry(design, "Text1").setText(QStringLiteral("Again"));
    newButton->click();
    QCOMPARE(element(design, "Label2").caption(), QString());
    QVERIFY(!design.saveWindow() || !design.saveWindow()->isVisible());

    // Checking it again right after start-up makes the very first New ask.
    DesignWindow fresh;
    checkBox(fresh, "Check12").setChecked(false);
    checkBox(fresh, "Check12").setChecked(true);
    click(fresh, "Command4");
    QVERIFY(fresh.saveWindow() && fresh.saveWindow()->isVisible());
}

void DesignDocumentTest::saveQuestionAnswers()
{
    DesignWindow design;
    ScriptedFileAnswer answer;
    answer.cancel = true;
    scriptFileDialog(design, answer);
    QPushButton *newButton = design.findChild<QPushButton *>(QStringLiteral("Command4"));
    newButton->click();
    entry(design, "Text1").setText(QStringLiteral("Unsaved"));

    // "Yes" saves and leaves the design and the waiting New alone.
    newButton->click();
    auto *question = design.saveWindow();
    QVERIFY(question && question->isVisible());
    QCOMPARE(question->windowTitle(), QStringLiteral("Save It...?"));
    click(*question, "Command1");
    QCOMPARE(answer.shown, 1);
    QVERIFY(!question->isVisible());
    QCOMPARE(element(design, "Label2").caption(), QStringLiteral("Unsaved"));
    QCOMPARE(design.shared().SavePromptArmed, true);

    // "No" runs New to the end, which arms the question again.
    newButton->click();
    QVERIFY(question->isVisible());
    click(*question, "Command2");
    QVERIFY(!question->isVisible());
    QCOMPARE(element(design, "Label2").caption(), QString());
    QCOMPARE(design.shared().SavePromptArmed, true);
    QCOMPARE(answer.shown, 1);
}

void DesignDocumentTest::saveQuestionBeforeClosing()
{
    auto *design = new DesignWindow;
    design->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<DesignWindow> alive(design);
    design->show();
    click(*design, "Command4");
    click(*design, "Command14");
    QPointer<design::TitlesWindow> titles = design->titlesWindow();
    QVERIFY(titles && titles->isVisible());

    // A close request with the question due is refused and asks.
    QVERIFY(!design->close());
    QVERIFY(design->isVisible());
    QCOMPARE(design->shared().PendingAction, Action::Close);
    QPointer<design::SaveWindow> question = design->saveWindow();
    QVERIFY(question && question->isVisible());

    // "No" closes every designer window.
    click(*question, "Command2");
    QTRY_VERIFY(!alive);
    QTRY_VERIFY(!titles);
    QTRY_VERIFY(!question);
}

QTEST_MAIN(DesignDocumentTest)
#include "test_design_document.moc"
