// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The index window's fixed texts, as the window shows them. The layout buttons' lines are in
// the layout table (layouts.cpp).
namespace vm::indexer::texts {

inline const QString TitleStart = QStringLiteral("CD-R Data Index Vellumora");
inline const QString TitleRest = QStringLiteral("  -  2025, the Vellumora makers");
inline const QString PrintCaption = QStringLiteral("Print");
inline const QString PrintSetUpCaption = QStringLiteral("Print Set-Up");
inline const QString HelpCaption = QStringLiteral("Help!");
inline const QString RefreshCaption = QStringLiteral("Refresh");
inline const QString PrintHelp = QStringLiteral("Print the index cover page you see now.");
inline const QString PrintSetUpHelp =
    QStringLiteral("Sets print quality, Portrait or Landcape, gray scale");
inline const QString HelpHelp =
    QStringLiteral("Displays a quick help card giving you primary operating details");
inline const QString RefreshHelp =
    QStringLiteral("Press to refresh the Directories and Files when you change disks.");
inline const QString DriveHelp = QStringLiteral("Select the drive to index.");
inline const QString NoPrinterQuestion =
    QStringLiteral("There is no printer to print on.  Save the index card as a PDF file "
                   "instead?");
inline const QString PdfFailed = QStringLiteral("The index card could not be saved as %1.");
inline const QString SavePdfTitle = QStringLiteral("Save the index card as");
inline const QString PdfFilter = QStringLiteral("PDF files|*.pdf");
inline const QString PdfDefaultName = QStringLiteral("Index card.pdf");

} // namespace vm::indexer::texts
