#include "designer/document/design_window.h"

namespace vm::design {

// Opening a design file comes with its own change; the save question's "No" already calls
// this when Open was the waiting action.
void DesignWindow::open() {}

} // namespace vm::design
