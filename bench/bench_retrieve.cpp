// Retrieves every tab of the AtoN tab set from the simulated unit, which answers at once, through
// the real SerialTransport in its worker thread and a pseudo-terminal, with the intervals the tool
// uses in the field. Reports the wall time, the part of it the tool's timers account for (every
// open-ended step waits one query interval after its last reply), and the rest: the tool's own
// overhead, which should stay under 5% of the total.

#include "comms/SerialTransport.h"
#include "comms/TransportJob.h"
#include "model/Model.h"
#include "model/Names.h"
#include "support/SimulatedUnit.h"
#include "support/TestMain.h"

#include <QElapsedTimer>
#include <QThread>

#include <cstdio>

class BenchRetrieve : public QObject
{
    Q_OBJECT

private:
    // The jobs of AtoN tabs 0 to 6, in the order a "retrieve all" queues them.
    static QStringList AtoNSetJobs()
    {
        return {Names::RealMMSI,
                Names::AdrMMSI,
                Names::GetGnssMode,
                Names::RealAtoN,
                Names::MessageSchedule,
                Names::VirtualAtoNReceiver,
                Names::VirtualAtoNMessageScheduleReceiver,
                Names::StatusInputConfiguration,
                Names::GetAlertMessages,
                Names::Repeater,
                Names::VdlChaining};
    }

private Q_SLOTS:
    void retrieveAtoNSet()
    {
        SimulatedUnit unit;
        unit.SetGnssInterval(1000); // a unit's steady GNSS output, as in the field
        QVERIFY(unit.Start());
        // A unit with two virtual AtoNs and two chained units.
        unit.AddVirtual(QStringLiteral("992351201"));
        unit.AddVirtual(QStringLiteral("992351202"));
        unit.State().chainedMmsis = {QStringLiteral("992351301"), QStringLiteral("992351302")};

        Model model;
        auto* transport = new SerialTransport(&model);
        QThread thread;
        transport->moveToThread(&thread);
        thread.start();

        bool connected = false;
        int completed = 0;
        bool allDone = false;
        QStringList timeouts;
        connect(transport, &Transport::Connected, this, [&] { connected = true; });
        connect(transport, &Transport::JobComplete, this, [&](const QString&, bool) { ++completed; });
        connect(transport, &Transport::AllJobsComplete, this, [&] { allDone = true; });
        connect(transport, &Transport::Timeout, this, [&](const QString& name) { timeouts << name; });

        const QString port = unit.PortPath();
        QMetaObject::invokeMethod(transport, [transport, port] { transport->Connect(port); });
        QVERIFY(QTest::qWaitFor([&] { return connected; }, 5000));

        const QStringList jobs = AtoNSetJobs();
        // Every open-ended sentence step ends one query interval after its last reply.
        qint64 timerMs = 0;
        int openEnded = 0;
        QMetaObject::invokeMethod(
            transport,
            [&]
            {
                for (const QString& name : jobs)
                    for (const TransportStep& s : transport->GetJob(name)->steps)
                        if (s.sentence && s.expectedReplies == 0)
                        {
                            timerMs += transport->ResponseTimeout();
                            ++openEnded;
                        }
            },
            Qt::BlockingQueuedConnection);

        // One run: it takes most of a minute, by the timers' own rule.
        QElapsedTimer clock;
        clock.start();
        allDone = false;
        QMetaObject::invokeMethod(transport,
                                  [transport, jobs]
                                  {
                                      for (const QString& name : jobs)
                                          transport->QueueJob(name, false);
                                  });
        QVERIFY(QTest::qWaitFor([&] { return allDone && completed == jobs.size(); }, 120000));
        const qint64 wallMs = clock.elapsed();
        QVERIFY(timeouts.isEmpty());

        const qint64 overheadMs = wallMs - timerMs;
        std::printf("bench_retrieve: %d jobs, %d open-ended steps\n", int(jobs.size()), openEnded);
        std::printf("bench_retrieve: wall %lld ms, timers %lld ms, overhead %lld ms (%.2f%% of the total)\n",
                    static_cast<long long>(wallMs), static_cast<long long>(timerMs), static_cast<long long>(overheadMs),
                    wallMs > 0 ? 100.0 * double(overheadMs) / double(wallMs) : 0.0);

        QMetaObject::invokeMethod(
            transport, [transport] { transport->Disconnect(); }, Qt::BlockingQueuedConnection);
        thread.quit();
        thread.wait();
        delete transport;
    }

    // The per-line cost of the worker: every received line is parsed and matched against the
    // current step (here an open-ended AID query taking replies among GNSS traffic).
    void replyMatching()
    {
        Model model;
        SerialTransport transport(&model);
        transport.QueueJob(Names::RealMMSI, false);
        const QStringList lines = {
            QString::fromLatin1(SimulatedUnit::Frame(QStringLiteral("$ANAID,992351001,1,992351001,R,R"))),
            QString::fromLatin1(
                SimulatedUnit::Frame(QStringLiteral("$GPRMC,120000.00,A,5130.0000,N,00445.0000,E,0.0,0.0,071226,,,A"))),
            QString::fromLatin1(
                SimulatedUnit::Frame(QStringLiteral("$GPGSV,1,1,03,05,45,120,42,12,30,200,38,24,60,300,45"))),
            QString::fromLatin1(SimulatedUnit::Frame(QStringLiteral("$ANAID,992351001,1,992351007,C,R"))),
        };
        constexpr int Rounds = 5000;
        QElapsedTimer clock;
        qint64 ns = 0;
        QBENCHMARK
        {
            clock.start();
            for (int i = 0; i < Rounds; ++i)
                for (const QString& line : lines)
                    transport.SerialReceived(line);
            ns = clock.nsecsElapsed();
        }
        std::printf("bench_retrieve: reply matching %.0f lines/s\n",
                    ns > 0 ? double(Rounds) * double(lines.size()) * 1e9 / double(ns) : 0.0);
    }
};

KELVANE_TEST_MAIN(BenchRetrieve)
#include "bench_retrieve.moc"
