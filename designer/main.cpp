#include "designer/document/command_line.h"
#include "designer/document/design_window.h"
#include "toolkit/fonts.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    vm::installFontSubstitutes();
    vm::design::DesignWindow design;
    design.show();
    // After show: Open's windows and messages stand in front of the design window.
    const QString usage = vm::design::openFromCommandLine(design, app.arguments());
    if (!usage.isEmpty())
        std::fputs(qPrintable(usage), stderr);
    return app.exec();
}
