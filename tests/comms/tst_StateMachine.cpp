// The state machine against two real models, observed only through its signals.

#include <QSignalSpy>
#include <QTimer>
#include <QtTest/QtTest>

#include <memory>

#include "comms/StateMachine.h"
#include "model/Model.h"
#include "model/Names.h"
#include "support/TestMain.h"

using LogCounts = QList<QPair<int, int>>;

namespace
{

// Records every signal of a state machine, in order, as short texts.
class Recorder : public QObject
{
public:
    explicit Recorder(StateMachine* sm)
    {
        auto add = [this](const QString& text) { events << text; };
        connect(sm, qOverload<QString, bool>(&StateMachine::QueueJob), this,
                [add](QString name, bool send) { add(QStringLiteral("job:%1:%2").arg(name).arg(int(send))); });
        connect(sm, qOverload<QString, bool, int>(&StateMachine::QueueJob), this,
                [add](QString name, bool send, int delay)
                { add(QStringLiteral("job:%1:%2:%3").arg(name).arg(int(send)).arg(delay)); });
        connect(sm, &StateMachine::Update, this, [add] { add(QStringLiteral("update")); });
        connect(sm, &StateMachine::UpdateTabFromTransportModel, this,
                [add](int tab) { add(QStringLiteral("reload:%1").arg(tab)); });
        connect(sm, &StateMachine::UpdateTransportModelFromTab, this,
                [add](int tab) { add(QStringLiteral("store:%1").arg(tab)); });
        connect(sm, &StateMachine::UpdateTabIcon, this,
                [add](int tab, int icon) { add(QStringLiteral("icon:%1:%2").arg(tab).arg(icon)); });
        connect(sm, &StateMachine::EnableTab, this,
                [add](int tab, bool enable) { add(QStringLiteral("enable:%1:%2").arg(tab).arg(int(enable))); });
        connect(sm, &StateMachine::DisplayError, this,
                [add](QString text, QString info) { add(QStringLiteral("error:%1|%2").arg(text, info)); });
        connect(sm, &StateMachine::Disconnect, this, [add] { add(QStringLiteral("disconnect")); });
        connect(sm, &StateMachine::ActivateProgressBar, this,
                [add](bool on, int max) { add(QStringLiteral("bar:%1:%2").arg(int(on)).arg(max)); });
        connect(sm, &StateMachine::UpdateProgressBar, this,
                [add](int value) { add(QStringLiteral("progress:%1").arg(value)); });
        connect(sm, &StateMachine::UpdateSensorCommands, this,
                [add](Model*) { add(QStringLiteral("sensorcommands")); });
        connect(sm, &StateMachine::updateAarFlag, this, [add](int s) { add(QStringLiteral("aar:%1").arg(s)); });
        connect(sm, &StateMachine::signalUbloxM8Timeout, this,
                [add](int v) { add(QStringLiteral("m8timeout:%1").arg(v)); });
        connect(sm, &StateMachine::signalGnssTypeTimeout, this,
                [add](int v) { add(QStringLiteral("gnsstimeout:%1").arg(v)); });
    }

    // Events whose text starts with one of the prefixes, in order.
    QStringList Only(const QStringList& prefixes) const
    {
        QStringList result;
        for (const QString& e : events)
            for (const QString& p : prefixes)
                if (e.startsWith(p))
                {
                    result << e;
                    break;
                }
        return result;
    }
    QStringList Jobs() const { return Only({QStringLiteral("job:")}); }

    QStringList events;
};

struct Fixture
{
    explicit Fixture(bool virtualTab)
        : tabModel(new Model), transportModel(new Model),
          sm(new StateMachine(tabModel.get(), transportModel.get(), virtualTab)), recorder(sm.get())
    {
    }
    void Connect()
    {
        sm->onInhibitGpsFiltAndTypeQuery(true);
        sm->Connected();
        sm->onInhibitGpsFiltAndTypeQuery(false);
        recorder.events.clear();
    }

    std::unique_ptr<Model> tabModel;
    std::unique_ptr<Model> transportModel;
    std::unique_ptr<StateMachine> sm;
    Recorder recorder;
};

QString Job(const QString& name, bool send)
{
    return QStringLiteral("job:%1:%2").arg(name).arg(int(send));
}

QStringList VirtualSendJobs()
{
    QStringList jobs;
    for (int k = 1; k <= 10; ++k)
        jobs << Job(Names::VirtualAtoNJob(k), true) << Job(Names::VirtualAtoNScheduleJob(k), true);
    return jobs;
}

// The job that completes each tab's transfer, by tab number; send and retrieve differ only for tab 2
// and tab 4.
QString CompletingJob(int number, bool send)
{
    switch (number)
    {
    case 0:
        return Names::RealAtoN;
    case 1:
        return Names::MessageSchedule;
    case 2:
        return send ? Names::VirtualAtoNScheduleJob(10) : Names::VirtualAtoNMessageScheduleReceiver;
    case 3:
        return Names::StatusInputConfiguration;
    case 4:
        return send ? Names::AlertMessages : Names::GetAlertMessages;
    case 5:
        return Names::Repeater;
    default:
        return Names::VdlChaining;
    }
}

} // namespace

