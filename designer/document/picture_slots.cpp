// SPDX-License-Identifier: GPL-3.0-or-later
#include "designer/document/design_window.h"

#include "designer/document/picture_detail.h"

namespace vm::design {

PictureDetail &DesignWindow::pictureDetail(vm::Element &box)
{
    for (PictureDetail *detail : findChildren<PictureDetail *>(Qt::FindDirectChildrenOnly)) {
        if (&detail->box() == &box)
            return *detail;
    }
    return *new PictureDetail(box, this);
}

vm::PictureLoad DesignWindow::loadPictureInto(vm::Element &box, const QString &path, QSizeF size)
{
    // The screen gets the picture at once; paper's detail follows from a worker thread.
    return pictureDetail(box).load(path, size);
}

void DesignWindow::keepMainPictureDetail()
{
    pictureDetail(*Image1).fetch();
}

void DesignWindow::finishPictures()
{
    for (vm::Element *box : {Image1, Image2, Image3})
        pictureDetail(*box).finish();
}

void DesignWindow::cancelPictures()
{
    for (PictureDetail *detail : findChildren<PictureDetail *>(Qt::FindDirectChildrenOnly))
        detail->cancel();
}

} // namespace vm::design
