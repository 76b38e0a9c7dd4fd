// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/render_options.h"
#include "render/renderer.h"
#include "toolkit/fonts.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Nothing is ever shown: no display is needed, and a file manager's thumbnailer has none.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vmrender"));
    vm::installFontSubstitutes();

    const vm::render::ParsedArguments parsed =
        vm::render::parseArguments(QApplication::arguments().mid(1));
    if (!parsed.error.isEmpty()) {
        std::fputs(qPrintable(QStringLiteral("vmrender: %1\n%2Try 'vmrender --help' for more.\n")
                                  .arg(parsed.error, vm::render::usageLine())),
                   stderr);
        return 2;
    }
    if (parsed.options.help) {
        std::fputs(qPrintable(vm::render::helpText()), stdout);
        return 0;
    }
    vm::render::Renderer renderer(
        parsed.options, [](const QString &line) { std::fputs(qPrintable(line + u'\n'), stderr); });
    return renderer.run();
}
