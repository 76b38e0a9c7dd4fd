#include "support/test_main.h"

#include "toolkit/fonts.h"

#include <QApplication>
#include <QTest>

#include <map>
#include <string>

namespace vm::test {

namespace {

std::map<std::string, TestFactory> &registry()
{
    static std::map<std::string, TestFactory> classes;
    return classes;
}

} // namespace

bool registerTestClass(const char *name, TestFactory factory)
{
    registry()[name] = factory;
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
    if (argc > 1 && vm::test::registry().count(argv[1])) {
        only = argv[1];
        argv[1] = argv[0];
        --argc;
        ++argv;
    }
    int failures = 0;
    for (const auto &[name, make] : vm::test::registry()) {
        if (!only.empty() && name != only)
            continue;
        const std::unique_ptr<QObject> tests = make();
        failures += QTest::qExec(tests.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
