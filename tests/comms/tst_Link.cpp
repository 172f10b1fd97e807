// The whole link: SerialTransport in its worker thread, a real pseudo-terminal, the simulated unit
// on the far end. The query and send-pacing intervals are shortened (the timer rules themselves
// are the engine tests' business); everything waits on signals.

#include "comms/SerialController.h"
#include "comms/SerialTransport.h"
#include "comms/StateMachine.h"
#include "decoders/GPSDecoder.h"
#include "decoders/MessageDecoder.h"
#include "model/ADCSettingsModel.h"
#include "model/AlertMessagesModel.h"
#include "model/AtoN.h"
#include "model/MessageSchedule.h"
#include "model/MessageSettingsModel.h"
#include "model/Model.h"
#include "model/Names.h"
#include "model/RepeaterModel.h"
#include "model/SensorSettingsModel.h"
#include "model/StatusInputConfigurationModel.h"
#include "model/VdlModel.h"
#include "model/VirtualAtoNModel.h"
#include "support/SimulatedUnit.h"
#include "support/TestMain.h"

#include <QElapsedTimer>
#include <QFile>
#include <QMutexLocker>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>

#include <functional>

namespace
{
class FastSerialTransport : public SerialTransport
{
public:
    using SerialTransport::SerialTransport;
    int ResponseTimeout() const override { return 400; }
    int SendInterval() const override { return 30; }
};
} // namespace

// Receives the transport's signals in the test's thread (queued, as the GUI thread would).
class LinkObserver : public QObject
{
    Q_OBJECT

public:
    bool connected = false;
    int disconnected = 0;
    int cleanUps = 0;
    QStringList connectErrors;
    QStringList completed; // "name:send" or "name:query"
    QStringList timeouts;
    QStringList commandErrors;
    QStringList sentenceErrors;
    QStringList received;
    QStringList versions;
    QList<double> vswr;
    QList<int> gnssModes;
    QList<int> m8;
    QStringList faultLog;
    QStringList proximityLog;
    QList<QPair<int, int>> vdlSent;

    void Watch(Transport* t)
    {
        connect(t, &Transport::Connected, this, [this] { connected = true; });
        connect(t, &Transport::Disconnected, this,
                [this]
                {
                    connected = false;
                    ++disconnected;
                });
        connect(t, &Transport::DisconnectedCleanUp, this, [this] { ++cleanUps; });
        connect(t, &Transport::ConnectError, this, [this](const QString& e) { connectErrors << e; });
        connect(t, &Transport::JobComplete, this,
                [this](const QString& name, bool send)
                { completed << name + (send ? QStringLiteral(":send") : QStringLiteral(":query")); });
        connect(t, &Transport::Timeout, this, [this](const QString& name) { timeouts << name; });
        connect(t, &Transport::CommandError, this, [this](const QString& c) { commandErrors << c; });
        connect(t, &Transport::AtoNSentenceError, this, [this](const QString& f) { sentenceErrors << f; });
        connect(t, &Transport::Received, this, [this](const QString& line) { received << line; });
        connect(t, &Transport::Version, this, [this](const QString& v) { versions << v; });
        connect(t, &Transport::VSWR, this, [this](double v) { vswr << v; });
        connect(t, &Transport::signalGnssModeReceived, this, [this](int mode) { gnssModes << mode; });
        connect(t, &Transport::signalUbloxM8, this, [this](int v) { m8 << v; });
        connect(t, &Transport::FaultLogMessage, this,
                [this](const QString& d, const QString& tm, const QString& text)
                { faultLog << d + QLatin1Char(' ') + tm + QLatin1Char(' ') + text; });
        connect(t, &Transport::ProximityAlertLogMessage, this,
                [this](const QString& d, const QString& tm, const QString& text)
                { proximityLog << d + QLatin1Char(' ') + tm + QLatin1Char(' ') + text; });
        connect(t, &Transport::VDLMessageSent, this, [this](int id, int n) { vdlSent << qMakePair(id, n); });
    }
};

namespace
{
class Link
{
public:
    Model model;
    SimulatedUnit unit;
    QThread thread;
    FastSerialTransport* transport = nullptr;
    LinkObserver observer;

    Link()
    {
        transport = new FastSerialTransport(&model);
        transport->moveToThread(&thread);
        observer.Watch(transport);
        thread.start();
    }

    ~Link()
    {
        QMetaObject::invokeMethod(
            transport, [t = transport] { t->Disconnect(); }, Qt::BlockingQueuedConnection);
        thread.quit();
        thread.wait();
        delete transport; // after its thread has finished
    }

    void Call(std::function<void()> f) { QMetaObject::invokeMethod(transport, f, Qt::QueuedConnection); }

    bool Connect()
    {
        if (!unit.IsRunning() && !unit.Start())
            return false;
        const QString port = unit.PortPath();
        Call([t = transport, port] { t->Connect(port); });
        return QTest::qWaitFor([this] { return observer.connected || !observer.connectErrors.isEmpty(); }, 5000) &&
               observer.connected;
    }

    // Queues a job and waits for its end: true when it completed.
    bool Run(const QString& job, bool send, int delay = -2)
    {
        const QString key = job + (send ? QStringLiteral(":send") : QStringLiteral(":query"));
        const int before = int(observer.completed.count(key));
        const int timeoutsBefore = int(observer.timeouts.size());
        if (delay == -2)
            Call([t = transport, job, send] { t->QueueJob(job, send); });
        else
            Call([t = transport, job, send, delay] { t->QueueJob(job, send, delay); });
        (void)QTest::qWaitFor(
            [&] { return observer.completed.count(key) > before || observer.timeouts.size() > timeoutsBefore; }, 30000);
        return observer.completed.count(key) > before;
    }
};

// The state machine and a tab model beside the link, wired as the main window wires them: a
// retrieve loads the tab model from the transport model, a send copies it back. The tab copies are
// plain record assignments, so what this finds lies in the jobs and sentences, not in widgets.
class RoundTrip
{
public:
    Link& link;
    Model tabModel;
    StateMachine machine;
    int runsEnded = 0; // AllJobsComplete count

