// SPDX-License-Identifier: GPL-3.0-or-later
// The Design window's document: start-up, New, the save question before New, Open and
// closing, Open's steps, recovery and messages, Save and Save As and their failure report, the
// keys of the commands. The file's bytes are the design file's test; one round trip here proves
// the window writes and reads all.
#include "support/design_fixture.h"
#include "support/pages.h"
#include "support/test_main.h"

#include "designer/windows/save_window.h"
#include "designer/windows/titles_window.h"

#include <QDialog>
#include <QDir>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

using namespace vm;
using namespace vm::test;
using namespace Qt::StringLiterals;
using vm::design::DesignWindow;

namespace {

// Sets controls as the user would, from "Text1=Top;Check5=1;Option4=1".
void set(const DesignWindow &design, const QString &assignments)
{
    for (const QString &assignment : assignments.split(u';')) {
        const QString value = assignment.section(u'=', 1);
        auto &widget = control<QWidget>(design, qPrintable(assignment.section(u'=', 0, 0)));
        QVERIFY(qobject_cast<QLineEdit *>(&widget) ? widget.setProperty("text", value)
                                                   : widget.setProperty("checked", value == u"1"));
    }
}

// sample.vmd with lines replaced as "14=/nowhere/gone.jpg;57=0", written as `path`.
QString sampleWith(const QString &path, const QString &lines)
{
    QByteArray file = readAll(dataFile(u"designer/sample.vmd"_s));
    for (const QString &line : lines.split(u';'))
        file = withLine(file, line.section(u'=', 0, 0).toInt(), line.section(u'=', 1).toUtf8());
    return writeAll(path, file) ? path : QString();
}

// What the window shows, by "Element.Property", "Control.Text" (a field's or label's text, a
// box's tick), a shared variable, or a secondary window's name. "Follows": the line moves when its
// entry is typed into.
QVariant observed(const DesignWindow &design, const QString &what)
{
    const QString name = what.section(u'.', 0, 0), property = what.section(u'.', 1);
    if (what == u"CoverWidth")
        return design.shared().CoverWidth;
    if (what == u"Wait" || what == u"Error") { // whether each one made is shown
        QVariantList shown;
        for (const QWidget *window : design.findChildren<QWidget *>(name))
            shown << window->isVisible();
        return shown;
    }
    if (property.isEmpty()) { // a message beside the window
        const auto *box = design.findChild<QMessageBox *>(name);
        return box && box->isVisible() && !box->isModal() ? box->text() : QString();
    }
    if (const auto *field = design.findChild<QLineEdit *>(name, Qt::FindDirectChildrenOnly))
        return field->text();
    if (const auto *label = design.findChild<QLabel *>(name, Qt::FindDirectChildrenOnly))
        return label->text();
    if (const auto *box = design.findChild<QAbstractButton *>(name, Qt::FindDirectChildrenOnly))
        return box->isChecked();
    const Element &e = design.canvas().element(name);
    if (property == u"Follows") {
        const float before = e.left();
        entry(design, name == u"Label2" ? "Text1" : "Text2").setText(u"Typed anew"_s);
        return e.left() != before;
    }
    const int index = u"Left Top Width Visible FontSize FontName ForeColor Centred BorderWidth "
                      u"Picture Caption Border BackColor"_s.split(u' ')
                          .indexOf(property);
    return (QVariantList() << e.left() << e.top() << e.width() << e.isVisible() << e.font().size
                           << e.font().name << e.foreColor() << (e.alignment() == Qt::AlignHCenter)
                           << e.borderWidth() << !e.picture().isNull() << e.caption()
                           << e.hasBorder() << e.backColor())
        .value(index);
}

// Compares what the window shows, as text, with "Label2.Caption=;Check8.Value=false".
void expectShown(const DesignWindow &design, const QString &expected)
{
    for (const QString &pair : expected.split(u';')) {
        const QString what = pair.section(u'=', 0, 0), shown = observed(design, what).toString();
        QVERIFY2(shown == pair.section(u'=', 1), qPrintable(what + u" shows "_s + shown));
    }
}

} // namespace

class DesignDocumentTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QStringList m_cases; // designs for Open: intact, main missing, logo 2 missing, short

private slots:
    void initTestCase()
    {
        for (const auto &[name, colour] :
             {std::pair{"main", Qt::red}, {"logo1", Qt::green}, {"logo2", Qt::blue}}) {
            QImage image(8, 6, QImage::Format_RGB32);
            image.fill(colour);
            QVERIFY(image.save(m_dir.filePath(u"%1.png"_s.arg(QLatin1String(name)))));
        }
        m_cases = QStringList{
            dataFile(u"designer/sample.vmd"_s),
            // The recovery names every path still; two lines rejected, the mark unticked.
            sampleWith(m_dir.filePath(u"main-missing.vmd"_s),
                       u"14=/nowhere/gone.jpg;17=/nowhere/logo1.png;18=/nowhere/logo2.bmp;"
                       u"4=green;22=yes;57=0"_s),
            // The pictures before the failing one load, the main one into a box far beyond
            // any paper; the other branch of every option.
            sampleWith(
                m_dir.filePath(u"logo2-missing.vmd"_s),
                u"14=%1/main.png;15=1E30;16=1E30;17=%1/logo1.png;18=/nowhere/logo2.bmp;"
                u"56=0;64=True;65=False;61=0;62=2;27=0;23=0;63=0;19=0;58=1"_s.arg(m_dir.path())),
            dataFile(u"designer/short.vmd"_s)};
    }

    void startUp()
    {
        DesignWindow design;
        // This year; the size entries filled, so the picture is centred.
        expectShown(design, u"Text11.Text=%1;Text7.Text=393;Text8.Text=289;Image1.Left=31.5;"
                            u"Image1.Top=83.5"_s.arg(currentYear()));
        // A white square with both rules, 4 pixels thick; no box, no notice, no titles.
        const QImage image = design.canvas().render(QRect(0, 0, 754, 487));
        QCOMPARE(inkBox(image, image.rect(), QColor(0xC0, 0xC0, 0xC0)), QRect(0, 0, 456, 456));
        QCOMPARE(inkBox(image, QRect(0, 0, 456, 228)), QRect(24, 62, 408, 4));
        QCOMPARE(inkBox(image, QRect(0, 228, 456, 228)), QRect(24, 390, 408, 4));
        // Saved, it is the file of a fresh start written by hand (in 2001).
        set(design, u"Text11=2001"_s);
        const QString path = m_dir.filePath(u"fresh.vmd"_s);
        saveFile(design, path);
        QCOMPARE(readAll(path).split('\n'),
                 readAll(dataFile(u"designer/start_up.vmd"_s)).split('\n'));
    }

    void newResetsTheDesign()
    {
        DesignWindow design;
        set(design, u"Option4=1;Text1=Headline;Text2=Bottom;Text3=7;Text10=5;Text12=Holder;"
                    u"Text7=300;Text5=20;Check1=1;Check2=1;Check3=1;Check5=1;Check8=1;Check9=1;"
                    u"Check6=0;Check13=0"_s);
        element(design, "Shape1").setBackColor(rgb(255, 0, 0));
        element(design, "Label10").setFontSize(14);
        element(design, "Label4").setFontName(u"Arial"_s);
        element(design, "Label5").setForeColor(rgb(0, 0, 255));
        element(design, "Label2").setFontItalic(true);
        element(design, "Image1").setPicture(QImage(8, 8, QImage::Format_RGB32));
        design.titleArea(5).setCaption(u"Song"_s);
        click(design, "Command4"); // the first New after start-up: no question
        // The lines in the window's default font, keeping their style flags; every title area as
        // Label10, the one the file keeps.
        QCOMPARE(element(design, "Label2").font(),
                 (FontSpec{u"MS Sans Serif"_s, 8.25f, true, true}));
        for (const char *area : {"Label4", "Label5", "Label10", "Label23"}) {
            QCOMPARE(element(design, area).font(), (FontSpec{u"MS Sans Serif"_s, 8.25f}));
            QCOMPARE(element(design, area).foreColor(), Black);
        }
        QVERIFY(!design.titlesWindow()->isVisible());
        // Reset, the box as thick as its field and the title areas shown but empty; then kept:
        // the layout, the picture's size, the lines' heights, the options.
        expectShown(design, u"Label2.Caption=;Label3.FontSize=8.25;Text10.Text=2;"
                            u"Shape2.BorderWidth=2;Label2.Border=false;Shape1.BackColor=16777215;"
                            u"Shape2.Visible=false;Line1.Visible=true;Line2.Visible=true;"
                            u"Text3.Text=4;Image1.Picture=false;Label29.Top=439;Check13.Value=true;"
                            u"Check6.Value=true;Check8.Value=false;Label8.Visible=true;"
                            u"Label8.Caption=;Label29.Caption=%1  All Rights Reserved.;"
                            u"CoverWidth=519;Image1.Width=300;Label2.Top=20;Check9.Value=true;"
                            u"Check12.Value=true"_s.arg(currentYear()));
        QCOMPARE(design.shared().SavePromptArmed, true);
    }

    // After New, Save proposes a new file, and what it writes opens as the screen showed it.
    void newDesignSavesAsItShows()
    {
        DesignWindow design;
        set(design, u"Check12=0"_s);
        openFile(design, dataFile(u"designer/sample.vmd"_s)); // its own title font, a thick box
        click(design, "Command4");
        for (int n = 1; n <= DesignWindow::TitleAreaCount; ++n)
            design.titleArea(n).setCaption(u"Title %1"_s.arg(n));
        const QImage shown = design.canvas().render(QRect(0, 0, 456, 456));
        const QString path = m_dir.filePath(u"new.vmd"_s);
        ScriptedDialogs &dialogs = scriptDialogs(design.commonDialog());
        dialogs.chosenFile = path;
        click(design, "Command2");
        QCOMPARE(dialogs.proposedFile, QDir::current().absoluteFilePath(u"Untitled.vmd"_s));
        openFile(design, path);
        QVERIFY(design.canvas().render(QRect(0, 0, 456, 456)) == shown);
    }

    void questionIsDue_data()
    {
        QTest::addColumn<QStringList>("steps"); // the last one meets the question or not
        QTest::addColumn<bool>("asks");
        QTest::newRow("Save Prompt clear")
            << QStringList{u"Check12=0"_s, u"New"_s, u"New"_s} << false;
        QTest::newRow("Save Prompt ticked anew")
            << QStringList{u"Check12=0"_s, u"Check12=1"_s, u"New"_s} << true;
    }

    void questionIsDue()
    {
        QFETCH(QStringList, steps);
        QFETCH(bool, asks);
        DesignWindow design;
        for (const QString &step : steps) {
            set(design, u"Text1=Unsaved"_s);
            step == u"New" ? click(design, "Command4") : set(design, step);
        }
        QCOMPARE(design.saveWindow() && design.saveWindow()->isVisible(), asks);
        // Asked, New has changed nothing.
        QCOMPARE(element(design, "Label2").caption() == u"Unsaved", asks);
    }

    void questionAnswered_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("answer");  // Yes, No, or the window closed unanswered
        QTest::addColumn<QString>("caption"); // the top line afterwards
        QTest::newRow("New, No: New goes on") << u"New"_s << u"No"_s << QString();
        QTest::newRow("Open, No: Open goes on") << u"Open"_s << u"No"_s << u"Sample Top"_s;
        QTest::newRow("close, No: every window closes") << u"close"_s << u"No"_s << u"Unsaved"_s;
        QTest::newRow("Yes: saved, nothing resumed") << u"New"_s << u"Yes"_s << u"Unsaved"_s;
        QTest::newRow("not answered: nothing resumed") << u"Open"_s << u"-"_s << u"Unsaved"_s;
    }

    void questionAnswered()
    {
        QFETCH(QString, action);
        QFETCH(QString, answer);
        QFETCH(QString, caption);
        QTemporaryDir folder;
        DesignWindow design; // as the program holds it: closing hides it
        design.show();
        click(design, "Command4");  // arms the question
        click(design, "Command14"); // shows the titles' editor
        QPointer<QWidget> titles = design.titlesWindow();
        set(design, u"Text1=Unsaved"_s);
        ScriptedDialogs &dialogs = scriptDialogs(design.commonDialog());
        const QString saved = folder.filePath(u"saved.vmd"_s);
        dialogs.chosenFile = action == u"Open" ? m_cases[0] : saved;
        if (action == u"close")
            QVERIFY(!design.close());
        else
            click(design, action == u"New" ? "Command4" : "Command1");
        QPointer<design::SaveWindow> question = design.saveWindow();
        QVERIFY(question && question->isVisible());
        QCOMPARE(dialogs.files, 0);
        if (answer == u"-")
            question->close();
        else
            click(*question, answer == u"Yes" ? "Command1" : "Command2");
        QVERIFY(!question || !question->isVisible());
        QCOMPARE(QFile::exists(saved), answer == u"Yes");
        // Closed, no window stays; otherwise every one does.
        QCOMPARE((QList<bool>{design.isVisible(), titles && titles->isVisible()}),
                 QList<bool>(2, action != u"close"));
        QCOMPARE(element(design, "Label2").caption(), caption);
        QCOMPARE(design.shared().SavePromptArmed, action != u"close");
    }

    void roundTrip()
    {
        // Every one of the 75 values away from what a fresh design holds, in the form Save
        // writes it.
        const QString path =
            sampleWith(m_dir.filePath(u"whole.vmd"_s),
                       u"9= 1 ;11= 2 ;12= 1 ;14=%1/main.png;16= 255 ;17=%1/logo1.png;"
                       u"18=%1/logo2.png;23= 0 ;58= 1 ;61= 0 ;67= 1 ;68=False;69=True;70=True;"
                       u"72=True;74=True;75=True"_s.arg(m_dir.path()));
        DesignWindow design;
        openFile(design, path);
        const QString again = m_dir.filePath(u"again.vmd"_s);
        saveFile(design, again);
        QCOMPARE(readAll(again).split('\n'), readAll(path).split('\n'));
        QCOMPARE(element(design, "Image3").picture().pixelColor(0, 0), QColor(Qt::blue));
    }

    void openApplies_data()
    {
        // Each design is opened twice on a window showing the back cover, the Error window
        // closed between: the result must not depend on what was on screen before.
        QTest::addColumn<QString>("what");
        QTest::addColumn<QVariant>("intact");
        QTest::addColumn<QVariant>("mainMissing");
        QTest::addColumn<QVariant>("logo2Missing");
        QTest::addColumn<QVariant>("shortFile");
        using V = QVariant;
        const V yes(true), no(false), red(rgb(255, 0, 0)), blue(rgb(0, 0, 255));
        const V black(Black), none{QString()};
        const V hidden(QVariantList{false}), shown(QVariantList{true});
        auto row = [](const char *name, const char *what, V a, V b, V c, V d) {
            QTest::newRow(name) << QString::fromLatin1(what) << a << b << c << d;
        };
        row("Wait window hidden", "Wait", hidden, hidden, hidden, hidden);
        row("Error window shown again, once", "Error", V(QVariantList()), shown, shown,
            V(QVariantList()));
        row("rejected lines named", "OpenRejected", none, V(design::rejectedLinesMessage({4, 22})),
            none, none);
        row("cover chosen, or kept", "CoverWidth", V(519.f), V(519.f), V(456.f), V(519.f));
        row("top line where the file puts it", "Label2.Left", V(40.f), V(40.f), V(40.f), V(0.f));
        row("top line centres as typed", "Label2.Follows", yes, yes, no, no);
        row("bottom line centres as typed", "Label3.Follows", no, no, yes, no);
        row("bottom rule hidden", "Line2.Visible", no, no, no, yes);
        row("box thickness", "Shape2.BorderWidth", V(5), V(5), V(5), V(1));
        row("picture loaded", "Image1.Picture", no, no, yes, no);
        row("logo 1 loaded", "Image2.Picture", no, no, yes, no);
        row("picture width", "Image1.Width", V(255.f), V(393.f), V(1e30f), V(0.f));
        row("picture centred", "Image1.Left", V(132.f), V(63.f), V(31.5f), V(259.5f));
        row("picture path", "PIXFLN.Caption", none, V(u"/nowhere/gone.jpg"_s),
            V(m_dir.filePath(u"main.png"_s)), none);
        row("logo 1 path", "Label30.Caption", none, V(u"/nowhere/logo1.png"_s),
            V(m_dir.filePath(u"logo1.png"_s)), none);
        row("logo 2 path", "LOGO2FLN.Caption", none, V(u"/nowhere/logo2.bmp"_s),
            V(u"/nowhere/logo2.bmp"_s), none);
        row("titles shown", "Label23.Visible", yes, no, yes, no);
        row("title colour", "Label23.ForeColor", blue, blue, blue, black);
        row("titles' size to the last area", "Label9.FontSize", V(10.f), V(10.f), V(10.f), V(0.f));
        row("titles' face to the lower lines", "Label26.FontName", V(u"Arial"_s), V(u"Arial"_s),
            V(u"Arial"_s), none);
        row("lower block black", "Label26.ForeColor", red, red, blue, black);
        row("lower lines small", "Label24.FontSize", V(7.f), V(7.f), V(10.f), V(0.f));
        row("lower text small", "Label27.FontSize", V(6.f), V(6.f), V(10.f), V(0.f));
        row("lower text centred", "Label27.Centred", yes, yes, no, no);
        row("phonorecord mark", "Image4.Visible", yes, no, no, no);
        row("notice colour", "Label29.ForeColor", blue, blue, black, black);
        row("notice lifted by the box", "Label29.Top", V(436.f), V(436.f), V(439.f), V(439.f));
    }

    void openApplies()
    {
        QFETCH(QString, what);
        QFETCH(QVariant, intact);
        QFETCH(QVariant, mainMissing);
        QFETCH(QVariant, logo2Missing);
        QFETCH(QVariant, shortFile);
        const QVariant expected[] = {intact, mainMissing, logo2Missing, shortFile};
        for (int n = 0; n < m_cases.size(); ++n) {
            DesignWindow design;
            set(design, u"Option4=1;Check12=0"_s);
            openFile(design, m_cases[n]);
            if (auto *error = design.findChild<QWidget *>(u"Error"_s))
                error->hide();
            openFile(design, m_cases[n]);
            QCOMPARE(design.designFileName(), m_cases[n]);
            QVERIFY2(observed(design, what) == expected[n], qPrintable(m_cases[n]));
        }
    }

    void openThatGoesNowhere_data()
    {
        QTest::addColumn<QString>("chosen"); // a file that is not there; nothing cancels
        QTest::addColumn<bool>("question");  // due, so it stops Open before the dialog
        QTest::newRow("cancelled") << QString() << false;
        QTest::newRow("unreadable") << u"gone.vmd"_s << false;
        QTest::newRow("save question") << QString() << true;
    }

    void openThatGoesNowhere()
    {
        QFETCH(QString, chosen);
        QFETCH(bool, question);
        DesignWindow design;
        if (question)
            click(design, "Command4");
        set(design, u"Text10=6;Check5=1;Text1=Kept"_s); // the box lifts the notice
        control<QLabel>(design, "PIXFLN").setText(m_dir.filePath(u"main.png"_s));
        element(design, "Image1").setPicture(QImage(m_dir.filePath(u"main.png"_s)));
        ScriptedDialogs &dialogs = scriptDialogs(design.commonDialog());
        dialogs.chosenFile = chosen.isEmpty() ? chosen : m_dir.filePath(chosen);
        click(design, "Command1");
        QCOMPARE(dialogs.files, question ? 0 : 1);
        QCOMPARE(dialogs.filter, question ? QString() : u"Jewel Case Files|*.vmd"_s);
        // Nothing on screen moves, the notice lifted by the box; pictures and paths stay.
        expectShown(design,
                    u"Label29.Top=435;Label2.Caption=Kept;Image1.Picture=true;PIXFLN.Text=%1"_s.arg(
                        m_dir.filePath(u"main.png"_s)));
        QCOMPARE(design.shared().SavePromptArmed, question);
        QCOMPARE(design.designFileName(), QString());
        QVERIFY(!observed(design, u"Wait"_s).toList().contains(true));
        const QString message = observed(design, u"OpenError"_s).toString();
        QCOMPARE(message.isEmpty(), chosen.isEmpty());
        QVERIFY(message.contains(dialogs.chosenFile));
    }

    // Fields hold whole design-file lines, so the title editor writes back no cut text; a box
    // the file makes large gets a picture with the detail it needs, even when a logo fails and
    // the size fields stay as they were.
    void longValuesAndLargeBoxes()
    {
        const QString longest(design::FileLineLimit, u'x');
        QImage photo(4000, 3000, QImage::Format_RGB32);
        photo.fill(Qt::darkGreen);
        const QString photoPath = m_dir.filePath(u"photo.jpg"_s);
        QVERIFY(photo.save(photoPath));
        DesignWindow design;
        openFile(
            design,
            sampleWith(m_dir.filePath(u"long.vmd"_s),
                       u"1=%1;28=%1;51=%1;60=%1;14=%2;15=456;16=600;17=/nowhere/logo.png"_s.arg(
                           longest, photoPath)));
        click(design, "Command14");
        const design::FileValues saved = design.fileValues();
        for (const int n : {1, 28, 51, 60})
            QCOMPARE(std::get<QString>(saved[n - 1]).size(), longest.size());
        // The screen's picture is decoded for the box the file gives, and so is paper's.
        QCOMPARE(element(design, "Image1").picture().size(), QSize(1000, 750));
        design.finishPictures();
        QCOMPARE(element(design, "Image1").picture().size(), QSize(3750, 2850));
    }

    void saveDialog()
    {
        QTemporaryDir folder;
        DesignWindow design;
        ScriptedDialogs &dialogs = scriptDialogs(design.commonDialog());
        click(design, "Command2"); // cancelled
        QCOMPARE(dialogs.filter, u"Jewel Case Files|*.vmd"_s);
        QCOMPARE(design.designFileName(), QString()); // nothing saved
        // The extension is added when the name lacks it, and the file is the design's now.
        dialogs.chosenFile = folder.filePath(u"cover"_s);
        click(design, "Command2");
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{u"cover.vmd"_s});
        QCOMPARE(design.designFileName(), folder.filePath(u"cover.vmd"_s));
    }

    void saveAndKeys_data()
    {
        // Keys, buttons or Yes to the save question | the setup | what came of it.
        QTest::addColumn<QString>("run");
        QTest::newRow("Save") << u"Command2||0 dialogs, saved"_s;
        QTest::newRow("Save, file deleted since") << u"Ctrl+S|deleted|0 dialogs, saved"_s;
        QTest::newRow("Save, the question's Yes") << u"Ctrl+N,Yes|asked|0 dialogs, saved"_s;
        QTest::newRow("Save fails") << u"Ctrl+S|folder|0 dialogs, error, key"_s;
        QTest::newRow("Save As twice")
            << u"Ctrl+Shift+S,Ctrl+Shift+S|other.vmd|2 dialogs other.vmd"_s;
        QTest::newRow("Save As fails") << u"Ctrl+Shift+S|folder.vmd|1 dialogs open.vmd, error"_s;
        QTest::newRow("New forgets the file") << u"Ctrl+N,Ctrl+S||1 dialogs Untitled.vmd, new"_s;
        QTest::newRow("Open, asked") << u"Ctrl+O|asked|0 dialogs, question"_s;
        QTest::newRow("Print") << u"Ctrl+P||0 dialogs, printed"_s;
        QTest::newRow("Close, asked") << u"Ctrl+W|asked|0 dialogs, question"_s;
        QTest::newRow("Quit") << u"Ctrl+Q||0 dialogs, closed"_s;
        QTest::newRow("Help") << u"F1||0 dialogs, manual"_s;
        QTest::newRow("under a modal dialog") << u"Ctrl+Shift+S|modal|0 dialogs"_s;
    }

    void saveAndKeys()
    {
        QFETCH(QString, run);
        const QString steps = run.section(u'|', 0, 0), setup = run.section(u'|', 1, 1);
        const QTemporaryDir dir;
        const QString file = dir.filePath(u"open.vmd"_s), pdf = dir.filePath(u"page.pdf"_s);
        QVERIFY(QFile::copy(m_cases[0], file) && QDir(dir.path()).mkdir(u"folder.vmd"_s));
        DesignWindow design;
        design.show();
        set(design, setup == u"asked" ? u"Check12=1"_s : u"Check12=0"_s);
        openFile(design, file);
        set(design, u"Text1=Mine"_s);
        ScriptedDialogs &dialogs = scriptDialogs(design.commonDialog());
        dialogs.chosenFile = setup.endsWith(u".vmd") ? dir.filePath(setup) : QString();
        design.printer().setOutputFileName(pdf);
        if (setup == u"deleted" || setup == u"folder")
            QVERIFY(QFile::remove(file) && (setup == u"deleted" || QDir().mkdir(file)));
        QDialog modal;
        modal.setModal(true);
        for (const QString &step : steps.split(u',')) {
            if (step == u"Yes")
                click(*design.saveWindow(), "Command1");
            else if (step.startsWith(u"Command"))
                click(design, qPrintable(step));
            else if (setup != u"modal")
                pressKey(design, QKeySequence(step));
            else {
                pressKey(design, {});
                modal.show();
                QTest::keyClick(&design, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
            }
        }
        const QString error = observed(design, u"SaveError"_s).toString();
        QStringList seen{u"%1 dialogs %2"_s.arg(dialogs.files)
                             .arg(QFileInfo(dialogs.proposedFile).fileName())
                             .trimmed()};
        for (const auto &[happened, what] :
             {std::pair{design.saveWindow() && design.saveWindow()->isVisible(), "question"},
              {!design.isVisible(), "closed"},
              {element(design, "Label2").caption().isEmpty(), "new"},
              {QFile::remove(pdf), "printed"},
              {observed(design, u"ManualError"_s).toString().contains(u"named vmhelp"), "manual"},
              {readAll(file).startsWith("Mine\r\n"), "saved"},
              {error.contains(QDir::toNativeSeparators(dir.path())) &&
                   design.designFileName() == file,
               "error"},
              {error.endsWith(u"Press Ctrl+Shift+S to save it under another name."), "key"}}) {
            if (happened)
                seen << QString::fromLatin1(what);
        }
        QCOMPARE(seen.join(u", "_s), run.section(u'|', 2));
    }
};

VM_TEST_CLASS(DesignDocumentTest)
#include "design_document.moc"
