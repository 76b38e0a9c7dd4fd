// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "designer/document/design_file.h"
#include "designer/document/open_report.h"
#include "designer/document/shared_variables.h"
#include "toolkit/canvas.h"
#include "toolkit/common_dialog.h"
#include "toolkit/hover_help.h"
#include "toolkit/page_print.h"
#include "toolkit/pictures.h"

#include <QPointer>
#include <QPrinter>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QMessageBox;
class QPushButton;
class QRadioButton;
class QRubberBand;

namespace vm::design {

class ErrorWindow;
class SaveWindow;
class PixclearWindow;
class PictureDetail;
class TitlesWindow;
class UndoHistory;
class WaitWindow;
struct DesignSnapshot;

// The designer's main window: the cover drawn on the left, the control panel on the right and
// at the bottom. There is no document object apart from this window: the design is the state
// of its canvas elements, its panel controls and the shared variables. Controls and elements
// carry the names the product gives them, as member and object names.
//
// One class, its handlers split by concern into the folders of the designer (see the groups
// below). Handlers are connected to value-change signals, so a write by the program runs the
// same handler as a change by the user, and only when the value really changes.
class DesignWindow : public QWidget
{
    Q_OBJECT

public:
    explicit DesignWindow(QWidget *parent = nullptr);
    ~DesignWindow() override;

    vm::Canvas &canvas() const { return *m_canvas; }
    const SharedVariables &shared() const { return m_shared; }
    vm::CommonDialog &commonDialog() { return CommonDialog1; }

    // The secondary windows, when they exist (each is created on first use).
    TitlesWindow *titlesWindow() const;
    SaveWindow *saveWindow() const;

    // The value of a design-file key ("Label2.Caption", "Check13.Value", ...) in the
    // alternative of its written form; nothing for a key that names no property here.
    std::optional<FileValue> fileValue(QStringView key) const;
    // All 75 values in file order.
    FileValues fileValues() const;

    // The file that was last opened or saved: Save writes to it, Save As proposes it.
    const QString &designFileName() const { return m_designFileName; }

    // Opens a design file as Open does once its dialog has answered: the Wait window, the
    // recovery of pictures that fail, and a message when the file cannot be read. The program
    // calls it for a file named on its command line.
    void openDesignFile(const QString &path);
    // The same reading and applying, told to `report` instead of the windows; false when the
    // file could not be read.
    bool openDesignFile(const QString &path, OpenReport &report);

    // The page Print sends, handed to `send` as Print, Preview and Export get it (below). With
    // `paperDetail` false the pictures are drawn as the screen has them, which is all that an
    // image of at most a design pixel per pixel needs.
    using CoverPageSender =
        std::function<vm::PrintResult(const QRectF &page, const vm::PagePaint &paint)>;
    vm::PrintResult sendCoverPage(const CoverPageSender &send, bool paperDetail = true);
    // The cover where it is cut: its outer box (design pixels).
    QRectF coverCut() const;

    // The printer "Print" uses: the system's default at start, changed only by "Print Set Up".
    // The printer settings of this run, made on first use: the print system is loaded only
    // when the user prints or sets up the printer, which keeps start-up quick.
    QPrinter &printer();

    // Title areas Label4 ... Label27 in number order (title field n writes area n).
    static constexpr int TitleAreaCount = 24;
    vm::Element &titleArea(int n) const { return *label(n + 3); }

    // The history of the user's changes to the design, with its Undo and Redo keys.
    UndoHistory &undoHistory() const { return *m_undo; }

    // The font of the window and of every control that names none.
    static const FontSpec &windowFont();

    // The thickest rule the canvas draws, in pixels; a thicker value resets the field to 1.
    static constexpr int LargestLineWidth = 100;

    // Gives every picture box the detail it needs on paper now, waiting for the decodes still
    // in flight (printing does this first).
    void finishPictures();

protected:
    void closeEvent(QCloseEvent *event) override;
    // Drag and drop (document/drop.cpp): a picture dropped on a logo's box fills that slot as
    // its button does, anywhere else on the cover the main picture; a design file dropped
    // anywhere on the window opens as Open does. One file at a time.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // Construction (document/design_window.cpp): the canvas elements in their stacking order,
    // the panel controls at their places with their captions, the connections.
    void buildCanvas();
    void buildPanel();
    void connectHandlers();
    vm::Element *label(int number) const { return m_labels.at(number); }

    // Start-up sequence and New (document/new_design.cpp).
    void runStartUpSequence();
    void newDesign();
    void onCommand4Clicked();

    // Save (document/save.cpp): the 75 values of the design file, written to the design's own
    // file; Save As, and Save of a design without a file, ask with the save dialog. `direct`:
    // no dialog was shown.
    void save();
    void saveAs();
    void writeDesign(const QString &path, bool direct);
    void onCommand2Clicked();
    void showSaveError(const QString &message);