    explicit RoundTrip(Link& link) : link(link), machine(&tabModel, &link.model, true)
    {
        Transport* t = link.transport;
        QObject::connect(&machine, qOverload<QString, bool>(&StateMachine::QueueJob), t,
                         qOverload<QString, bool>(&Transport::QueueJob));
        QObject::connect(&machine, qOverload<QString, bool, int>(&StateMachine::QueueJob), t,
                         qOverload<QString, bool, int>(&Transport::QueueJob));
        QObject::connect(&machine, &StateMachine::UpdateSensorCommands, t, &Transport::OnSensorConfigurationUpdate);
        QObject::connect(t, &Transport::Connected, &machine, &StateMachine::Connected);
        QObject::connect(t, &Transport::JobComplete, &machine, &StateMachine::JobComplete);
        QObject::connect(t, &Transport::AllJobsComplete, &machine, &StateMachine::AllJobsComplete);
        QObject::connect(t, &Transport::AllJobsComplete, &machine, [this] { ++runsEnded; });
        QObject::connect(t, &Transport::Timeout, &machine, &StateMachine::Timeout);
        QObject::connect(t, &Transport::CommandError, &machine, &StateMachine::CommandError);
        QObject::connect(t, &Transport::AtoNSentenceError, &machine, &StateMachine::AtoNSentenceError);
        QObject::connect(&machine, &StateMachine::UpdateTabFromTransportModel, &machine,
                         [this](int position) { Load(position); });
    }

    bool Idle() const
    {
        if (link.transport->IsBusy())
            return false;
        for (int number = 0; number < StateMachine::AtoNTabCount; ++number)
            if (machine.GetTabState(number) == StateMachine::TabBusy)
                return false;
        return machine.GetSensorTabState(0) != StateMachine::TabBusy;
    }

