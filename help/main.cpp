// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/help_window.h"
#include "toolkit/application_id.h"
#include "toolkit/fonts.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vmhelp"));
    vm::setUpApplication(vm::appid::Manual);
    vm::installFontSubstitutes();

    vm::help::HelpWindow window;
    window.show();
    return app.exec();
}
