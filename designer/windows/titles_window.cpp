// SPDX-License-Identifier: GPL-3.0-or-later
#include "designer/windows/titles_window.h"

#include "designer/document/design_file.h"
#include "toolkit/canvas.h"
#include "toolkit/fonts.h"
#include "toolkit/numbers.h"

#include <QCheckBox>
#include <QLineEdit>

namespace vm::design {

namespace {

// Where field n sits, in twips: two columns of ten, then the publisher line across, the
// producer and engineer lines side by side and the misc. information across.
QRect fieldPlace(int n)
{
    constexpr int Left = 240, Right = 3840, Narrow = 3255, Wide = 6855, Height = 285;
    if (n <= 10)
        return twipsRect(Left, 120 + 360 * (n - 1), Narrow, Height);
    if (n <= 20)
        return twipsRect(Right, 120 + 360 * (n - 11), Narrow, Height);
    switch (n) {
    case 21:
        return twipsRect(Left, 3720, Wide, Height);
    case 22:
        return twipsRect(Left, 4080, Narrow, Height);
    case 23:
        return twipsRect(Right, 4080, Narrow, Height);
    default:
        return twipsRect(Left, 4440, Wide, Height);
    }
}

} // namespace

TitlesWindow::TitlesWindow(const Areas &areas, QWidget *parent) : QWidget(parent), m_areas(areas)
{
    setObjectName(QStringLiteral("Titles"));
    setWindowTitle(tr("List of Titles"));
    setFont(toQFont(FontSpec{}, this));
    setFixedSize(qRound(twipsToPixels(7290)), qRound(twipsToPixels(5085)));

    for (int n = 1; n <= FieldCount; ++n) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("Text%1").arg(n));
        edit->setGeometry(fieldPlace(n));
        // A title as long as the design file holds; Qt would cut it at 32767.
        edit->setMaxLength(int(FileLineLimit));
        m_fields[n - 1] = edit;
        connect(edit, &QLineEdit::textChanged, this, [this, n] { onTextChanged(n); });
        connect(edit, &QLineEdit::returnPressed, this, [this, n] { onTextReturnPressed(n); });
    }

    Check1 =
        new QCheckBox(tr("TAB direction is DOWN unless this box CHECK then it is ACROSS"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setGeometry(twipsRect(1680, 4860, 4695, 165));
    Check1->setFont(toQFont(FontSpec{QStringLiteral("MS Serif"), 6.75f}, this));

    // Tab follows the fields in number order, then the box.
    for (int n = 1; n < FieldCount; ++n)
        setTabOrder(field(n), field(n + 1));
    setTabOrder(field(FieldCount), Check1);
}

void TitlesWindow::onTextChanged(int n)
{
    m_areas[n - 1]->setCaption(field(n)->text());
}

int TitlesWindow::enterTarget(int n, bool across)
{
    if (n < 1 || n >= FieldCount)
        return 0;
    if (across && n <= 10)
        return n + 10;
    if (across && n >= 11 && n <= 19)
        return n - 9;
    return n + 1;
}

void TitlesWindow::onTextReturnPressed(int n)
{
    // The fields are single-line: Enter only moves on.
    if (const int next = enterTarget(n, Check1->isChecked()))
        field(next)->setFocus();
}

} // namespace vm::design
