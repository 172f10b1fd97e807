// The application object without a unit: settings, object creation, relays, the busy-port road and
// the hand-over of the main window.

#include <QMainWindow>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest/QtTest>

#include "app/KelvaneApplication.h"
#include "comms/CoreSettings.h"
#include "comms/StateMachine.h"
#include "decoders/GPSDecoder.h"
#include "decoders/MessageDecoder.h"
#include "model/Model.h"
#include "model/Names.h"
#include "support/AppTestFixture.h"

using KelvaneTest::App;

// Stands in for the main window: the signals and slots the application object connects by name.
class StandInWindow : public QMainWindow
{
    Q_OBJECT

public:
    QStringList calls;

Q_SIGNALS:
    void FileLoad();
    void Edited(int tab);
    void SendTab(int tab);
    void SendAllTabs();
    void GetTab(int tab);
    void GetAllTabs();
    void SendVDLMessage(VDL::VdlApplicationID functionID, int delay);
    void SensorPortSelected(bool selected);
    void inhibitGpsFiltAndTypeQuery(bool inhibit);

public Q_SLOTS:
    void OnUpdate() { calls << QStringLiteral("OnUpdate"); }
    void OnUpdateTabFromTransportModel(int tab)
    {
        calls << QStringLiteral("OnUpdateTabFromTransportModel %1").arg(tab);
    }
    void OnUpdateTransportModelFromTab(int tab)
    {
        calls << QStringLiteral("OnUpdateTransportModelFromTab %1").arg(tab);
    }
    void OnUpdateTabIcon(int tab, int icon) { calls << QStringLiteral("OnUpdateTabIcon %1 %2").arg(tab).arg(icon); }
    void OnEnableTab(int tab, bool enable) { calls << QStringLiteral("OnEnableTab %1 %2").arg(tab).arg(int(enable)); }
    void OnDisplayError(QString text, QString info) { calls << QStringLiteral("OnDisplayError %1|%2").arg(text, info); }
    void OnActivateProgressBar(bool on, int max)
    {
        calls << QStringLiteral("OnActivateProgressBar %1 %2").arg(int(on)).arg(max);
    }
    void OnUpdateProgressBar(int value) { calls << QStringLiteral("OnUpdateProgressBar %1").arg(value); }
    void On_updateAarFlag(int scenario) { calls << QStringLiteral("On_updateAarFlag %1").arg(scenario); }
    void OnConnected() { calls << QStringLiteral("OnConnected"); }
    void OnSendError() { calls << QStringLiteral("OnSendError"); }
    void OnDisconnected() { calls << QStringLiteral("OnDisconnected"); }
};

class TestKelvaneApplication : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void objectsAndNames();
    void defaultsWithEmptyStores();
    void settingsWrittenOnlyWhenChanged();
    void systemScopeSettings_data();
    void systemScopeSettings();
    void logRelaysReachTheStateMachine();
    void busyPortCreatesNothing_data();
    void busyPortCreatesNothing();
    void windowHandOver();
    void disconnectWithoutTransportDoesNothing();
};

void TestKelvaneApplication::objectsAndNames()
{
    KelvaneApplication* app = App();
    QCOMPARE(app, qobject_cast<KelvaneApplication*>(QCoreApplication::instance()));
    QCOMPARE(QCoreApplication::organizationName(), QStringLiteral("Tidera"));
    QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Kelvane"));
    QVERIFY(!QCoreApplication::organizationDomain().isEmpty());
    // Two blanks before the build date as the compiler writes it.
    QVERIFY2(QRegularExpression(QStringLiteral("^080500\\.02\\.08\\.02  \\([A-Z][a-z]{2} [ 0-9][0-9] [0-9]{4}\\)$"))
                 .match(QCoreApplication::applicationVersion())
                 .hasMatch(),
             qPrintable(QCoreApplication::applicationVersion()));

    QVERIFY(app->GetTabModel());
    QVERIFY(app->GetTransportModel());
    QVERIFY(app->GetTabModel() != app->GetTransportModel());
    QVERIFY(app->GetGPSDecoder());
    QVERIFY(app->GetMessageDecoder());
    QVERIFY(app->GetStateMachine());
    QVERIFY(app->GetStateMachine()->HasVirtualTab());
    QVERIFY(!app->GetTransport());
    QVERIFY(!app->GetTransportDevice());
    QVERIFY(!app->GetMainWindow());
    // The queued signals can carry the VDL identifier.
    QVERIFY(QMetaType::fromName("VDL::VdlApplicationID").isValid());
}

void TestKelvaneApplication::defaultsWithEmptyStores()
{
    KelvaneApplication* app = App();
    QCOMPARE(app->GetFilename(), QString());
    QCOMPARE(app->GetPortName(), QString());
    QCOMPARE(app->GetLogFilename(), QString());
    QCOMPARE(app->GetDiagnosticsFilename(), QString());
    QCOMPARE(app->GetProximityAlertFilename(), QString());
    QVERIFY(!app->GetShowTransmit());
    QVERIFY(!app->GetFCCAccept());
    QCOMPARE(app->GetVendorID(), QStringLiteral("KVX"));
    QVERIFY(app->GetVAtoNEnabled());
    QCOMPARE(CoreSettings::VendorID(), QStringLiteral("KVX"));
    QVERIFY(!app->SettingsChanged());
}