class TestStateMachine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void nullModelIsRefused();
    void positions_data();
    void positions();
    void retrieveTable_data();
    void retrieveTable();
    void retrieveClearsOnlyIdleRecords();
    void sendTable_data();
    void sendTable();
    void realAtoNSendRules_data();
    void realAtoNSendRules();
    void sendCopiesKeepUnitState();
    void nothingWhileDisconnected();
    void connectTimeQueries_data();
    void connectTimeQueries();
    void retrieveAllProgress_data();
    void retrieveAllProgress();
    void sendAllProgressAndReRead_data();
    void sendAllProgressAndReRead();
    void virtualTabCompletesOnItsLastJob();
    void updateWaitsForReRead_data();
    void updateWaitsForReRead();
    void editedAndFileLoad();
    void failures_data();
    void failures();
    void onlyFirstFailureIsShown();
    void tolerantTimeouts_data();
    void tolerantTimeouts();
    void disconnectResetsTransfer();
    void voltagePoll();
    void vdlMessages_data();
    void vdlMessages();
    void logProgress_data();
    void logProgress();
    void sensorSet();
};

void TestStateMachine::nullModelIsRefused()
{
    Model model;
    QVERIFY_THROWS_EXCEPTION(std::bad_alloc, StateMachine(nullptr, &model, true));
    QVERIFY_THROWS_EXCEPTION(std::bad_alloc, StateMachine(&model, nullptr, true));
}

void TestStateMachine::positions_data()
{
    QTest::addColumn<bool>("virtualTab");
    QTest::addColumn<QList<int>>("positionOfNumber"); // numbers 0..6
    QTest::addColumn<QList<int>>("numberAtPosition"); // positions 0..7
    QTest::newRow("with virtual tab") << true << QList<int>{0, 1, 2, 3, 4, 5, 6} << QList<int>{0, 1, 2, 3, 4, 5, 6, -1};
    QTest::newRow("without virtual tab") << false << QList<int>{0, 1, -1, 2, 3, 4, 5}
                                         << QList<int>{0, 1, 3, 4, 5, 6, -1, -1};
}

void TestStateMachine::positions()
{
    QFETCH(bool, virtualTab);
    QFETCH(QList<int>, positionOfNumber);
    QFETCH(QList<int>, numberAtPosition);
    Fixture f(virtualTab);
    for (int n = 0; n < positionOfNumber.size(); ++n)
        QCOMPARE(f.sm->PositionOfTab(n), positionOfNumber[n]);
    for (int p = 0; p < numberAtPosition.size(); ++p)
        QCOMPARE(f.sm->TabAtPosition(p), numberAtPosition[p]);
    QCOMPARE(f.sm->TabAtPosition(-1), -1);

    // Connecting marks every shown tab "not read", by position.
    f.sm->onInhibitGpsFiltAndTypeQuery(true);
    f.sm->Connected();
    QStringList expected;
    for (int n = 0; n < 7; ++n)
        if (positionOfNumber[n] >= 0)
            expected << QStringLiteral("icon:%1:2").arg(positionOfNumber[n]);
    for (int n = 0; n < 5; ++n)
        expected << QStringLiteral("icon:%1:2").arg(n);
    QCOMPARE(f.recorder.Only({QStringLiteral("icon:")}), expected);
}

void TestStateMachine::retrieveTable_data()
{
    QTest::addColumn<bool>("virtualTab");
    QTest::addColumn<int>("position");
    QTest::addColumn<QStringList>("jobs");
    const QStringList real{Job(Names::RealMMSI, false), Job(Names::AdrMMSI, false), Job(Names::GetGnssMode, false),
                           Job(Names::RealAtoN, false)};
    const QStringList schedule{Job(Names::MessageSchedule, false)};
    const QStringList virtuals{Job(Names::VirtualAtoNReceiver, false),
                               Job(Names::VirtualAtoNMessageScheduleReceiver, false)};
    const QStringList status{Job(Names::StatusInputConfiguration, false)};
    const QStringList alerts{Job(Names::GetAlertMessages, false)};
    const QStringList repeater{Job(Names::Repeater, false)};
    const QStringList vdl{Job(Names::VdlChaining, false)};
    const QList<QStringList> withVirtual{real, schedule, virtuals, status, alerts, repeater, vdl};
    for (int p = 0; p < 7; ++p)
        QTest::addRow("virtual tab, position %d", p) << true << p << withVirtual[p];
    QTest::newRow("virtual tab, GNSS") << true << 7 << QStringList();
    const QList<QStringList> withoutVirtual{real, schedule, status, alerts, repeater, vdl};
    for (int p = 0; p < 6; ++p)
        QTest::addRow("no virtual tab, position %d", p) << false << p << withoutVirtual[p];
    QTest::newRow("no virtual tab, GNSS") << false << 6 << QStringList();
    QTest::newRow("negative position") << true << -1 << QStringList();
}

void TestStateMachine::retrieveTable()
{
    QFETCH(bool, virtualTab);
    QFETCH(int, position);
    QFETCH(QStringList, jobs);
    Fixture f(virtualTab);
    f.Connect();
    f.sm->GetTab(position);
    QCOMPARE(f.recorder.Jobs(), jobs);
    if (jobs.isEmpty())
    {
        QVERIFY(f.recorder.events.isEmpty());
        return;
    }
    // The tab goes busy and is disabled, by position.
    QCOMPARE(f.recorder.Only({QStringLiteral("icon:"), QStringLiteral("enable:")}),
             QStringList({QStringLiteral("icon:%1:3").arg(position), QStringLiteral("enable:%1:0").arg(position)}));

    // Its completing job reloads it from the transport model and brings it in step.
    f.recorder.events.clear();
    const int number = f.sm->TabAtPosition(position);
    f.sm->JobComplete(CompletingJob(number, false), false);
    QVERIFY(f.recorder.events.contains(QStringLiteral("reload:%1").arg(position)));
    QVERIFY(f.recorder.events.contains(QStringLiteral("icon:%1:4").arg(position)));
    QVERIFY(f.recorder.events.contains(QStringLiteral("enable:%1:1").arg(position)));
    QCOMPARE(f.sm->GetTabState(number), int(StateMachine::TabInStep));
    // A retrieve is not re-read.
    QVERIFY(f.recorder.Jobs().isEmpty());
}

