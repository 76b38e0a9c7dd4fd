// SPDX-License-Identifier: GPL-3.0-or-later
#include "designer/document/command_line.h"
#include "designer/document/design_window.h"
#include "toolkit/application_id.h"
#include "toolkit/fonts.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    vm::setUpApplication(vm::appid::Designer);
    vm::installFontSubstitutes();
    vm::design::DesignWindow design;
    // Opened before the window shows, so that its first paint is the opened design; Open's
    // windows and messages belong to it and stay in front of it.
    const QString usage = vm::design::openFromCommandLine(design, app.arguments());
    if (!usage.isEmpty())
        std::fputs(qPrintable(usage), stderr);
    design.show();
    return app.exec();
}