void TestKelvaneApplication::settingsWrittenOnlyWhenChanged()
{
    KelvaneApplication* app = App();
    QSettings user(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tidera"), QStringLiteral("Kelvane"));
    user.clear();
    user.sync();

    // Quitting without a setter call writes nothing.
    QVERIFY(QMetaObject::invokeMethod(app, "OnClosing"));
    user.sync();
    QVERIFY(user.allKeys().isEmpty());

    // Changing the port writes the five keys that are written back; "Filename" stays in memory.
    app->SetFilename(QStringLiteral("/tmp/site.kln"));
    app->SetPortName(QStringLiteral("COM7"));
    QVERIFY(app->SettingsChanged());
    QVERIFY(QMetaObject::invokeMethod(app, "OnClosing"));
    QVERIFY(!app->SettingsChanged());
    user.sync();
    QStringList keys = user.allKeys();
    keys.sort();
    QCOMPARE(keys,
             QStringList({"DiagnosticsFilename", "FCCAccept", "LogFilename", "PortName", "ProximityAlertFilename"}));
    QCOMPARE(user.value(QStringLiteral("PortName")).toString(), QStringLiteral("COM7"));

    // A setter with the same value still counts as a change.
    app->SetPortName(QStringLiteral("COM7"));
    QVERIFY(app->SettingsChanged());

    // Reading back: what was written comes back, "Filename" from the store.
    user.setValue(QStringLiteral("LogFilename"), QStringLiteral("/tmp/raw.log"));
    user.setValue(QStringLiteral("ShowTransmit"), true);
    user.sync();
    app->LoadSettings();
    QVERIFY(!app->SettingsChanged());
    QCOMPARE(app->GetLogFilename(), QStringLiteral("/tmp/raw.log"));
    QCOMPARE(app->GetFilename(), QString());
    QVERIFY(app->GetShowTransmit());
    user.clear();
    user.sync();
    app->LoadSettings();
}

void TestKelvaneApplication::systemScopeSettings_data()
{
    QTest::addColumn<QVariant>("vendor");
    QTest::addColumn<QString>("expected");
    QTest::newRow("own code") << QVariant(QStringLiteral("ABC")) << "ABC";
    QTest::newRow("lower case") << QVariant(QStringLiteral("tdr")) << "TDR";
    QTest::newRow("missing") << QVariant() << "KVX";
    QTest::newRow("would break the sentences") << QVariant(QStringLiteral("A*,")) << "KVX";
    QTest::newRow("too long") << QVariant(QStringLiteral("ABCD")) << "KVX";
}

void TestKelvaneApplication::systemScopeSettings()
{
    QFETCH(QVariant, vendor);
    QFETCH(QString, expected);
    QSettings system(QSettings::NativeFormat, QSettings::SystemScope, QStringLiteral("Tidera"),
                     QStringLiteral("Kelvane"));
    system.clear();
    if (vendor.isValid())
        system.setValue(QStringLiteral("VendorID"), vendor);
    system.setValue(QStringLiteral("VAtoNEnabled"), false);
    system.sync();
    App()->LoadSettings();
    QCOMPARE(App()->GetVendorID(), expected);
    QCOMPARE(CoreSettings::VendorID(), expected);
    QVERIFY(!App()->GetVAtoNEnabled());
    // The program never writes the system scope.
    App()->SetPortName(QStringLiteral("COM1"));
    App()->SaveSettings();
    system.sync();
    QCOMPARE(system.value(QStringLiteral("VendorID")), vendor);
    system.clear();
    system.sync();
    App()->LoadSettings();
    QCOMPARE(App()->GetVendorID(), QStringLiteral("KVX"));
}

void TestKelvaneApplication::logRelaysReachTheStateMachine()
{
    KelvaneApplication* app = App();
    QSignalSpy jobs(app->GetStateMachine(), qOverload<QString, bool>(&StateMachine::QueueJob));
    QSignalSpy bar(app->GetStateMachine(), &StateMachine::ActivateProgressBar);
    app->OnFaultLogRequest();
    app->OnProximityLogRequest();
    QCOMPARE(jobs.size(), 2);
    QCOMPARE(jobs.at(0).at(0).toString(), Names::FaultLog);
    QCOMPARE(jobs.at(1).at(0).toString(), Names::ProximityAlertLog);
    app->OnFaultLogMessageCount(1, 4);
    app->OnPrxLogMessageCount(4, 4);
    QCOMPARE(bar.size(), 2);
    QCOMPARE(bar.at(0), QVariantList({true, 4}));
    QCOMPARE(bar.at(1), QVariantList({false, 1}));
}

void TestKelvaneApplication::busyPortCreatesNothing_data()
{
    QTest::addColumn<bool>("present");
    QTest::addColumn<QString>("why");
    // A plain file is there but does not open as a port, as one another program holds.
    QTest::newRow("taken") << true << QStringLiteral("The port may be busy or resetting.");
    QTest::newRow("not there") << false << QStringLiteral("The port was not found (unplugged?).");
}

void TestKelvaneApplication::busyPortCreatesNothing()
{
    QFETCH(bool, present);
    QFETCH(QString, why);
    KelvaneApplication* app = App();
    QTemporaryDir dir;
    const QString port = dir.filePath(QStringLiteral("port"));
    QFile file(port);
    QVERIFY(!present || file.open(QIODevice::WriteOnly));
    app->SetPortName(port);
    QSignalSpy errors(app->GetStateMachine(), &StateMachine::DisplayError);
    QSignalSpy disconnects(app->GetStateMachine(), &StateMachine::Disconnect);
    for (int attempt = 1; attempt <= 2; ++attempt)
    {
        app->ConnectSerialTransport();
        // Every attempt probes again and reports once.
        QCOMPARE(errors.size(), attempt);
        QCOMPARE(errors.last().at(0).toString(), QStringLiteral("Error connecting to the AtoN"));
        QCOMPARE(
            errors.last().at(1).toString(),
            QStringLiteral("An error was encountered in trying to open the serial port.  %1 ( %2 ).").arg(why, port));
        QCOMPARE(disconnects.size(), attempt);
        QVERIFY(!app->GetTransport());
        QVERIFY(!app->GetWorkerThread());
        QVERIFY(app->findChildren<QThread*>().isEmpty());
    }
    // The report is not left connected: the application's own ConnectError reaches nobody now.
    Q_EMIT app->ConnectError(QStringLiteral("stray"));
    QCOMPARE(errors.size(), 2);
}

void TestKelvaneApplication::windowHandOver()
{
    KelvaneApplication* app = App();
    QVERIFY_THROWS_EXCEPTION(std::bad_alloc, app->SetMainWindow(nullptr));
    StandInWindow window;
    // Any signature the window does not have would abort the test here.
    app->SetMainWindow(&window);
    QCOMPARE(app->GetMainWindow(), &window);

    StateMachine* sm = app->GetStateMachine();
    QSignalSpy jobs(sm, qOverload<QString, bool>(&StateMachine::QueueJob));
    Q_EMIT window.inhibitGpsFiltAndTypeQuery(true);
    sm->Connected();
    QVERIFY(jobs.isEmpty());
    Q_EMIT window.GetTab(StateMachine::RepeaterTab);
    QCOMPARE(jobs.size(), 1);
    QCOMPARE(jobs.at(0).at(0).toString(), Names::Repeater);
    QVERIFY(window.calls.contains(QStringLiteral("OnUpdateTabIcon 5 3")));
    QVERIFY(window.calls.contains(QStringLiteral("OnEnableTab 5 0")));

    sm->JobComplete(Names::Repeater, false);
    sm->AllJobsComplete();
    QVERIFY(window.calls.contains(QStringLiteral("OnUpdateTabFromTransportModel 5")));
    QVERIFY(window.calls.contains(QStringLiteral("OnUpdateProgressBar 6")));
    QCOMPARE(window.calls.last(), QStringLiteral("OnUpdate"));

    Q_EMIT window.Edited(5);
    QVERIFY(window.calls.contains(QStringLiteral("OnUpdateTabIcon 5 1")));
    Q_EMIT window.SendVDLMessage(VDL::AID_REQUEST, 3);
    QCOMPARE(jobs.size(), 1); // the VDL job goes out with its delay (the three-argument signal)
    QVERIFY(window.calls.contains(QStringLiteral("OnUpdateTabIcon 6 3")));

    Q_EMIT window.SensorPortSelected(true);
    QVERIFY(sm->IsSensorMode());
    Q_EMIT window.SensorPortSelected(false);
    Q_EMIT window.inhibitGpsFiltAndTypeQuery(false);
    sm->Timeout(Names::RealAtoN);
    QVERIFY(
        window.calls.contains(QStringLiteral("OnDisplayError Error communicating with the AtoN|A timeout occurred")));
    sm->Disconnected();
    QCOMPARE(window.calls.last(), QStringLiteral("OnEnableTab 4 1"));
}

void TestKelvaneApplication::disconnectWithoutTransportDoesNothing()
{
    KelvaneApplication* app = App();
    QSignalSpy disconnecting(app, &KelvaneApplication::Disconnecting);
    QSignalSpy transportDisconnect(app, &KelvaneApplication::DisconnectTransport);
    app->Disconnect();
    app->Disconnected();
    QCOMPARE(disconnecting.size(), 0);
    QCOMPARE(transportDisconnect.size(), 0);
}

KELVANE_TEST_APP_MAIN(TestKelvaneApplication)
#include "tst_KelvaneApplication.moc"
