// SPDX-License-Identifier: GPL-3.0-or-later
#include "launcher/startup_window.h"

#include "launcher/banner.h"
#include "launcher/wrapping_button.h"
#include "toolkit/fonts.h"
#include "toolkit/work_area.h"

#include <QCheckBox>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace vm::launcher {

namespace {

// The window's fixed texts, as the user sees them.
const QString Caption = QStringLiteral("Vellumora Program Launcher");
const QString Title = QStringLiteral("Vellumora");
const QString Description = QStringLiteral(
    " Make custom covers for your jewel boxed CDs complete with graphics and text.  Quickly index "
    "your data CD-R and RW disks showing folders and files.  Print them on plain paper or card "
    "stock.  Cut to fit and you'll soon know what's on EACH ONE of your CDs!  ");
const QString TooNarrow = QStringLiteral(
    "Sorry!  You MUST be running in AT LEAST 600 x 800 screen resolution mode to use these "
    "programs!  Click your right button on the desktop and change SETTINGS to 600 x 800 then run "
    "this program again!");
const QString Information = QStringLiteral(
    "Vellumora 1.0: the cover designer, the index creator and their instructions, in one suite.");
const QString RunIndex = QStringLiteral("Run CD-R Data Index Vellumora");
const QString RunDesign = QStringLiteral("Run CD-R Custom Vellumora");
const QString OpenInstructions = QStringLiteral("Open Instructions");
const QString MinimizeWhenChecked = QStringLiteral("Minimize This Form When Checked");
const QString CouldNotStart = QStringLiteral("Could not start %1, %2.");
const QString IndexCreator = QStringLiteral("the index creator");
const QString CoverDesigner = QStringLiteral("the cover designer");
const QString Instructions = QStringLiteral("the instructions");

// The working programs need a desktop at least this many pixels wide.
constexpr int MinimumWidthPixels = 750;

// Light peach, 0x00C0E0FF; red, 0x000000FF.
const QColor Peach(0xFF, 0xE0, 0xC0);
const QColor Red(0xFF, 0x00, 0x00);

// Places a control by its designed rectangle in twips.
void place(QWidget *widget, int left, int top, int width, int height)
{
    widget->setGeometry(left / TwipsPerPixel, top / TwipsPerPixel, width / TwipsPerPixel,
                        height / TwipsPerPixel);
}

} // namespace

StartupWindow::StartupWindow(Platform platform, QWidget *parent)
    : QWidget(parent), platform_(std::move(platform))
{
    if (!platform_.workAreaWidthTwips)
        platform_.workAreaWidthTwips = [this] { return workAreaWidthTwips(screen()); };
    if (!platform_.startProgram)
        platform_.startProgram = [](const QString &name) { return vm::startProgram(name); };

    build();
    onLoad();
}

void StartupWindow::build()
{
    setObjectName(QStringLiteral("Startup"));
    setWindowTitle(Caption);
    setWindowIcon(QIcon(QStringLiteral(":/launcher/vmlaunch.svg")));
    setFont(toQFont({}));
    QPalette windowPalette = palette();
    windowPalette.setColor(QPalette::Window, Peach);
    setPalette(windowPalette);
    setAutoFillBackground(true);
    setFixedSize(6510 / TwipsPerPixel, 4650 / TwipsPerPixel);

    // The banner picture lies under the transparent title label, which is created after it.
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(drawBanner(devicePixelRatioF()));
    place(Image1, 720, 120, 5130, 975);

    Label1 = new QLabel(Title, this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(toQFont({.name = QStringLiteral("Braggadocio"), .size = 20.25f}));
    QPalette titlePalette = Label1->palette();
    titlePalette.setColor(QPalette::WindowText, Red);
    Label1->setPalette(titlePalette);
    Label1->setAlignment(Qt::AlignCenter);
    place(Label1, 720, 120, 5055, 1095);

    Label2 = new QLabel(Description, this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFont(toQFont({.size = 9.75f, .bold = true}));
    Label2->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label2->setWordWrap(true);
    place(Label2, 240, 1200, 6015, 1335);

    Command1 = new WrappingButton(RunIndex, this);
    Command1->setObjectName(QStringLiteral("Command1"));
    place(Command1, 120, 2640, 1335, 1215);

    Command2 = new WrappingButton(RunDesign, this);
    Command2->setObjectName(QStringLiteral("Command2"));
    place(Command2, 5040, 2640, 1335, 1215);

    Command3 = new QPushButton(OpenInstructions, this);
    Command3->setObjectName(QStringLiteral("Command3"));
    place(Command3, 2520, 2520, 1455, 255);

    Check1 = new QCheckBox(MinimizeWhenChecked, this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setFont(toQFont({.name = QStringLiteral("MS Serif"), .size = 6.0f}));
    place(Check1, 2280, 3840, 2175, 255);

    Label4 = new QLabel(Information, this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label4->setWordWrap(true);
    place(Label4, 360, 4200, 5775, 495);

    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Check1);
    setTabOrder(Check1, Command3);

    connect(Command1, &QPushButton::clicked, this, &StartupWindow::onCommand1Clicked);
    connect(Command2, &QPushButton::clicked, this, &StartupWindow::onCommand2Clicked);
    connect(Command3, &QPushButton::clicked, this, &StartupWindow::onCommand3Clicked);
}

void StartupWindow::onLoad()
{
    // Divided by 15 whatever the screen, so the limit is the same on every display.
    if (platform_.workAreaWidthTwips() / double(TwipsPerPixel) < MinimumWidthPixels) {
        Command1->setEnabled(false);
        Command2->setEnabled(false);
        Label2->setText(TooNarrow);
    }
}

void StartupWindow::onCommand1Clicked()
{
    start(QStringLiteral("vmindex"), IndexCreator);
}

void StartupWindow::onCommand2Clicked()
{
    start(QStringLiteral("vmdesign"), CoverDesigner);
}

void StartupWindow::onCommand3Clicked()
{
    start(QStringLiteral("vmhelp"), Instructions);
}

void StartupWindow::start(const QString &name, const QString &role)
{
    // Minimised first, so the new program's window comes up in front of a clear desktop.
    const bool minimise = Check1->isChecked();
    if (minimise)
        showMinimized();

    const StartResult result = platform_.startProgram(name);
    if (result)
        return;

    // Nothing started: a minimised launcher would hide the message and leave the user with
    // nothing on screen.
    if (minimise)
        showNormal();
    showStartFailure(name, role, result.error);
}

void StartupWindow::showStartFailure(const QString &name, const QString &role,
                                     const QString &reason)
{
    // One message window at a time, not modal: the launcher stays usable behind it.
    QMessageBox *box = startFailure_.get([this] {
        auto *message =
            new QMessageBox(QMessageBox::Warning, Caption, QString(), QMessageBox::Ok, this);
        message->setObjectName(QStringLiteral("StartFailure"));
        message->setWindowModality(Qt::NonModal);
        return message;
    });
    box->setText(CouldNotStart.arg(name, role));
    box->setInformativeText(reason);
    box->show();
    box->raise();
    box->activateWindow();
}

} // namespace vm::launcher
