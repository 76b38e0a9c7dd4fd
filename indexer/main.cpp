// SPDX-License-Identifier: GPL-3.0-or-later
// vmindex: the index creator.
#include "indexer/index_window.h"

#include "toolkit/application_id.h"
#include "toolkit/fonts.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    vm::setUpApplication(vm::appid::IndexCreator);
    vm::installFontSubstitutes();
    vm::indexer::IndexWindow form1;
    form1.show();
    return app.exec();
}
