// The CUPS server that tests print to: the private one of the test run
// (scripts/with-cups.sh sets CUPS_SERVER), never the machine's own printing. A
// test run without it gets a server that does not exist, so a screen that
// prints shows its message instead of printing on the developer's printer.
#pragma once

#include <QString>
#include <QtGlobal>

namespace testing_support {

inline bool haveTestCups() {
    return !qEnvironmentVariableIsEmpty("CUPS_SERVER");
}

inline QString testCupsServer() {
    return haveTestCups() ? qEnvironmentVariable("CUPS_SERVER")
                          : QStringLiteral("/nonexistent/marbo-test-without-cups.sock");
}

} // namespace testing_support

// First statement of a test that needs the private CUPS server.
#define MARBO_NEEDS_CUPS()                                                                                   \
    if (!testing_support::haveTestCups())                                                                    \
    GTEST_SKIP() << "no CUPS server for tests: CUPS_SERVER is not set (run under scripts/with-cups.sh)"
