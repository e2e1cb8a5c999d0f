#pragma once

#include "app/application.h"

#include <QTest>

// A test main that runs under the program's own application object, so fonts, the
// activation tracker and the catching of handler failures are all in place.
#define TIRVEX_TEST_MAIN(TestClass)                                                              \
    int main(int argc, char** argv) {                                                            \
        Application app(argc, argv);                                                             \
        TestClass test;                                                                          \
        return QTest::qExec(&test, argc, argv);                                                  \
    }
