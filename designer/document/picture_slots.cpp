#include "designer/document/design_window.h"

#include "toolkit/pictures.h"

#include <cmath>

namespace vm::design {

namespace {

// Pictures print at up to 600 dpi; a design pixel is 1/96 inch.
constexpr double PrintDetail = 600.0 / 96.0;

} // namespace

vm::PictureLoad DesignWindow::loadPictureInto(vm::Element &box, const QString &path)
{
    // Decode no larger than the box needs on paper: a big photo then decodes quickly and stays
    // small in memory, and the printed page still gets all the detail it can show.
    const QSize detail(int(std::ceil(std::max(1.0f, box.width()) * PrintDetail)),
                       int(std::ceil(std::max(1.0f, box.height()) * PrintDetail)));
    vm::PictureLoad loaded = vm::loadPicture(path, detail);
    if (loaded.ok())
        box.setPicture(loaded.image);
    return loaded;
}

} // namespace vm::design