    // Waits for the jobs just asked for and the tabs' re-reads: true when all ended without a failure.
    bool Settle()
    {
        const int before = runsEnded;
        return QTest::qWaitFor([&] { return (runsEnded > before && Idle()) || !link.observer.timeouts.isEmpty(); },
                               60000) &&
               link.observer.timeouts.isEmpty() && link.observer.sentenceErrors.isEmpty() &&
               link.observer.commandErrors.isEmpty() && link.observer.disconnected == 0;
    }

private:
    void Load(int position)
    {
        QMutexLocker lock(&Transport::ModelLock());
        Model& from = link.model;
        if (machine.IsSensorMode())
        {
            *tabModel.GetSensorSettings() = *from.GetSensorSettings();
            *tabModel.GetADCSettings() = *from.GetADCSettings();
            *tabModel.GetMessageSettings() = *from.GetMessageSettings();
            return;
        }
        switch (machine.TabAtPosition(position))
        {
        case StateMachine::RealAtoNTab:
            *tabModel.GetRealAtoN() = *from.GetRealAtoN();
            break;
        case StateMachine::MessageScheduleTab:
            *tabModel.GetMessageSchedule() = *from.GetMessageSchedule();
            break;
        case StateMachine::VirtualAtoNsTab:
            for (int k = 1; k <= Model::VirtualAtoNCount; ++k)
                *tabModel.GetVirtualAtoN(k) = *from.GetVirtualAtoN(k);
            *tabModel.GetVirtualAtoNReceiver() = *from.GetVirtualAtoNReceiver();
            break;
        case StateMachine::StatusInputsTab:
            *tabModel.GetStatusInputConfiguration() = *from.GetStatusInputConfiguration();
            break;
        case StateMachine::AlertMessagesTab:
            *tabModel.GetAlertMessages() = *from.GetAlertMessages();
            break;
        case StateMachine::RepeaterTab:
            *tabModel.GetRepeater() = *from.GetRepeater();
            break;
        case StateMachine::VdlTab:
            *tabModel.GetVdlModel() = *from.GetVdlModel();
            break;
        }
    }
};

// A unit whose every setting differs from the simulated unit's defaults, so that a value the tool
// loses or resets on its way through shows in the comparison.
void FillWithNonDefaults(SimulatedUnit& simulated)
{
    SimUnitState& unit = simulated.State();
    unit.real.mmsi = QStringLiteral("992351234");
    unit.real.acf = {QStringLiteral("15"),         QStringLiteral("5215.1234"), QStringLiteral("S"),
                     QStringLiteral("00312.5678"), QStringLiteral("W"),         QStringLiteral("0"),
                     QStringLiteral("2085"),       QStringLiteral("2086"),      QStringLiteral("2085"),
                     QStringLiteral("2086"),       QStringLiteral("1"),         QStringLiteral("9"),
                     QStringLiteral("0")};
    unit.real.ace = {QStringLiteral("00"),        QStringLiteral("0120"), QStringLiteral("0"),
                     QStringLiteral("1"),         QStringLiteral("1"),    QStringLiteral("EAST^2C MOLE"),
                     QStringLiteral("0120080304")};
    for (QStringList& entry : unit.real.schedule)
        if (entry.at(0) == QLatin1String("21") && entry.at(1) == QLatin1String("01"))
            entry = QStringList{QStringLiteral("21"),  QStringLiteral("01"),     QStringLiteral("07"),
                                QStringLiteral("15"),  QStringLiteral("321"),    QStringLiteral("0002250"),
                                QStringLiteral("0"),   QStringLiteral("07"),     QStringLiteral("15"),
                                QStringLiteral("333"), QStringLiteral("0002250")};
    unit.addressedMmsi = QStringLiteral("235099999");
    SimStation& wreck = simulated.AddVirtual(QStringLiteral("992351502"));
    wreck.acf[1] = QStringLiteral("5100.5000");
    wreck.acf[10] = QStringLiteral("1");
    wreck.acf[11] = QStringLiteral("28");
    wreck.ace[5] = QStringLiteral("WRECK NORTH");
    simulated.AddVirtual(QStringLiteral("992351503")).ace[5] = QStringLiteral("SHOAL");

    unit.mcr[QStringLiteral("SBS")] = {QStringLiteral("2")};
    unit.mcr[QStringLiteral("LRC")] = {QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1")};
    unit.mcr[QStringLiteral("BIT")] = {QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("14"),
                                       QStringLiteral("LAMP FAIL")};
    unit.mcr[QStringLiteral("PRX")] = {QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("12"),
                                       QStringLiteral("KEEP CLEAR"), QStringLiteral("250")};
    unit.mcr[QStringLiteral("OFP")] = {QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("12"),
                                       QStringLiteral("OFF STATION")};
    unit.mcr[QStringLiteral("LIS")] = {QStringLiteral("5")};
    unit.mcr[QStringLiteral("SRL")] = {QStringLiteral("1")};
    unit.mcr[QStringLiteral("MSS")] = {QStringLiteral("1"), QStringLiteral("2")};
    unit.mcr[QStringLiteral("MSO")] = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")};
    unit.mcr[QStringLiteral("MST")] = {QStringLiteral("2")};
    unit.mcr[QStringLiteral("UPW")] = {QStringLiteral("1")};
    unit.mcr[QStringLiteral("RPT21")] = {QStringLiteral("21"), QStringLiteral("1"), QStringLiteral("40"),
                                         QStringLiteral("120")};
    unit.mcr[QStringLiteral("RPT8")] = {QStringLiteral("8"), QStringLiteral("2"), QStringLiteral("45"),
                                        QStringLiteral("0")};
    unit.mcr[QStringLiteral("RPT6")] = {QStringLiteral("6"), QStringLiteral("1"), QStringLiteral("50"),
                                        QStringLiteral("0")};

    unit.vdlFirstMmsi = QStringLiteral("992351300");
    unit.chainedMmsis = {QStringLiteral("992351301"), QStringLiteral("992351302")};
    unit.afb = {QStringLiteral("21"), QStringLiteral("2"),    QStringLiteral("13"),
                QStringLiteral("45"), QStringLiteral("1234"), QStringLiteral("1")};
    unit.cop = {QStringLiteral("1"), QStringLiteral("063000"), QStringLiteral("3600"), QStringLiteral("600")};
    unit.gnssMode = 5;
}
} // namespace

class TestLink : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void retrieveJobsFillTheTransportModel()
    {
        Link link;
        SimUnitState& unit = link.unit.State();
        unit.real.mmsi = QStringLiteral("992351234");
        unit.real.ace[5] = QStringLiteral("NORTH PIER^2C HEAD");
        unit.real.acf[1] = QStringLiteral("5215.0000");
        unit.real.acf[11] = QStringLiteral("6");
        unit.addressedMmsi = QStringLiteral("235099999");
        unit.mcr[QStringLiteral("SBS")] = {QStringLiteral("2")};
        unit.mcr[QStringLiteral("LRC")] = {QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("0")};
        unit.mcr[QStringLiteral("BIT")] = {QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("14"),
                                           QStringLiteral("LAMP FAIL")};
        unit.mcr[QStringLiteral("RPT8")] = {QStringLiteral("8"), QStringLiteral("2"), QStringLiteral("45"),
                                            QStringLiteral("0")};
        unit.chainedMmsis = {QStringLiteral("992351301"), QStringLiteral("992351302")};
        unit.cop = {QStringLiteral("1"), QStringLiteral("063000"), QStringLiteral("3600"), QStringLiteral("600")};
        unit.gnssMode = 5;
        unit.sensorRecords[13] = {2, 3, 235, 10, 125, 1, 1, 1, 5};
        QVERIFY(link.Connect());

        QVERIFY(link.Run(Names::RealMMSI, false, 100));
        QVERIFY(link.Run(Names::AdrMMSI, false));
        QVERIFY(link.Run(Names::RealAtoN, false));
        QVERIFY(link.Run(Names::MessageSchedule, false));
        QVERIFY(link.Run(Names::StatusInputConfiguration, false));
        QVERIFY(link.Run(Names::GetAlertMessages, false));
        QVERIFY(link.Run(Names::Repeater, false));
        QVERIFY(link.Run(Names::VdlChaining, false));
        QVERIFY(link.Run(Names::GetGnssMode, false));
        QVERIFY(link.Run(Names::UbloxM8, false));
        QVERIFY(link.Run(Names::Version, false));
        QVERIFY(link.Run(Names::FaultLog, false));
        QVERIFY(link.Run(Names::SensorConfigurationQuery, false));
        QVERIFY(link.Run(Names::ProximityAlertLog, false));
        QVERIFY(link.Run(Names::SensorVersion, false));
        QVERIFY(link.Run(Names::VswrSupplyVoltage, false));
        QVERIFY(link.Run(Names::GpsOff, false));
        QVERIFY(link.observer.commandErrors.isEmpty());
        QVERIFY(link.observer.sentenceErrors.isEmpty());