void TestStateMachine::retrieveClearsOnlyIdleRecords()
{
    Fixture f(true);
    f.Connect();
    StatusInputConfigurationModel* status = f.transportModel->GetStatusInputConfiguration();
    status->SetLightFitted(1);
    f.sm->GetTab(StateMachine::StatusInputsTab);
    QCOMPARE(status->GetLightFitted(), 0);

    // The tab is busy now: its job may be writing the record in the worker. Asking again queues the
    // job again but leaves the record and the icon alone.
    status->SetLightFitted(1);
    f.recorder.events.clear();
    f.sm->GetTab(StateMachine::StatusInputsTab);
    QCOMPARE(f.recorder.events, QStringList{Job(Names::StatusInputConfiguration, false)});
    QCOMPARE(status->GetLightFitted(), 1);

    // The virtual tab clears the receiver record and the ten virtual AtoNs.
    f.transportModel->GetVirtualAtoN(4)->SetAtoNName(QStringLiteral("OLD"));
    f.transportModel->GetVirtualAtoNReceiver()->SetAtoNName(QStringLiteral("OLD"));
    f.sm->GetTab(StateMachine::VirtualAtoNsTab);
    QCOMPARE(f.transportModel->GetVirtualAtoN(4)->GetAtoNName(), QStringLiteral("ATON"));
    QCOMPARE(f.transportModel->GetVirtualAtoNReceiver()->GetAtoNName(), QStringLiteral("ATON"));
}

void TestStateMachine::sendTable_data()
{
    QTest::addColumn<bool>("virtualTab");
    QTest::addColumn<int>("position");
    QTest::addColumn<QStringList>("jobs");
    const QStringList real{Job(Names::SetGnssMode, true), Job(Names::RealAtoN, true)};
    const QStringList schedule{Job(Names::MessageSchedule, true)};
    const QStringList status{Job(Names::StatusInputConfiguration, true)};
    const QStringList alerts{Job(Names::AlertMessages, true)};
    const QStringList repeater{Job(Names::Repeater, true)};
    const QStringList vdl{Job(Names::VdlChaining, true)};
    const QList<QStringList> withVirtual{real, schedule, VirtualSendJobs(), status, alerts, repeater, vdl};
    for (int p = 0; p < 7; ++p)
        QTest::addRow("virtual tab, position %d", p) << true << p << withVirtual[p];
    QTest::newRow("virtual tab, GNSS") << true << 7 << QStringList();
    const QList<QStringList> withoutVirtual{real, schedule, status, alerts, repeater, vdl};
    for (int p = 0; p < 6; ++p)
        QTest::addRow("no virtual tab, position %d", p) << false << p << withoutVirtual[p];
    QTest::newRow("no virtual tab, GNSS") << false << 6 << QStringList();
}

void TestStateMachine::sendTable()
{
    QFETCH(bool, virtualTab);
    QFETCH(int, position);
    QFETCH(QStringList, jobs);
    Fixture f(virtualTab);
    f.Connect();
    f.sm->SendTab(position);
    QCOMPARE(f.recorder.Jobs(), jobs);
    if (jobs.isEmpty())
        return;
    QCOMPARE(f.recorder.Only({QStringLiteral("icon:")}), QStringList{QStringLiteral("icon:%1:3").arg(position)});

    // Completing the send re-reads the same tab, and only that one.
    const int number = f.sm->TabAtPosition(position);
    f.recorder.events.clear();
    f.sm->JobComplete(CompletingJob(number, true), true);
    QStringList reread = f.recorder.Jobs();
    Fixture g(virtualTab);
    g.Connect();
    g.sm->GetTab(position);
    QCOMPARE(reread, g.recorder.Jobs());
    // A send completion does not reload the tab: the tab model already holds what was sent.
    QVERIFY(!f.recorder.events.contains(QStringLiteral("reload:%1").arg(position)));
}

void TestStateMachine::realAtoNSendRules_data()
{
    QTest::addColumn<QString>("mmsi");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("addressed");
    QTest::addColumn<QStringList>("jobs");
    const QString gnss = Job(Names::SetGnssMode, true), real = Job(Names::RealAtoN, true);
    const QString mmsiJob = Job(Names::RealMMSI, true), adr = Job(Names::AdrMMSI, true);
    QTest::newRow("unchanged, no addressed") << "992351000"
                                             << "992351000"
                                             << "000000000" << QStringList{gnss, real};
    QTest::newRow("unchanged, empty addressed") << "992351000"
                                                << "992351000"
                                                << "" << QStringList{gnss, real};
    QTest::newRow("changed") << "992351001"
                             << "992351000"
                             << "000000000" << QStringList{mmsiJob, gnss, real};
    QTest::newRow("addressed set") << "992351000"
                                   << "992351000"
                                   << "992359999" << QStringList{adr, gnss, real};
    QTest::newRow("addressed not a number") << "992351000"
                                            << "992351000"
                                            << "99235x999" << QStringList{gnss, real};
    QTest::newRow("changed and addressed") << "992351001"
                                           << "992351000"
                                           << "1" << QStringList{mmsiJob, adr, gnss, real};
}