    // Open (document/open.cpp, document/open_apply.cpp): the open dialog, the file read whole
    // before the design changes, and its values written into the controls, so that the
    // handlers' cascades rebuild the cover. A picture that fails leads to the recovery: the
    // Error window, and the rest of the design still applied.
    void open();
    void onCommand1Clicked();
    void applyDesign(const FileValues &values, OpenReport &report);
    struct PictureFailure
    {
        QString picture, reason;
    };
    // The first picture that fails, if one does.
    std::optional<PictureFailure> applyPictures(const FileValues &values);
    void applyLowerBlockAndNotice(const FileValues &values);
    // The title areas' font and colour from Label10, then the lower block's size and colour
    // from "Lower Small" and "Lower Black": the look a design file gives them (New uses it).
    void deriveTitleStyles();
    void applyCoverOptions(bool front, bool back);
    WaitWindow &ensureWaitWindow();
    ErrorWindow &ensureErrorWindow();
    class OpenWindows; // Open's report in windows

    // Picture slots (document/picture_slots.cpp): loads a picture file into a picture element,
    // replacing its picture; on failure the element keeps its picture and the result says why.
    // The picture shows at once at the screen's size; the detail a box of `size` needs on paper
    // (the box's own size when `size` is not valid) follows (document/picture_detail.h).
    vm::PictureLoad loadPictureInto(vm::Element &box, const QString &path, QSizeF size = {});
    PictureDetail &pictureDetail(vm::Element &box);
    void cancelPictures(); // the decodes in flight, for a closing window

    // Later concerns add their groups here: style/ (fonts, colours, copyright notice),
    // windows/pixclear_window, windows/hover_texts, print/.

    // Front and back layouts (layout/cover_layout.cpp).
    void onOption1Toggled(bool checked);
    void onOption4Toggled(bool checked);
    void selectFront();
    void selectBack();

    // Placement and visibility of the lines, rules, picture and outer box (layout/placement.cpp).
    void onText1Changed();
    void onText2Changed();
    void onText3Changed();
    void onText4Changed();
    void onText5Changed();
    void onText6Changed();
    void onText7Changed();
    void onText8Changed();
    void onText9Changed();
    void onCheck1Toggled(bool checked);
    void onCheck2Toggled(bool checked);
    void onCheck3Toggled(bool checked);
    void onCheck4Toggled(bool checked);
    void onCheck5Toggled(bool checked);
    void onCheck13Toggled(bool checked);
    void onCheck14Toggled(bool checked);

    // Pictures, fonts, colours, copyright notice and lower block (style/...).
    // Picture slots (style/picture_buttons.cpp) and their clearing window
    // (windows/pixclear_window.cpp); the main picture keeps the detail its box needs on paper
    // when the box grows (document/picture_slots.cpp).
    // Slot 1 is the main picture, 2 Logo 1, 3 Logo 2 (as the clearing window numbers them).
    // The buttons and a drop share the filling; false when the file is no picture.
    std::optional<QString> choosePictureFile();
    bool fillPictureSlot(int slot, const QString &path);
    void onCommand8Clicked();
    void onCommand9Clicked();
    void onCommand12Clicked();
    void keepMainPictureDetail();
    PixclearWindow &ensurePixclearWindow();
    void onCommand16Clicked();
    void onPixclearCommand1Clicked();
    // Fonts and colours (style/fonts_colours.cpp): each seeds CommonDialog1, shows it and
    // applies the answer; a cancel ends the command before anything is assigned.
    void chooseLineFont(vm::Element &line, bool centred, float (*centre)(float, float),
                        QLineEdit &leftField);
    void onCommand5Clicked();
    void onCommand10Clicked();
    void onCommand15Clicked();
    void onCommand3Clicked();
    void onCommand6Clicked();
    void onCommand13Clicked();
    // Copyright notice and box thickness (style/copyright_notice.cpp).
    void onCheck9Toggled(bool checked);
    void onCheck10Toggled(bool checked);
    void onCheck11Toggled(bool checked);
    void onText10Changed();
    void onText11Changed();
    void onText12Changed();
    void onLabel29Changed();
    void resetNoticeGroup(); // the copyright group back on its base line
    void placeNoticeHeight();
    void centreNoticeGroup();
    // Lower information block (style/lower_block.cpp).
    void onCheck6Toggled(bool checked);
    void onCheck8Toggled(bool checked);
    void onCheck15Toggled(bool checked);

    // Title areas and their editor (windows/title_areas.cpp).
    TitlesWindow &ensureTitlesWindow();
    void onCommand14Clicked();
    void onCheck7Toggled(bool checked);

    // Hover help (windows/hover_texts.cpp): each control's help line goes into its window's
    // caption while the pointer is over it; the bare background of the cover shows the
    // program's title line, texts and pictures leave the caption as it is.
    void setUpHoverHelp();
    void addTitlesHoverHelp(TitlesWindow &titles);
    void addSaveHoverHelp(SaveWindow &question);
    void onCanvasPointerMoved(vm::Element *element);

    // The save question (windows/save_question.cpp): true when the action must wait for the
    // answer.
    bool holdForSaveQuestion(Action action);
    SaveWindow &ensureSaveWindow();
    void onCheck12Toggled(bool checked);
    void onSaveCommand1Clicked();
    void onSaveCommand2Clicked();
    void closeSecondaryWindows();

