// The application object built over settings stores that already hold values: what it reads at start
// and how the system-scope switches shape the objects it creates.

#include <QtTest/QtTest>

#include "app/KelvaneApplication.h"
#include "comms/CoreSettings.h"
#include "comms/StateMachine.h"
#include "model/Names.h"
#include "support/AppTestFixture.h"

using KelvaneTest::App;

namespace
{
KelvaneTest::AppSettings StoredSettings()
{
    KelvaneTest::AppSettings settings;
    settings.system.insert(QStringLiteral("VAtoNEnabled"), false);
    settings.system.insert(QStringLiteral("VendorID"), QStringLiteral("TDR"));
    settings.user.insert(QStringLiteral("PortName"), QStringLiteral("/dev/ttyACM3"));
    settings.user.insert(QStringLiteral("Filename"), QStringLiteral("/srv/sites/north-pier.kln"));
    settings.user.insert(QStringLiteral("DiagnosticsFilename"), QStringLiteral("/srv/reports/diag.xml"));
    settings.user.insert(QStringLiteral("ProximityAlertFilename"), QStringLiteral("/srv/reports/prx.xml"));
    settings.user.insert(QStringLiteral("LogFilename"), QStringLiteral("/srv/logs/raw.log"));
    settings.user.insert(QStringLiteral("ShowTransmit"), true);
    settings.user.insert(QStringLiteral("FCCAccept"), true);
    // A system-scope key in the user store is not taken for the system setting.
    settings.user.insert(QStringLiteral("VAtoNEnabled"), true);
    return settings;
}
} // namespace

class TestKelvaneApplicationStartSettings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void settingsReadAtStart();
    void noVirtualAtoNTab();
};

void TestKelvaneApplicationStartSettings::settingsReadAtStart()
{
    KelvaneApplication* app = App();
    QCOMPARE(app->GetPortName(), QStringLiteral("/dev/ttyACM3"));
    QCOMPARE(app->GetFilename(), QStringLiteral("/srv/sites/north-pier.kln"));
    QCOMPARE(app->GetDiagnosticsFilename(), QStringLiteral("/srv/reports/diag.xml"));
    QCOMPARE(app->GetProximityAlertFilename(), QStringLiteral("/srv/reports/prx.xml"));
    QCOMPARE(app->GetLogFilename(), QStringLiteral("/srv/logs/raw.log"));
    QVERIFY(app->GetShowTransmit());
    QVERIFY(app->GetFCCAccept());
    QCOMPARE(app->GetVendorID(), QStringLiteral("TDR"));
    // Core code reads the manufacturer code without reaching for the application object.
    QCOMPARE(CoreSettings::VendorID(), QStringLiteral("TDR"));
    QVERIFY(!app->SettingsChanged());
}

void TestKelvaneApplicationStartSettings::noVirtualAtoNTab()
{
    KelvaneApplication* app = App();
    QVERIFY(!app->GetVAtoNEnabled());
    StateMachine* sm = app->GetStateMachine();
    QVERIFY(!sm->HasVirtualTab());
    // Position 2 is the Status Inputs tab.
    QSignalSpy jobs(sm, qOverload<QString, bool>(&StateMachine::QueueJob));
    sm->onInhibitGpsFiltAndTypeQuery(true);
    sm->Connected();
    sm->GetTab(2);
    QCOMPARE(jobs.size(), 1);
    QCOMPARE(jobs.at(0).at(0).toString(), Names::StatusInputConfiguration);
    sm->Disconnected();
}

KELVANE_TEST_APP_MAIN_WITH(TestKelvaneApplicationStartSettings, StoredSettings())
#include "tst_KelvaneApplicationStartSettings.moc"