void TestStateMachine::realAtoNSendRules()
{
    QFETCH(QString, mmsi);
    QFETCH(QString, current);
    QFETCH(QString, addressed);
    QFETCH(QStringList, jobs);
    Fixture f(true);
    f.Connect();
    // The unit answered with "current"; the user typed "mmsi".
    f.transportModel->GetRealAtoN()->GetAtoNMMSI()->SetCurrentMMSI(current);
    AtoNMMSI* user = f.tabModel->GetRealAtoN()->GetAtoNMMSI();
    user->SetCurrentMMSI(QStringLiteral("000000000"));
    user->SetMMSI(mmsi);
    user->SetAddressMMSI(addressed);
    f.sm->SendTab(StateMachine::RealAtoNTab);
    QCOMPARE(f.recorder.Jobs(), jobs);
}

void TestStateMachine::sendCopiesKeepUnitState()
{
    Fixture f(true);
    f.Connect();
    f.tabModel->GetRealAtoN()->SetName(QStringLiteral("NEW NAME"));
    f.tabModel->GetRealAtoN()->GetAtoNMMSI()->SetCurrentMMSI(QStringLiteral("111111111"));
    f.transportModel->GetRealAtoN()->GetAtoNMMSI()->SetCurrentMMSI(QStringLiteral("992351000"));
    f.sm->SendTab(StateMachine::RealAtoNTab);
    QCOMPARE(f.transportModel->GetRealAtoN()->GetName(), QStringLiteral("NEW NAME"));
    QCOMPARE(f.transportModel->GetRealAtoN()->GetAtoNMMSI()->GetCurrentMMSI(), QStringLiteral("992351000"));

    // Virtual AtoNs: the embedded records are copied, the transport's current MMSI and the record's
    // own flags stay.
    VirtualAtoNModel* ui = f.tabModel->GetVirtualAtoN(3);
    VirtualAtoNModel* transport = f.transportModel->GetVirtualAtoN(3);
    ui->SetAtoNName(QStringLiteral("WRECK"));
    ui->SetEnabled(true);
    ui->GetAtoNMmsi()->SetCurrentMMSI(QStringLiteral("111111111"));
    transport->GetAtoNMmsi()->SetCurrentMMSI(QStringLiteral("993000003"));
    f.sm->SendTab(StateMachine::VirtualAtoNsTab);
    QCOMPARE(transport->GetAtoNName(), QStringLiteral("WRECK"));
    QVERIFY(transport->GetAtoNMmsi()->IsEnabled());
    QVERIFY(!transport->IsEnabled());
    QCOMPARE(transport->GetAtoNMmsi()->GetCurrentMMSI(), QStringLiteral("993000003"));

    // VDL chaining: an MMSI removed on the tab travels to the transport model to be sent disabled.
    VdlModel* uiVdl = f.tabModel->GetVdlModel();
    uiVdl->AddMmsi(QStringLiteral("993000007"));
    QVERIFY(uiVdl->AppendMmsiFromRow(0));
    f.sm->SendTab(StateMachine::VdlTab);
    QCOMPARE(uiVdl->GetMmsiCount(), 0);
    QCOMPARE(f.transportModel->GetVdlModel()->GetMmsiCount(), 1);
    QCOMPARE(f.transportModel->GetVdlModel()->TakeMmsiAt(0)->GetMMSI(), QStringLiteral("993000007"));
}

void TestStateMachine::nothingWhileDisconnected()
{
    Fixture f(true);
    f.tabModel->GetStatusInputConfiguration()->SetLightFitted(1);
    f.sm->GetTab(0);
    f.sm->GetAllTabs();
    f.sm->SendTab(3);
    f.sm->SendAllTabs();
    f.sm->SendVDLMessage(VDL::AID_REQUEST, 5);
    f.sm->Edited(0);
    f.sm->FileLoad();
    f.sm->RequestVersion();
    QVERIFY2(f.recorder.events.isEmpty(), qPrintable(f.recorder.events.join(QLatin1Char(' '))));
    QCOMPARE(f.transportModel->GetStatusInputConfiguration()->GetLightFitted(), 0);
    // Nothing waits for a re-read that was never asked for.
    f.sm->AllJobsComplete();
    QCOMPARE(f.recorder.events, QStringList{QStringLiteral("update")});
}

void TestStateMachine::connectTimeQueries_data()
{
    QTest::addColumn<bool>("inhibit");
    QTest::addColumn<bool>("replay");
    QTest::addColumn<QStringList>("connectJobs");
    QTest::addColumn<QStringList>("disconnectJobs");
    QTest::newRow("unit") << false << false
                          << QStringList{QStringLiteral("job:Real MMSI:0:100"), QStringLiteral("job:GPS ON:0:100"),
                                         QStringLiteral("job:uBloxM8:0:100"), QStringLiteral("job:Get GNSS Mode:0:100")}
                          << QStringList{Job(Names::GpsOff, false)};
    QTest::newRow("inhibited") << true << false << QStringList() << QStringList();
    QTest::newRow("replay") << false << true << QStringList() << QStringList();
}

void TestStateMachine::connectTimeQueries()
{
    QFETCH(bool, inhibit);
    QFETCH(bool, replay);
    QFETCH(QStringList, connectJobs);
    QFETCH(QStringList, disconnectJobs);
    Fixture f(true);
    f.sm->onInhibitGpsFiltAndTypeQuery(inhibit);
    f.sm->SetReplay(replay);
    f.sm->Connected();
    QVERIFY(f.sm->IsConnected());
    QCOMPARE(f.recorder.Jobs(), connectJobs);
    f.recorder.events.clear();
    f.sm->Disconnecting();
    QCOMPARE(f.recorder.Jobs(), disconnectJobs);
}