    // Keys for the panel's commands, Save As and the manual (windows/shortcuts.cpp).
    void setUpShortcuts();
    void startManual();
    QPointer<QMessageBox> m_manualError;

    // Undo and redo (document/undo_apply.cpp): the design taken as a value, and applied again
    // through Open's path with the pictures handed over from memory.
    void setUpUndo();
    DesignSnapshot takeSnapshot();
    void applySnapshot(const DesignSnapshot &snapshot);
    UndoHistory *m_undo = nullptr;

    // A design file dropped while the save question waits; "No" opens it instead of the dialog.
    QString m_droppedDesign;
    void setUpDropping();
    void openDropped(const QString &path);
    struct DropPlan;
    DropPlan planDrop(const QDropEvent &event) const;
    void showDropTarget(const vm::Element *box);
    QPointer<QRubberBand> m_dropMark;
    QPointer<QMessageBox> m_dropMessage;

    // Open's windows and messages, and the hover help of this window.
    QPointer<WaitWindow> m_waitWindow;
    QPointer<ErrorWindow> m_errorWindow;
    QPointer<QMessageBox> m_openMessage;
    vm::HoverHelp *m_hoverHelp = nullptr;

    // Printing (print/print_cover.cpp): the window's own image with the panel hidden, at true
    // size, on the printer of "Print Set Up"; with no printer, a PDF file instead.
    void onCommand7Clicked();
    void onCommand11Clicked();
    vm::PrintResult printCover(QPrinter &target);
    void askToSavePageAsPdf();
    void onPrintQuestionFinished(int answer);
    void savePageAsPdf();
    void showPrintError(const QString &target, const QString &reason);
    std::unique_ptr<QPrinter> m_printer;
    QPointer<QMessageBox> m_printQuestion;
    QPointer<QMessageBox> m_printError;

    // The cover's context menu (print/cover_menu.cpp): Print Preview and Export as PDF or PNG
    // draw the page Print sends; Undo, Redo and Save As run the editing commands.
    void setUpCoverMenu();
    void onCanvasMenuRequested(const QPoint &position);
    void showPrintPreview();
    void exportPdf();
    void exportPng();

    SharedVariables m_shared;
    vm::CommonDialog CommonDialog1;
    QString m_designFileName;

    // Canvas and its elements.
    vm::Canvas *m_canvas = nullptr;
    vm::Element *Shape1 = nullptr, *Shape2 = nullptr;
    vm::Element *Line1 = nullptr, *Line2 = nullptr;
    vm::Element *Image1 = nullptr, *Image2 = nullptr, *Image3 = nullptr, *Image4 = nullptr;
    vm::Element *Label2 = nullptr, *Label3 = nullptr, *Label10 = nullptr;
    vm::Element *Label27 = nullptr, *Label28 = nullptr, *Label29 = nullptr;
    std::array<vm::Element *, 30> m_labels{}; // Label2 ... Label29 by number

    // Panel controls.
    QPushButton *Command1 = nullptr, *Command2 = nullptr, *Command3 = nullptr, *Command4 = nullptr,
                *Command5 = nullptr, *Command6 = nullptr, *Command7 = nullptr, *Command8 = nullptr,
                *Command9 = nullptr, *Command10 = nullptr, *Command11 = nullptr,
                *Command12 = nullptr, *Command13 = nullptr, *Command14 = nullptr,
                *Command15 = nullptr, *Command16 = nullptr;
    QCheckBox *Check1 = nullptr, *Check2 = nullptr, *Check3 = nullptr, *Check4 = nullptr,
              *Check5 = nullptr, *Check6 = nullptr, *Check7 = nullptr, *Check8 = nullptr,
              *Check9 = nullptr, *Check10 = nullptr, *Check11 = nullptr, *Check12 = nullptr,
              *Check13 = nullptr, *Check14 = nullptr, *Check15 = nullptr;
    QLineEdit *Text1 = nullptr, *Text2 = nullptr, *Text3 = nullptr, *Text4 = nullptr,
              *Text5 = nullptr, *Text6 = nullptr, *Text7 = nullptr, *Text8 = nullptr,
              *Text9 = nullptr, *Text10 = nullptr, *Text11 = nullptr, *Text12 = nullptr;
    QRadioButton *Option1 = nullptr, *Option4 = nullptr;
    QLabel *Label1 = nullptr, *Label30 = nullptr, *PIXFLN = nullptr, *LOGO2FLN = nullptr,
           *LTHICK = nullptr, *TLLR = nullptr, *TLUD = nullptr, *BLLR = nullptr, *BLUD = nullptr,
           *PIXW = nullptr, *PIXH = nullptr;

    // Secondary windows: single instances, created anew after the user closed them.
    QPointer<TitlesWindow> m_titles;
    QPointer<SaveWindow> m_saveWindow;
    QPointer<PixclearWindow> m_pixclear;
    QPointer<QMessageBox> m_saveError;
};

} // namespace vm::design
