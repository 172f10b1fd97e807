#pragma once
// Test entry points: every test runs with sandboxed settings (never the user's own) and fails on a
// string-form connect that names a signal or slot that does not exist.

#include <QtGlobal>
#include <QtTest/QtTest>

namespace KelvaneTest
{

// Installs the message handler that turns "No such signal/slot" warnings into failures and points
// QSettings and QStandardPaths at test locations.
void PrepareTestEnvironment();

// Path of a file in the recorded test data (tests/data), or an empty string when missing.
QString TestDataPath(const QString& relative);

// Folder for artefacts a test leaves for people to look at (screenshots); created on demand.
QString ArtefactDir();

} // namespace KelvaneTest

#define KELVANE_TEST_MAIN_IMPL(TestObject, AppClass)                                                                   \
    int main(int argc, char** argv)                                                                                    \
    {                                                                                                                  \
        KelvaneTest::PrepareTestEnvironment();                                                                         \
        AppClass app(argc, argv);                                                                                      \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                                       \
        TestObject tc;                                                                                                 \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        return QTest::qExec(&tc, argc, argv);                                                                          \
    }

// For tests of the core (no widgets).
#define KELVANE_TEST_MAIN(TestObject) KELVANE_TEST_MAIN_IMPL(TestObject, QCoreApplication)