void TestStateMachine::retrieveAllProgress_data()
{
    QTest::addColumn<bool>("virtualTab");
    QTest::addColumn<QStringList>("progress");
    QTest::newRow("with virtual tab") << true << QStringList{"bar:1:7",    "progress:1", "progress:2",
                                                             "progress:3", "progress:4", "progress:5",
                                                             "progress:6", "progress:7", "bar:0:1"};
    QTest::newRow("without virtual tab") << false << QStringList{"bar:1:7",    "progress:1", "progress:2", "progress:4",
                                                                 "progress:5", "progress:6", "progress:7", "bar:0:1"};
}

void TestStateMachine::retrieveAllProgress()
{
    QFETCH(bool, virtualTab);
    QFETCH(QStringList, progress);
    Fixture f(virtualTab);
    f.Connect();
    f.sm->GetAllTabs();
    const QStringList jobs = f.recorder.Jobs();
    QCOMPARE(jobs.size(), virtualTab ? 11 : 9);
    QCOMPARE(jobs.first(), Job(Names::RealMMSI, false));
    QCOMPARE(jobs.last(), Job(Names::VdlChaining, false));
    // The transport completes every job in queue order.
    for (const QString& job : jobs)
        f.sm->JobComplete(job.section(QLatin1Char(':'), 1, 1), false);
    f.sm->AllJobsComplete();
    QCOMPARE(f.recorder.Only({QStringLiteral("bar:"), QStringLiteral("progress:")}), progress);
    for (int n = 0; n < StateMachine::AtoNTabCount; ++n)
        if (virtualTab || n != StateMachine::VirtualAtoNsTab)
            QCOMPARE(f.sm->GetTabState(n), int(StateMachine::TabInStep));
    QCOMPARE(f.recorder.events.last(), QStringLiteral("update"));
}

void TestStateMachine::sendAllProgressAndReRead_data()
{
    QTest::addColumn<bool>("virtualTab");
    QTest::addColumn<QList<int>>("steps");
    QTest::newRow("with virtual tab") << true << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};
    QTest::newRow("without virtual tab") << false << QList<int>{1, 2, 4, 5, 6, 7, 8, 9, 11, 12, 13, 14};
}

void TestStateMachine::sendAllProgressAndReRead()
{
    QFETCH(bool, virtualTab);
    QFETCH(QList<int>, steps);
    Fixture f(virtualTab);
    f.Connect();
    f.sm->SendAllTabs();
    QCOMPARE(f.recorder.events.first(), QStringLiteral("bar:1:14"));
    QStringList queue = f.recorder.Jobs();
    // Real AtoN with unchanged MMSI (2), schedule (1), twenty virtual AtoN jobs, four single jobs.
    QCOMPARE(queue.size(), virtualTab ? 27 : 7);

    // Play the transport: complete every queued job in order, including the re-reads that the
    // completions queue behind them.
    int done = 0;
    while (done < queue.size())
    {
        const QString job = queue[done++];
        const int before = f.recorder.events.size();
        f.sm->JobComplete(job.section(QLatin1Char(':'), 1, 1),
                          job.section(QLatin1Char(':'), 2, 2) == QLatin1String("1"));
        for (int i = before; i < f.recorder.events.size(); ++i)
            if (f.recorder.events[i].startsWith(QLatin1String("job:")))
                queue << f.recorder.events[i];
        QVERIFY(queue.size() < 100);
    }
    f.sm->AllJobsComplete();

    QList<int> progress;
    for (const QString& e : f.recorder.Only({QStringLiteral("progress:")}))
        progress << e.section(QLatin1Char(':'), 1).toInt();
    QCOMPARE(progress, steps);
    QCOMPARE(f.recorder.Only({QStringLiteral("bar:")}), QStringList({"bar:1:14", "bar:0:1"}));
    // Each tab was re-read once, as a retrieve, and reloaded from the transport model once.
    QCOMPARE(f.recorder.Only({QStringLiteral("reload:")}).size(), virtualTab ? 7 : 6);
    QCOMPARE(queue.filter(QRegularExpression(QStringLiteral(":0$"))).size(), virtualTab ? 11 : 9);
    QCOMPARE(f.recorder.events.last(), QStringLiteral("update"));
}

void TestStateMachine::virtualTabCompletesOnItsLastJob()
{
    Fixture f(true);
    f.Connect();
    f.sm->GetAllTabs();
    f.recorder.events.clear();
    // The receiver job ends while the schedules' job still writes the records in the worker.
    f.sm->JobComplete(Names::VirtualAtoNReceiver, false);
    QVERIFY(f.recorder.events.isEmpty());
    QCOMPARE(f.sm->GetTabState(StateMachine::VirtualAtoNsTab), int(StateMachine::TabBusy));
    f.sm->JobComplete(Names::VirtualAtoNMessageScheduleReceiver, false);
    QCOMPARE(f.recorder.events, QStringList({"reload:2", "icon:2:4", "enable:2:1", "aar:1", "progress:3"}));

    // Sending: the first nineteen virtual AtoN jobs change nothing.
    f.recorder.events.clear();
    f.sm->SendTab(StateMachine::VirtualAtoNsTab);
    f.recorder.events.clear();
    for (int k = 1; k <= 10; ++k)
    {
        f.sm->JobComplete(Names::VirtualAtoNJob(k), true);
        if (k < 10)
            f.sm->JobComplete(Names::VirtualAtoNScheduleJob(k), true);
    }
    QVERIFY(f.recorder.events.isEmpty());
}