        QMutexLocker locker(&Transport::ModelLock());
        Model& m = link.model;
        AtoN* real = m.GetRealAtoN();
        QCOMPARE(real->GetAtoNMMSI()->GetMMSI(), QStringLiteral("992351234"));
        QCOMPARE(real->GetAtoNMMSI()->GetCurrentMMSI(), QStringLiteral("992351234"));
        QCOMPARE(real->GetAtoNMMSI()->GetAddressMMSI(), QStringLiteral("235099999"));
        QCOMPARE(real->GetName(), QStringLiteral("NORTH PIER, HEAD"));
        QCOMPARE(real->GetPosition()->GetLatitude(), 52.25);
        QCOMPARE(real->GetPosition()->GetLongitude(), 4.75);
        QCOMPARE(real->GetTypeOfAtoN(), 6);
        QCOMPARE(real->GetChannel1(), 2087);
        QCOMPARE(real->GetGnssType(), 5);
        QCOMPARE(m.GetStatusInputConfiguration()->GetStatusBitSource(), 2);
        QCOMPARE(m.GetStatusInputConfiguration()->GetRaconFitted(), 1);
        const ScheduleEntry first = m.GetMessageSchedule()->GetEntry(0);
        QCOMPARE(first.messageId, 21);
        QCOMPARE(first.blockA.startSlot, 100);
        QCOMPARE(first.blockB.startSlot, 110);
        QCOMPARE(m.GetAlertMessages()->GetBiitAction(), 2);
        QCOMPARE(m.GetAlertMessages()->GetBiitText(), QStringLiteral("LAMP FAIL"));
        QCOMPARE(m.GetRepeater()->GetMsg8Repeat(), 2);
        QCOMPARE(m.GetRepeater()->GetMsg8GuardTime(), 45);
        QCOMPARE(m.GetVdlModel()->GetChainingMmsiCount(), 2);
        QCOMPARE(m.GetVdlModel()->GetMmsiAt(1)->GetMMSI(), QStringLiteral("992351302"));
        QCOMPARE(m.GetVdlModel()->receiverMode, 1);
        QCOMPARE(m.GetVdlModel()->receiverHour, 6);
        QCOMPARE(m.GetVdlModel()->receiverInterval, 3600);
        QCOMPARE(m.GetMessageSettings()->GetMessage6Format(), 2);
        QCOMPARE(m.GetMessageSettings()->GetBatteryVoltageThreshold(), 12.5);
        QCOMPARE(link.observer.gnssModes, QList<int>{5});
        QCOMPARE(link.observer.m8, QList<int>{1});
        QCOMPARE(link.observer.versions,
                 (QStringList{QStringLiteral("KVX-A3 V3.01.07"), QStringLiteral("KVX-A3 V3.01.07")}));
        QCOMPARE(link.observer.vswr, (QList<double>{1.5, 1.5}));
        QCOMPARE(link.unit.State().gpsFilter, 0);
        QCOMPARE(link.observer.faultLog.size(), 2);
        QCOMPARE(link.observer.proximityLog.size(), 1);
        QCOMPARE(link.observer.faultLog.at(1), QStringLiteral("2026/12/01 04:02:13 LOW VOLTAGE"));
    }

    void sendJobsChangeTheUnit()
    {
        Link link;
        QVERIFY(link.Connect());
        QVERIFY(link.Run(Names::RealMMSI, false));
        {
            QMutexLocker locker(&Transport::ModelLock());
            Model& m = link.model;
            AtoN* real = m.GetRealAtoN();
            real->GetAtoNMMSI()->SetMMSI(QStringLiteral("992351777"));
            real->GetAtoNMMSI()->SetAddressMMSI(QStringLiteral("235000042"));
            real->SetName(QStringLiteral("HARBOUR, WEST"));
            GeoPosition position;
            position.SetLatitude(-33.5);
            position.SetLongitude(18.25);
            real->SetPosition(position);
            real->SetGnssType(6);
            m.GetStatusInputConfiguration()->SetStatusBitSource(2);
            m.GetAlertMessages()->SetBiitAction(2);
            m.GetAlertMessages()->SetBiitText(QStringLiteral("LAMP FAIL"));
            m.GetRepeater()->SetMsg21Repeat(1);
            m.GetRepeater()->SetMsg21Range(120);
            ScheduleEntry entry = m.GetMessageSchedule()->GetEntry(0);
            entry.blockA.startSlot = 321;
            m.GetMessageSchedule()->SetEntry(0, entry);
            m.GetVdlModel()->AddMmsi(QStringLiteral("992351401"));
            m.GetVdlModel()->receiverMode = 2;
            m.GetVdlModel()->receiverDuration = 86400;
            m.GetSensorSettings()->SetConfigurationCode(3);
            m.GetSensorSettings()->SetRelay2(true);
            m.GetMessageSettings()->SetBatteryVoltageThreshold(11.8);
        }
        for (const QString& job :
             {Names::RealMMSI, Names::AdrMMSI, Names::SetGnssMode, Names::RealAtoN, Names::MessageSchedule,
              Names::StatusInputConfiguration, Names::AlertMessages, Names::Repeater, Names::VdlChaining, Names::GpsOn})
            QVERIFY2(link.Run(job, true), qPrintable(job));
        // As the state machine asks for it: a queued call carrying the model pointer.
        QVERIFY(QMetaObject::invokeMethod(link.transport, "OnSensorConfigurationUpdate", Qt::QueuedConnection,
                                          Q_ARG(Model*, &link.model)));
        QVERIFY(link.Run(Names::SensorConfigurationCommand, true));
        QVERIFY(link.observer.commandErrors.isEmpty());

        const SimUnitState& unit = link.unit.State();
        QCOMPARE(unit.real.mmsi, QStringLiteral("992351777"));
        QCOMPARE(unit.addressedMmsi, QStringLiteral("235000042"));
        QCOMPARE(unit.gnssMode, 6);
        QCOMPARE(unit.gpsFilter, 49);
        QCOMPARE(unit.real.ace.at(5), QStringLiteral("HARBOUR^2C WEST"));
        QCOMPARE(unit.real.acf.mid(1, 4), (QStringList{QStringLiteral("3330.0000"), QStringLiteral("S"),
                                                       QStringLiteral("01815.0000"), QStringLiteral("E")}));
        QCOMPARE(unit.real.Entry(21, 1).at(4), QStringLiteral("321"));
        QCOMPARE(unit.mcr.value(QStringLiteral("SBS")), QStringList{QStringLiteral("2")});
        QCOMPARE(
            unit.mcr.value(QStringLiteral("BIT")),
            (QStringList{QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("14"), QStringLiteral("LAMP FAIL")}));
        QCOMPARE(unit.mcr.value(QStringLiteral("RPT21")),
                 (QStringList{QStringLiteral("21"), QStringLiteral("1"), QStringLiteral("30"), QStringLiteral("120")}));
        QCOMPARE(unit.chainedMmsis, QStringList{QStringLiteral("992351401")});
        QCOMPARE(unit.cop.value(0), QStringLiteral("1"));
        QCOMPARE(unit.cop.value(3), QStringLiteral("86400"));
        QCOMPARE(unit.shellSettings.value(QStringLiteral("option")), QStringLiteral("3"));
        QCOMPARE(unit.shellSettings.value(QStringLiteral("setrelay 2")), QStringLiteral("1"));
        QCOMPARE(unit.shellSettings.value(QStringLiteral("voltthresh")), QStringLiteral("118"));

        // And back: what the unit now holds comes back into a cleared model.
        {
            QMutexLocker locker(&Transport::ModelLock());
            link.model.GetAlertMessages()->Clear();
            link.model.GetSensorSettings()->Clear();
            link.model.GetMessageSettings()->Clear();
        }
        QVERIFY(link.Run(Names::GetAlertMessages, false));
        QVERIFY(link.Run(Names::SensorConfigurationQuery, false));
        QMutexLocker locker(&Transport::ModelLock());
        QCOMPARE(link.model.GetAlertMessages()->GetBiitText(), QStringLiteral("LAMP FAIL"));
        QCOMPARE(link.model.GetSensorSettings()->GetConfigurationCode(), 3);
        QCOMPARE(link.model.GetSensorSettings()->GetRelay2(), true);
        QCOMPARE(link.model.GetMessageSettings()->GetBatteryVoltageThreshold(), 11.8);
    }

