// The application object as the product runs it: the transport in its worker thread, a pseudo-terminal
// as the serial port and the simulated unit at its far end. Retrieve, send, failures, replay,
// reconnection and quitting, each ending without a thread left behind.

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest/QtTest>

#include "app/KelvaneApplication.h"
#include "comms/SerialController.h"
#include "comms/StateMachine.h"
#include "decoders/GPSDecoder.h"
#include "model/Model.h"
#include "model/Names.h"
#include "support/WindowTestFixture.h"

using KelvaneTest::App;

class TestLinkEndToEnd : public KelvaneTest::LinkTest
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void connectRunsConnectTimeJobs();
    void retrieveAllTabs();
    void sendAllTabs();
    void timeoutEndsTheConnection();
    void hangUpEndsTheConnection();
    void replayOfARecordedLog();
    void disconnectAndReconnect();
    void lateFinishOfAnOldThread();
    void quitWhileConnected();
    void destructionWhileConnected();

private:
    // Connects to the unit and waits until the connect-time jobs have run.
    bool ConnectToUnit();
    bool HasLineContaining(const QString& text) const { return UnitReceived(text); }

    StateMachine* sm = nullptr;
    bool leaveConnected = false;
};

void TestLinkEndToEnd::initTestCase()
{
    UseQuickTransport();
    sm = App()->GetStateMachine();
    QVERIFY(StartUnit(unit));
    App()->SetPortName(unit->PortPath());
}

void TestLinkEndToEnd::cleanup()
{
    if (leaveConnected)
        return;
    unit->SetSilent(false);
    QVERIFY(DisconnectAndWait());
    QVERIFY(!sm->IsConnected());
}

bool TestLinkEndToEnd::ConnectToUnit()
{
    QSignalSpy update(sm, &StateMachine::Update);
    App()->ConnectSerialTransport();
    if (!App()->GetTransport())
        return false;
    if (!QTest::qWaitFor([this] { return sm->IsConnected(); }, ConnectWaitMs))
        return false;
    return update.wait(ConnectWaitMs);
}

void TestLinkEndToEnd::connectRunsConnectTimeJobs()
{
    unit->ClearReceivedLines();
    QSignalSpy icons(sm, &StateMachine::UpdateTabIcon);
    QSignalSpy errors(sm, &StateMachine::DisplayError);
    QVERIFY(ConnectToUnit());
    QVERIFY(App()->GetTransportDevice());
    QVERIFY(App()->GetTransport()->thread() != QThread::currentThread());
    QVERIFY(errors.isEmpty());
    // The MMSI query, then the GNSS receiver: filter on, receiver type, GNSS mode.
    QVERIFY(HasLineContaining(QStringLiteral("Q,AID")));
    QVERIFY(HasLineContaining(QStringLiteral("gpsfilt 49")));
    QVERIFY(HasLineContaining(QStringLiteral("getubtypem8")));
    QVERIFY(HasLineContaining(QStringLiteral("getgnss")));
    // Every tab shows "not read".
    for (int n = 0; n < StateMachine::AtoNTabCount; ++n)
        QCOMPARE(sm->GetTabState(n), int(StateMachine::TabNotRead));
    QVERIFY(!icons.isEmpty());
}