void TestStateMachine::updateWaitsForReRead_data()
{
    QTest::addColumn<bool>("sensor");
    QTest::addColumn<QString>("between");
    QTest::newRow("alone") << false << QString();
    QTest::newRow("diagnostics version query") << false << QString(Names::Version);
    QTest::newRow("supply voltage poll") << false << QString(Names::VswrSupplyVoltage);
    QTest::newRow("earlier retrieve of the tab") << false << QString(Names::Repeater);
    QTest::newRow("sensor set alone") << true << QString();
    QTest::newRow("sensor version query") << true << QString(Names::SensorVersion);
    QTest::newRow("earlier retrieve of the sensor set") << true << QString(Names::SensorConfigurationQuery);
}

void TestStateMachine::updateWaitsForReRead()
{
    QFETCH(bool, sensor);
    QFETCH(QString, between);
    Fixture f(true);
    f.sm->SensorPortSelected(sensor);
    f.Connect();
    const QString sendJob = sensor ? Names::SensorConfigurationCommand : Names::Repeater;
    const QString readJob = sensor ? Names::SensorConfigurationQuery : Names::Repeater;
    f.sm->SendTab(sensor ? 0 : int(StateMachine::RepeaterTab));
    // A query queued before the send by someone else (a tab change, the poll, an earlier retrieve)
    // ends first.
    if (!between.isEmpty())
        f.sm->JobComplete(between, false);
    f.sm->JobComplete(sendJob, true);
    // The transport's queue ran empty before the re-read was queued.
    f.sm->AllJobsComplete();
    QVERIFY2(!f.recorder.events.contains(QStringLiteral("update")),
             qPrintable(f.recorder.events.join(QLatin1Char(' '))));
    QCOMPARE(f.recorder.Jobs().last(), Job(readJob, false));
    f.sm->JobComplete(readJob, false);
    f.sm->AllJobsComplete();
    QCOMPARE(f.recorder.events.last(), QStringLiteral("update"));
}

void TestStateMachine::editedAndFileLoad()
{
    Fixture f(false);
    f.Connect();
    // Never read: an edit keeps "not read".
    f.sm->Edited(2);
    QVERIFY(f.recorder.events.isEmpty());
    f.sm->GetTab(2); // Status Inputs at position 2
    f.sm->Edited(2); // busy: stays busy
    QCOMPARE(f.sm->GetTabState(StateMachine::StatusInputsTab), int(StateMachine::TabBusy));
    f.sm->JobComplete(Names::StatusInputConfiguration, false);
    f.recorder.events.clear();
    f.sm->Edited(2);
    QCOMPARE(f.recorder.events, QStringList({"icon:2:1", "enable:2:1"}));
    f.sm->Edited(2);
    QCOMPARE(f.recorder.events.size(), 2);

    f.sm->GetTab(4); // Repeater
    f.sm->JobComplete(Names::Repeater, false);
    f.recorder.events.clear();
    f.sm->FileLoad();
    QCOMPARE(f.recorder.events, QStringList({"icon:4:1", "enable:4:1"}));
}

void TestStateMachine::failures_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("info");
    // Before the failure: the tab set and the jobs of a retrieve of all tabs that completed. After it: the
    // positions of the tabs that retrieve did not read. A row with neither fails outside such a retrieve.
    QTest::addColumn<bool>("virtualTab");
    QTest::addColumn<bool>("sensorSet");
    QTest::addColumn<QStringList>("read");
    QTest::addColumn<QList<int>>("unread");
    const auto row = [](const char* name, int kind, const QString& argument, const QString& text, const QString& info,
                        bool virtualTab = true, bool sensorSet = false, const QStringList& read = {},
                        const QList<int>& unread = {})
    { QTest::newRow(name) << kind << argument << text << info << virtualTab << sensorSet << read << unread; };
    row("connect", 0, QStringLiteral("port gone"), QStringLiteral("Error connecting to the AtoN"),
        QStringLiteral("port gone"));
    row("command", 1, QStringLiteral("vswr"), QStringLiteral("Error sending a command to the AtoN"),
        QStringLiteral("vswr"));
    row("sentence", 2, QStringLiteral("ACF"),
        QStringLiteral("The application software is not fully compatible with this version of Kelvane."
                       "                            Please request a software update from your dealer."),
        QStringLiteral("NMEA sentence: ACF"));
    const QString timeout = QStringLiteral("Error communicating with the AtoN");
    const QString timedOut = QStringLiteral("A timeout occurred");
    row("timeout", 3, QStringLiteral("Real MMSI"), timeout, timedOut);
    row("timeout two tabs into a retrieve of all", 3, Names::VirtualAtoNReceiver, timeout, timedOut, true, false,
        {Names::RealAtoN, Names::MessageSchedule}, {2, 3, 4, 5, 6});
    row("timeout one tab into a retrieve of all, no virtual tab", 3, Names::MessageSchedule, timeout, timedOut, false,
        false, {Names::RealAtoN}, {1, 2, 3, 4, 5});
    QStringList everyTab;
    for (int number = 0; number < StateMachine::AtoNTabCount; ++number)
        everyTab << CompletingJob(number, false);
    row("timeout after a retrieve of all", 3, Names::Version, timeout, timedOut, true, false, everyTab);
    row("timeout in the sensor set's retrieve of all", 3, Names::SensorConfigurationQuery, timeout, timedOut, true,
        true, {}, {0, 1, 2});
}

