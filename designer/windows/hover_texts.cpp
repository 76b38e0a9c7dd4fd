// SPDX-License-Identifier: GPL-3.0-or-later
#include "designer/windows/hover_texts.h"

#include "designer/document/design_window.h"
#include "designer/windows/save_window.h"
#include "designer/windows/titles_window.h"

#include <QCoreApplication>
#include <QEvent>

#include <array>
#include <functional>

namespace vm::design {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("vm::design::HoverTexts", text);
}

// The seven song-title fields share one line.
constexpr char SongTitle[] = "Enter your CD song titles or features of your software, etc.";

constexpr std::array DesignTexts = {
    HoverText{"Command1", "Opens a previously saved design and text layout."},
    HoverText{"Command2", "Lets you save your design layout and text elements for re-use."},
    HoverText{"Command4", "Starts a brand new design from default settings."},
    HoverText{"Command7", "Prints design to paper in most ink and laser jet printers.  Outside "
                          "line is CUT zone to fit case.  Also see: Print Set Up."},
    HoverText{"Command11", "Lets you set up your printer for PORTRAIT, LANDSCAPE and PRINT "
                           "QUALITY (must be set each new time)."},
    HoverText{"Option1", "Sets up a square smaller area for the front or inside front jewel "
                         "case cover."},
    HoverText{"Option4", "Sets up a wider design for the larger back (underneath) side of the "
                         "jewel case."},
    HoverText{"Command5", "Change font face, size or color of top line of text."},
    HoverText{"Command10", "Change font face, size or color of lower line of text."},
    HoverText{"Command6", "Changes the color of BOTH top and bottom line.  Default is black."},
    HoverText{"Command3", "Changes the background color of the design (remember this will use "
                          "more of your ink supply plus increase printing time)."},
    HoverText{"Command13", "Selects a color for your outer box.  Default is black."},
    HoverText{"Command15", "Changes font face, color and size of the titles and producer "
                           "text.  Note: White shows good over most images!"},
    HoverText{"Command8", "Select a JPG, GIF or BMP image from your drive for the center of "
                          "the design."},
    HoverText{"Command9", "Places a JPG, GIF or BMP small image or logo at lower left corner."},
    HoverText{"Command12", "Places a JPG, GIF or BMP small image or logo at lower right corner."},
    HoverText{"Command16", "Pressing this button lets you clear one or more of the current "
                           "picture images or logos."},
    HoverText{"Command14", "Calls up a new form on which you enter and edit song titles or "
                           "software feature list, etc."},

    HoverText{"Check13", "When checked top line of text centers.  Unchecked it stays where "
                         "you put it."},
    HoverText{"Check3", "Enclose top line of text in a thin outline that is ALWAYS BLACK in "
                        "color."},
    HoverText{"Check1", "Hides the top, thick line if you do not want to use this element in "
                        "your design."},
    HoverText{"Check2", "Hides the lower, thick line if you do not want to use this element "
                        "in your design."},
    HoverText{"Check14", "When checked bottom line of text centers.  Unchecked it stays where "
                         "you put it."},
    HoverText{"Check4", "Enclose bottom line of text in a thin outline that is ALWAYS BLACK "
                        "in color."},
    HoverText{"Check5", "Places a rectangle around the outside of the design."},
    HoverText{"Check7", "Displays optional 25 areas for song titles or software features "
                        "plus misc. information."},
    HoverText{"Check6", "When check the lower box of misc. info stays at 6 point type.  "
                        "Unchecked uses same size at titles.  Font face is fixed."},
    HoverText{"Check8", "Lower misc. information will be shown in BLACK if checked or in "
                        "TITLE color if not checked."},
    HoverText{"Check15", "When checked this centers the lower paragraph of misc. "
                         "information.  Unchecked it is flush left."},
    HoverText{"Check9", "Displays a default copyright notice at the bottom of the cover (you "
                        "can modify date or add name)."},
    HoverText{"Check10", "Putting a check mark here will add a 'Circle P' Phonorecord symbol "
                         "for musical recordings (a BMP image)."},
    HoverText{"Check11", "If this is checked the Copyright notice will be black.  If "
                         "UNCHECKED same color as titles."},
    HoverText{"Check12", "If CHECKED a 'SAVE WORK?' prompt appears when OPEN, NEW or CLOSE is "
                         "clicked. UNCHECKED no prompt."},

    HoverText{"Text1", "Top headline of text for your software, artist, album name, etc."},
    HoverText{"Text5", "Adjust the UP and DOWN position of your top line of text in pixels."},
    HoverText{"TLUD", "Adjust the UP and DOWN position of your top line of text in pixels."},
    HoverText{"Text6", "Adjust the LEFT to RIGHT position of your top line of text in pixels "
                       "when the 'Center' check box is NOT CHECKED!"},
    HoverText{"TLLR", "Adjust the LEFT to RIGHT centering of your top line of text in pixels."},
    HoverText{"Text2", "Lower, centered headline of text for your software, artist or album "
                       "name, etc."},
    HoverText{"Text4", "Adjust the UP and DOWN position of your lower line of text in pixels."},
    HoverText{"BLUD", "Adjust the UP and DOWN position of your lower line of text in pixels."},
    HoverText{"Text9", "Adjust the LEFT to RIGHT position of your bottom line of text in "
                       "pixels when the 'Center' check box is NOT CHECKED!"},
    HoverText{"BLLR", "Adjust the LEFT to RIGHT position of your bottom line of text in "
                      "pixels when the 'Center' check box is NOT CHECKED!"},
    HoverText{"Text3", "Changes the thickness of BOTH top and bottom lines."},
    HoverText{"LTHICK", "Changes the thickness of BOTH top and bottom lines."},
    HoverText{"Text7", "Adjust the WIDTH of your picture in pixels to either FIT the form or "
                       "normalize stretched images."},
    HoverText{"PIXW", "Adjust the WIDTH of your picture in pixels to either FIT the form or "
                      "normalize stretched images."},
    HoverText{"Text8", "Adjust the HEIGHT of your picture in pixels to either FIT the form or "
                       "normalize stretched images."},
    HoverText{"PIXH", "Adjust the HEIGHT of your picture in pixels to either FIT the form or "
                      "normalize stretched images."},
    HoverText{"PIXFLN", "This is the path location and file name of your picture."},
    HoverText{"Label30", "This is the path location and file name of your left logo"},
    HoverText{"LOGO2FLN", "This is the file path and name of your lower right logo or image."},
    HoverText{"Text10", "Changes the thickness of the outer box in pixels."},
    HoverText{"Label1", "Changes the thickness of the outer box in pixels."},
    HoverText{"Text11", "Shows the current time-clock year or you can manually change this to "
                        "any other year."},
    HoverText{"Text12", "The name or initials of the legal Copyright owner/author goes here."},
};

