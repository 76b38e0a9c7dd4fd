// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "indexer/folder_listing.h"
#include "indexer/layouts.h"

#include "toolkit/common_dialog.h"
#include "toolkit/page_print.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class QPainter;
class QPrinter;
class QPushButton;
class QRadioButton;
class QWindow;

namespace vm {
class HoverHelp;
}

namespace vm::indexer {

class CutLine;
class DriveErrorWindow;
class DriveList;
class FileList;
class FolderList;
class HelpCard;
class ListingView;

// `Form1`, the index window: a drive list, six folder lists and six file lists arranged by
// one of twenty layouts, printed as a picture of itself. Its handlers live in the files of
// their concern: index_window.cpp (build, layouts, activation, title-bar help),
// index_links.cpp (drive change, linking, refresh), index_print.cpp (print, set-up, help).
class IndexWindow : public QWidget
{
    Q_OBJECT

public:
    explicit IndexWindow(QWidget *parent = nullptr);
    ~IndexWindow() override;

    static QString defaultTitle();

    // The program's printer settings for this run; Print Set-Up changes them.
    QPrinter &printer();
    CommonDialog &commonDialog() { return CommonDialog1; }
    FolderListingCache &listings() { return m_listings; }

    // What Print says when there is no printer to print on: the offer to save the card as a
    // PDF file instead (true to go on), and the note that the file could not be written.
    // Message boxes in the program; tests put scripted answers in their place.
    struct PdfOffer
    {
        std::function<bool(QWidget *parent)> ask;
        std::function<void(QWidget *parent, const QString &fileName)> failed;
    };
    void setPdfOffer(PdfOffer offer) { m_pdfOffer = std::move(offer); }

    // The selected layout button (1 ... 20).
    int selectedLayout() const;

    // Draws the client area as it now looks, one window pixel to one painter unit: what the
    // printer gets.
    void paintCard(QPainter &painter);

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    // A folder dropped on the window is opened in Dir1, and the linked lists follow
    // (index_drop.cpp).
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void buildControls();
    void placeFixedLists();
    void applyLayout(const Layout &layout);
    void showLayoutLists(const Layout &layout);
    QString startFolder();
    QString folderForDrive(const QString &rootPath) const;
    void showDriveError();
    std::array<ListingView *, 12> listsInOrder() const; // Dir1 ... Dir6, File1 ... File6
    ListingView *list(unsigned bit) const;
    std::unique_ptr<QPrinter> pdfPrinterFromUser();
    // The card Print sends, handed to `send` while the window is arranged as for printing:
    // the page area (window pixels) and the function that draws it.
    using CardPageSender = std::function<PrintResult(const QRectF &page, const PagePaint &paint)>;
    PrintResult sendCardPage(const CardPageSender &send);
    PrintResult printCard(QPrinter &target);
    // The card's context menu on its background (card_menu.cpp): Print Preview and Export as
    // PDF or PNG draw the page Print sends.
    void setUpCardMenu();
    void onCardMenuRequested(const QPoint &position);
    void showPrintPreview();
    void exportPdf();
    void exportPng();
    void hideForPrint();
    void restoreAfterPrint();

    void setUpShortcuts(); // shortcuts.cpp: keys for Print, Refresh, Help and close

    void onFocusWindowChanged(QWindow *focus);
    void onForm1Activated();
    void onOptionToggled(int number, bool checked);
    void onDrive1Changed();
    void onDrive1Entered();
    void onDir1Changed();
    void onDir3Changed();
    void onDir5Changed();
    void onDirOpenFailed();
    void onCommand1Clicked();
    void onCommand2Clicked();
    void onCommand3Clicked();
    void onCommand4Clicked();

    FolderListingCache m_listings;
    CommonDialog CommonDialog1;
    std::unique_ptr<QPrinter> m_printer;
    PdfOffer m_pdfOffer;
    HoverHelp *m_hoverHelp = nullptr;

    CutLine *Line1 = nullptr;
    CutLine *Line2 = nullptr;
    CutLine *Line3 = nullptr;
    FolderList *Dir1 = nullptr;
    FolderList *Dir2 = nullptr;
    FolderList *Dir3 = nullptr;
    FolderList *Dir4 = nullptr;
    FolderList *Dir5 = nullptr;
    FolderList *Dir6 = nullptr;
    FileList *File1 = nullptr;
    FileList *File2 = nullptr;
    FileList *File3 = nullptr;
    FileList *File4 = nullptr;
    FileList *File5 = nullptr;
    FileList *File6 = nullptr;
    DriveList *Drive1 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command3 = nullptr;
    QPushButton *Command4 = nullptr;
    std::array<QRadioButton *, 20> Option{}; // Option[0] is `Option1`

    QPointer<HelpCard> Form3;
    QPointer<DriveErrorWindow> Form5;
    bool m_activatedOnce = false;
    bool m_returningFromOwnWindow = false;
};

} // namespace vm::indexer
