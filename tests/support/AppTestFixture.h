#pragma once
// Widget tests that need the application object build it through this header: a test main that
// creates KelvaneApplication (in place of a plain QApplication) over sandboxed settings stores, with
// no port opened. Header-only: the support library is core-only and never compiles it.
//
//     KELVANE_TEST_APP_MAIN(MyTabTest)
//
// or, with settings in place before the application object reads them:
//
//     static KelvaneTest::AppSettings Settings()
//     {
//         KelvaneTest::AppSettings s;
//         s.system.insert(QStringLiteral("VAtoNEnabled"), false);
//         return s;
//     }
//     KELVANE_TEST_APP_MAIN_WITH(MyTabTest, Settings())
//
// Inside the test, KelvaneTest::App() is the application object. Both settings scopes live in folders
// of the test's own, emptied at start; QSettings(QSettings::NativeFormat, scope, "Tidera", "Kelvane")
// in the test reads and writes the same stores.

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QVariantMap>

#include "app/KelvaneApplication.h"
#include "support/TestMain.h"

namespace KelvaneTest
{

struct AppSettings
{
    QVariantMap user;   // "Filename", "PortName", "ShowTransmit", ...
    QVariantMap system; // "VendorID", "VAtoNEnabled"
};

// Folder of one settings scope of this test run.
inline QString AppSettingsDir(QSettings::Scope scope)
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(base).filePath(scope == QSettings::SystemScope ? QStringLiteral("kelvane-system")
                                                               : QStringLiteral("kelvane-user"));
}

// Points both scopes of the native settings format at empty sandbox folders and writes the values.
// Call after PrepareTestEnvironment and before the application object exists.
inline void PrepareAppSettings(const AppSettings& settings = AppSettings())
{
    for (QSettings::Scope scope : {QSettings::UserScope, QSettings::SystemScope})
    {
        const QString dir = AppSettingsDir(scope);
        QDir(dir).removeRecursively();
        QDir().mkpath(dir);
        QSettings::setPath(QSettings::NativeFormat, scope, dir);
        QSettings store(QSettings::NativeFormat, scope, KelvaneApplication::OrganisationName,
                        KelvaneApplication::ApplicationName);
        const QVariantMap& values = scope == QSettings::SystemScope ? settings.system : settings.user;
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            store.setValue(it.key(), it.value());
        store.sync();
    }
}

inline KelvaneApplication* App()
{
    return KelvaneApplication::Instance();
}

} // namespace KelvaneTest

#define KELVANE_TEST_APP_MAIN_WITH(TestObject, settings)                                                               \
    int main(int argc, char** argv)                                                                                    \
    {                                                                                                                  \
        KelvaneTest::PrepareTestEnvironment();                                                                         \
        KelvaneTest::PrepareAppSettings(settings);                                                                     \
        KelvaneApplication app(argc, argv);                                                                            \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                                       \
        TestObject tc;                                                                                                 \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        return QTest::qExec(&tc, argc, argv);                                                                          \
    }

#define KELVANE_TEST_APP_MAIN(TestObject) KELVANE_TEST_APP_MAIN_WITH(TestObject, KelvaneTest::AppSettings())