    // Retrieve all, then send all without an edit: the unit must hold exactly what it held before.
    void retrieveThenSendLeavesTheUnitAsItWas()
    {
        Link link;
        FillWithNonDefaults(link.unit);
        RoundTrip trip(link);
        QVERIFY(link.Connect());
        QVERIFY(trip.Settle()); // the connect-time queries
        const SimUnitState before = link.unit.State();

        trip.machine.GetAllTabs();
        QVERIFY(trip.Settle());
        QCOMPARE(link.unit.State().FirstDifference(before), QString());
        trip.machine.SendAllTabs();
        QVERIFY(trip.Settle());
        QVERIFY(link.unit.ReceivedLines().filter(QStringLiteral(",C*")).size() > 20);
        const QString difference = link.unit.State().FirstDifference(before);
        if (!difference.isEmpty())
            qDebug() << link.unit.ReceivedLines().join(QLatin1Char('\n'));
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }

    void sensorSetRetrieveThenSendLeavesTheUnitAsItWas_data()
    {
        QTest::addColumn<QList<int>>("sensor"); // code, three cells, datum, RS422 on, Airmar port, relays
        QTest::newRow("Airmar on RS422") << QList<int>{3, 1, 0, 1, 7, 1, 1, 1, 0};
        QTest::newRow("Airmar on RS422, RS422 off") << QList<int>{0, 1, 0, 1, 7, 0, 1, 1, 0};
        QTest::newRow("option 0 only, Airmar on RS422, RS422 off") << QList<int>{98, 0, 0, 0, -7, 0, 1, 0, 1};
        QTest::newRow("fixed, Airmar on RS422, RS422 off") << QList<int>{99, 0, 0, 0, 0, 0, 1, 0, 0};
    }

    void sensorSetRetrieveThenSendLeavesTheUnitAsItWas()
    {
        QFETCH(QList<int>, sensor);
        Link link;
        SimUnitState& unit = link.unit.State();
        unit.sensorRecords[10] = sensor;
        unit.sensorRecords[11] = {1, 250, 1, 0, 5000, 4095, 3, 12, 7, 2, 5, 42};
        unit.sensorRecords[12] = {181, 822, 4, 2, 9, 41, 3, 1};
        unit.sensorRecords[13] = {2, 3, 235, 10, 125, 2, 1, 2, 5};
        unit.sensorRecords[14] = {2, 3};
        RoundTrip trip(link);
        trip.machine.SensorPortSelected(true);
        QVERIFY(link.Connect());
        QVERIFY(trip.Settle());
        const SimUnitState before = link.unit.State();
        trip.machine.GetAllTabs();
        QVERIFY(trip.Settle());
        trip.machine.SendAllTabs();
        QVERIFY(trip.Settle());
        QVERIFY(!link.unit.State().shellSettings.isEmpty());
        const QString difference = link.unit.State().FirstDifference(before);
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
    }

    void virtualAtoNsGoAndComeBack()
    {
        Link link;
        QVERIFY(link.Connect());
        QVERIFY(link.Run(Names::RealMMSI, false));
        {
            QMutexLocker locker(&Transport::ModelLock());
            VirtualAtoNModel* v = link.model.GetVirtualAtoN(2);
            v->SetEnabled(true);
            v->GetAtoNMmsi()->SetMMSI(QStringLiteral("992351502"));
            v->SetAtoNName(QStringLiteral("WRECK MARK"));
            GeoPosition position;
            position.SetLatitude(51.0);
            position.SetLongitude(2.5);
            v->GetAtoN()->SetPosition(position);
        }
        QVERIFY(link.Run(Names::VirtualAtoN02, true));
        QVERIFY(link.Run(Names::VirtualAtoN02MessageSchedule, true));
        const SimStation* station = link.unit.State().Station(QStringLiteral("992351502"));
        QVERIFY(station);
        QCOMPARE(station->Name(), QStringLiteral("WRECK MARK"));
        QCOMPARE(station->acf.at(1), QStringLiteral("5100.0000"));
        QCOMPARE(station->schedule.size(), 1);

        {
            QMutexLocker locker(&Transport::ModelLock());
            link.model.GetVirtualAtoN(2)->Clear();
            link.model.GetVirtualAtoN(2)->SetEnabled(false);
            link.model.GetVirtualAtoNReceiver()->Clear();
        }
        QVERIFY(link.Run(Names::VirtualAtoNReceiver, false));
        QVERIFY(link.Run(Names::VirtualAtoNMessageScheduleReceiver, false));
        QMutexLocker locker(&Transport::ModelLock());
        VirtualAtoNModel* back = link.model.GetVirtualAtoN(1);
        QCOMPARE(back->GetAtoNMmsi()->GetMMSI(), QStringLiteral("992351502"));
        QCOMPARE(back->GetAtoNName(), QStringLiteral("WRECK MARK"));
        QCOMPARE(back->GetAtoN()->GetPosition()->GetLatitude(), 51.0);
    }

