// SPDX-License-Identifier: GPL-3.0-or-later
#include "indexer/index_window.h"

#include "indexer/cut_line.h"
#include "indexer/drive_error_window.h"
#include "indexer/drive_list.h"
#include "indexer/file_list.h"
#include "indexer/folder_list.h"
#include "indexer/help_card.h"
#include "indexer/index_texts.h"

#include "toolkit/colours.h"
#include "toolkit/fonts.h"
#include "toolkit/hover_help.h"

#include <QApplication>
#include <QDir>
#include <QFocusEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPrinter>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStorageInfo>
#include <QWindow>

namespace vm::indexer {

using namespace texts;

namespace {

constexpr int ClientHeight = 436;

// Where the lists sit that layouts only show and hide.
constexpr QRect Dir2Place(132, 3, 129, 396);
constexpr QRect Dir3Place(265, 3, 129, 396);
constexpr QRect Dir4Place(435, 3, 112, 405);
constexpr QRect Dir5Place(550, 3, 107, 405);
constexpr QRect Dir6Place(660, 3, 107, 405);
constexpr QRect File1Place(132, 0, 129, 405);
constexpr QRect File2Place(264, 0, 129, 405);
constexpr QRect File4Place(435, 0, 112, 405);
constexpr QRect File5Place(550, 0, 107, 405);
constexpr QRect File6Place(660, 0, 107, 405);

QRect optionPlace(int number)
{
    if (number >= 19)
        return QRect(400, 320 + 16 * (number - 19), 33, 17);
    return QRect(400, 32 + 16 * (number - 1), number <= 9 ? 25 : 33, 13);
}

// The layout buttons are 13 pixels high; their round marks are drawn to fit.
class LayoutButtonStyle : public QProxyStyle
{
public:
    int pixelMetric(PixelMetric metric, const QStyleOption *option,
                    const QWidget *widget) const override
    {
        if (metric == PM_ExclusiveIndicatorWidth || metric == PM_ExclusiveIndicatorHeight)
            return 11;
        if (metric == PM_RadioButtonLabelSpacing)
            return 3;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

bool askSavePdf(QWidget *parent)
{
    return QMessageBox::question(parent, TitleStart, NoPrinterQuestion,
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

void reportPdfFailed(QWidget *parent, const QString &fileName)
{
    QMessageBox::warning(parent, TitleStart, PdfFailed.arg(QDir::toNativeSeparators(fileName)));
}

} // namespace

IndexWindow::IndexWindow(QWidget *parent) : QWidget(parent), m_pdfOffer{askSavePdf, reportPdfFailed}
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(defaultTitle());
    setFont(toQFont({}));
    QPalette white = palette();
    white.setColor(QPalette::Window, toQColor(White));
    setPalette(white);
    setAutoFillBackground(true);
    setMouseTracking(true);
    setAcceptDrops(true);
    setFixedSize(clientWidth(cardLayout(1)), ClientHeight);
    move(0, 0);

    buildControls();

    // Start-up chooses no folder and raises no change: every list starts on the current
    // folder before the handlers are connected.
    QString start;
    {
        FolderListingCache::Change change(m_listings);
        start = startFolder();
        for (ListingView *view : listsInOrder())
            view->setPath(start);
    }
    const QString root = driveRootOf(start, Drive1->drives());
    Drive1->setDrive(root.isEmpty() ? QStorageInfo(start).rootPath() : root);
    Option[0]->setChecked(true);
    applyLayout(cardLayout(1));

    connect(Drive1, &DriveList::driveChanged, this, &IndexWindow::onDrive1Changed);
    connect(Drive1, &DriveList::droppingDown, this, &IndexWindow::onDrive1Entered);
    Drive1->installEventFilter(this);
    connect(Dir1, &ListingView::pathChanged, this, &IndexWindow::onDir1Changed);
    connect(Dir3, &ListingView::pathChanged, this, &IndexWindow::onDir3Changed);
    connect(Dir5, &ListingView::pathChanged, this, &IndexWindow::onDir5Changed);
    for (FolderList *dir : {Dir1, Dir2, Dir3, Dir4, Dir5, Dir6})
        connect(dir, &FolderList::openFailed, this, &IndexWindow::onDirOpenFailed);
    connect(Command1, &QPushButton::clicked, this, &IndexWindow::onCommand1Clicked);
    connect(Command2, &QPushButton::clicked, this, &IndexWindow::onCommand2Clicked);
    connect(Command3, &QPushButton::clicked, this, &IndexWindow::onCommand3Clicked);
    connect(Command4, &QPushButton::clicked, this, &IndexWindow::onCommand4Clicked);
    for (int n = 1; n <= 20; ++n) {
        connect(Option[n - 1], &QRadioButton::toggled, this,
                [this, n](bool checked) { onOptionToggled(n, checked); });
    }
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &IndexWindow::onFocusWindowChanged);

    m_hoverHelp = new HoverHelp(this);
    m_hoverHelp->add(Command1, PrintHelp);
    m_hoverHelp->add(Command2, PrintSetUpHelp);
    m_hoverHelp->add(Command3, HelpHelp);
    m_hoverHelp->add(Command4, RefreshHelp);
    for (int n = 1; n <= 20; ++n)
        m_hoverHelp->add(Option[n - 1], cardLayout(n).description.toString());
    setUpShortcuts();
    setUpCardMenu();
}

IndexWindow::~IndexWindow()
{
    // The help card and the error window are windows of their own, not children.
    delete Form3;
    delete Form5;
}

QString IndexWindow::defaultTitle()
{
    return TitleStart + TitleRest;
}

void IndexWindow::buildControls()
{
    // The cutting marks lie under the lists, as marks drawn on the window's surface do.
    Line1 = new CutLine({440, 432}, {8, 432}, Qt::DashDotDotLine, Black, this);
    Line2 = new CutLine({438, 425}, {438, 435}, Qt::SolidLine, SystemWindowText, this);
    Line3 = new CutLine({438, 0}, {438, 10}, Qt::SolidLine, SystemWindowText, this);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line2->setObjectName(QStringLiteral("Line2"));
    Line3->setObjectName(QStringLiteral("Line3"));
    for (CutLine *line : {Line1, Line2, Line3})
        line->hide();

    const auto makeDir = [this](const char *name, QRect place) {
        auto *dir = new FolderList(m_listings, this);
        dir->setObjectName(QString::fromLatin1(name));
        dir->setGeometry(place);
        return dir;
    };
    const auto makeFile = [this](const char *name, QRect place) {
        auto *file = new FileList(m_listings, this);
        file->setObjectName(QString::fromLatin1(name));
        file->setGeometry(place);
        return file;
    };
    Dir1 = makeDir("Dir1", QRect(0, 3, 129, 396));
    Dir2 = makeDir("Dir2", Dir2Place);
    Dir3 = makeDir("Dir3", Dir3Place);
    Dir4 = makeDir("Dir4", Dir4Place);
    Dir5 = makeDir("Dir5", Dir5Place);
    Dir6 = makeDir("Dir6", Dir6Place);
    File1 = makeFile("File1", File1Place);
    File2 = makeFile("File2", File2Place);
    File3 = makeFile("File3", cardLayout(2).file3);
    File4 = makeFile("File4", File4Place);
    File5 = makeFile("File5", File5Place);
    File6 = makeFile("File6", File6Place);
    for (ListingView *view : std::initializer_list<ListingView *>{Dir1, Dir2, File1, File2}) {
        QPalette base = view->palette();
        base.setColor(QPalette::Base, toQColor(White));
        view->setPalette(base);
    }

    Drive1 = new DriveList(this);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    Drive1->setGeometry(0, 408, 97, 21);

    const QFont buttonFont = toQFont({QStringLiteral("Arial"), 6.75f});
    const auto makeButton = [&](const char *name, const QString &caption, QRect place) {
        auto *button = new QPushButton(caption, this);
        button->setObjectName(QString::fromLatin1(name));
        button->setGeometry(place);
        button->setFont(buttonFont);
        return button;
    };
    Command4 = makeButton("Command4", RefreshCaption, QRect(120, 416, 57, 17));
    Command3 = makeButton("Command3", HelpCaption, QRect(208, 416, 44, 17));
    Command2 = makeButton("Command2", PrintSetUpCaption, QRect(280, 416, 76, 17));
    Command1 = makeButton("Command1", PrintCaption, QRect(384, 416, 52, 17));

    auto *buttonStyle = new LayoutButtonStyle;
    buttonStyle->setParent(this);
    for (int n = 1; n <= 20; ++n) {
        auto *option = new QRadioButton(QString::number(n), this);
        option->setObjectName(QStringLiteral("Option%1").arg(n));
        option->setGeometry(optionPlace(n));
        option->setStyle(buttonStyle);
        option->setBackgroundRole(QPalette::Window);
        option->setAutoFillBackground(true);
        Option[n - 1] = option;
    }
}

void IndexWindow::placeFixedLists()
{
    Dir2->setGeometry(Dir2Place);
    Dir3->setGeometry(Dir3Place);
    Dir4->setGeometry(Dir4Place);
    Dir5->setGeometry(Dir5Place);
    Dir6->setGeometry(Dir6Place);
    File4->setGeometry(File4Place);
    File5->setGeometry(File5Place);
    File6->setGeometry(File6Place);
}

int IndexWindow::selectedLayout() const
{
    for (int n = 1; n <= 20; ++n) {
        if (Option[n - 1]->isChecked())
            return n;
    }
    return 1;
}

void IndexWindow::onOptionToggled(int number, bool checked)
{
    if (checked)
        applyLayout(cardLayout(number));
}

void IndexWindow::applyLayout(const Layout &layout)
{
    // A layout only sizes, shows and hides lists; no folder and no scroll position changes.
    setFixedSize(clientWidth(layout), ClientHeight);
    Line1->setEnds({layout.line1Right, 432}, {8, 432});
    if (layout.visible & lists::Dir1)
        Dir1->setGeometry(0, 3, 129, layout.dir1Height);
    if (layout.visible & lists::File3)
        File3->setGeometry(layout.file3);
    showLayoutLists(layout);
}

void IndexWindow::showLayoutLists(const Layout &layout)
{
    for (unsigned bit = lists::Dir1; bit <= lists::File6; bit <<= 1)
        list(bit)->setVisible(layout.visible & bit);
}

ListingView *IndexWindow::list(unsigned bit) const
{
    const std::array<ListingView *, 12> all = listsInOrder();
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (bit == 1u << i)
            return all[i];
    }
    return nullptr;
}

std::array<ListingView *, 12> IndexWindow::listsInOrder() const
{
    // The bit order of lists:: and the order Refresh re-reads in.
    return {Dir1, Dir2, Dir3, Dir4, Dir5, Dir6, File1, File2, File3, File4, File5, File6};
}

void IndexWindow::onFocusWindowChanged(QWindow *focus)
{
    // Only returning from the help card or the error window counts, and the first showing;
    // coming back from another program or from a dialog does not.
    if (!focus)
        return;
    if (focus == windowHandle()) {
        if (!m_activatedOnce || m_returningFromOwnWindow) {
            m_activatedOnce = true;
            onForm1Activated();
        }
        m_returningFromOwnWindow = false;
    } else if ((Form3 && focus == Form3->windowHandle()) ||
               (Form5 && focus == Form5->windowHandle())) {
        m_returningFromOwnWindow = true;
    }
}

void IndexWindow::onForm1Activated()
{
    if (QScreen *where = screen())
        move(where->availableGeometry().topLeft());
    placeFixedLists();
    // The lists of the selected layout, not a fixed set: the window, and the card it prints,
    // always match the layout button that is on.
    showLayoutLists(cardLayout(selectedLayout()));
}

void IndexWindow::mouseMoveEvent(QMouseEvent *event)
{
    // Moves over the controls come here too; only the bare background restores the title.
    if (!childAt(event->position().toPoint()))
        m_hoverHelp->show(defaultTitle());
    QWidget::mouseMoveEvent(event);
}

bool IndexWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Drive1 && event->type() == QEvent::FocusIn) {
        // The user moving to the drive list, not focus coming back with the window or from
        // its own drop-down. A click into the list may bring no focus change at all (the
        // list has it already, or the window was not active yet): its drop-down opening
        // says so instead.
        switch (static_cast<QFocusEvent *>(event)->reason()) {
        case Qt::MouseFocusReason:
        case Qt::TabFocusReason:
        case Qt::BacktabFocusReason:
        case Qt::ShortcutFocusReason:
            onDrive1Entered();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void IndexWindow::onDrive1Entered()
{
    m_hoverHelp->show(DriveHelp);
}

QPrinter &IndexWindow::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

QString IndexWindow::startFolder()
{
    // The current folder; should it be gone or unreadable, a folder that can be shown.
    for (const QString &candidate : {QDir::currentPath(), QDir::homePath(), QDir::rootPath()}) {
        if (m_listings.listing(candidate)->ok())
            return candidate;
    }
    return QDir::rootPath();
}

} // namespace vm::indexer