void TestStateMachine::failures()
{
    QFETCH(int, kind);
    QFETCH(QString, argument);
    QFETCH(QString, text);
    QFETCH(QString, info);
    QFETCH(bool, virtualTab);
    QFETCH(bool, sensorSet);
    QFETCH(QStringList, read);
    QFETCH(QList<int>, unread);
    Fixture f(virtualTab);
    f.sm->SensorPortSelected(sensorSet);
    f.Connect();
    if (!read.isEmpty() || !unread.isEmpty())
        f.sm->GetAllTabs();
    for (const QString& job : read)
        f.sm->JobComplete(job, false);
    f.recorder.events.clear();
    switch (kind)
    {
    case 0:
        f.sm->ConnectError(argument);
        break;
    case 1:
        f.sm->CommandError(argument);
        break;
    case 2:
        f.sm->AtoNSentenceError(argument);
        break;
    default:
        f.sm->Timeout(argument);
    }
    // The connection ends before the (modal) message is shown.
    QCOMPARE(f.recorder.events,
             QStringList({QStringLiteral("disconnect"), QStringLiteral("error:%1|%2").arg(text, info)}));
    QCOMPARE(f.sm->UnreadTabPositions(), unread);
}

void TestStateMachine::onlyFirstFailureIsShown()
{
    Fixture f(true);
    f.Connect();
    f.sm->Timeout(Names::RealAtoN);
    f.sm->CommandError(QStringLiteral("vin"));
    f.sm->AtoNSentenceError(QStringLiteral("ACE"));
    QCOMPARE(f.recorder.Only({QStringLiteral("error:")}).size(), 1);
    QCOMPARE(f.recorder.Only({QStringLiteral("disconnect")}).size(), 3);

    // The next connection reports its own first failure.
    f.sm->Disconnected();
    f.sm->onInhibitGpsFiltAndTypeQuery(true);
    f.sm->Connected();
    f.recorder.events.clear();
    f.sm->Timeout(Names::Repeater);
    QCOMPARE(f.recorder.Only({QStringLiteral("error:")}).size(), 1);

    // A port that cannot be opened is reported at every attempt.
    f.sm->Disconnected();
    f.recorder.events.clear();
    f.sm->ConnectError(QStringLiteral("busy"));
    f.sm->ConnectError(QStringLiteral("busy"));
    QCOMPARE(f.recorder.Only({QStringLiteral("error:")}).size(), 2);
}

void TestStateMachine::tolerantTimeouts_data()
{
    QTest::addColumn<QString>("job");
    QTest::addColumn<QStringList>("events");
    QTest::newRow("GPS ON") << Names::GpsOn << QStringList();
    QTest::newRow("uBloxM8") << Names::UbloxM8 << QStringList{"m8timeout:0"};
    QTest::newRow("Get GNSS Mode") << Names::GetGnssMode << QStringList{"gnsstimeout:1"};
}

void TestStateMachine::tolerantTimeouts()
{
    QFETCH(QString, job);
    QFETCH(QStringList, events);
    Fixture f(true);
    f.Connect();
    f.sm->Timeout(job);
    QCOMPARE(f.recorder.events, events);
    QVERIFY(f.sm->IsConnected());
}

void TestStateMachine::disconnectResetsTransfer()
{
    Fixture f(true);
    f.Connect();
    f.sm->SendAllTabs();
    f.sm->JobComplete(Names::RealAtoN, true);
    f.sm->Timeout(Names::MessageSchedule);
    f.recorder.events.clear();
    f.sm->Disconnected();
    // The bar closes, every tab goes back to "not connected".
    QCOMPARE(f.recorder.Only({QStringLiteral("bar:")}), QStringList{"bar:0:1"});
    QCOMPARE(f.recorder.Only({QStringLiteral("icon:")}).size(), 7 + 5);
    QVERIFY(f.recorder.events.filter(QRegularExpression(QStringLiteral("^icon:\\d:[^0]"))).isEmpty());

    // The next connection starts clean: no send awaits its re-read, the base is 0 again.
    f.Connect();
    f.sm->AllJobsComplete();
    QCOMPARE(f.recorder.events, QStringList{"update"});
    f.sm->GetTab(StateMachine::RealAtoNTab);
    f.sm->JobComplete(Names::RealAtoN, false);
    QVERIFY(f.recorder.events.contains(QStringLiteral("progress:1")));
}

void TestStateMachine::voltagePoll()
{
    Fixture f(true);
    QTimer* poll = f.sm->findChild<QTimer*>();
    QVERIFY(poll);
    QCOMPARE(poll->interval(), 5000);
    f.Connect();
    QSignalSpy jobs(f.sm.get(), qOverload<QString, bool>(&StateMachine::QueueJob));
    f.sm->RequestVersion();
    QCOMPARE(jobs.size(), 1);
    QCOMPARE(jobs.at(0).at(0).toString(), Names::Version);
    QVERIFY(poll->isActive());
    // Shortened for the test; the poll repeats.
    poll->setInterval(10);
    QTRY_VERIFY(jobs.size() >= 3);
    for (int i = 1; i < jobs.size(); ++i)
        QCOMPARE(jobs.at(i).at(0).toString(), Names::VswrSupplyVoltage);
    f.sm->StopVoltageTimer();
    QVERIFY(!poll->isActive());
    f.sm->RequestVersion();
    QVERIFY(poll->isActive());
    f.sm->Disconnected();
    QVERIFY(!poll->isActive());
}