void TestLinkEndToEnd::retrieveAllTabs()
{
    QVERIFY(ConnectToUnit());
    QSignalSpy bar(sm, &StateMachine::ActivateProgressBar);
    QSignalSpy progress(sm, &StateMachine::UpdateProgressBar);
    QSignalSpy reloads(sm, &StateMachine::UpdateTabFromTransportModel);
    QSignalSpy errors(sm, &StateMachine::DisplayError);
    sm->GetAllTabs();
    QCOMPARE(bar.size(), 1);
    QCOMPARE(bar.at(0), QVariantList({true, 7}));
    QTRY_VERIFY_WITH_TIMEOUT(bar.size() == 2, TransferWaitMs);
    QCOMPARE(bar.at(1).at(0).toBool(), false);
    QVERIFY2(errors.isEmpty(), errors.isEmpty() ? "" : qPrintable(errors.first().at(1).toString()));
    QCOMPARE(progress.last().at(0).toInt(), 7);
    QCOMPARE(reloads.size(), 7);

    for (int n = 0; n < StateMachine::AtoNTabCount; ++n)
        QCOMPARE(sm->GetTabState(n), int(StateMachine::TabInStep));

    // The transport model holds what the unit holds.
    Model* transport = App()->GetTransportModel();
    const SimUnitState& state = unit->State();
    AtoN* real = transport->GetRealAtoN();
    QCOMPARE(real->GetAtoNMMSI()->GetCurrentMMSI(), state.real.mmsi);
    QCOMPARE(real->GetName(), state.real.Name());
    QCOMPARE(real->GetTypeOfAtoN(), state.real.acf.at(11).toInt());
    QCOMPARE(real->GetChannel1(), state.real.acf.at(6).toInt());
    QCOMPARE(real->GetOffPositionThreshold(), state.real.ace.at(1).toInt());
    QCOMPARE(transport->GetStatusInputConfiguration()->GetLightFitted(),
             state.mcr.value(QStringLiteral("LRC")).at(0).toInt());
    QCOMPARE(transport->GetStatusInputConfiguration()->GetStatusBitSource(),
             state.mcr.value(QStringLiteral("SBS")).at(0).toInt());
    const ScheduleEntry message21 =
        transport->GetMessageSchedule()->GetEntry(transport->GetMessageSchedule()->FirstPositionOf(21));
    QCOMPARE(message21.Block(1).startSlot, state.real.Entry(21, 1).at(4).toInt());
}

void TestLinkEndToEnd::sendAllTabs()
{
    QVERIFY(ConnectToUnit());
    QSignalSpy bar(sm, &StateMachine::ActivateProgressBar);
    sm->GetAllTabs();
    QTRY_VERIFY_WITH_TIMEOUT(bar.size() == 2, TransferWaitMs);

    // The user takes over what was read and changes it.
    Model* tabs = App()->GetTabModel();
    *tabs = *App()->GetTransportModel();
    tabs->GetRealAtoN()->SetName(QStringLiteral("E2E BUOY"));
    tabs->GetRealAtoN()->SetOffPositionThreshold(120);
    tabs->GetStatusInputConfiguration()->SetLightFitted(0);
    VirtualAtoNModel* wreck = tabs->GetVirtualAtoN(1);
    wreck->SetEnabled(true);
    wreck->GetAtoNMmsi()->SetMMSI(QStringLiteral("993510001"));
    wreck->SetAtoNName(QStringLiteral("WRECK EAST"));
    wreck->GetPosition()->SetLatitude(51.52);
    wreck->GetPosition()->SetLongitude(4.77);

    QSignalSpy progress(sm, &StateMachine::UpdateProgressBar);
    QSignalSpy errors(sm, &StateMachine::DisplayError);
    QSignalSpy update(sm, &StateMachine::Update);
    bar.clear();
    sm->SendAllTabs();
    QCOMPARE(bar.size(), 1);
    QCOMPARE(bar.at(0), QVariantList({true, 14}));
    QTRY_VERIFY_WITH_TIMEOUT(bar.size() == 2, TransferWaitMs);
    QVERIFY2(errors.isEmpty(), errors.isEmpty() ? "" : qPrintable(errors.first().at(1).toString()));
    QCOMPARE(progress.last().at(0).toInt(), 14);
    QTRY_VERIFY_WITH_TIMEOUT(!update.isEmpty(), TransferWaitMs);

    // The unit holds what the tab model holds ...
    const SimUnitState& state = unit->State();
    QCOMPARE(state.real.Name(), QStringLiteral("E2E BUOY"));
    QCOMPARE(state.real.ace.at(1).toInt(), 120);
    QCOMPARE(state.mcr.value(QStringLiteral("LRC")).at(0), QStringLiteral("0"));
    const SimStation* wreckAtUnit = state.Station(QStringLiteral("993510001"));
    QVERIFY(wreckAtUnit);
    QCOMPARE(wreckAtUnit->Name(), QStringLiteral("WRECK EAST"));
    // ... and the re-read brought it back into the transport model, every tab in step.
    Model* transport = App()->GetTransportModel();
    QCOMPARE(transport->GetRealAtoN()->GetName(), QStringLiteral("E2E BUOY"));
    QCOMPARE(transport->GetRealAtoN()->GetOffPositionThreshold(), 120);
    QCOMPARE(transport->GetStatusInputConfiguration()->GetLightFitted(), 0);
    bool wreckRead = false;
    for (int k = 1; k <= 10; ++k)
        wreckRead = wreckRead || transport->GetVirtualAtoN(k)->GetAtoNName() == QLatin1String("WRECK EAST");
    QVERIFY(wreckRead);
    for (int n = 0; n < StateMachine::AtoNTabCount; ++n)
        QCOMPARE(sm->GetTabState(n), int(StateMachine::TabInStep));
}

