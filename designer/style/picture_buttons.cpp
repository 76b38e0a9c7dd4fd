// SPDX-License-Identifier: GPL-3.0-or-later
// The three picture buttons and "CLR": each button fills its slot from a picture file, and the
// clearing window empties the slots that are ticked.

#include "designer/document/design_window.h"

#include "designer/document/picture_detail.h"
#include "designer/layout/centring.h"
#include "designer/windows/pixclear_window.h"
#include "toolkit/picture_formats.h"

#include <QCheckBox>
#include <QLabel>

#include <array>
#include <utility>

namespace vm::design {

namespace {

const QString ImageFilter = QStringLiteral("Image Files|*.jpg;*.gif;*.bmp");

} // namespace

std::optional<QString> DesignWindow::choosePictureFile()
{
    // Only the filter is set: the dialog keeps the name, title and folder of its last use.
    // The product's three formats come first; the second entry offers every format that can
    // be read here (PNG, WebP, TIFF, ...).
    CommonDialog1.filter = ImageFilter + u'|' + vm::everyPictureFilter();
    if (!CommonDialog1.showOpen(this))
        return std::nullopt;
    return CommonDialog1.fileName;
}

bool DesignWindow::fillPictureSlot(int slot, const QString &path)
{
    Element &box = slot == 1 ? *Image1 : slot == 2 ? *Image2 : *Image3;
    QLabel &pathLabel = slot == 1 ? *PIXFLN : slot == 2 ? *Label30 : *LOGO2FLN;
    // The label names the chosen file even when it turns out not to be a picture: the design
    // then saves that name, and Open reports it.
    pathLabel.setText(path);
    if (!loadPictureInto(box, path).ok())
        return false;
    if (slot == 1) {
        // Centred on the cover at the size it has; the size fields are not touched.
        Image1->setTop(centreExact(Shape1->height(), Image1->height()));
        Image1->setLeft(centreExact(m_shared.CoverWidth, Image1->width()));
    }
    return true;
}

void DesignWindow::onCommand8Clicked()
{
    if (const auto path = choosePictureFile())
        fillPictureSlot(1, *path);
}

void DesignWindow::onCommand9Clicked()
{
    if (const auto path = choosePictureFile())
        fillPictureSlot(2, *path);
}

void DesignWindow::onCommand12Clicked()
{
    if (const auto path = choosePictureFile())
        fillPictureSlot(3, *path);
}

PixclearWindow &DesignWindow::ensurePixclearWindow()
{
    if (!m_pixclear) {
        m_pixclear = new PixclearWindow;
        m_pixclear->setAttribute(Qt::WA_DeleteOnClose);
        connect(m_pixclear, &PixclearWindow::okClicked, this,
                &DesignWindow::onPixclearCommand1Clicked);
    }
    return *m_pixclear;
}

void DesignWindow::onCommand16Clicked()
{
    PixclearWindow &pixclear = ensurePixclearWindow();
    pixclear.show();
    pixclear.activateWindow();
}

void DesignWindow::onPixclearCommand1Clicked()
{
    // The slots as they are now; the main picture's box keeps its size and place.
    const std::array<std::pair<Element *, QLabel *>, 3> pictures{
        {{Image1, PIXFLN}, {Image2, Label30}, {Image3, LOGO2FLN}}};
    for (int n = 1; n <= 3; ++n) {
        if (m_pixclear->check(n)->isChecked()) {
            pictures[n - 1].second->clear();
            pictureDetail(*pictures[n - 1].first).cancel();
            pictures[n - 1].first->clearPicture();
        }
    }
    m_pixclear->hide();
}

} // namespace vm::design
