// SPDX-License-Identifier: GPL-3.0-or-later
#include "indexer/help_card.h"

#include "toolkit/colours.h"
#include "toolkit/fonts.h"
#include "toolkit/numbers.h"

#include <QLabel>

namespace vm::indexer {

namespace {

const QString Title =
    QStringLiteral(" Quick Help -- For full instructions see main start-up form...");

const QString Text1 = QStringLiteral(
    "Press one of the RADIO BUTTONS from 1 to 20 to create and print an index of your "
    "directories and files as found on the current CD disk or drive.  As you move the mouse "
    "cursor over each button the configuration shows at the top title bar of the main form.");
const QString Text2 = QStringLiteral(
    "Button 12 through 14 give you independent control over each directory and file list box.");
const QString Text3 =
    QStringLiteral("The directories and file list boxes in 1 through 11 and 15 through 20 are "
                   "all linked to the far left directory.");
const QString Text4 = QStringLiteral(
    "Press Print Set Up to change from Portrait to Landscape to print full-sized V-Card.");
const QString Text5 =
    QStringLiteral("Press Refresh button to update screen when you change disks.");

} // namespace

HelpCard::HelpCard(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(Title);
    setFixedSize(6720 / TwipsPerPixel, 3225 / TwipsPerPixel);
    QPalette white = palette();
    white.setColor(QPalette::Window, toQColor(White));
    setPalette(white);
    setAutoFillBackground(true);

    const QFont font = toQFont({QStringLiteral("MS Sans Serif"), 8.25f, true});
    const auto label = [&](const char *name, QRect place, const QString &text) {
        auto *created = new QLabel(text, this);
        created->setObjectName(QString::fromLatin1(name));
        created->setGeometry(place);
        created->setFont(font);
        created->setWordWrap(true);
        created->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return created;
    };
    Label1 = label("Label1", twipsRect(120, 120, 6315, 960), Text1);
    Label2 = label("Label2", twipsRect(120, 1080, 6480, 480), Text2);
    Label3 = label("Label3", twipsRect(120, 1680, 6360, 480), Text3);
    Label4 = label("Label4", twipsRect(120, 2280, 6375, 375), Text4);
    Label5 = label("Label5", twipsRect(120, 2760, 6255, 375), Text5);
}

} // namespace vm::indexer
