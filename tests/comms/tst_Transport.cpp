// The job engine in one thread: a recording transport keeps what would be written to the unit,
// replies are fed in by hand and the response timer is fired by calling its slot.

#include "comms/AtoNSentence.h"
#include "comms/JobTable.h"
#include "comms/NmeaSentence.h"
#include "comms/Transport.h"
#include "model/ADCSettingsModel.h"
#include "model/AtoN.h"
#include "model/MessageSettingsModel.h"
#include "model/Model.h"
#include "model/Names.h"
#include "model/SensorSettingsModel.h"
#include "model/VdlModel.h"
#include "model/VirtualAtoNModel.h"
#include "support/SimulatedUnit.h"
#include "support/TestMain.h"

#include <QElapsedTimer>
#include <QSignalSpy>

namespace
{
class RecordingTransport : public Transport
{
public:
    explicit RecordingTransport(Model* m) : Transport(m, nullptr) {}

    bool connected = true;
    bool failWrites = false;
    QStringList written;

    bool IsConnected() const override { return connected; }
    QString ConnectionDescription() const override { return QString(); }
    void Connect(QString) override {}
    void Send(QString text) override
    {
        if (failWrites)
        {
            NoteSendFailure();
            Q_EMIT SendError();
            return;
        }
        written << text;
    }
    void Disconnect() override {}
    void SerialSent(QString) override {}
    void SerialSendError() override {}
    void SerialReceived(QString received) override
    {
        Q_EMIT Received(received);
        const NmeaSentence sentence(received);
        if (sentence.IsValid())
            ProcessSentence(sentence);
    }
    void SerialClosed() override {}

    // A reply of the unit: body without checksum.
    // A sentence object that answers every sentence of its formatter with a status outside the set.
    class OddDecoder : public AtoNSentence
    {
    public:
        explicit OddDecoder(const QString& f) : AtoNSentence(nullptr) { formatter = f; }
        QString Encode(int, int*) override { return QString(); }
        int Decode(const NmeaSentence&) override { return 7; }
    };

    void Reply(const QString& body) { SerialReceived(QString::fromLatin1(SimulatedUnit::Frame(body))); }
    void Fire() { OnTimeout(); }
    // Fires the timer until the queue is done; a run that never ends fails the test at once
    // instead of spinning until the test's time limit.
    bool FireUntilIdle(int limit = 1000)
    {
        for (int i = 0; i < limit && IsBusy(); ++i)
            Fire();
        return !IsBusy();
    }
    // Answers the last shell command written as the unit would.
    void AnswerLast()
    {
        const NmeaSentence command(written.last());
        QString text;
        QString id;
        command.GetString(5, text);
        command.GetString(6, id);
        Reply(QStringLiteral("$PKVX,255,%1,%2,OK").arg(text, id));
    }
};
} // namespace

