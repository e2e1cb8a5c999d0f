#pragma once

#include "app/application.h"

#include <QTest>

// Lets the windows unloaded by a test be deleted before the next test starts, as they
// would be once control is back in the program's event loop.
inline void flushUnloads() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// A test main that runs under the program's own application object, so fonts, the
// activation tracker and the catching of handler failures are all in place.
#define TIRVEX_TEST_MAIN(TestClass)                                                              \
    int main(int argc, char** argv) {                                                            \
        Application app(argc, argv);                                                             \
        TestClass test;                                                                          \
        return QTest::qExec(&test, argc, argv);                                                  \
    }
