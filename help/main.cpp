#include "help/help_window.h"
#include "toolkit/fonts.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vmhelp"));
    QGuiApplication::setDesktopFileName(QStringLiteral("vmhelp"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/help/vmhelp.svg")));
    vm::installFontSubstitutes();

    vm::help::HelpWindow window;
    window.show();
    return app.exec();
}
