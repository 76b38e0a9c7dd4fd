// SPDX-License-Identifier: GPL-3.0-or-later
#include "designer/document/design_window.h"

#include "designer/style/phonorecord_mark.h"
#include "designer/windows/pixclear_window.h"
#include "designer/windows/save_window.h"
#include "designer/windows/titles_window.h"
#include "toolkit/numbers.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>

namespace vm::design {

namespace {

// The file-path labels beside the picture buttons.
const FontSpec PathFont{QStringLiteral("MS Serif"), 6.0f};

constexpr QSize ClientSize(754, 487); // 11310 x 7305 twips

// The window layout is drawn in twips.
template <typename Control> Control *place(Control *control, const char *name, QRect geometry)
{
    control->setObjectName(QLatin1String(name));
    control->setGeometry(geometry);
    return control;
}

} // namespace

const FontSpec &DesignWindow::windowFont()
{
    static const FontSpec font{QStringLiteral("MS Sans Serif"), 8.25f};
    return font;
}

DesignWindow::DesignWindow(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Design"));
    setWindowTitle(QString()); // the caption is the hover-help line
    // Sizes in points are drawn at 96 dpi whatever the screen says, like the canvas.
    setFont(toQFont(windowFont(), this));
    setFixedSize(ClientSize);
    // The captions were fitted to a narrower face; a tighter gap after the box keeps them
    // whole in their drawn width.
    setStyleSheet(QStringLiteral("QCheckBox, QRadioButton { spacing: 2px; }"));

    buildCanvas();
    buildPanel();
    connectHandlers();
    setUpDropping();
    setUpCoverMenu();
    runStartUpSequence();
    setUpUndo();
}

DesignWindow::~DesignWindow()
{
    // The secondary windows are top-level windows of their own; they end with this one.
    delete m_titles;
    delete m_saveWindow;
    delete m_pixclear;
}

void DesignWindow::buildCanvas()
{
    m_canvas = new Canvas(this);
    m_canvas->setObjectName(QStringLiteral("Canvas"));
    m_canvas->setGeometry(QRect(QPoint(0, 0), ClientSize));
    m_canvas->setBackground(toQColor(rgb(0xC0, 0xC0, 0xC0)));

    auto text = [this](int number, float left, float top) -> Element & {
        Element &e = m_canvas->add(QStringLiteral("Label%1").arg(number), ElementKind::Text);
        e.setLeft(left);
        e.setTop(top);
        m_labels.at(number) = &e;
        return e;
    };
    auto titleArea = [&](int number) {
        // Two columns of 20-pixel rows; the publisher, producer and engineer lines below them.
        float left = 50, top = 0;
        if (number <= 13) {
            top = 80 + 20 * (number - 4);
        } else if (number <= 23) {
            left = 250;
            top = 80 + 20 * (number - 14);
        } else {
            left = number == 26 ? 250 : 50;
            top = number == 24 ? 280 : 300;
        }
        Element &e = text(number, left, top);
        e.setFont(windowFont());
        e.setForeColor(SystemButtonText);
        e.hide();
    };
    auto picture = [this](const char *name, float left, float top, float width, float height) {
        Element &e = m_canvas->add(QLatin1String(name), ElementKind::Picture);
        e.setGeometry(left, top, width, height);
        return &e;
    };
    auto rule = [this](const char *name, float y) {
        Element &e = m_canvas->add(QLatin1String(name), ElementKind::Line);
        e.setLine(24, y, 432, y);
        e.setBorderWidth(4);
        e.setBorderColor(SystemWindowText);
        return &e;
    };

    // Added back to front: the order is the stacking order the cover starts with. The top line
    // starts behind the main picture; typing it brings it to the front.
    Shape1 = &m_canvas->add(QStringLiteral("Shape1"), ElementKind::Rectangle);
    Shape1->setGeometry(0, 0, 456, 456);
    Shape1->setFilled(true);
    Shape1->setBackColor(White);
    Shape1->setBorderStyle(Qt::NoPen);

    Label2 = &text(2, 104, 8);
    Label2->setFont(FontSpec{QStringLiteral("MS Sans Serif"), 18.0f, true});

    Line1 = rule("Line1", 64);
    Line2 = rule("Line2", 392);
    Image1 = picture("Image1", 32, 76, 393, 289);
    Image2 = picture("Image2", 25, 400, 40, 40);

    Label27 = &text(27, 50, 320);
    Label27->setAutoSize(false);
    Label27->setGeometry(50, 320, 360, 100);
    Label27->setFont(FontSpec{QStringLiteral("Arial"), 6.0f});
    Label27->hide();
    Label28 = &text(28, 165, 439);
    Label28->setFont(FontSpec{QStringLiteral("Arial"), 3.75f});
    Label28->hide();
    Label29 = &text(29, 224, 439);
    Label29->setFont(FontSpec{QStringLiteral("Arial"), 3.75f});
    Label29->hide();

    for (int number = 10; number <= 26; ++number)
        titleArea(number);
    Label10 = label(10);

    Image3 = picture("Image3", 390, 400, 40, 40);

    Shape2 = &m_canvas->add(QStringLiteral("Shape2"), ElementKind::Rectangle);
    Shape2->setGeometry(6, 6, 441, 443);
    Shape2->setBorderWidth(2);
    Shape2->setBorderColor(SystemWindowText);
    Shape2->hide();

    Label3 = &text(3, 96, 408);
    Label3->setFont(FontSpec{QStringLiteral("MS Sans Serif"), 13.5f});

    for (int number = 4; number <= 9; ++number)
        titleArea(number);

    Image4 = picture("Image4", 210, 439, 6, 6);
    Image4->setPicture(phonorecordMark());
    Image4->hide();
}

void DesignWindow::buildPanel()
{
    // The panel as drawn, in twips: left, top, width, height. Captions are the product's.
    auto button = [this](const char *name, const QString &caption, QRect at) {
        return place(new QPushButton(caption, this), name, at);
    };
    auto check = [this](const char *name, const QString &caption, QRect at) {
        return place(new QCheckBox(caption, this), name, at);
    };
    auto entry = [this](const char *name, QRect at) {
        QLineEdit *field = place(new QLineEdit(this), name, at);
        // As long as a line of the design file may be; Qt would cut at 32767.
        field->setMaxLength(int(FileLineLimit));
        return field;
    };
    auto caption = [this](const char *name, const QString &text, QRect at) {
        return place(new QLabel(text, this), name, at);
    };
    auto pathLabel = [this](const char *name, QRect at) {
        QLabel *label = place(new QLabel(this), name, at);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setFont(toQFont(PathFont, this));
        return label;
    };

    Command5 = button("Command5", tr("Top Font"), twipsRect(8160, 45, 975, 255));
    Check3 = check("Check3", tr("Boxed Text"), twipsRect(9480, 45, 1215, 195));
    Text1 = entry("Text1", twipsRect(7920, 360, 3255, 285));
    TLUD = caption("TLUD", tr("U - D"), twipsRect(7920, 720, 375, 255));
    Text5 = entry("Text5", twipsRect(8400, 720, 615, 285));
    TLLR = caption("TLLR", tr("L - R"), twipsRect(9120, 720, 375, 255));
    Text6 = entry("Text6", twipsRect(9600, 720, 615, 285));
    Check13 = check("Check13", tr("Center"), twipsRect(10320, 780, 855, 195));
    Check1 = check("Check1", tr("Hide Top Line"), twipsRect(8040, 1080, 1335, 255));
    Check2 = check("Check2", tr("Hide Bottom Line"), twipsRect(9480, 1080, 1575, 255));
    Command6 = button("Command6", tr("Line Color"), twipsRect(8160, 1440, 975, 255));
    LTHICK = caption("LTHICK", tr("Line Thickness"), twipsRect(9360, 1440, 1095, 255));
    Text3 = entry("Text3", twipsRect(10560, 1440, 375, 285));
    Command3 = button("Command3", tr("Background color"), twipsRect(8160, 1800, 1575, 255));
    Command8 = button("Command8", tr("Picture"), twipsRect(8160, 2160, 735, 255));
    PIXW = caption("PIXW", tr("W"), twipsRect(9000, 2160, 255, 255));
    Text7 = entry("Text7", twipsRect(9240, 2160, 495, 285));
    PIXH = caption("PIXH", tr("H"), twipsRect(9840, 2160, 135, 255));
    Text8 = entry("Text8", twipsRect(10080, 2160, 495, 285));
    Command16 = button("Command16", tr("CLR"), twipsRect(10680, 2160, 495, 255));
    PIXFLN = pathLabel("PIXFLN", twipsRect(8160, 2430, 3015, 300));
    Command9 = button("Command9", tr("Logo 1"), twipsRect(8160, 2760, 735, 255));
    Label30 = pathLabel("Label30", twipsRect(9000, 2730, 2175, 405));
    Command12 = button("Command12", tr("Logo 2"), twipsRect(8160, 3240, 735, 255));
    LOGO2FLN = pathLabel("LOGO2FLN", twipsRect(9000, 3240, 2295, 345));
    Command10 = button("Command10", tr("Bottom Font"), twipsRect(8160, 3600, 1095, 255));
    Check4 = check("Check4", tr("Boxed Text"), twipsRect(9480, 3600, 1215, 195));
    Text2 = entry("Text2", twipsRect(7920, 3915, 3255, 285));
    BLUD = caption("BLUD", tr("U - D"), twipsRect(7920, 4275, 375, 255));
    Text4 = entry("Text4", twipsRect(8400, 4275, 615, 285));
    BLLR = caption("BLLR", tr("L - R"), twipsRect(9120, 4275, 375, 255));
    Text9 = entry("Text9", twipsRect(9600, 4275, 615, 285));
    Check14 = check("Check14", tr("Center"), twipsRect(10320, 4290, 855, 255));
    Check5 = check("Check5", tr("Show Box"), twipsRect(8160, 4620, 1095, 255));
    Label1 = caption("Label1", tr("Thickness"), twipsRect(9600, 4635, 735, 195));
    Text10 = entry("Text10", twipsRect(10560, 4620, 375, 285));
    Command13 = button("Command13", tr("Box Color"), twipsRect(8160, 4920, 975, 255));
    Check11 = check("Check11", tr("Copyright Black"), twipsRect(9600, 4920, 1455, 255));
    Text11 = entry("Text11", twipsRect(10560, 5220, 615, 285));
    Check9 = check("Check9", tr("Post Copyright"), twipsRect(8160, 5280, 1335, 195));
    Check10 = check("Check10", tr("Add ( P )"), twipsRect(9600, 5280, 975, 195));
    Text12 = entry("Text12", twipsRect(7920, 5520, 3255, 285));
    Check7 = check("Check7", tr("Show Titles"), twipsRect(8160, 5880, 1215, 195));
    Check8 = check("Check8", tr("Lower Black"), twipsRect(9840, 5880, 1335, 195));
    Check6 = check("Check6", tr("Lower Small"), twipsRect(9840, 6105, 1575, 255));
    Command14 = button("Command14", tr("Enter Title Names"), twipsRect(8160, 6150, 1455, 255));
    Check15 = check("Check15", tr("Center Lower"), twipsRect(9840, 6360, 1335, 255));
    Command15 = button("Command15", tr("Titles Font"), twipsRect(8160, 6480, 1095, 255));
    Check12 = check("Check12", tr("Save Prompt"), twipsRect(9840, 6600, 1455, 255));
    Option1 = place(new QRadioButton(tr("Front Cover"), this), "Option1",
                    twipsRect(960, 6960, 1335, 255));
    Option4 = place(new QRadioButton(tr("Back Cover"), this), "Option4",
                    twipsRect(2520, 6960, 1335, 255));
    Command11 = button("Command11", tr("Print Set Up"), twipsRect(4560, 6960, 1095, 255));
    Command7 = button("Command7", tr("Print"), twipsRect(6360, 6960, 615, 255));
    Command1 = button("Command1", tr("Open"), twipsRect(7680, 6960, 615, 255));
    Command4 = button("Command4", tr("New"), twipsRect(9000, 6960, 615, 255));
    Command2 = button("Command2", tr("Save"), twipsRect(10320, 6960, 615, 255));

    // The state the window is drawn in; the start-up sequence fills the position entries.
    Text3->setText(QStringLiteral("4"));
    Text10->setText(QStringLiteral("2"));
    Check6->setChecked(true);
    Check12->setChecked(true);
    Check13->setChecked(true);
    Check14->setChecked(true);
    Option1->setChecked(true);
    // The copyright notice shows these while it is posted.
    Check10->hide();
    Check11->hide();
    Text11->hide();
    Text12->hide();
}

void DesignWindow::connectHandlers()
{
    // Layouts.
    connect(Option1, &QRadioButton::toggled, this, &DesignWindow::onOption1Toggled);
    connect(Option4, &QRadioButton::toggled, this, &DesignWindow::onOption4Toggled);

    // Placement and visibility.
    connect(Text1, &QLineEdit::textChanged, this, &DesignWindow::onText1Changed);
    connect(Text2, &QLineEdit::textChanged, this, &DesignWindow::onText2Changed);
    connect(Text3, &QLineEdit::textChanged, this, &DesignWindow::onText3Changed);
    connect(Text4, &QLineEdit::textChanged, this, &DesignWindow::onText4Changed);
    connect(Text5, &QLineEdit::textChanged, this, &DesignWindow::onText5Changed);
    connect(Text6, &QLineEdit::textChanged, this, &DesignWindow::onText6Changed);
    connect(Text7, &QLineEdit::textChanged, this, &DesignWindow::onText7Changed);
    connect(Text8, &QLineEdit::textChanged, this, &DesignWindow::onText8Changed);
    connect(Text9, &QLineEdit::textChanged, this, &DesignWindow::onText9Changed);
    connect(Check1, &QCheckBox::toggled, this, &DesignWindow::onCheck1Toggled);
    connect(Check2, &QCheckBox::toggled, this, &DesignWindow::onCheck2Toggled);
    connect(Check3, &QCheckBox::toggled, this, &DesignWindow::onCheck3Toggled);
    connect(Check4, &QCheckBox::toggled, this, &DesignWindow::onCheck4Toggled);
    connect(Check5, &QCheckBox::toggled, this, &DesignWindow::onCheck5Toggled);
    connect(Check13, &QCheckBox::toggled, this, &DesignWindow::onCheck13Toggled);
    connect(Check14, &QCheckBox::toggled, this, &DesignWindow::onCheck14Toggled);

    // Title areas.
    connect(Command14, &QPushButton::clicked, this, &DesignWindow::onCommand14Clicked);
    connect(Check7, &QCheckBox::toggled, this, &DesignWindow::onCheck7Toggled);

    // Document and the save question.
    connect(Command2, &QPushButton::clicked, this, &DesignWindow::onCommand2Clicked);
    connect(Command4, &QPushButton::clicked, this, &DesignWindow::onCommand4Clicked);
    connect(Check12, &QCheckBox::toggled, this, &DesignWindow::onCheck12Toggled);

    // Open, and the hover help that explains the controls in the window's caption.
    connect(Command1, &QPushButton::clicked, this, &DesignWindow::onCommand1Clicked);
    setUpHoverHelp();
    setUpShortcuts();
    connect(m_canvas, &Canvas::pointerMoved, this, &DesignWindow::onCanvasPointerMoved);
    // Printing.
    connect(Command7, &QPushButton::clicked, this, &DesignWindow::onCommand7Clicked);
    connect(Command11, &QPushButton::clicked, this, &DesignWindow::onCommand11Clicked);

    // Pictures, fonts and colours, the copyright notice and the lower information block.
    connect(Command8, &QPushButton::clicked, this, &DesignWindow::onCommand8Clicked);
    connect(Command9, &QPushButton::clicked, this, &DesignWindow::onCommand9Clicked);
    connect(Command12, &QPushButton::clicked, this, &DesignWindow::onCommand12Clicked);
    connect(Command16, &QPushButton::clicked, this, &DesignWindow::onCommand16Clicked);
    // After the size fields' own handlers, which size the box first.
    connect(Text7, &QLineEdit::textChanged, this, &DesignWindow::keepMainPictureDetail);
    connect(Text8, &QLineEdit::textChanged, this, &DesignWindow::keepMainPictureDetail);
    connect(Command5, &QPushButton::clicked, this, &DesignWindow::onCommand5Clicked);
    connect(Command10, &QPushButton::clicked, this, &DesignWindow::onCommand10Clicked);
    connect(Command15, &QPushButton::clicked, this, &DesignWindow::onCommand15Clicked);
    connect(Command3, &QPushButton::clicked, this, &DesignWindow::onCommand3Clicked);
    connect(Command6, &QPushButton::clicked, this, &DesignWindow::onCommand6Clicked);
    connect(Command13, &QPushButton::clicked, this, &DesignWindow::onCommand13Clicked);
    connect(Check9, &QCheckBox::toggled, this, &DesignWindow::onCheck9Toggled);
    connect(Check10, &QCheckBox::toggled, this, &DesignWindow::onCheck10Toggled);
    connect(Check11, &QCheckBox::toggled, this, &DesignWindow::onCheck11Toggled);
    connect(Text10, &QLineEdit::textChanged, this, &DesignWindow::onText10Changed);
    connect(Text11, &QLineEdit::textChanged, this, &DesignWindow::onText11Changed);
    connect(Text12, &QLineEdit::textChanged, this, &DesignWindow::onText12Changed);
    connect(m_canvas, &Canvas::captionChanged, this, [this](Element *element) {
        if (element == Label29)
            onLabel29Changed();
    });
    connect(Check6, &QCheckBox::toggled, this, &DesignWindow::onCheck6Toggled);
    connect(Check8, &QCheckBox::toggled, this, &DesignWindow::onCheck8Toggled);
    connect(Check15, &QCheckBox::toggled, this, &DesignWindow::onCheck15Toggled);
}

void DesignWindow::closeEvent(QCloseEvent *event)
{
    if (holdForSaveQuestion(Action::Close)) {
        event->ignore();
        return;
    }
    closeSecondaryWindows();
    cancelPictures();
    event->accept();
}

} // namespace vm::design