constexpr std::array TitlesTexts = {
    HoverText{"Text1", SongTitle},
    HoverText{"Text10", SongTitle},
    HoverText{"Text11", SongTitle},
    HoverText{"Text12", SongTitle},
    HoverText{"Text13", SongTitle},
    HoverText{"Text14", SongTitle},
    HoverText{"Text15", SongTitle},
    HoverText{"Text21", "Enter publisher name, etc., in this place.  Option to show as small "
                        "font."},
    HoverText{"Text22", "Enter producer or programmer name here.  Option to show as small "
                        "font."},
    HoverText{"Text23", "Enter engineer or programmer name here.  Option to show as small "
                        "font."},
    HoverText{"Text24", "Enter misc. information here (you can show this as small or normal "
                        "size)."},
};

// Moves over a window's bare background. The controls on it keep their own moves: Qt hands a
// move without buttons only to a widget that tracks the pointer, and no control here does.
class BackgroundHover : public QObject
{
public:
    BackgroundHover(QWidget *window, std::function<void()> moved)
        : QObject(window), m_window(window), m_moved(std::move(moved))
    {
        window->setMouseTracking(true);
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && event->type() == QEvent::MouseMove)
            m_moved();
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget *m_window;
    std::function<void()> m_moved;
};

void addTexts(vm::HoverHelp &help, const QWidget &window, std::span<const HoverText> texts)
{
    for (const HoverText &line : texts) {
        auto *control =
            window.findChild<QWidget *>(QLatin1String(line.control), Qt::FindDirectChildrenOnly);
        Q_ASSERT_X(control, "hover help", line.control);
        if (control)
            help.add(control, hoverLine(line));
    }
}

} // namespace

QString hoverLine(const HoverText &text)
{
    return tr(text.text);
}

std::span<const HoverText> designHoverTexts()
{
    return DesignTexts;
}

std::span<const HoverText> titlesHoverTexts()
{
    return TitlesTexts;
}

QString designTitleLine()
{
    return tr("Vellumora Custom CD Cover Designer");
}

QString titlesBackgroundText()
{
    return tr("List of Titles");
}

QString saveBackgroundText()
{
    return tr("Save It...?");
}

void DesignWindow::setUpHoverHelp()
{
    // The caption is empty until the pointer first explains something.
    m_hoverHelp = new vm::HoverHelp(this);
    addTexts(*m_hoverHelp, *this, designHoverTexts());
}

void DesignWindow::onCanvasPointerMoved(vm::Element *element)
{
    // Texts and pictures have no line of their own and leave the caption as it is; the
    // rectangles and rules let the pointer through to the background.
    if (!element)
        m_hoverHelp->show(designTitleLine());
}

void DesignWindow::addTitlesHoverHelp(TitlesWindow &titles)
{
    auto *help = new vm::HoverHelp(&titles);
    addTexts(*help, titles, titlesHoverTexts());
    // The editor's background speaks into the Design caption, not its own.
    QPointer<vm::HoverHelp> design = m_hoverHelp;
    new BackgroundHover(&titles, [design] {
        if (design)
            design->show(titlesBackgroundText());
    });
}

void DesignWindow::addSaveHoverHelp(SaveWindow &question)
{
    auto *help = new vm::HoverHelp(&question);
    new BackgroundHover(&question, [help] { help->show(saveBackgroundText()); });
}

} // namespace vm::design
