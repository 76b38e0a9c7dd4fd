#include "designer/document/design_window.h"
#include "toolkit/fonts.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    vm::installFontSubstitutes();
    vm::design::DesignWindow design;
    design.show();
    return app.exec();
}
