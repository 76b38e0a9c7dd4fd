#include "launcher/startup_window.h"
#include "toolkit/fonts.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vmlaunch"));
    QGuiApplication::setDesktopFileName(QStringLiteral("vmlaunch"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/launcher/vmlaunch.svg")));
    vm::installFontSubstitutes();

    vm::launcher::StartupWindow window;
    window.show();
    return app.exec();
}
