// SPDX-License-Identifier: GPL-3.0-or-later
#include "launcher/startup_window.h"
#include "toolkit/application_id.h"
#include "toolkit/fonts.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vmlaunch"));
    vm::setUpApplication(vm::appid::Launcher);
    vm::installFontSubstitutes();

    vm::launcher::StartupWindow window;
    window.show();
    return app.exec();
}