void TestLinkEndToEnd::timeoutEndsTheConnection()
{
    QVERIFY(ConnectToUnit());
    QSignalSpy errors(sm, &StateMachine::DisplayError);
    unit->SetSilent(true);
    sm->RequestVersion();
    QVERIFY(errors.wait(ConnectWaitMs));
    QCOMPARE(errors.first(),
             QVariantList({QStringLiteral("Error communicating with the AtoN"), QStringLiteral("A timeout occurred")}));
    QVERIFY(WaitForNoConnection());
    QCOMPARE(errors.size(), 1);
    for (int n = 0; n < StateMachine::AtoNTabCount; ++n)
        QCOMPARE(sm->GetTabState(n), int(StateMachine::TabNotConnected));
}

void TestLinkEndToEnd::hangUpEndsTheConnection()
{
    QVERIFY(ConnectToUnit());
    QSignalSpy errors(sm, &StateMachine::DisplayError);
    unit->HangUp();
    QVERIFY(WaitForNoConnection());
    QCOMPARE(errors.size(), 1);
    QCOMPARE(errors.first().at(0).toString(), QStringLiteral("Error connecting to the AtoN"));
    QVERIFY(!sm->IsConnected());

    // A unit plugged in again is a new port.
    unit->Stop();
    QVERIFY(unit->Start());
    App()->SetPortName(unit->PortPath());
    QVERIFY(ConnectToUnit());
}

void TestLinkEndToEnd::replayOfARecordedLog()
{
    const QString recording = KelvaneTest::TestDataPath(QStringLiteral("nmea/ublox-neo-m9n-nmea.log"));
    QVERIFY(!recording.isEmpty());
    QFile in(recording);
    QVERIFY(in.open(QIODevice::ReadOnly));
    QTemporaryDir dir;
    QFile log(dir.filePath(QStringLiteral("raw.log")));
    QVERIFY(log.open(QIODevice::WriteOnly));
    log.write("#\n# Kelvane Started log file at 10:00:00 2026/12/07\n#\n");
    for (int lines = 0; lines < 60 && !in.atEnd();)
    {
        const QByteArray line = in.readLine();
        if (line.startsWith('#'))
            continue;
        log.write(line);
        ++lines;
    }
    log.write(">$PKVX,0,0,0x5E1D0A47,2,appver,1*00\n");
    log.write("#\n# Kelvane Stopped log file at 10:00:01 2026/12/07\n#\n");
    log.close();

    QSignalSpy gps(App()->GetGPSDecoder(), &GPSDecoder::GpsDataReceived);
    QSignalSpy jobs(sm, qOverload<QString, bool, int>(&StateMachine::QueueJob));
    QSignalSpy errors(sm, &StateMachine::DisplayError);
    unit->ClearReceivedLines();
    App()->SetLogFilename(log.fileName());
    App()->ConnectSerialTransportToLogFile();
    QVERIFY(App()->GetTransport());
    QTRY_VERIFY_WITH_TIMEOUT(sm->IsConnected(), ConnectWaitMs);
    // No query goes out for a replay: nothing would answer it.
    QVERIFY(jobs.isEmpty());
    // The replay ends by itself at the end of the file.
    QVERIFY(WaitForNoConnection());
    QVERIFY(errors.isEmpty());
    bool position = false;
    for (const QVariantList& call : gps)
        position = position || call.at(0).value<GpsData*>() != nullptr;
    QVERIFY(position);
    QVERIFY(unit->ReceivedLines().isEmpty());

    // A replay of a file that is not there is reported and leaves nothing behind.
    App()->SetLogFilename(dir.filePath(QStringLiteral("missing.log")));
    App()->ConnectSerialTransportToLogFile();
    QVERIFY(errors.wait(ConnectWaitMs));
    QCOMPARE(errors.first().at(0).toString(), QStringLiteral("Error connecting to the AtoN"));
    QVERIFY(WaitForNoConnection());
}