    void vdlBroadcastsReachTheUnit()
    {
        Link link;
        QVERIFY(link.Connect());
        {
            QMutexLocker locker(&Transport::ModelLock());
            link.model.GetVdlModel()->targetMMSI = QStringLiteral("992359999");
        }
        QVERIFY(link.Run(Names::VdlAceAcfRequest, true, 0));
        QVERIFY(link.Run(Names::VdlAarConfiguration, true, 0));
        const QStringList broadcasts = link.unit.State().broadcasts;
        QVERIFY(broadcasts.size() >= 3);
        for (const QString& line : broadcasts)
            QVERIFY(line.startsWith(QStringLiteral("!AIBBM,1,1,0,0,25,")));
        QTRY_VERIFY(link.observer.vdlSent.size() >= 3);
        QCOMPARE(link.observer.vdlSent.at(0), qMakePair(9, 1));
        QCOMPARE(link.observer.vdlSent.at(1), qMakePair(9, 1));
        QCOMPARE(link.observer.vdlSent.at(2).first, 13);

        // Every VDL job puts its frames on the air.
        for (const QString& job :
             {Names::VdlAceAcfConfigurationPart1, Names::VdlAceAcfConfigurationPart2,
              Names::VdlAceAcfConfigurationPart3, Names::VdlAceAcfConfigurationPart4,
              Names::VdlAceAcfConfigurationPart5, Names::VdlAceAcfConfigurationPart6,
              Names::VdlAceAcfConfigurationPart456, Names::VdlAceAcfConfiguration, Names::VdlAidConfiguration,
              Names::VdlAidRequest, Names::VdlCopConfiguration, Names::VdlArwRequest, Names::VdlAarRequest})
        {
            const int before = int(link.unit.State().broadcasts.size());
            QVERIFY2(link.Run(job, true, 0), qPrintable(job));
            QTRY_VERIFY2(link.unit.State().broadcasts.size() > before, qPrintable(job));
        }
    }

    // What the unit sends of its own accord reaches the decoders as the tool wires them.
    void trafficReachesTheDecoders()
    {
        Link link;
        Model tabModel;
        tabModel.GetRealAtoN()->GetAtoNMMSI()->SetMMSI(link.unit.State().real.mmsi);
        tabModel.GetRealAtoN()->GetAtoNMMSI()->SetCurrentMMSI(link.unit.State().real.mmsi);
        MessageDecoder messages(&tabModel);
        GPSDecoder gnss;
        QObject::connect(link.transport, &Transport::Received, &messages, &MessageDecoder::OnReceived);
        QObject::connect(link.transport, &Transport::Received, &gnss, &GPSDecoder::OnReceived);
        QSignalSpy text(&messages, &MessageDecoder::TextMessageReceived);
        QSignalSpy alarm(&messages, &MessageDecoder::AlarmReceived);
        QSignalSpy racon(&messages, &MessageDecoder::Message21RACONStatus);
        QSignalSpy light(&messages, &MessageDecoder::Message21LightStatus);
        QSignalSpy health(&messages, &MessageDecoder::Message21HealthStatus);
        QSignalSpy position(&gnss, &GPSDecoder::GpsDataReceived);
        QVERIFY(link.Connect());
        link.unit.SendText(QStringLiteral("SOLAR PANEL, CHECK"));
        link.unit.SendAlarm(7, true, QStringLiteral("LIGHT FAIL"));
        link.unit.SendMessage21(2, 1, 1);
        QTRY_COMPARE(text.count(), 1);
        QCOMPARE(text.at(0).at(0).toString(), QStringLiteral("SOLAR PANEL, CHECK"));
        QTRY_COMPARE(alarm.count(), 1);
        QTRY_COMPARE(racon.count(), 1);
        QCOMPARE(racon.at(0).at(0).toUInt(), 2u);
        QCOMPARE(light.at(0).at(0).toUInt(), 1u);
        QCOMPARE(health.at(0).at(0).toUInt(), 1u);
        QTRY_VERIFY(position.count() >= 1);
    }

