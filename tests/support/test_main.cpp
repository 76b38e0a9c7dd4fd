// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/test_main.h"

#include "toolkit/fonts.h"

#include <QApplication>
#include <QTest>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace vm::test {

namespace {

// In the order the classes registered: a file's classes run in the order it defines them.
std::vector<std::pair<std::string, TestFactory>> &registry()
{
    static std::vector<std::pair<std::string, TestFactory>> classes;
    return classes;
}

} // namespace

bool registerTestClass(const char *name, TestFactory factory)
{
    registry().emplace_back(name, factory);
    return true;
}

} // namespace vm::test

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    // The designs name faces that are not installed here; every program maps them the same way.
    vm::installFontSubstitutes();

    // "program ClassName [test options]" runs one class; otherwise every class runs in turn.
    std::string only;
    const auto &classes = vm::test::registry();
    if (argc > 1 && std::any_of(classes.begin(), classes.end(),
                                [&](const auto &entry) { return entry.first == argv[1]; })) {
        only = argv[1];
        argv[1] = argv[0];
        --argc;
        ++argv;
    }
    int failures = 0;
    for (const auto &[name, make] : classes) {
        if (!only.empty() && name != only)
            continue;
        const std::unique_ptr<QObject> tests = make();
        failures += QTest::qExec(tests.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