void TestLinkEndToEnd::disconnectAndReconnect()
{
    QVERIFY(ConnectToUnit());
    unit->ClearReceivedLines();
    App()->Disconnect();
    QVERIFY(WaitForNoConnection());
    // The GNSS filter is switched off on the way out.
    QVERIFY(HasLineContaining(QStringLiteral("gpsfilt 0")));
    for (int n = 0; n < StateMachine::AtoNTabCount; ++n)
        QCOMPARE(sm->GetTabState(n), int(StateMachine::TabNotConnected));

    // A second connection: each signal of the new transport reaches its receiver once.
    QVERIFY(ConnectToUnit());
    QSignalSpy reloads(sm, &StateMachine::UpdateTabFromTransportModel);
    QSignalSpy update(sm, &StateMachine::Update);
    sm->GetTab(StateMachine::RepeaterTab);
    QVERIFY(update.wait(TransferWaitMs));
    QTest::qWait(200);
    QCOMPARE(reloads.size(), 1);
    QCOMPARE(update.size(), 1);
    QCOMPARE(sm->GetTabState(StateMachine::RepeaterTab), int(StateMachine::TabInStep));
}

void TestLinkEndToEnd::quitWhileConnected()
{
    QVERIFY(ConnectToUnit());
    QTemporaryDir dir;
    const QString logName = dir.filePath(QStringLiteral("traffic.log"));
    QVERIFY(App()->GetTransportDevice()->StartLog(logName));
    QTest::qWait(600); // some GNSS traffic into the log

    // What aboutToQuit runs: the link closes in its own thread, within a bounded wait.
    QVERIFY(QMetaObject::invokeMethod(App(), "OnClosing"));
    QVERIFY(!App()->GetTransport());
    QVERIFY(!App()->GetWorkerThread());
    QVERIFY(App()->findChildren<QThread*>().isEmpty());

    // The raw log was ended by the controller as it closed.
    QFile log(logName);
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = log.readAll().split('\n');
    QVERIFY(lines.size() > 6);
    QVERIFY(lines.at(1).startsWith("# Kelvane Started log file at "));
    QVERIFY(lines.at(lines.size() - 3).startsWith("# Kelvane Stopped log file at "));

    // The state machine is told nothing more: it learns of the end with the next connection.
    sm->Disconnected();
}

void TestLinkEndToEnd::lateFinishOfAnOldThread()
{
    QVERIFY(ConnectToUnit());
    SerialTransport* current = App()->GetTransport();
    QThread* currentThread = App()->GetWorkerThread();
    // A worker thread of an earlier connection that ends only now.
    QPointer<QThread> old = new QThread(App());
    connect(old, &QThread::finished, App(), &KelvaneApplication::Finished);
    old->start();
    old->quit();
    QTRY_VERIFY_WITH_TIMEOUT(old.isNull(), ConnectWaitMs);
    QCOMPARE(App()->GetTransport(), current);
    QCOMPARE(App()->GetWorkerThread(), currentThread);
    // The connection still works.
    QSignalSpy update(sm, &StateMachine::Update);
    sm->GetTab(StateMachine::AlertMessagesTab);
    QVERIFY(update.wait(TransferWaitMs));
    QCOMPARE(sm->GetTabState(StateMachine::AlertMessagesTab), int(StateMachine::TabInStep));
}

void TestLinkEndToEnd::destructionWhileConnected()
{
    // Left open on purpose: the application object's destructor, after the last test, must stop the
    // worker thread itself (a running thread destroyed would abort the program).
    QVERIFY(ConnectToUnit());
    leaveConnected = true;
}

KELVANE_TEST_APP_MAIN(TestLinkEndToEnd)
#include "tst_LinkEndToEnd.moc"