    void faults_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::newRow("slow replies") << QStringLiteral("slow");
        QTest::newRow("garbage and unsolicited lines") << QStringLiteral("garbage");
        QTest::newRow("endless line") << QStringLiteral("endless");
        QTest::newRow("burst") << QStringLiteral("burst");
    }

    // The unit misbehaves around a retrieve: the job still completes with the unit's values.
    void faults()
    {
        QFETCH(QString, fault);
        Link link;
        link.unit.State().real.mmsi = QStringLiteral("992351666");
        QVERIFY(link.Connect());
        if (fault == QLatin1String("slow"))
            link.unit.SetReplyDelay(150);
        if (fault == QLatin1String("garbage"))
        {
            QByteArray noise;
            for (int i = 0; i < 2000; ++i)
                noise.append(char((i * 37 + 11) % 256));
            link.unit.SendRaw(noise + "\r\n$GPRMC,broken*ZZ\r\n!AIVDM,1,1,,A,,0*00\r\n$PKVX,255,appver\r\n");
            link.unit.SendAlarm(7, true, QStringLiteral("LIGHT FAIL"));
            link.unit.SendText(QStringLiteral("HELLO"));
            link.unit.SendMessage21(1, 2, 1);
        }
        // Far past the line cap; the line end comes only afterwards (a reply glued to the noise would
        // be lost, and a query the unit never answers is a time-out).
        if (fault == QLatin1String("endless"))
            link.unit.SendRaw(QByteArray(20000, 'x') + "\r\n");
        if (fault == QLatin1String("burst"))
            link.unit.SendBurst(500);
        // The line that ends the noise carries whatever came first after it; the next run is clean.
        QVERIFY(link.Run(Names::RealMMSI, false));
        QVERIFY(link.Run(Names::RealMMSI, false));
        QVERIFY(link.Run(Names::Version, false));
        QVERIFY(link.observer.timeouts.isEmpty());
        QVERIFY(link.observer.commandErrors.isEmpty());
        QMutexLocker locker(&Transport::ModelLock());
        QCOMPARE(link.model.GetRealAtoN()->GetAtoNMMSI()->GetMMSI(), QStringLiteral("992351666"));
        for (const QString& line : link.observer.received)
            QVERIFY(line.size() <= SerialController::PieceSize - 1 + SerialController::MaxPartialLine);
    }

    void oddUnitIsRetrievedToTheEnd_data()
    {
        QTest::addColumn<QString>("oddity");
        QTest::newRow("no broadcast row, no wake-up schedule") << QStringLiteral("unanswered AFB COP");
        QTest::newRow("an MCR type the firmware lacks") << QStringLiteral("unanswered UPW");
        QTest::newRow("an MCR reply the firmware added") << QStringLiteral("added MCR reply");
        QTest::newRow("wake-up time not available") << QStringLiteral("COP 24:60");
        QTest::newRow("numbers that are no decimal integers") << QStringLiteral("not decimal");
        QTest::newRow("inland code not hexadecimal") << QStringLiteral("inland code");
        QTest::newRow("dimensions of another length") << QStringLiteral("dimensions");
        QTest::newRow("empty increment") << QStringLiteral("empty increment");
        QTest::newRow("empty name") << QStringLiteral("empty name");
        QTest::newRow("a third message 21 entry") << QStringLiteral("message 21 index 3");
    }

    // Replies a real unit can send read on to the end of the retrieve; what each means for the model
    // is checked where it is most telling.
    void oddUnitIsRetrievedToTheEnd()
    {
        QFETCH(QString, oddity);
        Link link;
        SimUnitState& unit = link.unit.State();
        RoundTrip trip(link);
        QVERIFY(link.Connect());
        QVERIFY(trip.Settle());
        if (oddity.startsWith(QLatin1String("unanswered ")))
            link.unit.SetUnansweredQueries(oddity.mid(11).split(QLatin1Char(' ')));
        if (oddity == QLatin1String("added MCR reply"))
            link.unit.SetMcrExtraCode(QStringLiteral("SAI"));
        if (oddity == QLatin1String("COP 24:60"))
            unit.cop = {QStringLiteral("1"), QStringLiteral("246000"), QStringLiteral("60"), QStringLiteral("30")};
        if (oddity == QLatin1String("not decimal"))
        {
            unit.real.acf[10] = QStringLiteral("1.5");
            unit.mcr[QStringLiteral("SBS")] = {QStringLiteral("x")};
            unit.afb = {QStringLiteral("21"), QStringLiteral("?"), QStringLiteral("1"),
                        QStringLiteral("2"),  QStringLiteral("3"), QStringLiteral("1")};
        }
        if (oddity == QLatin1String("inland code"))
            unit.real.ace[0] = QStringLiteral("zz");
        if (oddity == QLatin1String("dimensions"))
            unit.real.ace[6] = QStringLiteral("01200803041");
        if (oddity == QLatin1String("empty increment"))
            unit.real.schedule.last()[5] = QString();
        if (oddity == QLatin1String("empty name"))
            unit.real.ace[5] = QString();
        if (oddity == QLatin1String("message 21 index 3"))
            unit.real.schedule.insert(
                unit.real.schedule.size() - 2,
                QStringList{QStringLiteral("21"), QStringLiteral("03"), QStringLiteral("00"), QStringLiteral("00"),
                            QStringLiteral("500"), QStringLiteral("0006750"), QStringLiteral("0"), QStringLiteral("00"),
                            QStringLiteral("00"), QStringLiteral("510"), QStringLiteral("0006750")});
        {
            // What the tool held for the previous unit, which these replies must not leave behind.
            QMutexLocker locker(&Transport::ModelLock());
            link.model.GetRealAtoN()->SetName(QStringLiteral("PREVIOUS UNIT"));
            link.model.GetRealAtoN()->SetDimensionA(5);
        }

        trip.machine.GetAllTabs();
        QVERIFY(trip.Settle());
        QVERIFY(link.observer.connected);

        QMutexLocker locker(&Transport::ModelLock());
        const Model& m = link.model;
        const AtoN* real = const_cast<Model&>(m).GetRealAtoN();
        VdlModel* vdl = const_cast<Model&>(m).GetVdlModel();
        if (oddity == QLatin1String("COP 24:60"))
        {
            // The unit's "not available" start time is held as read, to go back unchanged.
            QCOMPARE(vdl->receiverMode, 1);
            QCOMPARE(vdl->receiverInterval, 60);
            QCOMPARE(vdl->receiverHour, 24);
            QCOMPARE(vdl->receiverMinute, 60);
        }
        else if (oddity.contains(QLatin1String("COP")))
        {
            // No reply is no value: the cleared schedule's time stays.
            QCOMPARE(vdl->receiverHour, 0);
            QCOMPARE(vdl->receiverMinute, 0);
        }
        if (oddity == QLatin1String("not decimal"))
        {
            QCOMPARE(real->GetTypeOfAtoN(), 5);
            QCOMPARE(vdl->afbValues, (std::array<int, 6>{21, 0, 1, 2, 3, 1}));
        }
        if (oddity == QLatin1String("dimensions"))
            QCOMPARE(real->GetDimensionA(), 5);
        if (oddity == QLatin1String("empty increment"))
            QCOMPARE(const_cast<Model&>(m).GetMessageSchedule()->GetEntry(1).blockA.increment, 0);
        if (oddity == QLatin1String("empty name"))
            QCOMPARE(real->GetName(), QString());
        if (oddity == QLatin1String("message 21 index 3"))
        {
            QCOMPARE(const_cast<Model&>(m).GetMessageSchedule()->GetEntry(0).blockA.startSlot, 100);
            QCOMPARE(const_cast<Model&>(m).GetMessageSchedule()->GetEntry(1).messageId, 21);
        }
    }

    // A unit that has gone silent still fails, also where every step of the job is open-ended.
    void silentUnitTimesOutOnOpenEndedSteps()
    {
        Link link;
        QVERIFY(link.Connect());
        link.unit.SetSilent(true);
        QVERIFY(!link.Run(Names::VdlChaining, false));
        QCOMPARE(link.observer.timeouts, QStringList{Names::VdlChaining});
    }

    void silenceTimesOut()
    {
        Link link;
        QVERIFY(link.Connect());
        link.unit.SetSilent(true);
        QVERIFY(!link.Run(Names::RealAtoN, false));
        QCOMPARE(link.observer.timeouts, QStringList{Names::RealAtoN});
        QVERIFY(link.observer.connected);
    }

    void malformedShellReplyIsACommandError()
    {
        Link link;
        QVERIFY(link.Connect());
        link.unit.SetMalformedShellReplies(true);
        QVERIFY(link.Run(Names::GpsOn, false));
        QCOMPARE(link.observer.commandErrors, QStringList{QStringLiteral("gpsfilt 49")});
    }

    void hangUpEndsTheConnectionWithAnError()
    {
        Link link;
        QVERIFY(link.Connect());
        link.Call([t = link.transport] { t->QueueJob(Names::StatusInputConfiguration, false); });
        link.unit.HangUp();
        QTRY_COMPARE_WITH_TIMEOUT(link.observer.disconnected, 1, 5000);
        QCOMPARE(link.observer.connectErrors.size(), 1);
        QVERIFY(link.observer.connectErrors.at(0).startsWith(QStringLiteral("The connection to the AtoN was lost")));
        QTest::qWait(100);
        QCOMPARE(link.observer.disconnected, 1);
        // The raw log can still be stopped through the controller.
        QVERIFY(!link.transport->GetSerialController()->StopLog());
    }

    // The GUI thread starts and stops the raw log while the worker appends the unit's lines.
    void rawLogFromTheOtherThread()
    {
        Link link;
        link.unit.SetGnssInterval(10);
        QVERIFY(link.Connect());
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("raw.log"));
        SerialController* controller = link.transport->GetSerialController();
        QVERIFY(controller->StartLog(path));
        const int before = int(link.observer.received.size());
        QTRY_VERIFY(link.observer.received.size() > before + 20);
        QVERIFY(controller->StopLog());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QVERIFY(lines.size() > 10);
        QVERIFY(lines.at(1).startsWith("# Kelvane Started log file at "));
        for (int i = 3; i < lines.size() - 4; ++i)
            QVERIFY2(lines.at(i).startsWith('$') && lines.at(i).contains('*'), lines.at(i).constData());
        QVERIFY(lines.at(lines.size() - 3).startsWith("# Kelvane Stopped log file at "));
        QVERIFY(link.transport->ConnectionDescription().startsWith(QStringLiteral("Connected to Serial Port: ")));
    }

    void connectErrorsCarryTheReason()
    {
        Link link;
        link.Call([t = link.transport] { t->Connect(QStringLiteral("/dev/nonexistent-kelvane-port")); });
        QTRY_COMPARE(link.observer.connectErrors.size(), 1);
        const QString error = link.observer.connectErrors.at(0);
        QVERIFY(error.startsWith(QStringLiteral("An error was encountered in trying to open the serial port")));
        QVERIFY(!error.contains(QStringLiteral("Unknown error")));
        link.Call([t = link.transport] { t->Disconnect(); });
        QTRY_COMPARE(link.observer.cleanUps, 1);
        QCOMPARE(link.observer.disconnected, 0);
    }

    void replayDeliversARecordedLog()
    {
        const QString source = KelvaneTest::TestDataPath(QStringLiteral("nmea/ais-nmea.log"));
        if (source.isEmpty())
            QFAIL("recorded traffic missing from tests/data");
        QFile in(source);
        QVERIFY(in.open(QIODevice::ReadOnly));
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("replay.log"));
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        int lines = 0;
        int data = 0;
        while (!in.atEnd() && lines < 40)
        {
            const QByteArray line = in.readLine();
            out.write(line);
            ++lines;
            if (!line.startsWith('#') && line.size() < SerialController::PieceSize)
                ++data;
        }
        out.close();

        Link link;
        QElapsedTimer clock;
        clock.start();
        link.Call([t = link.transport, path] { t->ConnectFile(path); });
        QTRY_COMPARE_WITH_TIMEOUT(link.observer.disconnected, 1, 10000);
        QVERIFY(clock.elapsed() >= lines * SerialController::ReplayIntervalMs);
        QCOMPARE(link.observer.received.size(), data);
        QVERIFY(link.observer.received.at(0).startsWith(QStringLiteral("$GPGSA,A,3,11,32,14,28")));
    }
};

KELVANE_TEST_MAIN(TestLink)
#include "tst_Link.moc"
