// The test files of one folder share one executable (ravlin_tests_in_folder). Included before each
// of them: QTEST_MAIN and QTEST_GUILESS_MAIN register the test's main function under the file's name
// instead of defining main(); test_runner_main.cpp runs the test named on its command line.
#pragma once

#include <QtTest>

namespace ravlin::test {
using TestMain = int (*)(int argc, char** argv);
// Registers the test of source `file` (its __FILE__); returns true.
bool registerTestMain(const char* file, TestMain main);
} // namespace ravlin::test

#undef QTEST_MAIN_WRAPPER
#define QTEST_MAIN_WRAPPER(TestObject, ...)                                                                  \
    static int ravlinTestMain(int argc, char* argv[]) {                                                      \
        TESTLIB_SELFCOVERAGE_START(#TestObject)                                                              \
        QT_PREPEND_NAMESPACE(QTest::Internal::callInitMain)<TestObject>();                                   \
        __VA_ARGS__                                                                                          \
        TestObject tc;                                                                                       \
        QTEST_SET_MAIN_SOURCE_PATH                                                                           \
        return QTest::qExec(&tc, argc, argv);                                                                \
    }                                                                                                        \
    [[maybe_unused]] static const bool ravlinTestRegistered =                                                \
        ravlin::test::registerTestMain(__FILE__, ravlinTestMain);
