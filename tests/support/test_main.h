// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <memory>

namespace vm::test {

using TestFactory = std::unique_ptr<QObject> (*)();

// Test classes register themselves; the one main of a test program runs every class it holds,
// in the order they registered, or only the class named as the program's first argument.
bool registerTestClass(const char *name, TestFactory factory);

} // namespace vm::test

// Put after a test class: registers it with its program's main.
#define VM_TEST_CLASS(Class)                                                                       \
    namespace {                                                                                    \
    [[maybe_unused]] const bool Class##Registered =                                                \
        ::vm::test::registerTestClass(#Class, [] { return std::unique_ptr<QObject>(new Class); }); \
    }