void TestStateMachine::vdlMessages_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("job");
    QTest::newRow("0") << 0 << "VDL_MESSAGE_AID_CONFIGURATION";
    QTest::newRow("1") << 1 << "VDL_MESSAGE_AID_REQUEST";
    QTest::newRow("2") << 2 << "";
    QTest::newRow("3") << 3 << "VDL_MESSAGE_ACE_ACF_CONFIGURATION_PART_1";
    QTest::newRow("4") << 4 << "VDL_MESSAGE_ACE_ACF_CONFIGURATION_PART_2";
    QTest::newRow("5") << 5 << "VDL_MESSAGE_ACE_ACF_CONFIGURATION_PART_3";
    QTest::newRow("6") << 6 << "VDL_MESSAGE_ACE_ACF_CONFIGURATION_PART_456";
    QTest::newRow("7") << 7 << "VDL_MESSAGE_ACE_ACF_CONFIGURATION_PART_456";
    QTest::newRow("8") << 8 << "VDL_MESSAGE_ACE_ACF_CONFIGURATION_PART_456";
    QTest::newRow("9") << 9 << "VDL_MESSAGE_ACE_ACF_REQUEST";
    QTest::newRow("12") << 12 << "";
    QTest::newRow("13") << 13 << "VDL_MESSAGE_AAR_CONFIGURATION";
    QTest::newRow("15") << 15 << "VDL_MESSAGE_AAR_REQUEST";
    QTest::newRow("19") << 19 << "VDL_MESSAGE_ARW_REQUEST";
    QTest::newRow("35") << 35 << "VDL_MESSAGE_COP_CONFIGURATION";
    QTest::newRow("36") << 36 << "";
    QTest::newRow("-1") << -1 << "";
}

void TestStateMachine::vdlMessages()
{
    QFETCH(int, id);
    QFETCH(QString, job);
    Fixture f(false);
    f.Connect();
    f.tabModel->GetStatusInputConfiguration()->SetLightFitted(1);
    // A chaining MMSI removed on the tab waits there for the VDL tab's own send.
    f.tabModel->GetVdlModel()->AddMmsi(QStringLiteral("992351101"));
    f.tabModel->GetVdlModel()->AppendMmsiFromRow(0);
    f.sm->SendVDLMessage(VDL::VdlApplicationID(id), 7);
    if (job.isEmpty())
    {
        // Nothing queued: the VDL tab must not be left busy for a job that never completes.
        QVERIFY(f.recorder.events.isEmpty());
        return;
    }
    // The VDL tab sits at position 5 without the virtual tab.
    QCOMPARE(f.recorder.events, QStringList({QStringLiteral("job:%1:1:7").arg(job), "icon:5:3", "enable:5:0"}));
    QCOMPARE(f.transportModel->GetStatusInputConfiguration()->GetLightFitted(), 1);
    QCOMPARE(f.tabModel->GetVdlModel()->GetMmsiCount(), 1);
    QCOMPARE(f.transportModel->GetVdlModel()->GetMmsiCount(), 0);
    f.recorder.events.clear();
    f.sm->JobComplete(job, true);
    QCOMPARE(f.recorder.events, QStringList({"icon:5:4", "enable:5:1"}));
}

void TestStateMachine::logProgress_data()
{
    QTest::addColumn<LogCounts>("counts");
    QTest::addColumn<QStringList>("events");
    QTest::newRow("three sentences") << LogCounts{{1, 3}, {2, 3}, {3, 3}}
                                     << QStringList{"bar:1:3", "progress:1", "progress:2", "progress:3", "bar:0:1"};
    QTest::newRow("one sentence") << LogCounts{{1, 1}} << QStringList{"progress:1", "bar:0:1"};
    QTest::newRow("beyond the total") << LogCounts{{3, 2}} << QStringList();
}

void TestStateMachine::logProgress()
{
    QFETCH(LogCounts, counts);
    QFETCH(QStringList, events);
    for (int log = 0; log < 2; ++log)
    {
        Fixture f(true);
        for (const auto& c : counts)
        {
            if (log == 0)
                f.sm->OnFaultLogMessageCount(c.first, c.second);
            else
                f.sm->OnPrxLogMessageCount(c.first, c.second);
        }
        QCOMPARE(f.recorder.events, events);
    }
}

void TestStateMachine::sensorSet()
{
    Fixture f(true);
    f.sm->SensorPortSelected(true);
    f.Connect();
    f.sm->GetTab(1); // only the first tab of the sensor set acts
    QVERIFY(f.recorder.events.isEmpty());

    f.sm->GetAllTabs();
    QCOMPARE(f.recorder.events.first(), QStringLiteral("bar:0:1"));
    QCOMPARE(f.recorder.Jobs(), QStringList{Job(Names::SensorConfigurationQuery, false)});
    QCOMPARE(f.recorder.Only({QStringLiteral("icon:")}),
             QStringList({"icon:0:3", "icon:1:3", "icon:2:3", "icon:3:3", "icon:4:3"}));

    f.recorder.events.clear();
    f.sm->JobComplete(Names::SensorConfigurationQuery, false);
    QVERIFY(f.recorder.events.contains(QStringLiteral("reload:0")));
    for (int n = 0; n < StateMachine::SensorTabCount; ++n)
        QCOMPARE(f.sm->GetSensorTabState(n), int(StateMachine::TabInStep));

    // Sending copies the three records, has the commands rebuilt, then queues the job.
    f.tabModel->GetSensorSettings()->Clear();
    f.recorder.events.clear();
    f.sm->SendAllTabs();
    QCOMPARE(f.recorder.Only({QStringLiteral("sensorcommands"), QStringLiteral("job:")}),
             QStringList({"sensorcommands", Job(Names::SensorConfigurationCommand, true)}));
    f.recorder.events.clear();
    f.sm->JobComplete(Names::SensorConfigurationCommand, true);
    QCOMPARE(f.recorder.Jobs(), QStringList{Job(Names::SensorConfigurationQuery, false)});
    QVERIFY(!f.recorder.events.contains(QStringLiteral("reload:0")));
}

KELVANE_TEST_MAIN(TestStateMachine)
#include "tst_StateMachine.moc"