class TestTransport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void unknownJobIsIgnored()
    {
        Model model;
        RecordingTransport t(&model);
        QSignalSpy all(&t, &Transport::AllJobsComplete);
        t.QueueJob(QStringLiteral("No Such Job"), false);
        t.QueueJob(QStringLiteral("No Such Job"), true, 5);
        QVERIFY(t.written.isEmpty());
        QCOMPARE(all.count(), 0);
        QVERIFY(!t.IsBusy());
    }

    void queryStepWaitsTwoSeconds()
    {
        Model model;
        RecordingTransport t(&model);
        QSignalSpy sent(&t, &Transport::Sent);
        t.QueueJob(Names::RealMMSI, false);
        QCOMPARE(t.written, QStringList{QStringLiteral("$UPANQ,AID*3B\r\n")});
        QCOMPARE(sent.count(), 1);
        QCOMPARE(t.ResponseTimerInterval(), 2000);
        QVERIFY(t.IsResponseTimerActive());
        QVERIFY(t.IsBusy());
    }

    void openEndedStepTakesEveryReplyUntilTheTimerExpires()
    {
        Model model;
        RecordingTransport t(&model);
        QSignalSpy complete(&t, &Transport::JobComplete);
        QSignalSpy all(&t, &Transport::AllJobsComplete);
        t.QueueJob(Names::RealMMSI, false);
        t.Reply(QStringLiteral("$ANAID,992351001,1,992351001,R,R"));
        t.Reply(QStringLiteral("$GPRMC,120000.00,A,5130.0000,N,00445.0000,E,0.0,0.0,071226,,,A"));
        t.Reply(QStringLiteral("$ANAID,992351001,1,992351007,V,R"));
        QCOMPARE(complete.count(), 0);
        QVERIFY(t.IsResponseTimerActive());
        QCOMPARE(model.GetRealAtoN()->GetAtoNMMSI()->GetMMSI(), QStringLiteral("992351001"));
        QCOMPARE(model.GetVirtualAtoN(1)->GetAtoNMmsi()->GetMMSI(), QStringLiteral("992351007"));
        t.Fire();
        QCOMPARE(complete.count(), 1);
        QCOMPARE(complete.at(0).at(0).toString(), Names::RealMMSI);
        QCOMPARE(complete.at(0).at(1).toBool(), false);
        QCOMPARE(all.count(), 1);
        QVERIFY(!t.IsBusy());
    }

    void silentUnitOnAnOpenEndedStepIsATimeout()
    {
        Model model;
        RecordingTransport t(&model);
        QSignalSpy timeout(&t, &Transport::Timeout);
        QSignalSpy complete(&t, &Transport::JobComplete);
        t.QueueJob(Names::Repeater, false);
        t.Fire(); // an unanswered first step is an empty answer
        QCOMPARE(timeout.count(), 0);
        t.Fire(); // and a run that heard nothing a silent unit
        QCOMPARE(complete.count(), 0);
        QCOMPARE(timeout.count(), 1);
        QCOMPARE(timeout.at(0).at(0).toString(), Names::Repeater);

        // One answer of its own anywhere in the run, with a reply the firmware added, makes the
        // unanswered steps empty answers.
        t.QueueJob(Names::Repeater, false);
        t.Reply(QStringLiteral("$ANMCR,000000000,SRL,1"));
        t.Reply(QStringLiteral("$ANMCR,000000000,SAI,1,R"));
        t.Fire();
        t.Fire();
        QCOMPARE(timeout.count(), 1);
        QCOMPARE(complete.count(), 1);

        // A step that hears only replies of another code, known or not, was not answered: its values
        // are unknown, whatever the other steps heard.
        for (const char* other : {"LIS,5", "SAI,1,R", "SRL,1"})
        {
            t.QueueJob(Names::Repeater, false);
            t.Reply(QStringLiteral("$ANMCR,000000000,SRL,1"));
            t.Fire();
            t.Reply(QStringLiteral("$ANMCR,000000000,%1").arg(QLatin1String(other)));
            t.Fire();
            QCOMPARE(complete.count(), 1);
            QCOMPARE(timeout.count(), 2);
            QCOMPARE(timeout.takeLast().at(0).toString(), Names::Repeater);
            QCOMPARE(t.GetLastError(), QStringLiteral("Timeout waiting for response for: MCR"));
        }
    }

    void singleReplyStepEndsOnItsFirstReply()
    {
        Model model;
        model.GetRealAtoN()->GetAtoNMMSI()->SetMMSI(QStringLiteral("992351001"));
        RecordingTransport t(&model);
        t.QueueJob(Names::RealAtoN, false);
        QCOMPARE(t.written.last(), QStringLiteral("$UPANQ,ACF*33\r\n"));
        // Traffic of other formatters does not end or disturb the step.
        t.Reply(QStringLiteral("$GPGSV,1,1,01,05,45,120,42"));
        t.Reply(QStringLiteral("$AIALR,120000.00,001,A,V,LAMP"));
        QCOMPARE(t.written.size(), 1);
        t.Reply(QStringLiteral("$ANACF,992351001,15,5130.0000,N,00445.0000,E,1,2087,2088,2087,2088,0,5,0,R"));
        QCOMPARE(t.written.size(), 2);
        QVERIFY(t.written.last().startsWith(QStringLiteral("$UPANQ,ACE*")));
        QCOMPARE(t.CurrentStep(), 1);
    }

    void shellStepTakesOnlyItsShellReply()
    {
        Model model;
        RecordingTransport t(&model);
        QSignalSpy version(&t, &Transport::Version);
        QSignalSpy commandError(&t, &Transport::CommandError);
        t.QueueJob(Names::Version, false);
        QCOMPARE(t.written.last(), QStringLiteral("$PKVX,0,0,0x5E1D0A47,2,appver,1*29\r\n"));
        QCOMPARE(t.ResponseTimerInterval(), 2000);
        // A log record, GNSS and a reply to another command do not concern the step.
        t.Reply(QStringLiteral("$PKVX,7,R,0,1,2,2026/11/30,10:15:00,LIGHT FAIL"));
        t.Reply(QStringLiteral("$GPGSA,A,3,05,12,24,,,,,,,,,,1.8,1.0,1.5"));
        t.Reply(QStringLiteral("$PKVX,255,vswr,5,15"));
        QCOMPARE(commandError.count(), 0);
        QCOMPARE(t.written.size(), 1);
        t.Reply(QStringLiteral("$PKVX,255,appver,1,KVX-A3 V3.01.07"));
        QCOMPARE(version.count(), 1);
        QCOMPARE(version.at(0).at(0).toString(), QStringLiteral("KVX-A3 V3.01.07"));
        QCOMPARE(t.written.size(), 2);
        // A shell reply without its identifier is a bad reply: reported, and the run goes on.
        t.Reply(QStringLiteral("$PKVX,255,bootver"));
        QCOMPARE(commandError.count(), 1);
        QCOMPARE(commandError.at(0).at(0).toString(), QStringLiteral("bootver"));
        QCOMPARE(t.GetLastError(), QStringLiteral("Error checking response of command: bootver"));
        QCOMPARE(t.written.size(), 3);
    }

    void timerIntervals_data()
    {
        QTest::addColumn<int>("delay");
        QTest::addColumn<int>("sendInterval");
        QTest::addColumn<int>("shellInterval");
        QTest::newRow("no delay") << -1 << 200 << 2000;
        QTest::newRow("zero delay") << 0 << 200 << 2000;
        QTest::newRow("delay 1 s") << 1 << 1000 << 2000;
        QTest::newRow("delay 30 s") << 30 << 30000 << 30000;
    }

    void timerIntervals()
    {
        QFETCH(int, delay);
        QFETCH(int, sendInterval);
        QFETCH(int, shellInterval);
        Model model;
        RecordingTransport t(&model);
        if (delay == -1)
            t.QueueJob(Names::VdlAidRequest, true);
        else
            t.QueueJob(Names::VdlAidRequest, true, delay);
        QCOMPARE(t.ResponseTimerInterval(), sendInterval);
        t.Fire();
        QVERIFY(!t.IsBusy());
        // A shell command waits at least two seconds, or the pace of the step before it.
        t.QueueJob(Names::GpsOn, false);
        QCOMPARE(t.ResponseTimerInterval(), shellInterval);
    }

    void delayIsKeptOnlyForSendRuns()
    {
        Model model;
        RecordingTransport t(&model);
        t.QueueJob(Names::RealMMSI, false, 100);
        t.Fire();
        QCOMPARE(t.GetJob(Names::RealMMSI)->timeout, -1);
        t.QueueJob(Names::RealMMSI, true);
        QCOMPARE(t.ResponseTimerInterval(), 200);
        t.Fire();
        // A send run's delay stays with the job for later send runs.
        t.QueueJob(Names::RealMMSI, true, 3);
        t.Fire();
        t.QueueJob(Names::RealMMSI, true);
        QCOMPARE(t.ResponseTimerInterval(), 3000);
    }

    void sendRunRepeatsStepsByCount()
    {
        Model model;
        RecordingTransport t(&model);
        QSignalSpy complete(&t, &Transport::JobComplete);
        t.QueueJob(Names::Repeater, true);
        QCOMPARE(t.written.size(), 1);
        QCOMPARE(t.written.at(0), QStringLiteral("$UPMCR,000000000,SRL,0,C*57\r\n"));
        // Replies do not move a send run: only the timer does.
        t.Reply(QStringLiteral("$ANMCR,000000000,SRL,0,R"));
        QCOMPARE(t.written.size(), 1);
        for (int i = 0; i < 3; ++i)
            t.Fire();
        QCOMPARE(t.written.size(), 4);
        QVERIFY(t.written.at(1).startsWith(QStringLiteral("$UPMCR,000000000,RPT,21,")));
        QCOMPARE(t.written.at(2), QStringLiteral("$UPMCR,000000000,RPT,8,0,30,0,C*6B\r\n"));
        QVERIFY(t.written.at(3).startsWith(QStringLiteral("$UPMCR,000000000,RPT,6,")));
        QCOMPARE(complete.count(), 0);
        t.Fire();
        QCOMPARE(complete.count(), 1);
        QCOMPARE(complete.at(0).at(1).toBool(), true);
    }

    // The pacing as the event loop runs it: four sentences 200 ms apart, the end 200 ms after the
    // last (a lower bound only; speed is no business of a test).
    void sendPacingThroughTheEventLoop()
    {
        Model model;
        RecordingTransport t(&model);
        QSignalSpy complete(&t, &Transport::JobComplete);
        QElapsedTimer clock;
        clock.start();
        t.QueueJob(Names::Repeater, true);
        QVERIFY(complete.wait(5000));
        QVERIFY(clock.elapsed() >= 4 * 190);
        QCOMPARE(t.written.size(), 4);
    }

    void vdlStepsReportTheirFrames()
    {
        Model model;
        RecordingTransport t(&model);
        QSignalSpy sending(&t, &Transport::VDLMessageSending);
        QSignalSpy sent(&t, &Transport::VDLMessageSent);
        t.QueueJob(Names::VdlAceAcfRequest, true);
        t.Fire();
        t.Fire();
        QCOMPARE(t.written.size(), 2);
        QCOMPARE(t.written.at(0), t.written.at(1));
        QVERIFY(t.written.at(0).startsWith(QStringLiteral("!AIBBM,1,1,0,0,25,")));
        QCOMPARE(sending.count(), 0);
        QCOMPARE(sent.count(), 2);
        QCOMPARE(sent.at(0), (QVariantList{9, 1}));
    }

    void eachSendRunStartsFromTheBuiltCount()
    {
        Model model;
        for (int k = 1; k <= 2; ++k)
        {
            model.GetVirtualAtoN(k)->SetEnabled(true);
            model.GetVirtualAtoN(k)->GetAtoNMmsi()->SetMMSI(QStringLiteral("99235100%1").arg(k));
        }
        RecordingTransport t(&model);
        QSignalSpy sending(&t, &Transport::VDLMessageSending);
        QSignalSpy sent(&t, &Transport::VDLMessageSent);
        t.QueueJob(Names::VdlAidConfiguration, true);
        QVERIFY(t.FireUntilIdle());
        QCOMPARE(t.written.size(), 3); // one frame per enabled MMSI
        QCOMPARE(sending.count(), 2);
        QCOMPARE(sent.at(0), (QVariantList{0, 3}));

        // Fewer entries the next time: no frame beyond them.
        model.GetVirtualAtoN(1)->SetEnabled(false);
        model.GetVirtualAtoN(2)->SetEnabled(false);
        t.written.clear();
        t.QueueJob(Names::VdlAidConfiguration, true);
        QVERIFY(t.FireUntilIdle());
        QCOMPARE(t.written.size(), 1);
        QCOMPARE(sent.last(), (QVariantList{0, 1}));
    }

    void duplicatesOfWaitingRunsAreDropped()
    {
        Model model;
        RecordingTransport t(&model);
        t.QueueJob(Names::RealMMSI, false); // current
        t.QueueJob(Names::Version, false);
        t.QueueJob(Names::Version, false);
        QCOMPARE(t.QueuedRuns(), 1);
        t.QueueJob(Names::Version, true);
        QCOMPARE(t.QueuedRuns(), 2);
        t.QueueJob(Names::RealMMSI, false); // the current run can be queued again
        QCOMPARE(t.QueuedRuns(), 3);
    }

    void timeoutDropsTheRunAndStallsTheQueue()
    {
        Model model;
        RecordingTransport t(&model);
        QSignalSpy timeout(&t, &Transport::Timeout);
        QSignalSpy complete(&t, &Transport::JobComplete);
        t.QueueJob(Names::RealAtoN, false);
        t.QueueJob(Names::MessageSchedule, false);
        t.Fire(); // the ACF step expects one reply
        QCOMPARE(timeout.count(), 1);
        QCOMPARE(timeout.at(0).at(0).toString(), Names::RealAtoN);
        QCOMPARE(t.GetLastError(), QStringLiteral("Timeout waiting for response for: ACF"));
        QCOMPARE(complete.count(), 0);
        QCOMPARE(t.written.size(), 1);
        QCOMPARE(t.QueuedRuns(), 1);
        // The next queued job starts the oldest waiting one.
        t.QueueJob(Names::Version, false);
        QCOMPARE(t.written.size(), 2);
        QCOMPARE(t.written.last(), QStringLiteral("$UPANQ,AAR*25\r\n"));
    }

    void toleratedTimeoutsDoNotStallTheQueue_data()
    {
        QTest::addColumn<QString>("job");
        QTest::newRow("GPS ON") << Names::GpsOn;
        QTest::newRow("uBloxM8") << Names::UbloxM8;
        QTest::newRow("Get GNSS Mode") << Names::GetGnssMode;
    }

    void toleratedTimeoutsDoNotStallTheQueue()
    {
        QFETCH(QString, job);
        Model model;
        RecordingTransport t(&model);
        QSignalSpy timeout(&t, &Transport::Timeout);
        t.QueueJob(job, false, 100);
        t.QueueJob(Names::Version, false);
        t.Fire();
        QCOMPARE(timeout.count(), 1);
        QCOMPARE(t.CurrentJobName(), Names::Version);
        QCOMPARE(t.written.size(), 2);
    }

    void timeoutWhileDisconnectedKeepsTheRun()
    {
        Model model;
        RecordingTransport t(&model);
        t.connected = false;
        QSignalSpy timeout(&t, &Transport::Timeout);
        t.QueueJob(Names::Version, false);
        t.Fire();
        QCOMPARE(timeout.count(), 0);
        QCOMPARE(t.CurrentJobName(), Names::Version);
        QVERIFY(!t.IsResponseTimerActive());
    }

    void optionCommandWaitsForAnySentence()
    {
        Model model;
        RecordingTransport t(&model);
        QSignalSpy timeout(&t, &Transport::Timeout);
        QSignalSpy complete(&t, &Transport::JobComplete);
        t.QueueJob(Names::SensorConfigurationCommand, true);
        for (int i = 0; i < 25; ++i)
            t.AnswerLast();
        QCOMPARE(t.written.size(), 26);
        QVERIFY(t.written.last().contains(QStringLiteral(",option 99,75*")));
        t.Fire();
        t.Fire();
        QCOMPARE(timeout.count(), 0);
        QCOMPARE(complete.count(), 0);
        t.Reply(QStringLiteral("$GPTXT,01,01,02,RESTART"));
        QCOMPARE(complete.count(), 1);
    }

    void rebuiltJobLeavesQueuedRunsIntact()
    {
        Model model;
        RecordingTransport t(&model);
        t.QueueJob(Names::RealMMSI, false);
        t.QueueJob(Names::SensorConfigurationCommand, true);
        model.GetSensorSettings()->SetConfigurationCode(2);
        t.OnSensorConfigurationUpdate(&model);
        t.OnSensorConfigurationUpdate(&model);
        t.Reply(QStringLiteral("$ANAID,992351001,1,992351001,R,R"));
        t.Fire(); // Real MMSI ends; the waiting run starts on the record it was queued with
        QVERIFY(t.written.last().contains(QStringLiteral("enablers422")));
        for (int i = 0; i < 25; ++i)
            t.AnswerLast();
        QVERIFY(t.written.last().contains(QStringLiteral("option 99")));
        t.Reply(QStringLiteral("$GPTXT,01,01,02,X"));
        QVERIFY(!t.IsBusy());
        // The next run takes the rebuilt record.
        t.written.clear();
        t.QueueJob(Names::SensorConfigurationCommand, true);
        for (int i = 0; i < 25; ++i)
            t.AnswerLast();
        QVERIFY(t.written.last().contains(QStringLiteral("option 2")));
    }

    void proprietaryQueryTakesDataRecordsOnly()
    {
        Model model;
        RecordingTransport t(&model);
        QSignalSpy sentenceError(&t, &Transport::AtoNSentenceError);
        QSignalSpy message(&t, &Transport::FaultLogMessage);
        QSignalSpy count(&t, &Transport::FaultLogMessageCount);
        QSignalSpy done(&t, &Transport::FaultLogRequestComplete);
        t.QueueJob(Names::FaultLog, false);
        QCOMPARE(t.written.last(), QStringLiteral("$PKVX,7,Q,0*6F\r\n"));
        t.Reply(QStringLiteral("$PKVX,255,appver,1,KVX-A3 V3.01.07"));
        QCOMPARE(sentenceError.count(), 0);
        t.Reply(QStringLiteral("$PKVX,7,R,0,1,2,2026/11/30,10:15:00,LIGHT FAIL"));
        t.Reply(QStringLiteral("$PKVX,7,R,0,2,2,2026/12/01,04:02:13,LOW VOLTAGE"));
        QCOMPARE(message.count(), 2);
        QCOMPARE(message.at(1), (QVariantList{QStringLiteral("2026/12/01"), QStringLiteral("04:02:13"),
                                              QStringLiteral("LOW VOLTAGE")}));
        QCOMPARE(count.at(1), (QVariantList{2, 2}));
        QCOMPARE(done.count(), 1);
    }

    void parseErrorOfASingleReplyStepHoldsTheRun()
    {
        Model model;
        model.GetRealAtoN()->GetAtoNMMSI()->SetMMSI(QStringLiteral("992351001"));
        RecordingTransport t(&model);
        QSignalSpy sentenceError(&t, &Transport::AtoNSentenceError);
        t.QueueJob(Names::RealAtoN, false);
        t.Reply(QStringLiteral("$ANACF,992351001,15,5130.0000"));
        QCOMPARE(sentenceError.count(), 1);
        QCOMPARE(sentenceError.at(0).at(0).toString(), QStringLiteral("ACF"));
        QCOMPARE(t.GetLastError(), QStringLiteral("Error parsing the response for: ACF"));
        QVERIFY(!t.IsResponseTimerActive());
        QCOMPARE(t.CurrentStep(), 0);
    }

    void failedWriteIsNotReportedAsSent()
    {
        Model model;
        RecordingTransport t(&model);
        t.failWrites = true;
        QSignalSpy sent(&t, &Transport::Sent);
        QSignalSpy sendError(&t, &Transport::SendError);
        t.QueueJob(Names::Version, false);
        QCOMPARE(sendError.count(), 1);
        QCOMPARE(sent.count(), 0);
    }

    void replyOutsideTheStatusesIsNoReply()
    {
        Model model;
        RecordingTransport t(&model);
        QSignalSpy timeout(&t, &Transport::Timeout);
        auto odd = std::make_shared<RecordingTransport::OddDecoder>(QStringLiteral("ACF"));
        auto job = t.GetJob(Names::RealAtoN);
        job->steps[0].sentence = odd.get();
        job->steps[0].object = odd;
        t.QueueJob(Names::RealAtoN, false);
        t.Reply(QStringLiteral("$ANACF,992351001,15,5130.0000,N,00445.0000,E,1,2087,2088,2087,2088,0,5,0,R"));
        // Neither ended nor left without its timer: the step waits on.
        QCOMPARE(t.CurrentStep(), 0);
        QVERIFY(t.IsResponseTimerActive());
        t.Fire();
        QCOMPARE(timeout.count(), 1);
    }

    void chainingJobSendsRemovedMmsisOnce()
    {
        Model model;
        VdlModel* vdl = model.GetVdlModel();
        for (const char* mmsi : {"992351101", "992351102", "992351103", "992351104"})
            vdl->AddMmsi(QLatin1String(mmsi));
        vdl->AppendMmsiFromRow(0);
        vdl->AppendMmsiFromRow(0);
        vdl->AppendMmsiFromRow(0);
        RecordingTransport t(&model);
        QCOMPARE(vdl->GetMmsiCount(), 0); // consumed by the build at construction
        auto job = t.GetJob(Names::VdlChaining);
        QCOMPARE(job->steps.size(), 1 + 1 + 3 + 2);
        // A send rebuilds from the model as it is now.
        vdl->AddMmsi(QStringLiteral("992351105"));
        vdl->AppendMmsiFromRow(0);
        t.QueueJob(Names::VdlChaining, true);
        QVERIFY(t.FireUntilIdle());
        QCOMPARE(t.written.size(), 1 + 1 + 1 + 2);
        QCOMPARE(t.ResponseTimerInterval(), 200);
        QVERIFY(t.written.at(1).startsWith(QStringLiteral("$UPAID,")));
        QVERIFY(t.written.at(1).contains(QStringLiteral(",992351105,C,C*")));
        QVERIFY(t.written.at(2).contains(QStringLiteral(",0,992351104,C,C*")));
        QCOMPARE(vdl->GetMmsiCount(), 0);

        // A rebuilt job keeps the pace its sends were given.
        t.QueueJob(Names::VdlChaining, true, 2);
        QVERIFY(t.FireUntilIdle());
        QCOMPARE(t.ResponseTimerInterval(), 2000);
        QCOMPARE(t.GetJob(Names::VdlChaining)->timeout, 2);

        // Two sends queued before the first starts: the second replaces the first and still
        // carries what the first had taken out of the model.
        vdl->AddMmsi(QStringLiteral("992351106"));
        vdl->AddMmsi(QStringLiteral("992351107"));
        t.QueueJob(Names::RealMMSI, false);
        vdl->AppendMmsiFromRow(0);
        t.QueueJob(Names::VdlChaining, true);
        vdl->AppendMmsiFromRow(0);
        t.QueueJob(Names::VdlChaining, true);
        QCOMPARE(t.QueuedRuns(), 1);
        t.written.clear();
        t.Reply(QStringLiteral("$ANAID,992351001,1,992351001,R,R"));
        QVERIFY(t.FireUntilIdle());
        const QString all = t.written.join(QString());
        QVERIFY(all.contains(QStringLiteral(",0,992351105,C,C*")));
        QVERIFY(all.contains(QStringLiteral(",0,992351106,C,C*")));
        QVERIFY(all.contains(QStringLiteral(",1,992351107,C,C*")));

        // Removed and added again before the send: the MMSI stays chained, no removal goes out.
        vdl->AppendMmsiFromRow(0);
        vdl->AddMmsi(QStringLiteral("992351107"));
        t.written.clear();
        t.QueueJob(Names::VdlChaining, true);
        QVERIFY(t.FireUntilIdle());
        QCOMPARE(t.written.filter(QStringLiteral("992351107")), t.written.filter(QStringLiteral(",1,992351107,C,C*")));
        QCOMPARE(t.written.filter(QStringLiteral("992351107")).size(), 1);
    }
};

KELVANE_TEST_MAIN(TestTransport)
#include "tst_Transport.moc"
